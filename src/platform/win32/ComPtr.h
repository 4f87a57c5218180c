#pragma once
// Owners for COM, header-only so that the program and kelpfold.dll use the
// same ones without sharing a library: an interface pointer released once, a
// block from the COM task allocator (item identifier lists are such blocks:
// CoTaskMemFree is the shell's allocator on every Windows this code runs on),
// and the library initialised for one scope.
#include <objbase.h>
#include <ole2.h>
#include <shtypes.h>

#include <cassert>
#include <memory>
#include <utility>

namespace win {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns.
    explicit ComPtr(T* p) : p_(p) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != std::addressof(other)) Reset(other.Detach()); // & is the out-parameter form
        return *this;
    }

    // Adds a reference of its own to a pointer someone else owns.
    static ComPtr Share(T* p) {
        if (p) p->AddRef();
        return ComPtr(p);
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset(T* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }
    // For out-parameters of a pointer that must still be empty: taking the
    // address of a full one would leak its reference, so that is a fault.
    T** operator&() {
        assert(!p_);
        return &p_;
    }
    void** Out() { return reinterpret_cast<void**>(operator&()); }
    // For out-parameters where the pointer may be reused: it is released first.
    T** Receive() {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* p_ = nullptr;
};

// A block from the COM task allocator, freed with CoTaskMemFree.
template <typename T>
class CoTaskMemPtr {
public:
    CoTaskMemPtr() = default;
    explicit CoTaskMemPtr(T* p) : p_(p) {}
    ~CoTaskMemPtr() { Reset(); }
    CoTaskMemPtr(const CoTaskMemPtr&) = delete;
    CoTaskMemPtr& operator=(const CoTaskMemPtr&) = delete;
    CoTaskMemPtr(CoTaskMemPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    CoTaskMemPtr& operator=(CoTaskMemPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.p_, nullptr));
        return *this;
    }

    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset(T* p = nullptr) {
        if (p_) CoTaskMemFree(p_);
        p_ = p;
    }
    T** Receive() {
        Reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// An item identifier list allocated by the shell.
using ItemIdList = CoTaskMemPtr<ITEMIDLIST>;

// COM for the life of the object, undone only when this call started it.
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

// OLE for the life of the object (shell extensions that the shell loads for
// the program need it), undone only when this call started it.
class OleScope {
public:
    OleScope() : hr_(OleInitialize(nullptr)) {}
    ~OleScope() {
        if (SUCCEEDED(hr_)) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    HRESULT hr_;
};

} // namespace win
