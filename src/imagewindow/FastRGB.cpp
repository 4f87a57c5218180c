#include "imagewindow/FastRGB.h"

#include "engine/ImageLimits.h"
#include "engine/PixelHeap.h"
#include "imagewindow/PixelMath.h"

#include <limits>
#include <string>
#include <utility>

namespace {

TPixelAllocator& Allocator() {
    static TPixelAllocator allocator;
    return allocator;
}

} // namespace

namespace pixelmath {

void ThrowOutOfMemory() {
    throw EImageError("There is not enough memory for this picture.");
}

} // namespace pixelmath

void SetFastBMPAllocator(TPixelAllocator allocator) {
    Allocator() = std::move(allocator);
}

TFastRGB& TFastRGB::operator=(TFastRGB&& other) noexcept {
    if (this == &other) return *this;
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    padding_ = std::exchange(other.padding_, 0);
    rowBytes_ = std::exchange(other.rowBytes_, 0);
    byteSize_ = std::exchange(other.byteSize_, 0);
    memory_ = std::move(other.memory_);
    rows_ = std::move(other.rows_);
    other.rows_.clear();
    bits_ = std::exchange(other.bits_, nullptr);
    return *this;
}

void TFastRGB::Allocate(int width, int height) {
    memory_.reset();
    rows_.clear();
    bits_ = nullptr;
    width_ = height_ = padding_ = rowBytes_ = 0;
    byteSize_ = 0;
    if (width <= 0 || height <= 0) return;

    // The padded rows, and the row table held beside them.
    const size_t byteSize = TImageLimits::Current().CheckRows(width, height, 24, 4,
                                                              static_cast<uint64_t>(height) * sizeof(uint8_t*));
    const int64_t rowBytes = 3 * int64_t(width) + width % 4; // 24 bits padded to four bytes
    if (rowBytes > std::numeric_limits<int>::max())
        throw EImageTooLarge("The picture is too wide (" + std::to_string(width) + " pixels).");

    std::vector<uint8_t*> rows = pixelmath::MakeBuffer<uint8_t*>(static_cast<size_t>(height));
    std::unique_ptr<TPixelMemory> memory;
    try {
        memory = Allocator() ? Allocator()(width, height, TPixelFormat::pf24bit, byteSize)
                             : NewHeapPixels(byteSize);
    } catch (const std::bad_alloc&) {
        pixelmath::ThrowOutOfMemory();
    }
    if (!memory || !memory->Data()) pixelmath::ThrowOutOfMemory();

    bits_ = memory->Data();
    for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = bits_ + static_cast<size_t>(y) * rowBytes;
    memory_ = std::move(memory);
    rows_ = std::move(rows);
    width_ = width;
    height_ = height;
    padding_ = width % 4;
    rowBytes_ = static_cast<int>(rowBytes);
    byteSize_ = byteSize;
}

void TFastRGB::Borrow(const TBitmap& bitmap) {
    Allocate(0, 0);
    if (bitmap.Empty() || bitmap.PixelFormat() != TPixelFormat::pf24bit) return;
    const int width = bitmap.Width(), height = bitmap.Height();
    // A 24-bit row padded to four bytes is 3 × width + width mod 4 bytes.
    if (bitmap.Stride() != static_cast<size_t>(3 * int64_t(width) + width % 4)) return;
    std::vector<uint8_t*> rows = pixelmath::MakeBuffer<uint8_t*>(static_cast<size_t>(height));
    // The view is handed out as const (TFastBMP::ViewOf), so nothing writes
    // through these pointers.
    uint8_t* bits = const_cast<uint8_t*>(bitmap.Row(0));
    for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = bits + static_cast<size_t>(y) * bitmap.Stride();
    rows_ = std::move(rows);
    bits_ = bits;
    width_ = width;
    height_ = height;
    padding_ = width % 4;
    rowBytes_ = static_cast<int>(bitmap.Stride());
    byteSize_ = bitmap.Stride() * static_cast<size_t>(height);
}
