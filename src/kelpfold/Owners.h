#pragma once
// Move-only owners for what the library holds: COM interface pointers, item
// identifier lists (freed with the shell's allocator) and registry keys.
#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include "platform/win32/ComPtr.h"

#include <utility>

namespace kelpfold {

// COM pointers and item identifier lists are the program's own header-only
// owners (no code is linked in from the program).
template <typename T>
using TComPtr = win::ComPtr<T>;
using TItemIdList = win::ItemIdList;

class TRegKey {
public:
    TRegKey() = default;
    ~TRegKey() { Reset(); }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    TRegKey(TRegKey&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    TRegKey& operator=(TRegKey&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }

    HKEY Get() const { return h_; }
    void Reset(HKEY h = nullptr) {
        if (h_) RegCloseKey(h_);
        h_ = h;
    }
    HKEY* Receive() {
        Reset();
        return &h_;
    }

private:
    HKEY h_ = nullptr;
};

} // namespace kelpfold
