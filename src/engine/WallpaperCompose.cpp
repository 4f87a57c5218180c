// The composing side of the wallpaper engine: from an image file and its
// placement to the rendered image, its position, and the screen bitmap.
#include "engine/Wallpaper.h"

#include "app/Extra.h"
#include "app/ProgramPaths.h"
#include "engine/ListStore.h"
#include "imagewindow/PixelMath.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>

using namespace regnames;

using pixelmath::RoundToInt32; // ties to even

namespace {

// Integer division truncating toward zero, and its remainder with the sign
// of the dividend: C++'s own / and %.
int32_t Div(int32_t a, int32_t b) {
    return a / b;
}
int32_t Mod(int32_t a, int32_t b) {
    return a % b;
}
} // namespace

std::string MissingFileText(const std::string& path) {
    return "\"" + path + "\" does not exist!";
}

bool TWallpaper::OpenImage(const std::string& path) {
    if (!platform_.Files.FileExists(path)) {
        if (!ListKey.empty()) RemoveItem(path);
        platform_.Prompts.Message(MissingFileText(path), TMessageKind::Error);
        return false;
    }
    bool found;
    {
        TWaitGuard wait(View);
        if (View) View->Repaint();
        FileName = path;
        found = LoadImage();
    }
    if (View) View->SetTitle(FileName + " - Muralto");
    return found;
}

bool TWallpaper::LoadImage() {
    const std::optional<TPlacement> record = FindPlacement();
    if (record)
        ApplyRecord(*record);
    else
        ApplyDefaults();
    if (owner_ == TOwnerKind::ImageWindow && View) {
        View->ImageLoaded(SourceImage, Color, Editing);
        View->Repaint();
        if (Editing) Snapshot(snSave);
    }
    return record.has_value();
}

std::optional<TPlacement> TWallpaper::FindPlacement() {
    std::optional<TPlacement> found;
    const bool isOutput = text::SameText(FileName, OutputFile());
    if (isOutput) {
        // The desktop shows the program's own bitmap: look for its source.
        TSettingsReader machine(Registry(), programKey_, reg::Root::LocalMachine);
        const std::string source = machine.ReadString(kOptionsChanger, kWallpaper, "");
        if (!source.empty() && platform_.Files.FileExists(source)) {
            FileName = source;
            if (auto key = Registry().Open(reg::Root::LocalMachine, reg::JoinPath(programKey_, kOptionsChanger), false))
                found = ReadPlacement(*key, kData);
        }
        if (!ListKey.empty()) {
            TSettingsReader list(Registry(), ListKey);
            const std::string last = list.ReadString(kListOptionsChanger, kWallpaper, "");
            if (!last.empty() && platform_.Files.FileExists(last) && last != FileName) {
                FileName = last;
                found.reset();
            }
        }
    }
    if (!found && !text::SameText(FileName, OutputFile()) && !ListKey.empty()) {
        if (auto data = Registry().Open(reg::Root::CurrentUser, reg::JoinPath(ListKey, kListMRUData), false))
            found = ReadPlacement(*data, FileName);
    }
    return found;
}

void TWallpaper::LoadFile(const std::string& path, bool copyToImage) {
    // The tiles of the old picture go with it, also when the new one fails
    // to load.
    TileBuffer.reset();
    Image = TAnymap(platform_);
    SourceImage = TAnymap(platform_);
    try {
        SourceImage.LoadFromFile(path);
    } catch (const EMuraltoError&) {
        platform_.Prompts.Message("Error opening \"" + path + "\"", TMessageKind::Error);
    }
    if (copyToImage) static_cast<TBitmap&>(Image) = SourceImage.Clone();
}

uint32_t TWallpaper::MostFrequentColor() {
    // Counted on the 8-bit form of the image: a fresh 8-bit load on a
    // true-colour display.
    const TBitmap* counted = &SourceImage;
    TAnymap eightBit(platform_);
    if (SourceImage.TrueColorDisplay) {
        eightBit.SetTrueColor(false);
        try {
            eightBit.LoadFromFile(FileName);
        } catch (const EMuraltoError&) {
            return 0;
        }
        counted = &eightBit;
    }
    if (counted->Empty() || counted->PixelFormat() != TPixelFormat::pf8bit) return 0;
    uint64_t counts[256] = {};
    for (int y = 0; y < counted->Height(); ++y) {
        const uint8_t* row = counted->Row(y);
        for (int x = 0; x < counted->Width(); ++x) ++counts[row[x]];
    }
    const size_t best = static_cast<size_t>(std::max_element(counts, counts + 256) - counts); // ties: the lower
    return best < counted->Palette().size() ? QuadToColor(counted->Palette()[best]) : 0;
}

