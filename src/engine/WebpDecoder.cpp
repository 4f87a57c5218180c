#include "engine/WebpDecoder.h"

#include "engine/AlphaComposite.h"
#include "engine/ImageLimits.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

namespace {

[[noreturn]] void Fail(const std::string& why) {
    throw EImageError("The WebP file cannot be read: " + why + ".");
}

const char* StatusText(VP8StatusCode status) {
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_INVALID_PARAM: return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR: return "the data is damaged";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "a feature that is not supported";
    case VP8_STATUS_SUSPENDED: return "the decoder stopped";
    case VP8_STATUS_USER_ABORT: return "the decoder was stopped";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the file ends too early";
    default: return "unknown error";
    }
}

TBitmap NewPicture(int width, int height) {
    TBitmap out(width, height, TPixelFormat::pf24bit, TPixelInit::Uninitialised);
    const size_t used = size_t(width) * 3;
    for (int y = 0; y < height; ++y) std::memset(out.Row(y) + used, 0, out.Stride() - used);
    return out;
}

struct TAnimDecoderDelete {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// The first frame of an animation, on its canvas (blending and offsets as
// the file says).
TBitmap FirstFrame(const uint8_t* data, size_t size) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) Fail("the library does not match");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const WebPData file{data, size};
    // The canvas size comes from the container before any allocation.
    std::unique_ptr<WebPDemuxer, decltype(&WebPDemuxDelete)> demux(WebPDemux(&file), WebPDemuxDelete);
    if (!demux) Fail("the data is damaged");
    const auto width = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
    const auto height = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
    // The decoder keeps the canvas and the previous one.
    TImageLimits::Current().CheckRows(width, height, 24, 4, size + uint64_t(width) * height * 8);
    demux.reset();

    std::unique_ptr<WebPAnimDecoder, TAnimDecoderDelete> decoder(WebPAnimDecoderNew(&file, &options));
    if (!decoder) Fail("the data is damaged");
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas) Fail("the data is damaged");
    TBitmap out = NewPicture(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < out.Height(); ++y)
        CompositeBgraOverWhite(canvas + size_t(y) * width * 4, out.Row(y), width);
    return out;
}

} // namespace

TBitmap DecodeWebp(const uint8_t* data, size_t size) {
    WebPBitstreamFeatures features;
    const VP8StatusCode status = WebPGetFeatures(data, size, &features);
    if (status != VP8_STATUS_OK) Fail(StatusText(status));
    if (features.has_animation) return FirstFrame(data, size);

    const uint64_t scratch = features.has_alpha ? uint64_t(features.width) * features.height * 4 : 0;
    TImageLimits::Current().CheckRows(features.width, features.height, 24, 4, size + scratch);
    TBitmap out = NewPicture(features.width, features.height);
    if (!features.has_alpha) {
        // Straight into the picture's rows.
        if (!WebPDecodeBGRInto(data, size, out.Row(0), out.Stride() * size_t(out.Height()),
                               static_cast<int>(out.Stride())))
            Fail("the data is damaged");
        return out;
    }
    const size_t stride = size_t(features.width) * 4;
    std::vector<uint8_t> bgra(scratch);
    if (!WebPDecodeBGRAInto(data, size, bgra.data(), bgra.size(), static_cast<int>(stride)))
        Fail("the data is damaged");
    for (int y = 0; y < out.Height(); ++y) CompositeBgraOverWhite(bgra.data() + y * stride, out.Row(y), out.Width());
    return out;
}
