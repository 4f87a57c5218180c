// Applying: the screen bitmap becomes the desktop wallpaper, and what was
// applied is recorded so that it can be re-applied and continued.
#include "engine/Wallpaper.h"

#include "app/Extra.h"
#include "app/Settings.h"
#include "engine/BmpFile.h"
#include "engine/ListStore.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <algorithm>

using namespace regnames;

namespace {

constexpr const char* kChangingWallpaper = "Changing Wallpaper - Please Wait...";
constexpr const char* kChangingLogos = "Changing Logos - Please Wait...";

// The tray icon's busy text for the life of the object; the icon's hint
// comes back however the work ends, also on an error.
class TBusyNotice {
public:
    TBusyNotice(ITrayNotice* tray, const char* text, const std::string& hint) : tray_(tray), hint_(hint) { Show(text); }
    ~TBusyNotice() {
        if (tray_) tray_->ShowIdle(hint_);
    }
    TBusyNotice(const TBusyNotice&) = delete;
    TBusyNotice& operator=(const TBusyNotice&) = delete;
    void Show(const char* text) {
        if (tray_) tray_->ShowBusy(text);
    }

private:
    ITrayNotice* tray_;
    const std::string& hint_; // read when the work ends: it may have changed meanwhile
};

} // namespace

void TWallpaper::ChangeWallpaper(const std::string& path) {
    TBusyNotice busy(platform_.Tray, kChangingWallpaper, Hint);
    OpenImage(path);
    ApplyWallpaper();
}

void TWallpaper::ApplyWallpaper() {
    TBusyNotice busy(platform_.Tray, kChangingWallpaper, Hint);
    LoadSettings();
    if (!PictureOpen()) return;
    if (Editing) { // render once more with the smooth resize and rotation
        Editing = false;
        RenderImage();
        SetPosition(Position.X, Position.Y);
    }
    WriteWallpaper();
    RecordWallpaper();
    if (ChangeLogos) {
        busy.Show(kChangingLogos);
        ChangeLogosStep();
    }
}

void TWallpaper::ChangeLogosStep() {
    WriteLogos(lmBoth);
}

void TWallpaper::WriteWallpaper() {
    if (!PictureOpen()) return;
    const TBitmap screen = ComposeScreen();
    platform_.Files.WriteFile(OutputFile(), WriteBmp(screen));
    // Windows itself neither tiles nor offsets: both are in the bitmap.
    TRegIniFiles desktop(Registry(), kControlPanelDesktopKey);
    desktop.WriteInteger("", kWallpaperOriginX, 0);
    desktop.WriteInteger("", kWallpaperOriginY, 0);
    desktop.WriteInteger("", kTileWallpaper, 0);
    InstallWallpaper(OutputFile());
}

void TWallpaper::InstallWallpaper(const std::string& path) {
    if (platform_.Wallpaper) {
        platform_.Wallpaper->Install(path);
        return;
    }
    // Without a shell, the system's own record of the wallpaper is all there is.
    TRegIniFiles(Registry(), kControlPanelDesktopKey).WriteString("", kDeskWallpaper, path);
}

bool TWallpaper::ActiveDesktopAvailable() {
    return platform_.Wallpaper && platform_.Wallpaper->ActiveDesktopAvailable();
}

TPlacement TWallpaper::CurrentPlacement() const {
    TPlacement rec;
    rec.X = Position.X;
    rec.Y = Position.Y;
    rec.Tile = Tile, rec.Fit = Fit;
    rec.Percentage = Percentage;
    rec.Color = Color;
    rec.ScreenWidth = platform_.Screen.Width();
    rec.Mirror = Mirror;
    rec.Rotate = Rotate;
    rec.FishEye = FishEye, rec.Twirl = Twirl, rec.Waves = Waves;
    return rec;
}

void TWallpaper::RecordWallpaper() {
    if (!platform_.Files.FileExists(FileName)) return;
    RecordInList(FileName, CurrentPlacement());

    TRegIniFiles machine(Registry(), programKey_, reg::Root::LocalMachine);
    machine.WriteBool(kOptionsChanger, kTrueColor, TrueColor);
    machine.WriteString(kOptionsChanger, kWallpaper, FileName);
    if (const auto record = FindPlacement()) { // a byte copy of the list record
        auto key = Registry().Create(reg::Root::LocalMachine, reg::JoinPath(programKey_, kOptionsChanger));
        if (!key) throw ERegistryException(text::FormatOne("Failed to create key %s", kOptionsChanger));
        WritePlacement(*key, kData, *record);
    }
    TRegIniFiles(Registry(), ListKey).WriteString(kListOptionsChanger, kWallpaper, FileName);

    settings::TSettings(Registry(), programKey_).Write(settings::kTime, platform_.Clock.Now());
}

bool TWallpaper::ColorDepthChanged() {
    const bool stored =
        TSettingsReader(Registry(), programKey_, reg::Root::LocalMachine).ReadBool(kOptionsChanger, kTrueColor, TrueColor);
    // The same reading as the image loader's: without a stored depth the
    // display's real one decides.
    TrueColor = ReadTrueColorDisplay(platform_);
    return TrueColor != stored;
}

void TWallpaper::RefreshIfStale() {
    FileName = TSettingsReader(Registry(), kControlPanelDesktopKey).ReadString("", kDeskWallpaper, "");
    if (!text::SameText(FileName, OutputFile())) return; // not the program's bitmap
    const std::optional<TPlacement> record = FindPlacement();
    if (!record) return;

    bool stale = false;
    if (platform_.Files.FileExists(FileName)) {
        TSettingsReader machine(Registry(), programKey_, reg::Root::LocalMachine);
        if (!text::SameText(machine.ReadString(kOptionsChanger, kWallpaper, ""), FileName)) {
            stale = true;
        } else if (ColorDepthChanged()) {
            stale = true;
        } else if (const auto data = machine.Read(kOptionsChanger, kData)) {
            const TPlacementBytes bytes = PlacementBytes(*record);
            stale = data->Type == reg::kBinary && data->Data.size() == kPlacementSize &&
                    !std::equal(data->Data.begin(), data->Data.end(), bytes.begin());
        }
    }
    if (platform_.Screen.Width() != record->ScreenWidth) stale = true;
    if (stale) ChangeWallpaper(FileName);
}
