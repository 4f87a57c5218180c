#pragma once
// One bitmap in its file form, for editing its colour table without
// touching its pixels: the start-up logo's palette is rebuilt this way and
// its header marks the entries that the system must not animate.
#include "engine/Bitmap.h"

#include <cstdint>
#include <vector>

class TVirtualBitmap {
public:
    // The whole file: a 14-byte file header, an information header of 40
    // bytes (or the 12-byte older form), the colour table and the pixels.
    // Throws EImageError "VirtualBitmap: Invalid bitmap." for anything else,
    // including a colour table that runs past the end of the file.
    explicit TVirtualBitmap(std::vector<uint8_t> file);

    int BitsPerPixel() const { return bitsPerPixel_; }
    // Entries in the colour table: "colours used", or 2^depth when that is 0
    // (never more than 2^depth); 0 for deeper bitmaps.
    int ColorCount() const { return colorCount_; }

    // Entry i of the colour table; black outside the table. Both throw
    // EImageError for a bitmap of more than 8 bits, which has no table.
    TRGBQuad GetColor(int index) const;
    // Ignored outside the table.
    void SetColor(int index, TRGBQuad color);

    // The 40-byte header's "important colours" field (the entries that the
    // system leaves alone). The older header has no such field: ignored.
    void SetImportantColors(uint32_t count);

    // The file with its changed header and table and its unchanged pixels.
    const std::vector<uint8_t>& Bytes() const { return file_; }

private:
    void RequireColorTable() const;
    uint8_t* Entry(int index) { return &file_[tableOffset_ + size_t(index) * entrySize_]; }
    const uint8_t* Entry(int index) const { return &file_[tableOffset_ + size_t(index) * entrySize_]; }

    std::vector<uint8_t> file_;
    uint32_t headerSize_ = 0;
    int bitsPerPixel_ = 0;
    int colorCount_ = 0;
    size_t tableOffset_ = 0;
    size_t entrySize_ = 0;
};
