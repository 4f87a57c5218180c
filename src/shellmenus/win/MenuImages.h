#pragma once
// The program's own menu images (40 of them, image 0 the check mark), loaded
// from the strip drawn for the DPI at hand: 16 pixels at 96 dpi, 20 at 120,
// 24 at 144 and 32 at 192 and above. Fuchsia is their transparent colour.
#include "platform/win32/Handles.h"

class TMenuImages {
public:
    static constexpr int kCount = 40;

    // Throws the system's error when the strip cannot be loaded.
    TMenuImages(HINSTANCE instance, UINT dpi);

    HIMAGELIST Handle() const { return list_.Get(); }
    int Count() const { return ImageList_GetImageCount(list_.Get()); }
    int Size() const { return size_; }
    UINT Dpi() const { return dpi_; }

    // The strip's image size for a DPI.
    static int SizeForDpi(UINT dpi);

private:
    UINT dpi_;
    int size_;
    win::UniqueImageList list_;
};
