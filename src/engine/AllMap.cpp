#include "engine/AllMap.h"

#include "app/Extra.h"
#include "app/ProgramPaths.h"
#include "app/RegistryNames.h"
#include "engine/BmpFile.h"
#include "engine/ColorReduction.h"
#include "engine/GifDecoder.h"
#include "engine/IconReader.h"
#include "engine/ImageLimits.h"
#include "engine/JpegDecoder.h"
#include "engine/PngDecoder.h"
#include "engine/WebpDecoder.h"
#include "engine/PcxMap.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

bool Is(const std::string& extension, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (text::SameText(extension, name)) return true;
    return false;
}

// Without a platform renderer, icons use the portable reader and metafiles
// cannot be drawn.
class TPortablePictures : public IPictureRenderer {
public:
    TBitmap RenderIcon(const std::vector<uint8_t>& file) override {
        return DecodeIconPortable(file.data(), file.size());
    }
    TBitmap RenderMetafile(const std::vector<uint8_t>&, bool) override {
        throw EImageError("Metafiles are not supported on this platform.");
    }
};

} // namespace

const std::vector<std::string>& ImageExtensions() {
    static const std::vector<std::string> extensions = {".bmp", ".ico", ".wmf", ".emf", ".jpg",
                                                        ".jpe", ".jpeg", ".gif", ".pcx", ".png",
                                                        ".webp"};
    return extensions;
}

const std::string& OpenPictureFilter() {
    static const std::string filter = "Muralto Files|*.jpg;*.jpe;*.jpeg;*.gif;*.pcx;*.bmp;*.ico;*.emf;*.wmf;*.png;*.webp"
                                      "|Jpeg Image Files (JPG JPE JPEG)|*.jpg;*.jpe;*.jpeg"
                                      "|Gif Image Files (GIF)|*.gif"
                                      "|Pcx Image Files (PCX)|*.pcx"
                                      "|Windows Bitmaps (BMP)|*.bmp"
                                      "|Windows Icons (ICO)|*.ico"
                                      "|Windows Metafiles (EMF WMF)|*.emf;*.wmf"
                                      "|Png Image Files (PNG)|*.png"
                                      "|WebP Image Files (WEBP)|*.webp";
    return filter;
}

std::string ExtractExtension(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\:/");
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) return std::string();
    return fileName.substr(dot + 1);
}

bool IsImageFile(const std::string& fileName) {
    const std::string extension = ExtractExtension(fileName);
    if (extension.empty() && (fileName.empty() || fileName.back() != '.')) return false;
    for (const auto& known : ImageExtensions())
        if (text::SameText("." + extension, known)) return true;
    return false;
}

bool ReadTrueColorDisplay(TPlatform& platform) {
    TRegistry settings(platform.Registry, reg::Root::CurrentConfig);
    if (settings.OpenKeyReadOnly(regnames::kDisplaySettingsKey)) {
        if (const auto value = settings.ReadValue(regnames::kBitsPerPixel)) {
            if (value->Type == reg::kDWord && value->Data.size() == 4)
                return (value->Data[0] | value->Data[1] << 8 | value->Data[2] << 16 | value->Data[3] << 24) > 15;
            if (!reg::IsStringType(value->Type)) return false;
            const auto bits = TryStrToInt(reg::StringOf(*value));
            return bits && *bits > 15;
        }
    }
    return platform.Screen.BitsPerPixel() > 15;
}

TAnymap::TAnymap(TPlatform& platform) : platform_(&platform) {
    TrueColorDisplay = ReadTrueColorDisplay(platform);
    SetPixelFormat(TrueColorDisplay ? TPixelFormat::pf24bit : TPixelFormat::pf8bit);
}

void TAnymap::SetTrueColor(bool trueColor) {
    TrueColorDisplay = trueColor;
    SetPixelFormat(trueColor ? TPixelFormat::pf24bit : TPixelFormat::pf8bit);
}

void TAnymap::LoadFromFile(const std::string& fileName) {
    const std::string extension = ExtractExtension(fileName);
    TBitmap& self = *this;
    if (Is(extension, {"bmp"})) {
        self = ReadBmp(platform_->Files.ReadFile(fileName));
        // On a display of 256 colours or fewer an 8-bit file is kept, 1 and 4
        // bits widen with their colours, deeper files are reduced.
        if (!TrueColorDisplay && PixelFormat() != TPixelFormat::pf8bit) SetPixelFormat(TPixelFormat::pf8bit);
    } else if (Is(extension, {"ico", "wmf", "emf"})) {
        TPortablePictures portable;
        IPictureRenderer& pictures = platform_->Pictures ? *platform_->Pictures : portable;
        const std::vector<uint8_t> file = platform_->Files.ReadFile(fileName);
        self = Is(extension, {"ico"}) ? pictures.RenderIcon(file) : pictures.RenderMetafile(file, Is(extension, {"emf"}));
    } else if (Is(extension, {"jpg", "jpe", "jpeg"})) {
        const std::vector<uint8_t> file = platform_->Files.ReadFile(fileName);
        self = DecodeJpeg(file.data(), file.size(), !TrueColorDisplay);
    } else if (Is(extension, {"gif"})) {
        const std::vector<uint8_t> file = platform_->Files.ReadFile(fileName);
        self = DecodeGif(file.data(), file.size());
    } else if (Is(extension, {"png"})) {
        const std::vector<uint8_t> file = platform_->Files.ReadFile(fileName);
        self = DecodePng(file.data(), file.size());
    } else if (Is(extension, {"webp"})) {
        const std::vector<uint8_t> file = platform_->Files.ReadFile(fileName);
        self = DecodeWebp(file.data(), file.size());
    } else if (Is(extension, {"pcx"})) {
        TPcxmap pcx;
        try {
            pcx.LoadFromStream(platform_->Files.ReadFile(fileName));
        } catch (const EMuraltoError&) {
            // An unreadable PCX file is no picture, like a damaged one.
        }
        self = std::move(static_cast<TBitmap&>(pcx));
    }
    SetTrueColor(TrueColorDisplay);
}

std::optional<std::string> ChooseSibling(const std::vector<std::string>& fileNames, const std::string& currentName,
                                         TSibling which) {
    std::vector<std::string> images;
    for (const auto& name : fileNames)
        if (IsImageFile(name)) images.push_back(name);
    if (images.empty()) return std::nullopt;
    std::sort(images.begin(), images.end(), text::LessText());

    const auto at = std::lower_bound(images.begin(), images.end(), currentName, text::LessText());
    const int position = static_cast<int>(at - images.begin());
    const bool found = at != images.end() && text::SameText(*at, currentName);
    const int last = static_cast<int>(images.size()) - 1;
    int index = 0;
    switch (which) {
    case TSibling::First: index = 0; break;
    case TSibling::Last: index = last; break;
    case TSibling::Next: index = std::min(found ? position + 1 : position, last); break;
    case TSibling::Previous: index = std::max(position - 1, 0); break;
    }
    return images[static_cast<size_t>(index)];
}

std::optional<std::string> FindSibling(IFileSystem& files, const std::string& currentPath, TSibling which) {
    const std::string folder = ExtractFilePath(currentPath);
    if (folder.empty() || !files.DirectoryExists(folder)) return std::nullopt;
    const std::string name = currentPath.substr(folder.size());
    const auto chosen = ChooseSibling(files.ListFiles(folder), name, which);
    if (!chosen) return std::nullopt;
    const std::string path = folder + *chosen;
    if (text::SameText(path, currentPath)) return std::nullopt;
    return path;
}
