#include "engine/PcxMap.h"

#include "engine/ByteReader.h"

#include <cstring>

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kMaxEncodedLine = 3072;
constexpr size_t kPaletteTrailer = 769; // the marker 12 and 256 RGB triples
constexpr uint8_t kPaletteMarker = 12;

enum { kNotPcx = 2, kTooBig = 3, kBadData = 4, kUnsupported = 5 };

struct TPcxHeader {
    uint8_t Manufacturer, Version, BitsPerPlane, Planes;
    int Width, Height;
    uint16_t BytesPerLine;
    uint8_t HeaderPalette[48];
};

TPcxHeader ReadHeader(const uint8_t* data, size_t size) {
    if (size < kHeaderSize) throw EPcxException(kBadData);
    TByteReader in(data, size);
    TPcxHeader h;
    h.Manufacturer = in.U8();
    h.Version = in.U8();
    in.U8(); // encoding
    h.BitsPerPlane = in.U8();
    const int xMin = in.U16(), yMin = in.U16(), xMax = in.U16(), yMax = in.U16();
    h.Width = xMax - xMin + 1;
    h.Height = yMax - yMin + 1;
    std::memcpy(h.HeaderPalette, data + 16, 48);
    h.Planes = data[65];
    h.BytesPerLine = static_cast<uint16_t>(data[66] | (data[67] << 8));
    if (h.Manufacturer != 10) throw EPcxException(kNotPcx);
    return h;
}

// Decodes one scan line of run-length data into line[0..length).
void DecodeLine(TByteReader& in, uint8_t* line, size_t length) {
    size_t filled = 0;
    const uint8_t* p = in.Here();
    const uint8_t* end = p + in.Remaining();
    while (filled < length) {
        if (p == end) throw EPcxException(kBadData);
        const uint8_t byte = *p++;
        if (byte < 192) {
            line[filled++] = byte;
            continue;
        }
        const size_t count = byte & 0x3F;
        if (p == end || count > length - filled) throw EPcxException(kBadData);
        std::memset(line + filled, *p++, count);
        filled += count;
    }
    in.Skip(static_cast<size_t>(p - in.Here()));
}

} // namespace

EPcxException::EPcxException(int code) : EImageError(Text(code)), code_(code) {}

const char* EPcxException::Text(int code) {
    static const char* const texts[] = {"PCX file not found", "Not a PCX file", "File Too big",   "Bad data",
                                        "Unsupported Format", "Unexpected EOF", "Bad code size", "Bad code",
                                        "Bad bit size",       "Bad bitmap"};
    return code >= 1 && code <= 10 ? texts[code - 1] : "Bad data";
}

TBitmap TPcxmap::Decode(const uint8_t* data, size_t size) {
    const TPcxHeader h = ReadHeader(data, size);
    if (h.Width <= 0 || h.Height <= 0) throw EPcxException(kBadData);

    int depth;
    if (h.BitsPerPlane == 8 && h.Planes == 3) depth = 24;
    else if (h.BitsPerPlane == 1) depth = h.Planes;
    else depth = h.BitsPerPlane;
    // Only the layouts a bitmap can hold; anything else would decode as noise.
    const bool packed4 = h.BitsPerPlane == 4 && h.Planes == 1;
    const bool planar = h.BitsPerPlane == 1 && h.Planes >= 2 && h.Planes <= 4;
    if (!(depth == 24 || (h.BitsPerPlane == 1 && h.Planes == 1) || packed4 || planar ||
          (h.BitsPerPlane == 8 && h.Planes == 1)))
        throw EPcxException(kUnsupported);

    const size_t bpl = h.BytesPerLine;
    const size_t encoded = depth == 24 ? 3 * bpl : (planar ? depth * bpl : bpl);
    if (encoded > kMaxEncodedLine) throw EPcxException(kTooBig);
    // Each plane's line must hold the width it claims.
    const size_t width = static_cast<size_t>(h.Width);
    const size_t needed = depth == 24 || depth == 8 ? width : (packed4 ? (width + 1) / 2 : (width + 7) / 8);
    if (needed > bpl) throw EPcxException(kBadData);

    const TPixelFormat format = depth == 24 ? TPixelFormat::pf24bit
                                : depth == 8 ? TPixelFormat::pf8bit
                                : depth == 1 ? TPixelFormat::pf1bit
                                             : TPixelFormat::pf4bit;
    try {
        TImageLimits::Current().CheckRows(h.Width, h.Height, BitsPerPixel(format), 4, size);
    } catch (const EImageTooLarge&) {
        throw EPcxException(kTooBig);
    }

    TBitmap out(h.Width, h.Height, format);
    // The palette: fixed black and white for 1 bit; the header's 16 colours
    // otherwise, for 8 bits replaced by the file's trailer from version 5 on.
    std::vector<TRGBQuad>& palette = out.Palette();
    if (depth == 1) {
        palette = {MakeRGB(0, 0, 0), MakeRGB(255, 255, 255)};
    } else if (depth != 24) {
        for (int i = 0; i < 16; ++i)
            palette.push_back(MakeRGB(h.HeaderPalette[3 * i], h.HeaderPalette[3 * i + 1], h.HeaderPalette[3 * i + 2]));
        if (depth == 8) {
            palette.resize(256);
            if (h.Version > 4) {
                if (size < kHeaderSize + kPaletteTrailer || data[size - kPaletteTrailer] != kPaletteMarker)
                    throw EPcxException(kBadData);
                const uint8_t* p = data + size - kPaletteTrailer + 1;
                for (int i = 0; i < 256; ++i, p += 3) palette[i] = MakeRGB(p[0], p[1], p[2]);
            }
        }
    }

    std::vector<uint8_t> line(encoded);
    TByteReader in(data, size);
    in.Seek(kHeaderSize);
    for (int y = 0; y < h.Height; ++y) {
        DecodeLine(in, line.data(), encoded);
        uint8_t* dst = out.Row(y);
        if (depth == 24) { // red, green and blue planes one after another
            const uint8_t *r = line.data(), *g = r + bpl, *b = g + bpl;
            for (size_t x = 0; x < width; ++x, dst += 3) dst[0] = b[x], dst[1] = g[x], dst[2] = r[x];
        } else if (planar) { // one bit of each pixel per plane, plane k worth 2^k
            for (size_t x = 0; x < width; ++x) {
                int value = 0;
                for (int k = 0; k < depth; ++k)
                    value |= ((line[k * bpl + x / 8] >> (7 - x % 8)) & 1) << k;
                dst[x / 2] = static_cast<uint8_t>((x & 1) ? (dst[x / 2] | value) : (value << 4));
            }
        } else {
            std::memcpy(dst, line.data(), needed);
        }
    }
    return out;
}

void TPcxmap::LoadFromStream(const uint8_t* data, size_t size) noexcept {
    try {
        static_cast<TBitmap&>(*this) = Decode(data, size);
    } catch (...) {
        // Bad data, a file too big or memory running out: no picture.
        Clear();
    }
}
