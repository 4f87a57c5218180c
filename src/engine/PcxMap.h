#pragma once
// The PCX reader: ZSoft PCX files of 1 bit, 16 colours (planar or packed),
// 256 colours and 24 bits, run-length encoded.
#include "engine/Bitmap.h"
#include "engine/ImageLimits.h"

#include <cstdint>
#include <string>
#include <vector>

class EPcxException : public EImageError {
public:
    explicit EPcxException(int code);
    int Code() const { return code_; }
    // The message of each error number (1 to 10).
    static const char* Text(int code);

private:
    int code_;
};

class TPcxmap : public TBitmap {
public:
    // Reads PCX data; on any error the bitmap is left empty and nothing is
    // raised: an empty image is the program's sign of "no picture".
    void LoadFromStream(const uint8_t* data, size_t size) noexcept;
    void LoadFromStream(const std::vector<uint8_t>& bytes) noexcept { LoadFromStream(bytes.data(), bytes.size()); }

    // The decoding itself, raising EPcxException.
    static TBitmap Decode(const uint8_t* data, size_t size);
};
