#include "platform/win32/WinDesktopWallpaper.h"

#include "platform/Errors.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"

#include <wininet.h> // before <shlobj.h>, which then declares IActiveDesktop
#include <shlobj.h>

#include <cwchar>

namespace {

win::ComPtr<IActiveDesktop> CreateActiveDesktop() {
    win::ComPtr<IActiveDesktop> desktop;
    CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop, desktop.Out());
    return desktop;
}

bool InstallThroughActiveDesktop(const std::wstring& path) {
    win::ComPtr<IActiveDesktop> desktop = CreateActiveDesktop();
    if (!desktop) return false;
    wchar_t buffer[MAX_PATH] = L"";
    std::wcsncpy(buffer, path.c_str(), MAX_PATH - 1);
    WALLPAPEROPT options{sizeof(WALLPAPEROPT), WPSTYLE_CENTER};
    return SUCCEEDED(desktop->SetWallpaper(buffer, 0)) && SUCCEEDED(desktop->SetWallpaperOptions(&options, 0)) &&
           SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL));
}

} // namespace

bool WinDesktopWallpaper::ActiveDesktopAvailable() {
    win::ComScope com;
    return static_cast<bool>(CreateActiveDesktop());
}

void WinDesktopWallpaper::Install(const std::string& path) {
    const std::wstring wide = win::Wide(path);
    {
        win::ComScope com;
        if (InstallThroughActiveDesktop(wide)) return;
    }
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(wide.c_str()), SPIF_UPDATEINIFILE))
        throw EMuraltoError("The wallpaper \"" + path + "\" could not be set.");
}
