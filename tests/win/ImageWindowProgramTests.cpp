// The real program with its image window, as a user starts and drives it:
// a picture passed on the command line shows full screen where the
// wallpaper will put it, two arrows and A apply it moved, a second copy's
// picture reuses the window, a left click on the tray icon shows the
// current wallpaper's picture, and a right click opens the tray menu whose
// Most Recent entry applies the picture again with its stored placement.
#include "app/Settings.h"
#include "engine/BmpFile.h"
#include "engine/win/DibInfo.h"
#include "imagewindow/win/Unit1.h"
#include "unit/ImageTestSupport.h"
#include "win/MenuScript.h"
#include "win/ProgramTestSupport.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CountImageWindow(HWND hwnd, LPARAM found) {
    wchar_t name[64];
    if (GetClassNameW(hwnd, name, 64) && std::wstring(name) == TForm1::kClassName && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ImageWindows() {
    std::vector<HWND> found;
    EnumWindows(CountImageWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string Caption(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return win::Utf8(text);
}

// The screen as it shows now, as a 24-bit bitmap.
TBitmap CaptureScreen() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    TBitmap shot(w, h, TPixelFormat::pf24bit);
    win::WindowDC screen(nullptr);
    win::UniqueDC dc(CreateCompatibleDC(screen.Get()));
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
    {
        win::SelectedObject selected(dc.Get(), bitmap.Get());
        BitBlt(dc.Get(), 0, 0, w, h, screen.Get(), 0, 0, SRCCOPY);
    }
    TDibInfo info = DibInfo(shot);
    GetDIBits(dc.Get(), bitmap.Get(), 0, static_cast<UINT>(h), shot.Row(0), info.Get(), DIB_RGB_COLORS);
    return shot;
}

void PostKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 0);
    PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

class ProgramImageWindow : public ::testing::Test {
protected:
    reg::WinRegistry registry;
    std::wstring output;
    void SetUp() override {
        ASSERT_EQ(CountMainForms(), 0);
        ForgetSettings(registry);
        // A true-colour display, as the virtual desktop is.
        registry.Create(reg::Root::CurrentConfig, "Display\\Settings")->SetValue("BitsPerPixel", reg::StringValue("24"));
        wchar_t windows[MAX_PATH];
        GetWindowsDirectoryW(windows, MAX_PATH);
        output = std::wstring(windows) + L"\\Muralto.bmp";
        DeleteFileW(output.c_str());
    }
    void TearDown() override { ForgetSettings(registry); }
    // muralto-render's screen for the picture, with or without an x.
    std::vector<uint8_t> Rendered(const std::string& image, const std::wstring& extra = L"") {
        const std::wstring file = win::Wide(FixturePath("rendered-window.bmp"));
        TProgram render(L"\"" + win::Wide(image) + L"\" --screen " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) +
                            L"x" + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + extra + L" --out \"" + file + L"\"",
                        L"muralto-render.exe");
        EXPECT_EQ(render.Wait(20000), 0u);
        std::vector<uint8_t> bytes = ReadWholeFile(file);
        DeleteFileW(file.c_str());
        return bytes;
    }
    HWND WaitForImageWindow(const std::string& caption) {
        HWND found = nullptr;
        PumpUntil(
            [&] {
                for (HWND w : ImageWindows())
                    if (Caption(w) == caption) found = w;
                return found != nullptr;
            },
            20000);
        return found;
    }
    static void Exit() {
        if (HWND main = FindWindowW(TMuraltoForm::kClassName, nullptr))
            PostMessageW(main, WM_COMMAND, TMuraltoForm::cmExit, 0);
    }
};

} // namespace

