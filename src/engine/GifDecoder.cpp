#include "engine/GifDecoder.h"

#include "engine/ImageLimits.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TSource {
    const uint8_t* Data;
    size_t Size;
    size_t Offset;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<TSource*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(std::max(length, 0)), source->Size - source->Offset);
    std::memcpy(buffer, source->Data + source->Offset, n);
    source->Offset += n;
    return static_cast<int>(n);
}

class TGifFile {
public:
    explicit TGifFile(TSource& source) {
        int error = 0;
        gif_ = DGifOpen(&source, ReadFromMemory, &error);
        if (!gif_) Fail(error);
    }
    ~TGifFile() {
        int error = 0;
        if (gif_) DGifCloseFile(gif_, &error);
    }
    TGifFile(const TGifFile&) = delete;
    TGifFile& operator=(const TGifFile&) = delete;

    GifFileType* operator->() const { return gif_; }
    GifFileType* Get() const { return gif_; }
    void Check(int result) const {
        if (result == GIF_ERROR) Fail(gif_->Error);
    }
    [[noreturn]] static void Fail(int error) {
        const char* text = GifErrorString(error);
        throw EImageError(std::string("The GIF file cannot be read: ") + (text ? text : "unknown error") + ".");
    }

private:
    GifFileType* gif_ = nullptr;
};

} // namespace

TBitmap DecodeGif(const uint8_t* data, size_t size) {
    TSource source{data, size, 0};
    TGifFile gif(source);
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        gif.Check(DGifGetRecordType(gif.Get(), &record));
        if (record == TERMINATE_RECORD_TYPE) throw EImageError("The GIF file holds no image.");
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            gif.Check(DGifGetExtension(gif.Get(), &code, &block));
            while (block) gif.Check(DGifGetExtensionNext(gif.Get(), &block));
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;

        gif.Check(DGifGetImageDesc(gif.Get()));
        const GifImageDesc& frame = gif->Image;
        if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
            throw EImageError("The GIF file's first image has no size.");
        // The canvas is the logical screen, grown when the frame lies outside it.
        const int64_t width = std::max<int64_t>(gif->SWidth, int64_t(frame.Left) + frame.Width);
        const int64_t height = std::max<int64_t>(gif->SHeight, int64_t(frame.Top) + frame.Height);
        TImageLimits::Current().CheckRows(width, height, 8, 4, size + uint64_t(frame.Width));

        TBitmap out(static_cast<int>(width), static_cast<int>(height), TPixelFormat::pf8bit);
        const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        auto& palette = out.Palette();
        if (map && map->Colors) {
            for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
                palette.push_back(MakeRGB(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
        } else { // no colour table at all: grey levels
            for (int i = 0; i < 256; ++i) palette.push_back(MakeRGB(uint8_t(i), uint8_t(i), uint8_t(i)));
        }
        const uint8_t background = static_cast<uint8_t>(gif->SBackGroundColor);
        for (int y = 0; y < out.Height(); ++y) std::memset(out.Row(y), background, static_cast<size_t>(out.Width()));

        std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
        const auto readRow = [&](int y) {
            gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
            std::memcpy(out.Row(frame.Top + y) + frame.Left, line.data(), line.size());
        };
        if (frame.Interlace) {
            static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < frame.Height; y += step[pass]) readRow(y);
        } else {
            for (int y = 0; y < frame.Height; ++y) readRow(y);
        }
        return out;
    }
}
