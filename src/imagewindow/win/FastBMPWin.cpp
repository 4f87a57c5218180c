#include "imagewindow/win/FastBMPWin.h"

#include "engine/ImageLimits.h"
#include "platform/win32/Handles.h"

#include <cstdlib>

namespace {

BITMAPINFO InfoFor(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 24-bit section selected into a memory DC for as long as it lives.
class TFastSection : public TPixelMemory {
public:
    TFastSection(int width, int height) {
        const BITMAPINFO info = InfoFor(width, height);
        void* bits = nullptr;
        section_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!section_ || !bits) return;
        dc_.Reset(CreateCompatibleDC(nullptr));
        if (!dc_) return;
        old_ = SelectObject(dc_.Get(), section_.Get());
        if (!old_ || old_ == HGDI_ERROR) {
            old_ = nullptr;
            dc_.Reset();
            return;
        }
        bits_ = static_cast<uint8_t*>(bits);
    }
    ~TFastSection() override {
        if (old_) SelectObject(dc_.Get(), old_); // the DC goes first, then the section
    }
    TFastSection(const TFastSection&) = delete;
    TFastSection& operator=(const TFastSection&) = delete;

    uint8_t* Data() override { return bits_; }
    HBITMAP Handle() const { return static_cast<HBITMAP>(section_.Get()); }
    HDC DC() const { return dc_.Get(); }

private:
    win::UniqueGdiObject section_; // declared first: released last
    win::UniqueDC dc_;
    HGDIOBJ old_ = nullptr;
    uint8_t* bits_ = nullptr;
};

const TFastSection* SectionOf(const TFastBMP& image) {
    return dynamic_cast<const TFastSection*>(image.Memory());
}

[[noreturn]] void ThrowDrawingFailed() {
    throw EImageError("The picture could not be drawn.");
}

} // namespace

void UseDibSectionsForFastBMP() {
    SetFastBMPAllocator([](int width, int height, TPixelFormat, size_t) -> std::unique_ptr<TPixelMemory> {
        auto section = std::make_unique<TFastSection>(width, height);
        if (!section->Data()) return nullptr; // reported by the image as an error
        return section;
    });
}

HBITMAP FastBMPHandle(const TFastBMP& image) {
    const TFastSection* section = SectionOf(image);
    return section ? section->Handle() : nullptr;
}

HDC FastBMPDC(const TFastBMP& image) {
    const TFastSection* section = SectionOf(image);
    return section ? section->DC() : nullptr;
}

BITMAPINFO FastBMPInfo(const TFastBMP& image) {
    return InfoFor(image.Width(), image.Height());
}

TFastBMP FastBMPFromBitmap(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || !GetObjectW(bitmap, sizeof description, &description))
        throw EImageError("The bitmap cannot be read.");
    // A top-down section reports its height as negative on some systems.
    TFastBMP image = TFastBMP::CreateBlank(description.bmWidth, std::abs(description.bmHeight));
    if (image.Empty()) return image;
    BITMAPINFO info = FastBMPInfo(image);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.Height()), image.Bits(), &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != image.Height()) throw EImageError("The bitmap cannot be read.");
    return image;
}

void DrawFastBMP(const TFastBMP& image, HDC dc, int x, int y) {
    if (image.Empty()) return;
    if (HDC source = FastBMPDC(image)) {
        if (!BitBlt(dc, x, y, image.Width(), image.Height(), source, 0, 0, SRCCOPY)) ThrowDrawingFailed();
        return;
    }
    const BITMAPINFO info = FastBMPInfo(image);
    if (!SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image.Width()), static_cast<DWORD>(image.Height()), 0, 0, 0,
                           static_cast<UINT>(image.Height()), image.Bits(), &info, DIB_RGB_COLORS))
        ThrowDrawingFailed();
}

void StretchDrawFastBMP(const TFastBMP& image, HDC dc, int x, int y, int width, int height) {
    if (image.Empty() || width <= 0 || height <= 0) return;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    BOOL ok;
    if (HDC source = FastBMPDC(image)) {
        ok = StretchBlt(dc, x, y, width, height, source, 0, 0, image.Width(), image.Height(), SRCCOPY);
    } else {
        const BITMAPINFO info = FastBMPInfo(image);
        ok = StretchDIBits(dc, x, y, width, height, 0, 0, image.Width(), image.Height(), image.Bits(), &info,
                           DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    if (oldMode) SetStretchBltMode(dc, oldMode);
    if (!ok) ThrowDrawingFailed();
}
