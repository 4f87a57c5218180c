#pragma once
// Move-only owners for the Win32 handles the program keeps. Each type names
// the one call that releases its handle and the value that means "none".
// Owners of GDI and USER objects keep a count of the handles they hold, so a
// test can see that a window gave back everything it made (the system's own
// object counts are not available everywhere: Wine reports 0).
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

namespace win {

enum class TObjectKind { None, Gdi, User };

// Handles of that kind held by owners right now.
int LiveObjects(TObjectKind kind);
namespace detail {
void CountObject(TObjectKind kind, int delta);
}

template <typename T, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) { Reset(h); }
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, Traits::Invalid());
        }
        return *this;
    }

    T Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    // Gives the handle up; the caller releases it.
    T Release() {
        if (h_ != Traits::Invalid()) detail::CountObject(Traits::Kind, -1);
        return std::exchange(h_, Traits::Invalid());
    }
    void Reset(T h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) {
            Traits::Close(h_);
            detail::CountObject(Traits::Kind, -1);
        }
        h_ = h;
        if (h_ != Traits::Invalid()) detail::CountObject(Traits::Kind, +1);
    }
    // For out-parameters of handles that are not counted (keys, files): the
    // owner is emptied first, so nothing can leak.
    T* Receive() {
        static_assert(Traits::Kind == TObjectKind::None, "counted handles are taken with Reset");
        Reset();
        return &h_;
    }

private:
    T h_ = Traits::Invalid();
};

struct KeyTraits {
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct KernelTraits {
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FileTraits { // CreateFile and friends report failure as INVALID_HANDLE_VALUE
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindTraits {
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct ChangeNotificationTraits {
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindCloseChangeNotification(h); }
};
struct IconTraits {
    static constexpr TObjectKind Kind = TObjectKind::User;
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
    static constexpr TObjectKind Kind = TObjectKind::User;
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct GdiTraits {
    static constexpr TObjectKind Kind = TObjectKind::Gdi;
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct FontTraits {
    static constexpr TObjectKind Kind = TObjectKind::Gdi;
    static HFONT Invalid() { return nullptr; }
    static void Close(HFONT h) { DeleteObject(h); }
};
struct BitmapTraits {
    static constexpr TObjectKind Kind = TObjectKind::Gdi;
    static HBITMAP Invalid() { return nullptr; }
    static void Close(HBITMAP h) { DeleteObject(h); }
};
struct PaletteTraits {
    static constexpr TObjectKind Kind = TObjectKind::Gdi;
    static HPALETTE Invalid() { return nullptr; }
    static void Close(HPALETTE h) { DeleteObject(h); }
};
struct DCTraits { // memory DCs made by CreateCompatibleDC
    static constexpr TObjectKind Kind = TObjectKind::Gdi;
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct LibraryTraits { // modules loaded by name with LoadLibrary
    static constexpr TObjectKind Kind = TObjectKind::None;
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct ImageListTraits {
    static constexpr TObjectKind Kind = TObjectKind::User;
    static HIMAGELIST Invalid() { return nullptr; }
    static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};

using UniqueKey = UniqueHandle<HKEY, KeyTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using UniqueFileHandle = UniqueHandle<HANDLE, FileTraits>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindTraits>;
using UniqueChangeNotification = UniqueHandle<HANDLE, ChangeNotificationTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, BitmapTraits>;
using UniqueDC = UniqueHandle<HDC, DCTraits>;
using UniquePalette = UniqueHandle<HPALETTE, PaletteTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueLibrary = UniqueHandle<HMODULE, LibraryTraits>;

// A window's DC from GetDC (or the screen's, for a null window), given back
// with ReleaseDC to the same window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {
        if (dc_) detail::CountObject(TObjectKind::Gdi, +1);
    }
    ~WindowDC() {
        if (dc_) {
            ReleaseDC(window_, dc_);
            detail::CountObject(TObjectKind::Gdi, -1);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for one scope; the DC's previous object is
// selected again at its end, so the object can be deleted after.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {
        if (old_ == HGDI_ERROR) old_ = nullptr;
    }
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    explicit operator bool() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Wide-string conversions at the API boundary.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
std::string Utf8(const wchar_t* wide);

} // namespace win
