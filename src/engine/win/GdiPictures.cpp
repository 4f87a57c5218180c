#include "engine/win/GdiPictures.h"

#include "engine/IconReader.h"
#include "engine/ImageLimits.h"
#include "engine/win/DibInfo.h"
#include "platform/win32/Handles.h"

#include <algorithm>
#include <cstring>

namespace {

class TDibSection : public TPixelMemory {
public:
    TDibSection(int width, int height, TPixelFormat format) {
        TDibInfo info = DibInfo(width, height, format);
        void* bits = nullptr;
        section_.Reset(CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint8_t*>(bits);
    }
    uint8_t* Data() override { return bits_; }
    bool Ok() const { return bits_ != nullptr; }
    HBITMAP Handle() const { return static_cast<HBITMAP>(section_.Get()); }

private:
    win::UniqueGdiObject section_;
    uint8_t* bits_ = nullptr;
};

// A white 24-bit bitmap selected into a memory DC, to draw a picture on.
class TDrawingSurface {
public:
    TDrawingSurface(int width, int height) : bitmap_(width, height, TPixelFormat::pf24bit) {
        bitmap_.Fill(MakeRGB(255, 255, 255));
        dc_.Reset(CreateCompatibleDC(nullptr));
        HBITMAP section = DibSectionOf(bitmap_);
        if (!dc_ || !section) throw EImageError("There is not enough memory to draw the picture.");
        old_ = SelectObject(dc_.Get(), section);
    }
    ~TDrawingSurface() {
        if (dc_) SelectObject(dc_.Get(), old_);
    }
    TDrawingSurface(const TDrawingSurface&) = delete;
    TDrawingSurface& operator=(const TDrawingSurface&) = delete;
    HDC DC() const { return dc_.Get(); }
    TBitmap Take() {
        GdiFlush();
        SelectObject(dc_.Get(), old_);
        dc_.Reset();
        return std::move(bitmap_);
    }

private:
    TBitmap bitmap_;
    win::UniqueDC dc_;
    HGDIOBJ old_ = nullptr;
};

int ScreenPixelsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

struct TEnhMetaFileTraits {
    static constexpr win::TObjectKind Kind = win::TObjectKind::Gdi;
    static HENHMETAFILE Invalid() { return nullptr; }
    static void Close(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
};
using UniqueEnhMetaFile = win::UniqueHandle<HENHMETAFILE, TEnhMetaFileTraits>;

} // namespace

void UseDibSectionsForBitmaps() {
    SetPixelAllocator([](int width, int height, TPixelFormat format, size_t) -> std::unique_ptr<TPixelMemory> {
        auto section = std::make_unique<TDibSection>(width, height, format);
        if (!section->Ok()) return nullptr; // the heap serves instead
        return section;
    });
}

HBITMAP DibSectionOf(const TBitmap& bitmap) {
    const auto* section = dynamic_cast<const TDibSection*>(bitmap.Memory());
    return section ? section->Handle() : nullptr;
}

TBitmap TGdiPictures::RenderIcon(const std::vector<uint8_t>& file) {
    const TIconEntry entry = FirstIconEntry(file.data(), file.size());
    TImageLimits::Current().Check(entry.Width, entry.Height, 3.0, file.size());
    // The first image exactly as stored (bitmap or PNG), at its own size.
    win::UniqueIcon icon(CreateIconFromResourceEx(const_cast<BYTE*>(file.data() + entry.Offset),
                                                  static_cast<DWORD>(entry.Size), TRUE, 0x00030000, entry.Width,
                                                  entry.Height, LR_DEFAULTCOLOR));
    if (!icon) throw EImageError("The icon file cannot be read.");
    TDrawingSurface surface(entry.Width, entry.Height);
    DrawIconEx(surface.DC(), 0, 0, icon.Get(), entry.Width, entry.Height, 0, nullptr, DI_NORMAL);
    return surface.Take();
}

TBitmap TGdiPictures::RenderMetafile(const std::vector<uint8_t>& file, bool enhanced) {
    UniqueEnhMetaFile metafile;
    int width = 0, height = 0;
    const int dpiX = ScreenPixelsPerInch(LOGPIXELSX), dpiY = ScreenPixelsPerInch(LOGPIXELSY);
    if (enhanced) {
        metafile.Reset(SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data()));
        if (!metafile) throw EImageError("The metafile cannot be read.");
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(metafile.Get(), sizeof header, &header);
        // The frame is in hundredths of a millimetre.
        width = MulDiv(header.rclFrame.right - header.rclFrame.left, dpiX, 2540);
        height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, dpiY, 2540);
    } else {
        // Only placeable metafiles say how large they are: a 22-byte header
        // with the key 9AC6CDD7, the bounding box and its units per inch.
        constexpr size_t kPlaceable = 22;
        if (file.size() < kPlaceable || file[0] != 0xD7 || file[1] != 0xCD || file[2] != 0xC6 || file[3] != 0x9A)
            throw EImageError("The metafile has no size: only placeable metafiles can be opened.");
        const auto word = [&](size_t at) { return static_cast<int16_t>(file[at] | (file[at + 1] << 8)); };
        const int left = word(6), top = word(8), right = word(10), bottom = word(12);
        const int unitsPerInch = static_cast<uint16_t>(word(14));
        if (unitsPerInch == 0) throw EImageError("The metafile has no size.");
        width = MulDiv(right - left, dpiX, unitsPerInch);
        height = MulDiv(bottom - top, dpiY, unitsPerInch);
        METAFILEPICT picture{MM_ANISOTROPIC, width, height, nullptr};
        metafile.Reset(SetWinMetaFileBits(static_cast<UINT>(file.size() - kPlaceable), file.data() + kPlaceable,
                                          nullptr, &picture));
        if (!metafile) throw EImageError("The metafile cannot be read.");
    }
    width = std::abs(width), height = std::abs(height);
    TImageLimits::Current().Check(width, height, 3.0, file.size());
    TDrawingSurface surface(width, height);
    const RECT frame{0, 0, width, height};
    PlayEnhMetaFile(surface.DC(), metafile.Get(), &frame);
    return surface.Take();
}
