#include "shellmenus/win/MenuImages.h"

#include "platform/win32/WinError.h"
#include "resources/ResourceIds.h"

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);

const wchar_t* StripFor(int size) {
    switch (size) {
    case 20: return IDB_MENUIMAGES20;
    case 24: return IDB_MENUIMAGES24;
    case 32: return IDB_MENUIMAGES32;
    }
    return IDB_MENUIMAGES16;
}

} // namespace

int TMenuImages::SizeForDpi(UINT dpi) {
    // The nearest strip at or below the size the DPI asks for, so that an
    // image is never scaled up from a smaller drawing than needed.
    const int wanted = MulDiv(16, static_cast<int>(dpi), 96);
    if (wanted >= 32) return 32;
    if (wanted >= 24) return 24;
    if (wanted >= 20) return 20;
    return 16;
}

TMenuImages::TMenuImages(HINSTANCE instance, UINT dpi) : dpi_(dpi), size_(SizeForDpi(dpi)) {
    win::UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageW(instance, StripFor(size_), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) win::ThrowLastError("Cannot load the menu images");
    list_.Reset(ImageList_Create(size_, size_, ILC_COLOR24 | ILC_MASK, kCount, 0));
    if (!list_) win::ThrowLastError("Cannot make the menu image list");
    if (ImageList_AddMasked(list_.Get(), strip.Get(), kTransparent) < 0)
        win::ThrowLastError("Cannot fill the menu image list");
}
