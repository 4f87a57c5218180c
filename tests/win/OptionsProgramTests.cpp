// The real program's properties dialog, as a user reaches it: the tray
// menu's Properties opens it, "Change on Startup" is checked and OK pressed,
// and the next start of the program changes the wallpaper by itself.
#include "app/RegistryNames.h"
#include "engine/Placement.h"
#include "options/win/Options.h"
#include "unit/ImageTestSupport.h"
#include "win/MenuScript.h"
#include "win/ProgramTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TFindControl {
    std::wstring Caption;
    HWND Found = nullptr;
};

BOOL CALLBACK FindByCaption(HWND hwnd, LPARAM data) {
    auto* find = reinterpret_cast<TFindControl*>(data);
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    if (find->Caption == text) {
        find->Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return win::Utf8(text);
}

// A control anywhere below the window, by its caption.
HWND ControlCaptioned(HWND window, const std::wstring& caption) {
    TFindControl find{caption};
    EnumChildWindows(window, FindByCaption, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

class ProgramOptions : public ::testing::Test {
protected:
    reg::WinRegistry registry;
    std::wstring output;
    void SetUp() override {
        ASSERT_EQ(CountMainForms(), 0);
        ForgetSettings(registry);
        registry.Create(reg::Root::CurrentConfig, "Display\\Settings")->SetValue("BitsPerPixel", reg::StringValue("24"));
        wchar_t windows[MAX_PATH];
        GetWindowsDirectoryW(windows, MAX_PATH);
        output = std::wstring(windows) + L"\\Muralto.bmp";
        DeleteFileW(output.c_str());
        // One list with one picture and its placement; keep-alive stays off.
        const std::string list = std::string(regnames::kProgramKey) + "\\Lists\\List 1";
        registry.Create(reg::Root::CurrentUser, list + "\\MRU")
            ->SetValue("0", reg::StringValue(FixturePath("bmp-24.bmp")));
        TPlacement placement{};
        placement.Percentage = 100;
        placement.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
        WritePlacement(*registry.Create(reg::Root::CurrentUser, list + "\\MRUData"), FixturePath("bmp-24.bmp"),
                       placement);
    }
    void TearDown() override { ForgetSettings(registry); }
    static HWND WaitForMainForm() {
        HWND main = nullptr;
        PumpUntil([&] { return (main = FindWindowW(TMuraltoForm::kClassName, nullptr)) != nullptr; }, 20000);
        return main;
    }
    static void Exit(TProgram& program, HWND main) {
        PostMessageW(main, WM_COMMAND, TMuraltoForm::cmExit, 0);
        EXPECT_EQ(program.Wait(20000), 0u);
    }
};

} // namespace

TEST_F(ProgramOptions, PropertiesFromTheTrayWithChangeOnStartupMakesTheNextStartChangeTheWallpaper) {
    {
        TProgram program(L"");
        HWND main = WaitForMainForm();
        ASSERT_NE(main, nullptr);
        PostMessageW(main, TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
        ASSERT_TRUE(PumpUntil(
            [] {
                HWND menu = OpenMenuWindow();
                return menu && IsWindowVisible(menu);
            },
            20000));
        PumpUntil([] { return false; }, 300);
        Key('R'); // P&roperties
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] { return (dialog = FindWindowW(TWallpaperOptions::kClassName, nullptr)) && IsWindowVisible(dialog); },
            20000))
            << "the tray's Properties opens the dialog";
        EXPECT_EQ(WindowText(dialog), "Muralto Properties");
        HWND box = ControlCaptioned(dialog, L"&Change on Startup.");
        HWND ok = ControlCaptioned(dialog, L"OK");
        ASSERT_TRUE(box && ok);
        SendMessageW(box, BM_CLICK, 0, 0);
        SendMessageW(ok, BM_CLICK, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 20000)) << "OK closes the dialog";
        EXPECT_TRUE(ReadWholeFile(output).empty()) << "nothing changed the wallpaper yet";
        Exit(program, main);
    }
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, L"SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", L"ChangeOnStartup"), "1");

    TProgram next(L"");
    HWND main = WaitForMainForm();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !ReadWholeFile(output).empty(); }, 20000))
        << "the next start changed the wallpaper to the list's picture";
    Exit(next, main);
}
