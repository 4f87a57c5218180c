#include "engine/PixelHeap.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

class TCallocPixels : public TPixelMemory {
public:
    explicit TCallocPixels(size_t bytes) : bytes_(static_cast<uint8_t*>(std::calloc(bytes ? bytes : 1, 1))) {}
    ~TCallocPixels() override { std::free(bytes_); }
    TCallocPixels(const TCallocPixels&) = delete;
    TCallocPixels& operator=(const TCallocPixels&) = delete;
    uint8_t* Data() override { return bytes_; }

private:
    uint8_t* bytes_;
};

#if defined(__linux__)
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kMappedFrom = size_t(8) << 20;

// An anonymous mapping with a huge-page-aligned start, so that the kernel
// can back the whole picture with 2 MiB pages.
class TMappedPixels : public TPixelMemory {
public:
    explicit TMappedPixels(size_t bytes) : length_(bytes + kHugePage) {
        void* base = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) return;
        base_ = base;
        const uintptr_t start = (reinterpret_cast<uintptr_t>(base) + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
        data_ = reinterpret_cast<uint8_t*>(start);
        madvise(data_, bytes, MADV_HUGEPAGE); // only a hint: without it the pages are ordinary
    }
    ~TMappedPixels() override {
        if (base_) munmap(base_, length_);
    }
    TMappedPixels(const TMappedPixels&) = delete;
    TMappedPixels& operator=(const TMappedPixels&) = delete;
    uint8_t* Data() override { return data_; }

private:
    size_t length_;
    void* base_ = nullptr;
    uint8_t* data_ = nullptr;
};
#endif

} // namespace

std::unique_ptr<TPixelMemory> NewHeapPixels(size_t bytes) {
    std::unique_ptr<TPixelMemory> memory;
#if defined(__linux__)
    if (bytes >= kMappedFrom && bytes <= SIZE_MAX - kHugePage) memory = std::make_unique<TMappedPixels>(bytes);
#endif
    if (!memory || !memory->Data()) memory = std::make_unique<TCallocPixels>(bytes);
    return memory->Data() ? std::move(memory) : nullptr;
}