void TWallpaper::ApplyDefaults() {
    LoadFile(FileName);
    Tile = false, Fit = false, Percentage = 100;
    Mirror = FishEye = Twirl = Waves = false;
    Rotate = 0;
    AlignImage(4);
    Color = MostFrequentColor();
}

void TWallpaper::ApplyRecord(const TPlacement& rec) {
    LoadFile(FileName, false); // Image is made below, by a render or as the copy
    Color = rec.Color;
    Tile = rec.Tile != 0, Fit = rec.Fit != 0;
    Mirror = rec.Mirror != 0, FishEye = rec.FishEye != 0, Twirl = rec.Twirl != 0, Waves = rec.Waves != 0;
    Rotate = rec.Rotate;
    Position = {rec.X, rec.Y};
    int32_t x = rec.X, y = rec.Y;

    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    bool centreX = false, centreY = false;
    // A record without a sensible screen width cannot be scaled by it: it
    // is taken as written for this screen.
    if (screenW == rec.ScreenWidth || rec.ScreenWidth <= 0) {
        Percentage = rec.Percentage;
    } else if (AdjustWallpaper) {
        // Scaled values stay in the ranges of a record, as if read from one.
        const auto scaled = [&](int32_t v, int32_t limit) {
            return std::clamp(RoundToInt32(screenW * double(v) / rec.ScreenWidth), -limit, limit);
        };
        x = scaled(rec.X, kMaxPlacementOffset);
        y = scaled(rec.Y, kMaxPlacementOffset);
        Percentage = scaled(rec.Percentage == 0 ? 100 : rec.Percentage, kMaxPlacementPercentage);
    } else {
        Percentage = rec.Percentage;
        const int w0 = SourceImage.Width(), h0 = SourceImage.Height();
        if (Fit && w0 > 0 && h0 > 0) {
            // Was the fitted image centred at the old resolution?
            const int32_t s = rec.ScreenWidth;
            const float c = float(h0) / float(w0) > 0.75f ? 0.75f * float(s) / float(h0) : float(s) / float(w0);
            centreX = std::abs(Div(s - RoundToInt32(w0 * c), 2) - rec.X) <= 1;
            centreY = std::abs(Div(RoundToInt32(0.75 * s) - RoundToInt32(c * h0), 2) - rec.Y) <= 1;
        }
    }

    if (NeedsRender()) {
        RenderImage();
    } else {
        static_cast<TBitmap&>(Image) = SourceImage.Clone();
        SetTile(Tile);
    }
    if (centreX) x = Div(screenW - Image.Width(), 2);
    if (centreY) y = Div(screenH - Image.Height(), 2);
    SetPosition(x, y);
}

void TWallpaper::SetTile(bool on) {
    TWaitGuard wait(View);
    Tile = on;
    if (on)
        BuildTileBuffer();
    else
        TileBuffer.reset();
    UpdateOrigin();
}

void TWallpaper::BuildTileBuffer() {
    TileBuffer.reset(); // never the tiles of an earlier picture
    if (Image.Empty() || !Tile) return;
    const int w = Image.Width(), h = Image.Height();
    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    TBitmap buffer(w + screenW, h + screenH, Image.PixelFormat());
    buffer.Palette() = Image.Palette();
    // A copy's corner lies at the middle of the screen-sized part.
    const int x0 = Mod(Div(screenW, 2), w) - w, y0 = Mod(Div(screenH, 2), h) - h;
    for (int y = y0; y < buffer.Height(); y += h)
        for (int x = x0; x < buffer.Width(); x += w) DrawBitmap(buffer, Image, x, y);
    TileBuffer = std::move(buffer);
}

void TWallpaper::UpdateOrigin() {
    if (Image.Empty()) return;
    if (Tile) {
        const int w = Image.Width(), h = Image.Height();
        const int tx = Mod(Div(platform_.Screen.Width(), 2), w), ty = Mod(Div(platform_.Screen.Height(), 2), h);
        Origin.X = -Mod(Mod(tx - Position.X, w) + w, w);
        Origin.Y = -Mod(Mod(ty - Position.Y, h) + h, h);
    } else {
        Origin = Position;
    }
    if (View) View->Repaint();
}

