#include "engine/JpegDecoder.h"

#include "engine/ColorReduction.h"
#include "engine/ImageLimits.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

// libjpeg reports errors by longjmp. Only the two functions marked
// "protected" call setjmp, and they hold no object with a destructor, so the
// jump never skips one; the C++ side only sees their success flag.
namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->Message);
    longjmp(error->Jump, 1);
}

void OnMessage(j_common_ptr, int) {} // warnings of damaged but readable files are not shown

// Protected: reads the header and chooses the output.
bool ReadHeaderProtected(jpeg_decompress_struct* cinfo, TJpegError* error, const uint8_t* data, size_t size) {
    if (setjmp(error->Jump)) return false;
    jpeg_mem_src(cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    return true;
}

bool StartProtected(jpeg_decompress_struct* cinfo, TJpegError* error) {
    if (setjmp(error->Jump)) return false;
    jpeg_start_decompress(cinfo);
    return true;
}

// Protected: reads every scan line into the given rows; CMYK lines go
// through the scratch buffer and are converted to blue, green, red.
bool ReadLinesProtected(jpeg_decompress_struct* cinfo, TJpegError* error, uint8_t** rows, uint8_t* scratch,
                        bool cmyk, bool inverted) {
    if (setjmp(error->Jump)) return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* row = rows[cinfo->output_scanline];
        JSAMPROW target = cmyk ? scratch : row;
        jpeg_read_scanlines(cinfo, &target, 1);
        if (!cmyk) continue;
        for (JDIMENSION x = 0; x < cinfo->output_width; ++x) {
            const uint8_t* s = scratch + 4 * x;
            int c = s[0], m = s[1], y = s[2], k = s[3];
            if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
            row[3 * x + 0] = static_cast<uint8_t>((y * k + 127) / 255);
            row[3 * x + 1] = static_cast<uint8_t>((m * k + 127) / 255);
            row[3 * x + 2] = static_cast<uint8_t>((c * k + 127) / 255);
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

class TDecompressor {
public:
    TDecompressor() {
        cinfo.err = jpeg_std_error(&error.Manager);
        error.Manager.error_exit = OnError;
        error.Manager.emit_message = OnMessage;
        error.Message[0] = 0;
        jpeg_create_decompress(&cinfo);
    }
    ~TDecompressor() { jpeg_destroy_decompress(&cinfo); }
    TDecompressor(const TDecompressor&) = delete;
    TDecompressor& operator=(const TDecompressor&) = delete;
    [[noreturn]] void Fail() const { throw EImageError(std::string("The JPEG file cannot be read: ") + error.Message); }

    jpeg_decompress_struct cinfo{};
    TJpegError error{};
};

} // namespace

TBitmap DecodeJpeg(const uint8_t* data, size_t size, bool eightBit) {
    TDecompressor d;
    jpeg_decompress_struct& cinfo = d.cinfo;
    if (!ReadHeaderProtected(&cinfo, &d.error, data, size)) d.Fail();

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool quantize = eightBit && !cmyk; // CMYK is reduced by our own quantiser below
    // Everything held at once: the file, the output, and for progressive
    // files the coefficients of the whole image (2 bytes a sample).
    const uint64_t pixels = uint64_t(cinfo.image_width) * cinfo.image_height;
    const uint64_t coefficients = cinfo.progressive_mode || cinfo.buffered_image ? pixels * cinfo.num_components * 2 : 0;
    const TImageLimits& limits = TImageLimits::Current();
    limits.CheckRows(cinfo.image_width, cinfo.image_height, quantize ? 8 : 24, 4, size + coefficients);
    cinfo.mem->max_memory_to_use = static_cast<long>(std::min<uint64_t>(limits.MaxBytes, uint64_t(LONG_MAX)));

    if (cmyk) {
        cinfo.out_color_space = JCS_CMYK;
    } else if (quantize) {
        cinfo.out_color_space = cinfo.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
    } else {
        cinfo.out_color_space = JCS_EXT_BGR; // the bitmap's own byte order, greyscale included
    }
    if (!StartProtected(&cinfo, &d.error)) d.Fail();

    // Every pixel is decoded; only the row padding needs clearing.
    TBitmap out(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                quantize ? TPixelFormat::pf8bit : TPixelFormat::pf24bit, TPixelInit::Uninitialised);
    const size_t used = size_t(cinfo.output_width) * (quantize ? 1 : 3);
    for (int y = 0; y < out.Height(); ++y) std::memset(out.Row(y) + used, 0, out.Stride() - used);
    if (quantize) {
        // The colour map is the library's and goes when decoding finishes.
        auto& palette = out.Palette();
        palette.resize(static_cast<size_t>(cinfo.actual_number_of_colors));
        for (size_t i = 0; i < palette.size(); ++i) {
            if (cinfo.out_color_components == 1) {
                const uint8_t v = cinfo.colormap[0][i];
                palette[i] = MakeRGB(v, v, v);
            } else {
                palette[i] = MakeRGB(cinfo.colormap[0][i], cinfo.colormap[1][i], cinfo.colormap[2][i]);
            }
        }
    }
    std::vector<uint8_t*> rows(cinfo.output_height);
    for (JDIMENSION y = 0; y < cinfo.output_height; ++y) rows[y] = out.Row(static_cast<int>(y));
    std::vector<uint8_t> scratch(cmyk ? 4 * size_t(cinfo.output_width) : 0);
    const bool inverted = cinfo.saw_Adobe_marker; // Adobe stores CMYK inverted
    if (!ReadLinesProtected(&cinfo, &d.error, rows.data(), scratch.data(), cmyk, inverted)) d.Fail();

    if (eightBit && !quantize) {
        out = ReduceTo256Colors(out);
    }
    return out;
}
