#include "engine/VBitmap.h"

#include "engine/ByteReader.h"
#include "engine/ImageLimits.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kClrImportantOffset = kFileHeaderSize + 36;

[[noreturn]] void Invalid() {
    throw EImageError("VirtualBitmap: Invalid bitmap.");
}

} // namespace

TVirtualBitmap::TVirtualBitmap(std::vector<uint8_t> file) : file_(std::move(file)) {
    TByteReader in(file_.data(), file_.size());
    if (in.U16() != 0x4D42) Invalid(); // "BM"
    in.Seek(kFileHeaderSize);
    headerSize_ = in.U32();
    uint32_t colorsUsed = 0;
    if (headerSize_ == kCoreHeaderSize) {
        in.Skip(4 + 2); // width, height (16 bits each), planes
        bitsPerPixel_ = in.U16();
        entrySize_ = 3;
    } else if (headerSize_ == kInfoHeaderSize) {
        in.Skip(4 + 4 + 2); // width, height, planes
        bitsPerPixel_ = in.U16();
        in.Skip(4 + 4 + 4 + 4); // compression, image size, resolution
        colorsUsed = in.U32();
        entrySize_ = 4;
    } else {
        Invalid();
    }
    tableOffset_ = kFileHeaderSize + headerSize_;
    if (!in.Ok() || bitsPerPixel_ <= 0 || file_.size() < tableOffset_) Invalid();
    if (bitsPerPixel_ <= 8) {
        const uint32_t full = 1u << bitsPerPixel_;
        colorCount_ = static_cast<int>(colorsUsed == 0 || colorsUsed > full ? full : colorsUsed);
        if (size_t(colorCount_) * entrySize_ > file_.size() - tableOffset_) Invalid();
    }
}

void TVirtualBitmap::RequireColorTable() const {
    if (bitsPerPixel_ > 8) throw EImageError("VirtualBitmap: Color table isnot avialable for 16bit or 24bit bitmaps.");
}

TRGBQuad TVirtualBitmap::GetColor(int index) const {
    RequireColorTable();
    if (index < 0 || index >= colorCount_) return TRGBQuad{};
    const uint8_t* p = Entry(index);
    return TRGBQuad{p[0], p[1], p[2], 0};
}

void TVirtualBitmap::SetColor(int index, TRGBQuad color) {
    RequireColorTable();
    if (index < 0 || index >= colorCount_) return;
    uint8_t* p = Entry(index);
    p[0] = color.Blue, p[1] = color.Green, p[2] = color.Red;
    if (entrySize_ == 4) p[3] = 0;
}

void TVirtualBitmap::SetImportantColors(uint32_t count) {
    if (headerSize_ != kInfoHeaderSize) return;
    for (size_t i = 0; i < 4; ++i) file_[kClrImportantOffset + i] = uint8_t(count >> (8 * i));
}
