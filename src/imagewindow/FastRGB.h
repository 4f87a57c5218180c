#pragma once
// The base of the working image: a 24-bit picture whose rows the pixel code
// reaches directly. Three bytes per pixel, blue, green, red; rows run
// top-down and are padded to a multiple of four bytes, the layout of a
// 24-bit top-down device-independent section, so on Windows the pixels are
// such a section (see SetFastBMPAllocator) and GDI can blit them as they are.
#include "engine/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Where working images keep their pixels: zeroed heap memory unless an
// allocator is installed. The Windows layer installs one at start-up that
// makes a section selected into a memory DC (UseDibSectionsForFastBMP); it
// must give zeroed pixels and return null when it cannot, which the image
// reports as an error. Nothing else changes it.
void SetFastBMPAllocator(TPixelAllocator allocator);

class TFastRGB {
public:
    virtual ~TFastRGB() = default;
    TFastRGB(const TFastRGB&) = delete;
    TFastRGB& operator=(const TFastRGB&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Bytes after the last pixel of each row: Width mod 4.
    int Padding() const { return padding_; }
    // Bytes from one row to the next: 3 × Width + Padding.
    int RowBytes() const { return rowBytes_; }
    // RowBytes × Height.
    size_t ByteSize() const { return byteSize_; }
    // The first byte of row 0 (null when the image has no pixels).
    uint8_t* Bits() { return bits_; }
    const uint8_t* Bits() const { return bits_; }
    // Rows()[y] == Bits() + y × RowBytes(); one entry per row.
    uint8_t* const* Rows() { return rows_.data(); }
    uint8_t* Row(int y) { return rows_[static_cast<size_t>(y)]; }
    const uint8_t* Row(int y) const { return rows_[static_cast<size_t>(y)]; }
    // What holds the pixels (a section on Windows); null when empty or
    // when the image only sees a bitmap's pixels (see Borrow).
    TPixelMemory* Memory() const { return memory_.get(); }

protected:
    TFastRGB() = default;
    // The pixels go with the image; the one moved from has none.
    TFastRGB(TFastRGB&& other) noexcept { *this = std::move(other); }
    TFastRGB& operator=(TFastRGB&& other) noexcept;
    // New zeroed pixels of this size; a side of 0 or less leaves no pixels.
    // Throws EImageError (EImageTooLarge beyond the image limits) when the
    // memory cannot be had.
    void Allocate(int width, int height);
    // The pixels of a 24-bit bitmap, whose rows have this image's layout,
    // seen without a copy; the bitmap keeps them. Other formats: no pixels.
    void Borrow(const TBitmap& bitmap);

private:
    int width_ = 0, height_ = 0;
    int padding_ = 0, rowBytes_ = 0;
    size_t byteSize_ = 0;
    std::unique_ptr<TPixelMemory> memory_;
    std::vector<uint8_t*> rows_;
    uint8_t* bits_ = nullptr;
};
