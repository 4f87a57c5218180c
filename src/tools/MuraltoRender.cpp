// muralto-render: renders an image with a placement exactly as applying it
// on a screen of the given size would write "Muralto.bmp", without touching
// the registry, the desktop or any list.
#include "app/Extra.h"
#include "engine/BmpFile.h"
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include "platform/win32/WinServices.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: muralto-render IMAGE --screen WxH [--depth 8|24] [--x N] [--y N] [--tile] [--fit]\n"
    "                      [--percent P] [--rotate D] [--mirror] [--fisheye] [--twirl] [--waves]\n"
    "                      [--color 0xBBGGRR] [--out FILE] [--startup-logo FILE]\n"
    "                      [--shutdown-logo FILE] [--correct-logos]\n"
    "Writes the wallpaper bitmap that applying IMAGE with this placement on a screen of W x H\n"
    "pixels would write, and the Windows start-up and shut-down logos that the same placement\n"
    "makes (at least one of the three outputs must be named). Absent --x and --y centre the\n"
    "rendered image; an absent --color takes the image's most frequent colour.\n";

struct TOptions {
    std::string Image, Out, StartupLogo, ShutdownLogo;
    int Width = 0, Height = 0, Depth = 24;
    std::optional<int32_t> X, Y;
    std::optional<uint32_t> Color;
    bool Tile = false, Fit = false, Mirror = false, FishEye = false, Twirl = false, Waves = false;
    bool CorrectLogos = false;
    int32_t Percent = 100, Rotate = 0;
};

bool ParseColor(const std::string& text, uint32_t& color) {
    if (text.size() < 3 || text.size() > 8 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    const auto value = TryStrToInt("$" + text.substr(2));
    if (!value) return false;
    color = static_cast<uint32_t>(*value);
    return true;
}

bool ParseScreen(const std::string& text, int& w, int& h) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto width = TryStrToInt(text.substr(0, x)), height = TryStrToInt(text.substr(x + 1));
    if (!width || !height || *width <= 0 || *height <= 0 || text[0] == '+' || text[0] == '-') return false;
    w = *width, h = *height;
    return true;
}

// Parses the arguments; false for anything that does not fit the usage.
bool Parse(int argc, char** argv, TOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        const auto number = [&](int32_t& out) {
            std::string text;
            if (!value(text)) return false;
            const auto n = TryStrToInt(text);
            if (!n || text[0] == '$') return false;
            out = *n;
            return true;
        };
        std::string text;
        int32_t n = 0;
        if (a == "--screen") {
            if (!value(text) || !ParseScreen(text, o.Width, o.Height)) return false;
        } else if (a == "--depth") {
            if (!number(n) || (n != 8 && n != 24)) return false;
            o.Depth = n;
        } else if (a == "--x") {
            if (!number(n)) return false;
            o.X = n;
        } else if (a == "--y") {
            if (!number(n)) return false;
            o.Y = n;
        } else if (a == "--percent") {
            if (!number(o.Percent)) return false;
        } else if (a == "--rotate") {
            if (!number(o.Rotate)) return false;
        } else if (a == "--color") {
            uint32_t c;
            if (!value(text) || !ParseColor(text, c)) return false;
            o.Color = c;
        } else if (a == "--out") {
            if (!value(o.Out)) return false;
        } else if (a == "--startup-logo") {
            if (!value(o.StartupLogo)) return false;
        } else if (a == "--shutdown-logo") {
            if (!value(o.ShutdownLogo)) return false;
        } else if (a == "--correct-logos") {
            o.CorrectLogos = true;
        } else if (a == "--tile") {
            o.Tile = true;
        } else if (a == "--fit") {
            o.Fit = true;
        } else if (a == "--mirror") {
            o.Mirror = true;
        } else if (a == "--fisheye") {
            o.FishEye = true;
        } else if (a == "--twirl") {
            o.Twirl = true;
        } else if (a == "--waves") {
            o.Waves = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return false;
        } else if (o.Image.empty()) {
            o.Image = a;
        } else {
            return false;
        }
    }
    const bool output = !o.Out.empty() || !o.StartupLogo.empty() || !o.ShutdownLogo.empty();
    return !o.Image.empty() && output && o.Width > 0;
}

// The program's paths for a file named on this system's command line.
std::string ProgramPath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return std::filesystem::absolute(path).string();
#endif
}

int Render(const TOptions& o) {
    reg::HostRegistry registry;
    registry.Create(reg::Root::CurrentConfig, "Display\\Settings")
        ->SetValue("BitsPerPixel", reg::StringValue(std::to_string(o.Depth)));
#ifdef _WIN32
    WinFileSystem files;
#else
    HostFileSystem files("/");
#endif
    HostSystemFolders folders;
    HostScreen screen(o.Width, o.Height, o.Depth == 8 ? 8 : 32);
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};

    const std::string image = ProgramPath(o.Image);
    if (!files.FileExists(image)) {
        std::fprintf(stderr, "\"%s\" does not exist!\n", o.Image.c_str());
        return 1;
    }
    TWallpaper engine(platform, TOwnerKind::ImageWindow);
    engine.FileName = image;
    engine.Tile = o.Tile, engine.Fit = o.Fit, engine.Rotate = o.Rotate;
    engine.Mirror = o.Mirror, engine.FishEye = o.FishEye, engine.Twirl = o.Twirl, engine.Waves = o.Waves;
    engine.Percentage = o.Percent;
    engine.LoadFile(image, !engine.NeedsRender());
    if (engine.SourceImage.Empty()) {
        std::fprintf(stderr, "Error opening \"%s\"\n", o.Image.c_str());
        return 1;
    }
    engine.Color = o.Color ? *o.Color : engine.MostFrequentColor();
    if (engine.NeedsRender())
        engine.RenderImage();
    else
        engine.SetTile(o.Tile);
    engine.SetPosition(o.X ? *o.X : (o.Width - engine.Image.Width()) / 2,
                       o.Y ? *o.Y : (o.Height - engine.Image.Height()) / 2);

    // Every output is made before any is written, so that a failure leaves none.
    std::vector<std::pair<std::string, std::vector<uint8_t>>> outputs;
    if (!o.Out.empty()) outputs.emplace_back(o.Out, WriteBmp(engine.ComposeScreen()));
    if (!o.StartupLogo.empty() || !o.ShutdownLogo.empty()) {
        engine.CorrectLogos = o.CorrectLogos;
        TBitmap logo = engine.ComposeLogo(); // from the 8-bit load, whatever the depth
        if (logo.Empty()) {
            std::fprintf(stderr, "Error opening \"%s\"\n", o.Image.c_str());
            return 1;
        }
        // The shut-down logo first: the start-up one rebuilds the palette.
        if (!o.ShutdownLogo.empty()) outputs.emplace_back(o.ShutdownLogo, WriteBmp(logo));
        if (!o.StartupLogo.empty()) outputs.emplace_back(o.StartupLogo, TWallpaper::StartupLogoFile(logo));
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        try {
            files.WriteFile(ProgramPath(outputs[i].first), outputs[i].second);
        } catch (const EMuraltoError& e) {
            std::error_code ec;
            for (size_t j = 0; j <= i; ++j) std::filesystem::remove(outputs[j].first, ec); // no half-written file
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    TOptions options;
    if (!Parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return Render(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
