#pragma once
// Move-only owners for what the library holds: COM interface pointers, item
// identifier lists (freed with the shell's allocator) and registry keys.
#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include <utility>

namespace kelpfold {

template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    // Takes over a reference the caller already owns.
    explicit TComPtr(T* p) : p_(p) {}
    ~TComPtr() { Reset(); }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& other) noexcept : p_(other.Detach()) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    // Adds a reference of its own to a pointer someone else owns.
    static TComPtr Share(T* p) {
        if (p) p->AddRef();
        return TComPtr(p);
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset(T* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }
    // For out-parameters: the owner is emptied first, so nothing can leak.
    T** Receive() {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* p_ = nullptr;
};

// An item identifier list allocated by the shell; CoTaskMemFree is the shell's
// allocator on every Windows this library runs on.
class TItemIdList {
public:
    TItemIdList() = default;
    explicit TItemIdList(ITEMIDLIST* p) : p_(p) {}
    ~TItemIdList() { Reset(); }
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;
    TItemIdList(TItemIdList&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    TItemIdList& operator=(TItemIdList&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.p_, nullptr));
        return *this;
    }

    ITEMIDLIST* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset(ITEMIDLIST* p = nullptr) {
        if (p_) CoTaskMemFree(p_);
        p_ = p;
    }
    ITEMIDLIST** Receive() {
        Reset();
        return &p_;
    }

private:
    ITEMIDLIST* p_ = nullptr;
};

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
