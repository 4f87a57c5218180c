#include "engine/IconReader.h"

#include "engine/ByteReader.h"
#include "engine/ImageLimits.h"

#include <algorithm>
#include <vector>

namespace {

[[noreturn]] void Bad(const char* why) {
    throw EImageError(std::string("The icon file is damaged: ") + why + ".");
}

} // namespace

TIconEntry FirstIconEntry(const uint8_t* data, size_t size) {
    TByteReader in(data, size);
    const uint16_t reserved = in.U16(), type = in.U16(), count = in.U16();
    if (!in.Ok() || reserved != 0 || type != 1) throw EImageError("This is not an icon file.");
    if (count == 0) Bad("it holds no image");
    TIconEntry entry;
    entry.Width = in.U8();
    entry.Height = in.U8();
    in.Skip(6); // colours, reserved, planes, bit count
    entry.Size = in.U32();
    entry.Offset = in.U32();
    if (!in.Ok()) Bad("the directory is cut short");
    if (entry.Width == 0) entry.Width = 256;
    if (entry.Height == 0) entry.Height = 256;
    if (entry.Offset > size || entry.Size > size - entry.Offset) Bad("the image lies past the end of the file");
    return entry;
}

TBitmap DecodeIconPortable(const uint8_t* data, size_t size) {
    const TIconEntry entry = FirstIconEntry(data, size);
    const uint8_t* image = data + entry.Offset;
    static const uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
    if (entry.Size >= 4 && std::equal(kPng, kPng + 4, image))
        throw EImageError("Icons stored as PNG images can only be opened on Windows.");

    TByteReader in(image, entry.Size);
    const uint32_t headerSize = in.U32();
    const int32_t width = in.I32(), doubleHeight = in.I32();
    in.U16();
    const uint16_t bpp = in.U16();
    const uint32_t compression = in.U32();
    in.Skip(12);
    const uint32_t colorsUsed = in.U32();
    if (!in.Ok() || headerSize < 40) Bad("the image header is cut short");
    if (compression != 0) Bad("the image is compressed");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) Bad("the bit count is wrong");
    const int height = doubleHeight / 2;
    if (width <= 0 || height <= 0) Bad("the size is wrong");
    // The icon is drawn onto a 24-bit bitmap; the file is held meanwhile.
    TImageLimits::Current().CheckRows(width, height, 24, 4, size);

    std::vector<TRGBQuad> palette;
    if (bpp <= 8) {
        const uint32_t entries = colorsUsed == 0 || colorsUsed > (1u << bpp) ? (1u << bpp) : colorsUsed;
        if (!in.Seek(headerSize) || !in.Has(entries * 4)) Bad("the colour table is cut short");
        for (uint32_t i = 0; i < entries; ++i) {
            const uint8_t* p = in.Here() + 4 * i;
            palette.push_back(TRGBQuad{p[0], p[1], p[2], 0});
        }
        in.Skip(entries * 4);
    } else {
        in.Seek(headerSize);
    }
    const auto colorBytes = PaddedImageBytes<size_t>(uint64_t(width), uint64_t(height), bpp);
    const auto maskBytes = PaddedImageBytes<size_t>(uint64_t(width), uint64_t(height), 1);
    if (!colorBytes || !maskBytes || !in.Has(*colorBytes)) Bad("the colour bits are cut short");
    const size_t colorStride = *colorBytes / size_t(height), maskStride = *maskBytes / size_t(height);
    const uint8_t* colors = in.Here();
    in.Skip(*colorBytes);
    // Some 32-bit icons leave out the mask; their alpha channel stands for it.
    const bool hasMask = in.Has(*maskBytes);
    if (!hasMask && bpp != 32) Bad("the mask is cut short");
    const uint8_t* mask = in.Here();

    bool alpha = false;
    if (bpp == 32)
        for (int y = 0; y < height && !alpha; ++y)
            for (int x = 0; x < width && !alpha; ++x) alpha = colors[y * colorStride + 4 * size_t(x) + 3] != 0;

    TBitmap out(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        const size_t fileRow = size_t(height - 1 - y); // rows run bottom-up
        const uint8_t* c = colors + fileRow * colorStride;
        const uint8_t* m = hasMask ? mask + fileRow * maskStride : nullptr;
        uint8_t* dst = out.Row(y);
        for (int x = 0; x < width; ++x, dst += 3) {
            TRGBQuad color;
            if (bpp <= 8) {
                const int index = bpp == 8 ? c[x] : bpp == 4 ? ((c[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F)
                                                             : ((c[x / 8] >> (7 - x % 8)) & 1);
                color = size_t(index) < palette.size() ? palette[size_t(index)] : TRGBQuad{};
            } else {
                const uint8_t* p = c + size_t(x) * (bpp / 8);
                color = TRGBQuad{p[0], p[1], p[2], bpp == 32 ? p[3] : uint8_t(0)};
            }
            if (alpha) { // blended over the white background
                const int a = color.Reserved;
                dst[0] = static_cast<uint8_t>((color.Blue * a + 255 * (255 - a) + 127) / 255);
                dst[1] = static_cast<uint8_t>((color.Green * a + 255 * (255 - a) + 127) / 255);
                dst[2] = static_cast<uint8_t>((color.Red * a + 255 * (255 - a) + 127) / 255);
                continue;
            }
            // (background AND mask) XOR colour, the background being white.
            const bool transparent = m && ((m[x / 8] >> (7 - x % 8)) & 1);
            const uint8_t keep = transparent ? 0xFF : 0x00;
            dst[0] = keep ^ color.Blue;
            dst[1] = keep ^ color.Green;
            dst[2] = keep ^ color.Red;
        }
    }
    return out;
}