TEST_F(ProgramImageWindow, ThePassedPictureShowsWhereTheWallpaperWillBeAndMovedItIsApplied) {
    const std::string image = FixturePath("bmp-24.bmp");
    TProgram program(L"\"" + win::Wide(image) + L"\"");
    ASSERT_TRUE(program.Started());
    HWND window = WaitForImageWindow(image + " - Muralto");
    ASSERT_NE(window, nullptr);
    // Full screen, painted as muralto-render composes the screen (the
    // hint that follows the mouse kept out of the way in the corner).
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    PumpUntil([] { return false; }, 1500);
    const TBitmap expected = ReadBmp(Rendered(image));
    const TBitmap shown = CaptureScreen();
    ASSERT_EQ(shown.Width(), expected.Width());
    int differences = 0;
    for (int y = 0; y < expected.Height() - 100; ++y)
        for (int x = 0; x < expected.Width(); ++x) differences += shown.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differences, 0);

    // Left twice moves it 100 to the right; A applies and closes the window.
    PostKey(window, VK_LEFT);
    PostKey(window, VK_LEFT);
    PostKey(window, 'A');
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 20000));
    const int w = ReadBmp(ReadFixture("bmp-24.bmp")).Width();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2 + 100;
    EXPECT_TRUE(ReadWholeFile(output) == Rendered(image, L" --x " + std::to_wstring(x)));

    // A left click on the tray icon shows the wallpaper's own picture again.
    HWND main = FindWindowW(TMuraltoForm::kClassName, nullptr);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_LBUTTONDOWN);
    PostMessageW(main, TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_LBUTTONUP);
    EXPECT_NE(WaitForImageWindow(image + " - Muralto"), nullptr);
    Exit();
    EXPECT_EQ(program.Wait(20000), 0u);
}

TEST_F(ProgramImageWindow, WithoutMultipleWindowsASecondCopysPictureOpensInTheSameWindow) {
    settings::TSettings(registry).Write(settings::kMultipleWindows, false);
    const std::string first = FixturePath("bmp-24.bmp"), second = FixturePath("bmp-8.bmp");
    TProgram program(L"\"" + win::Wide(first) + L"\"");
    ASSERT_NE(WaitForImageWindow(first + " - Muralto"), nullptr);
    TProgram copy(L"\"" + win::Wide(second) + L"\"");
    EXPECT_EQ(copy.Wait(20000), 0u);
    EXPECT_NE(WaitForImageWindow(second + " - Muralto"), nullptr);
    EXPECT_EQ(ImageWindows().size(), 1u);
    Exit();
    EXPECT_EQ(program.Wait(20000), 0u);
}

TEST_F(ProgramImageWindow, TheTrayMenusMostRecentEntryAppliesThePictureWithItsStoredPlacement) {
    const std::string image = FixturePath("bmp-24.bmp");
    TProgram program(L"\"" + win::Wide(image) + L"\"");
    ASSERT_TRUE(program.Started());
    HWND window = WaitForImageWindow(image + " - Muralto");
    ASSERT_NE(window, nullptr);
    // Applied 100 pixels right of the centre: the list keeps that placement.
    PostKey(window, VK_LEFT);
    PostKey(window, VK_LEFT);
    PostKey(window, 'A');
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 20000));
    const int w = ReadBmp(ReadFixture("bmp-24.bmp")).Width();
    const std::vector<uint8_t> expected =
        Rendered(image, L" --x " + std::to_wstring((GetSystemMetrics(SM_CXSCREEN) - w) / 2 + 100));
    ASSERT_TRUE(ReadWholeFile(output) == expected);
    ASSERT_TRUE(DeleteFileW(output.c_str()));

    // The right click opens the program's menu. Wine keeps a menu's entries
    // within its process, so they are read by the in-process tests; here the
    // menu is found, and the keys walk its tree.
    HWND main = FindWindowW(TMuraltoForm::kClassName, nullptr);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
    HWND menuWindow = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            menuWindow = OpenMenuWindow();
            return menuWindow && IsWindowVisible(menuWindow);
        },
        20000));
    DWORD menuProcess = 0, mainProcess = 0;
    GetWindowThreadProcessId(menuWindow, &menuProcess);
    GetWindowThreadProcessId(main, &mainProcess);
    EXPECT_EQ(menuProcess, mainProcess);

    // Down to Most Recent, into it, and its first (only) entry chosen.
    const auto press = [](UINT key) {
        Key(key);
        PumpUntil([] { return false; }, 200);
    };
    for (int i = 0; i < 7; ++i) press(VK_DOWN);
    press(VK_RIGHT);
    press(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !ReadWholeFile(output).empty(); }, 20000));
    PumpUntil([] { return false; }, 500); // the file is complete
    EXPECT_TRUE(ReadWholeFile(output) == expected);
    Exit();
    EXPECT_EQ(program.Wait(20000), 0u);
}
