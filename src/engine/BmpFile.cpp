#include "engine/BmpFile.h"

#include "engine/ByteReader.h"
#include "engine/ImageLimits.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRGB = 0, kRLE8 = 1, kRLE4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr size_t kFileHeaderSize = 14;

[[noreturn]] void Bad(const char* why) {
    throw EImageError(std::string("The bitmap file is damaged: ") + why + ".");
}

// One channel of a bit-field mask, widened to 8 bits by repeating its bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0, Bits = 0;

    explicit TChannel(uint32_t mask) : Mask(mask) {
        if (!mask) return;
        while (!((mask >> Shift) & 1)) ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1)) ++Bits;
    }
    uint8_t Value(uint32_t pixel) const {
        if (!Bits) return 0;
        uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
        uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += Bits) out = (out << Bits) | v;
        return static_cast<uint8_t>(out >> ((8 + Bits - 1) / Bits * Bits - 8));
    }
};

struct THeader {
    int32_t Width = 0, Height = 0;
    uint16_t BitCount = 0;
    uint32_t Compression = kRGB;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[3] = {0, 0, 0};
    bool Core = false; // the 12-byte form: 3-byte palette entries
    size_t HeaderSize = 0;
};

THeader ReadHeader(TByteReader& in) {
    THeader h;
    in.Seek(kFileHeaderSize);
    h.HeaderSize = in.U32();
    if (!in.Ok()) Bad("the header is missing");
    switch (h.HeaderSize) {
    case 12: case 40: case 52: case 56: case 108: case 124: break;
    default: throw EImageError("This kind of bitmap file is not supported.");
    }
    if (!in.Has(h.HeaderSize - 4)) Bad("the header is cut short");
    if (h.HeaderSize == 12) {
        h.Core = true;
        h.Width = in.U16();
        h.Height = in.U16();
        in.U16(); // planes
        h.BitCount = in.U16();
        return h;
    }
    h.Width = in.I32();
    h.Height = in.I32();
    in.U16(); // planes
    h.BitCount = in.U16();
    h.Compression = in.U32();
    in.Skip(12); // image size, resolution
    h.ColorsUsed = in.U32();
    in.U32(); // colours important
    const bool bitFields = h.Compression == kBitFields || h.Compression == kAlphaBitFields;
    if (h.HeaderSize >= 52) {
        for (auto& m : h.Masks) m = in.U32();
    } else if (bitFields) { // the masks follow a 40-byte header
        in.Seek(kFileHeaderSize + 40);
        for (auto& m : h.Masks) m = in.U32();
        if (h.Compression == kAlphaBitFields) in.U32();
    }
    if (!in.Ok()) Bad("the colour masks are missing");
    return h;
}

void DecodeRle(const uint8_t* data, size_t size, bool fourBit, TBitmap& out, bool bottomUp) {
    TByteReader in(data, size);
    int x = 0, row = 0; // row counts in file order
    const int w = out.Width(), h = out.Height();
    const auto put = [&](uint8_t index) {
        if (x < w && row < h) out.SetIndex(x, bottomUp ? h - 1 - row : row, index);
        ++x;
    };
    while (in.Has(2) && row < h) {
        const uint8_t count = in.U8(), value = in.U8();
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBit ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
        } else if (value == 0) { // end of line
            x = 0, ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and up
            if (!in.Has(2)) break;
            x += in.U8();
            row += in.U8();
        } else { // a run of literal pixels, padded to an even number of bytes
            const size_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (!in.Has(bytes)) break;
            const uint8_t* lit = in.Here();
            for (int i = 0; i < value; ++i)
                put(fourBit ? ((i & 1) ? (lit[i / 2] & 0x0F) : (lit[i / 2] >> 4)) : lit[i]);
            in.Skip(bytes + (bytes & 1));
        }
    }
}

} // namespace

