#include "options/OptionsModel.h"

#include "app/Settings.h"

using reg::Root;
using namespace settings;

const std::array<const char*, 8> kExtensionRowCaptions = {"JPG JPE JPEG", "GIF", "PCX", "BMP",
                                                          "ICO",          "EMF WMF", "PNG", "WEBP"};

namespace {

const TBoolOption* const kAlignmentOptions[] = {&kIconsLeft,   &kIconsRight,  &kIconsTop, &kIconsBottom,
                                                &kIconsSpiral, &kIconsCustom, &kIconsNo};
const TBoolOption* const kOrderOptions[] = {&kRandom, &kDown, &kUp};
const TBoolOption* const kUnitOptions[] = {&kDays, &kHours, &kMinutes};

// A radio group filled button by button: a stored 1 checks its button and
// so unchecks the others, a 0 unchecks only its own. The last 1 wins, and a
// group whose values are all 0 has nothing checked.
template <size_t N>
int ReadRadioGroup(const TSettings& stored, const TBoolOption* const (&options)[N], int checked) {
    for (size_t i = 0; i < N; ++i) {
        if (stored.Read(*options[i], TReader::Dialog))
            checked = static_cast<int>(i);
        else if (checked == static_cast<int>(i))
            checked = -1;
    }
    return checked;
}

template <size_t N>
void WriteRadioGroup(const TSettings& stored, const TBoolOption* const (&options)[N], int checked) {
    for (size_t i = 0; i < N; ++i) stored.Write(*options[i], checked == static_cast<int>(i));
}

} // namespace

TOptionsValues LoadOptions(TPlatform& platform, const TProgramPaths& paths, TWallpaper& engine) {
    TOptionsValues values;
    IFileSystem& files = platform.Files;
    const std::string startMenu = paths.StartMenuFolder + "\\";
    values.Start.ControlPanel = files.DirectoryExists(startMenu + shellnames::kControlPanel);
    values.Start.Printers = files.DirectoryExists(startMenu + shellnames::kPrinters);
    values.Start.Launch = files.FileExists(paths.StartupFolder + "\\" + shellnames::kShortcut);
    values.Start.Programs = files.FileExists(paths.ProgramsFolder + "\\" + shellnames::kShortcut);

    values.Multiple = engine.MultipleWindows;
    values.AdjustWallpaper = engine.AdjustWallpaper;
    values.CorrectLogos = engine.CorrectLogos;
    values.ChangeLogos = engine.ChangeLogos;
    values.KeepAlive = engine.KeepAlive;
    values.FullScreen = engine.FullScreen;
    values.Restore = engine.RestoreIcons;
    values.StartShortcut = engine.StartShortcut;

    values.FolderPointers = engine.ActiveDesktopAvailable();

    const TSettings stored(platform.Registry, engine.ProgramKey());
    values.Shell.OpenWith = stored.Read(kOpenWith, TReader::Dialog);

    values.Alignment = ReadRadioGroup(stored, kAlignmentOptions, -1);
    values.ChangeOnStartup = stored.Read(kChangeOnStartup, TReader::Dialog);
    values.Active = stored.Read(kActive, TReader::Dialog);
    values.Order = ReadRadioGroup(stored, kOrderOptions, coRandom);
    values.Interval = stored.Read(kInterval);
    values.Unit = ReadRadioGroup(stored, kUnitOptions, -1);

    // The keys are made when missing, as the shell page will write them.
    for (const TExtensionRow& row : kExtensionRows) {
        const auto key = platform.Registry.Create(Root::ClassesRoot, row.Extension);
        if (key && IsOurType(DefaultText(*key))) values.Shell.Rows[static_cast<size_t>(row.Row)] = true;
    }
    return values;
}

void SaveOptions(TPlatform& platform, TShellIntegration* integration, TListEditor& list, const TOptionsValues& values,
                 TPageFlags flags, const TOptionsSaveHooks& hooks, double now) {
    const auto run = [](const std::function<void()>& hook) {
        if (hook) hook();
    };
    list.SaveList();
    run(hooks.Hide);
    if (integration) integration->ApplyStartPage(values.Start);

    const TSettings stored(platform.Registry, list.Engine().ProgramKey());
    stored.Write(kOpenWith, values.Shell.OpenWith);
    if (hooks.HotKey) hooks.HotKey(values.StartShortcut);
    stored.Write(kStartShortcut, values.StartShortcut);

    stored.Write(kMultipleWindows, values.Multiple);
    stored.Write(kFullScreen, values.FullScreen);
    stored.Write(kAdjustWallpaper, values.AdjustWallpaper);
    stored.Write(kCorrectLogos, values.CorrectLogos);
    stored.Write(kChangeLogos, values.ChangeLogos);
    stored.Write(kKeepAlive, values.KeepAlive);

    if (flags.Desktop) {
        stored.Write(kRestoreIcons, values.Restore);
        WriteRadioGroup(stored, kAlignmentOptions, values.Alignment);
    }
    if (flags.Changer) {
        stored.Write(kChangeOnStartup, values.ChangeOnStartup);
        stored.Write(kActive, values.Active);
        WriteRadioGroup(stored, kOrderOptions, values.Order);
        stored.Write(kInterval, values.Interval);
        // The period starts again now.
        stored.Write(kTime, now);
        WriteRadioGroup(stored, kUnitOptions, values.Unit);
    }

    if (integration) integration->ApplyShellPage(values.Shell);
    run(hooks.ReloadMain);
    run(hooks.KeepAliveEcho);
    if (flags.Desktop && values.Alignment == iaCustom) run(hooks.SaveCustomIcons);
    run(hooks.SettingsChanged);
}
