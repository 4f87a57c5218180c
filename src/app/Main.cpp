// The program's entry: one copy per desktop. A second copy hands its first
// argument to the running one and ends without showing anything.
#include "app/HandOver.h"
#include "app/MachineKeys.h"
#include "app/Unit2.h"
#include "engine/win/GdiPictures.h"
#include "imagewindow/win/FastBMPWin.h"
#include "imagewindow/win/ImageWindows.h"
#include "imagewindow/win/OpenPictureDialog.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/WinDesktopMetrics.h"
#include "platform/win32/WinDesktopWallpaper.h"
#include "platform/win32/WinRegistry.h"
#include "platform/win32/WinServices.h"
#include "platform/win32/WinShell.h"
#include "platform/win32/WinSystemColors.h"
#include "systemmenus/win/WinDisplayModes.h"
#include "systemmenus/win/WinScreenSaver.h"

#include <shellapi.h>

namespace {

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(win::Utf8(argv[i]));
    LocalFree(argv);
    return arguments;
}

// Waits for the running copy to take the argument, but not for ever: a copy
// that hangs must not keep this one alive. The text is copied when sent.
// No SMTO_ABORTIFHUNG: the system takes a copy busy for five seconds (an
// apply at start-up, a large picture loading) for hung, and the argument
// would be lost.
constexpr UINT kHandOverTimeout = 60000;
constexpr UINT kHandOverFlags = SMTO_NORMAL;

void HandOver(HWND running, const std::vector<std::string>& arguments) {
    if (arguments.empty()) return;
    std::vector<uint8_t> buffer = EncodeHandOver(arguments.front());
    COPYDATASTRUCT data{kHandOverKind, static_cast<DWORD>(buffer.size()), buffer.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), kHandOverFlags, kHandOverTimeout,
                        &result);
}

// The folder of the wallpaper bitmap: empty (the Windows folder) where the
// program may write there, else the user's local application data folder's
// "Muralto".
std::string WallpaperFolder(ISystemFolders& folders, IShell& shell) {
    const std::wstring probe = win::Wide(folders.WindowsDirectory() + "\\Muralto.$$$");
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return std::string();
    }
    const std::string local = shell.KnownFolderPath(TKnownFolder::LocalAppData);
    if (local.empty()) return std::string();
    const std::string folder = local + "\\Muralto";
    shell.CreateFolder(folder);
    return folder;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::vector<std::string> arguments = CommandLineArguments();
    if (HWND running = FindWindowW(TMuraltoForm::kClassName, nullptr)) {
        HandOver(running, arguments);
        return 0;
    }

    // Shell extensions run in the program's menus and commands.
    win::OleScope ole;
    // Every bitmap lives in a device-independent section GDI can draw on.
    UseDibSectionsForBitmaps();
    UseDibSectionsForFastBMP();
    TGdiPictures pictures;
    TApplication application(instance);
    // A standard user of the NT family may not write the machine's keys:
    // decided once, for the whole run.
    reg::WinRegistry systemRegistry;
    const TMachineKeys machineKeys = ChooseMachineKeys(systemRegistry);
    TPerUserRegistry perUserRegistry(systemRegistry);
    reg::IRegistry& registry = machineKeys.PerUser ? static_cast<reg::IRegistry&>(perUserRegistry) : systemRegistry;
    WinFileSystem files;
    WinSystemFolders folders;
    WinScreen screen;
    WinClock clock;
    WinPrompts prompts(application);
    TPlatform platform{registry, files, folders, screen, clock, prompts, &pictures};
    WinDesktopMetrics desktopMetrics;
    platform.DesktopMetrics = &desktopMetrics;
    WinSystemColors systemColors;
    platform.SystemColors = &systemColors;
    WinDesktopWallpaper desktopWallpaper;
    platform.Wallpaper = &desktopWallpaper;
    WinShell shell;
    platform.Shell = &shell;
    platform.WallpaperFolder = WallpaperFolder(folders, shell);
    WinDisplayModes displayModes;
    platform.DisplayModes = &displayModes;
    // Owned by the main form once it exists.
    WinScreenSaverSettings screenSaver;
    platform.ScreenSaver = &screenSaver;
    prompts.PictureDialog = [&platform](const std::string& folder) {
        return ShowOpenPictureDialog(platform, GetActiveWindow(), folder);
    };
    try {
        // The image windows reach the main form (made next) after an apply;
        // they go before it does.
        TMuraltoForm* mainForm = nullptr;
        TImageWindowHooks windowHooks;
        windowHooks.AfterApply = [&mainForm] {
            if (mainForm) mainForm->ImageApplied();
        };
        std::unique_ptr<TImageWindows> windows;
        TMainFormHooks hooks;
        hooks.Machine = machineKeys;
        hooks.OpenImage = [&windows](const std::string& path, bool newWindow) {
            if (windows) windows->OpenFile(path, newWindow);
        };
        hooks.ShowCurrentWallpaper = [&windows] {
            if (windows) windows->ShowCurrentWallpaper();
        };
        auto form = MakeForm<TMuraltoForm>(application, platform, arguments, hooks);
        mainForm = form.get();
        screenSaver.SetOwner(form->Handle());
        windows = std::make_unique<TImageWindows>(application, platform, windowHooks);
        application.Run();
        windows.reset();
    } catch (const std::exception& e) {
        application.MainWindow = nullptr; // the window is gone: the box has no owner
        application.ShowException(e);
        return 1;
    } catch (...) {
        application.MainWindow = nullptr;
        application.ShowUnknownException();
        return 1;
    }
    return 0;
}