TBitmap ReadBmp(const uint8_t* data, size_t size) {
    TByteReader in(data, size);
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') throw EImageError("This is not a bitmap file.");
    in.Seek(10);
    const uint32_t pixelOffset = in.U32();
    const THeader h = ReadHeader(in);

    const int bpp = h.BitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Bad("the bit count is wrong");
    const bool rle = h.Compression == kRLE8 || h.Compression == kRLE4;
    const bool bitFields = h.Compression == kBitFields || h.Compression == kAlphaBitFields;
    if (h.Compression != kRGB && !rle && !bitFields) throw EImageError("This kind of bitmap compression is not supported.");
    if ((h.Compression == kRLE8 && bpp != 8) || (h.Compression == kRLE4 && bpp != 4) ||
        (bitFields && bpp != 16 && bpp != 32))
        Bad("the compression does not fit the bit count");
    if (h.Width <= 0 || h.Height == 0 || h.Height == INT32_MIN) Bad("the size is wrong");
    const bool bottomUp = h.Height > 0;
    const int height = bottomUp ? h.Height : -h.Height;
    if (rle && !bottomUp) Bad("compressed rows must run bottom-up");

    const TPixelFormat format = bpp == 1 ? TPixelFormat::pf1bit
                                : bpp == 4 ? TPixelFormat::pf4bit
                                : bpp == 8 ? TPixelFormat::pf8bit
                                           : TPixelFormat::pf24bit;
    // The file is in memory while the bitmap is made: both count.
    TImageLimits::Current().CheckRows(h.Width, height, BitsPerPixel(format), 4, size);

    // The palette follows the header (and a 40-byte header's masks).
    std::vector<TRGBQuad> palette;
    size_t paletteAt = kFileHeaderSize + h.HeaderSize;
    if (h.HeaderSize == 40 && bitFields) paletteAt += h.Compression == kAlphaBitFields ? 16 : 12;
    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        const uint32_t entries = h.ColorsUsed == 0 || h.ColorsUsed > full ? full : h.ColorsUsed;
        const size_t entrySize = h.Core ? 3 : 4;
        if (!in.Seek(paletteAt) || !in.Has(entries * entrySize)) Bad("the colour table is cut short");
        for (uint32_t i = 0; i < entries; ++i) {
            const uint8_t* p = in.Here() + i * entrySize;
            palette.push_back(TRGBQuad{p[0], p[1], p[2], 0});
        }
    }

    const size_t offset = pixelOffset ? pixelOffset : paletteAt + palette.size() * (h.Core ? 3 : 4);
    if (offset > size) Bad("the pixels lie past the end of the file");

    if (rle) { // a few bytes may describe a tall picture: nothing to check first
        TBitmap out(h.Width, height, format);
        out.Palette() = std::move(palette);
        DecodeRle(data + offset, size - offset, h.Compression == kRLE4, out, true);
        return out;
    }
    // Uncompressed rows are all in the file: it must hold them before the
    // bitmap is made for them.
    const auto rows = PaddedImageBytes<size_t>(uint64_t(h.Width), uint64_t(height), bpp);
    if (!rows || *rows > size - offset) Bad("the pixels are cut short");
    const size_t stride = *rows / static_cast<size_t>(height);
    TBitmap out(h.Width, height, format);
    out.Palette() = std::move(palette);

    uint32_t masks[3] = {h.Masks[0], h.Masks[1], h.Masks[2]};
    if (!bitFields) { // the fixed layouts of uncompressed 16 and 32 bits
        if (bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        if (bpp == 32) masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    const TChannel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = data + offset + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride;
        uint8_t* dst = out.Row(y);
        if (bpp <= 8 || bpp == 24) { // the same layout as the bitmap's rows
            std::memcpy(dst, src, std::min(stride, out.Stride()));
            continue;
        }
        const int step = bpp / 8;
        for (int x = 0; x < h.Width; ++x, src += step, dst += 3) {
            const uint32_t pixel = bpp == 16 ? uint32_t(src[0] | (src[1] << 8))
                                             : uint32_t(src[0] | (src[1] << 8) | (src[2] << 16) | (uint32_t(src[3]) << 24));
            dst[0] = blue.Value(pixel);
            dst[1] = green.Value(pixel);
            dst[2] = red.Value(pixel);
        }
    }
    return out;
}

std::vector<uint8_t> WriteBmp(const TBitmap& bitmap) {
    const size_t stride = bitmap.Stride();
    const size_t paletteEntries = HasPalette(bitmap.PixelFormat()) ? bitmap.Palette().size() : 0;
    const size_t offset = kFileHeaderSize + 40 + 4 * paletteEntries;
    const size_t imageSize = stride * static_cast<size_t>(bitmap.Height());
    std::vector<uint8_t> out(offset + imageSize, 0);
    const auto put16 = [&](size_t at, uint32_t v) { out[at] = v & 0xFF, out[at + 1] = (v >> 8) & 0xFF; };
    const auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF), put16(at + 2, v >> 16); };
    out[0] = 'B', out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, static_cast<uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(bitmap.Width()));
    put32(22, static_cast<uint32_t>(bitmap.Height()));
    put16(26, 1);
    put16(28, static_cast<uint32_t>(BitsPerPixel(bitmap.PixelFormat())));
    put32(34, static_cast<uint32_t>(imageSize));
    put32(46, static_cast<uint32_t>(paletteEntries));
    for (size_t i = 0; i < paletteEntries; ++i) {
        const TRGBQuad& c = bitmap.Palette()[i];
        uint8_t* p = &out[54 + 4 * i];
        p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
    }
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(&out[offset + static_cast<size_t>(bitmap.Height() - 1 - y) * stride], bitmap.Row(y), stride);
    return out;
}
