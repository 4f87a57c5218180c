#include "engine/PngDecoder.h"

#include "engine/AlphaComposite.h"
#include "engine/ImageLimits.h"

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>

// libpng reports errors by longjmp to the setjmp of png_jmpbuf. Only the
// functions marked "protected" call setjmp, and they hold no object with a
// destructor, so the jump never skips one; the C++ side only sees their
// success flag and the message kept in TPngState.
namespace {

struct TPngState {
    const uint8_t* Data;
    size_t Size;
    size_t Position;
    char Message[200];
};

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<TPngState*>(png_get_error_ptr(png));
    std::strncpy(state->Message, message ? message : "unknown error", sizeof state->Message - 1);
    state->Message[sizeof state->Message - 1] = 0;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {} // damaged but readable files are read

// Reads from the file in memory; past its end is a damaged file.
void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    if (length > state->Size - state->Position) png_error(png, "the file ends too early");
    std::memcpy(out, state->Data + state->Position, length);
    state->Position += length;
}

struct THeader {
    png_uint_32 Width = 0, Height = 0;
    int BitDepth = 0, ColorType = 0, Interlace = 0;
    bool Alpha = false;
};

// Protected: reads the chunks before the pixels.
bool ReadHeaderProtected(png_structp png, png_infop info, THeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    png_get_IHDR(png, info, &header->Width, &header->Height, &header->BitDepth, &header->ColorType,
                 &header->Interlace, nullptr, nullptr);
    header->Alpha = (header->ColorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    return true;
}

// Protected: the transformations to 8-bit blue, green, red (and alpha).
bool SetOutputProtected(png_structp png, png_infop info, const THeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_expand(png); // palette to colour, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    if (!(header->ColorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadImageProtected(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

class TPngReader {
public:
    TPngReader(const uint8_t* data, size_t size) : state_{data, size, 0, {}} {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state_, OnError, OnWarning);
        if (png_) info_ = png_create_info_struct(png_);
        if (!png_ || !info_) throw EImageError("The PNG file cannot be read: out of memory.");
        png_set_read_fn(png_, &state_, ReadFromMemory);
        // The program's own limit decides the size; libpng's default limit of
        // a million pixels a side would refuse what the rest of it accepts.
        png_set_user_limits(png_, 0x7fffffff, 0x7fffffff);
        // Only the chunks that make the pixels are read (IHDR, PLTE, tRNS,
        // IDAT, IEND); the others are skipped unread. libpng would otherwise
        // allocate a text chunk as long as the file claims, however short
        // the file, and the gamma is left as stored anyway.
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    }
    ~TPngReader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;

    [[noreturn]] void Fail() const {
        throw EImageError(std::string("The PNG file cannot be read: ") + state_.Message + ".");
    }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    TPngState state_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

} // namespace

TBitmap DecodePng(const uint8_t* data, size_t size) {
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) throw EImageError("The PNG file cannot be read: no PNG signature.");
    TPngReader reader(data, size);
    THeader header;
    if (!ReadHeaderProtected(reader.Png(), reader.Info(), &header)) reader.Fail();

    // With alpha the whole picture is decoded at 4 bytes a pixel first (an
    // interlaced file fills its rows in several passes), then laid over white.
    const TImageLimits& limits = TImageLimits::Current();
    const uint64_t scratch = header.Alpha ? uint64_t(header.Width) * header.Height * 4 : 0;
    limits.CheckRows(header.Width, header.Height, 24, 4, size + scratch);
    if (!SetOutputProtected(reader.Png(), reader.Info(), &header)) reader.Fail();
    const size_t channels = png_get_channels(reader.Png(), reader.Info());
    if (channels != (header.Alpha ? 4u : 3u)) throw EImageError("The PNG file cannot be read: unexpected layout.");

    TBitmap out(static_cast<int>(header.Width), static_cast<int>(header.Height), TPixelFormat::pf24bit,
                TPixelInit::Uninitialised);
    const size_t used = size_t(header.Width) * 3;
    for (int y = 0; y < out.Height(); ++y) std::memset(out.Row(y) + used, 0, out.Stride() - used);

    std::vector<png_bytep> rows(header.Height);
    std::vector<uint8_t> bgra(scratch);
    for (png_uint_32 y = 0; y < header.Height; ++y)
        rows[y] = header.Alpha ? bgra.data() + size_t(y) * header.Width * 4 : out.Row(static_cast<int>(y));
    if (!ReadImageProtected(reader.Png(), rows.data())) reader.Fail();
    if (header.Alpha)
        for (png_uint_32 y = 0; y < header.Height; ++y)
            CompositeBgraOverWhite(rows[y], out.Row(static_cast<int>(y)), header.Width);
    return out;
}
