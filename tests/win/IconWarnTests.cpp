// The auto-arrange warning: its look, its check box, the keys that close it,
// and the main form's warning step.
#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "app/Unit2.h"
#include "desktop/win/IconWarn.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/WinServices.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string StoredSwitch(reg::IRegistry& registry) {
    TRegIniFiles settings(registry, regnames::kProgramKey);
    return settings.ReadString(regnames::kOptions, regnames::kNoIconsWarning, "<absent>");
}

// A control's rectangle in its dialog's client coordinates.
RECT PlaceOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi;
}

} // namespace

TEST(IconsWarning, LooksAsDesignedAtTheScreensResolution) {
    TApplication app(GetModuleHandleW(nullptr));
    reg::HostRegistry registry;
    auto form = MakeForm<TIconsWarningForm>(app, registry);
    HWND dialog = form->Handle();
    const auto scaled = [](int v) { return MulDiv(v, ScreenPixelsPerInch(), 120); };

    EXPECT_EQ(TextOf(dialog), L"Muralto Warning");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, TIconsWarningForm::idLabel1)),
              L"Before using this commands, please make sure you're not using Auto Arrange:\r\n\r\n"
              L"Right-Click on the Desktop and open the menu \"Arrange Icons\", if the \"Auto Arrange\" option is "
              L"checked, please remove it.");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, TIconsWarningForm::idNoIconsWarning)), L"&Don't warn me again.");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), L"OK");
    EXPECT_TRUE(SendMessageW(GetDlgItem(dialog, TIconsWarningForm::idImage1), STM_GETICON, 0, 0));
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, scaled(369));
    EXPECT_EQ(client.bottom, scaled(193));
    const RECT ok = PlaceOf(GetDlgItem(dialog, IDOK));
    EXPECT_EQ(ok.left, scaled(152));
    EXPECT_EQ(ok.top, scaled(160));
}

TEST(IconsWarning, EveryClickOfTheBoxWritesItsStateAndEnterCloses) {
    TApplication app(GetModuleHandleW(nullptr));
    reg::HostRegistry registry;
    auto form = MakeForm<TIconsWarningForm>(app, registry);
    std::vector<std::string> written;
    bool centred = false;
    int shown = 0;
    app.OnModal = [&](TForm& warning) {
        ++shown;
        RECT r;
        GetWindowRect(warning.Handle(), &r);
        centred = r.left == (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2 &&
                  r.top == (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
        HWND box = warning.Control(TIconsWarningForm::idNoIconsWarning);
        for (int i = 0; i < 3; ++i) {
            SendMessageW(box, BM_CLICK, 0, 0);
            written.push_back(StoredSwitch(registry));
        }
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    };
    EXPECT_EQ(form->ShowModal(), IDOK);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(centred);
    EXPECT_EQ(written, (std::vector<std::string>{"1", "0", "1"}));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST(IconsWarning, EscapeClosesItAsWell) {
    TApplication app(GetModuleHandleW(nullptr));
    reg::HostRegistry registry;
    auto form = MakeForm<TIconsWarningForm>(app, registry);
    app.OnModal = [](TForm& warning) { PostMessageW(warning.Control(IDOK), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(form->ShowModal(), IDOK);
    EXPECT_EQ(StoredSwitch(registry), "<absent>"); // no click, nothing written
}

// The main form warns before arrangements until the box is checked, never
// for the automatic arrangement, and owns the warning so that no taskbar
// button appears for it.
TEST(IconsWarning, TheMainFormWarnsUntilTheUserSaysNoMore) {
    TApplication app(GetModuleHandleW(nullptr));
    reg::HostRegistry registry;
    WinFileSystem files;
    WinSystemFolders folders;
    WinScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    auto main = MakeForm<TMuraltoForm>(app, platform, std::vector<std::string>{});
    TMuraltoForm& form = *main;

    HWND owner = nullptr;
    bool ownerDisabled = false;
    int shown = 0;
    app.OnModal = [&](TForm& warning) {
        ++shown;
        owner = GetWindow(warning.Handle(), GW_OWNER);
        ownerDisabled = !IsWindowEnabled(form.Handle());
        SendMessageW(warning.Control(TIconsWarningForm::idNoIconsWarning), BM_CLICK, 0, 0);
        PostMessageW(warning.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    form.ShowIconsWarning();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(owner, form.Handle());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_EQ(StoredSwitch(registry), "1");

    form.ShowIconsWarning();
    TRegIniFiles settings(registry, regnames::kProgramKey);
    settings.WriteBool(regnames::kOptions, regnames::kNoIconsWarning, false);
    settings.WriteBool(regnames::kOptionsDesktop, regnames::kRestoreIcons, true);
    settings.WriteBool(regnames::kOptionsDesktop, regnames::kIconsLeft, true);
    form.RestoreIcons();
    form.ApplyIconArrangement();
    EXPECT_EQ(shown, 1);
}