void TWallpaper::SetPosition(int32_t x, int32_t y) {
    Position = {x, y};
    UpdateOrigin();
}

void TWallpaper::AlignImage(int kind) {
    const int w = Image.Width(), h = Image.Height();
    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    int32_t x = Position.X, y = Position.Y;
    switch (kind) {
    case 0: y = screenH - h; break;
    case 1: x = 0; break;
    case 2: x = screenW - w; break;
    case 3: y = 0; break;
    case 4: x = Div(screenW - w, 2), y = Div(screenH - h, 2); break;
    case 5: x = Div(screenW - w, 2); break;
    case 6: y = Div(screenH - h, 2); break;
    default: return;
    }
    SetPosition(x, y);
}

void TWallpaper::Snapshot(int mode) {
    if (mode == snSave) {
        Editing = true;
        saved_ = std::make_unique<TSnapshotCopy>(TSnapshotCopy{
            Image.Clone(), TileBuffer ? std::optional<TBitmap>(TileBuffer->Clone()) : std::nullopt, Fit, Tile,
            Mirror, FishEye, Twirl, Waves, Percentage, Rotate, Color, Position});
    } else if (mode == snRestore) {
        Editing = false;
        if (!saved_) return;
        static_cast<TBitmap&>(Image) = std::move(saved_->Image);
        // None when none was saved: a buffer made since belongs to another Image.
        TileBuffer = std::move(saved_->TileBuffer);
        Fit = saved_->Fit, Tile = saved_->Tile, Mirror = saved_->Mirror, FishEye = saved_->FishEye;
        Twirl = saved_->Twirl, Waves = saved_->Waves, Percentage = saved_->Percentage, Rotate = saved_->Rotate;
        Color = saved_->Color;
        const TPoint position = saved_->Position;
        saved_.reset();
        SetPosition(position.X, position.Y);
    } else if (mode == snDiscard) {
        Editing = false;
        saved_.reset();
    }
}

void TWallpaper::BrowseImage() {
    // The current image's folder (a drive's root with its backslash).
    const bool current = !FileName.empty() && platform_.Files.FileExists(FileName);
    const std::string folder = current ? FolderPart(FileName) : std::string();
    if (const auto chosen = platform_.Prompts.OpenPicture(folder)) OpenImage(*chosen);
}

void TWallpaper::OpenCurrentWallpaper() {
    TSettingsReader desktop(Registry(), kControlPanelDesktopKey);
    FileName = desktop.ReadString("", kDeskWallpaper, "");
    if (FileName.empty() || !platform_.Files.FileExists(FileName) || OpenImage(FileName)) return;
    if (desktop.ReadInteger("", kTileWallpaper, 0) == 1) SetTile(true);
    int32_t x = desktop.ReadInteger("", kWallpaperOriginX, 0), y = desktop.ReadInteger("", kWallpaperOriginY, 0);
    if (!Tile) {
        if (x == 0) x = Div(platform_.Screen.Width() - Image.Width(), 2);
        if (y == 0) y = Div(platform_.Screen.Height() - Image.Height(), 2);
    }
    SetPosition(x, y);
}

std::string TWallpaper::GetWallpaperSource() {
    const std::string desktop = TSettingsReader(Registry(), kControlPanelDesktopKey).ReadString("", kDeskWallpaper, "");
    if (!text::SameText(desktop, OutputFile())) return desktop;
    return TSettingsReader(Registry(), programKey_, reg::Root::LocalMachine).ReadString(kOptionsChanger, kWallpaper, desktop);
}

void TWallpaper::OpenSibling(TSibling which) {
    if (const auto path = FindSibling(platform_.Files, FileName, which)) OpenImage(*path);
}

TBitmap TWallpaper::ComposeScreen() {
    if (!PictureOpen()) return TBitmap();
    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    TBitmap screen(screenW, screenH, Image.PixelFormat());
    screen.Palette() = Image.Palette();
    if (Tile && TileBuffer) {
        DrawBitmap(screen, *TileBuffer, Origin.X, Origin.Y);
    } else {
        screen.Fill(ColorToQuad(Color));
        DrawBitmap(screen, Image, Origin.X, Origin.Y);
    }
    return screen;
}
