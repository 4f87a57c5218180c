// The image window in this process over an engine of its own, driven by the
// messages a user's mouse and keys make: dragging, the arrow keys, the
// dropper, the effects box, the popup menu, the window's reuse and its end.
#include "app/Settings.h"
#include "engine/BmpFile.h"
#include "imagewindow/win/ImageWindows.h"
#include "imagewindow/win/SizePanel.h"
#include "imagewindow/win/Unit1.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/WinServices.h"
#include "unit/ImageTestSupport.h"
#include "win/TestProcess.h"

#include <commctrl.h>
#include "unit/HelpCoverage.h"
#include "win/HelpViewer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr TRGBQuad kBlue = {200, 60, 10, 0};   // the picture's inside
constexpr TRGBQuad kYellow = {0, 220, 240, 0}; // its border

// Files go to the Recycle Bin by being deleted, and the calls are counted.
class TRecyclingFiles : public WinFileSystem {
public:
    void SendToRecycleBin(const std::string& path) override {
        ++recycled;
        DeleteFileW(win::Wide(path).c_str());
    }
    int recycled = 0;
};

// The open dialog as a person would use it: while it shows, the window is
// asked to close (from its system menu), and then the answer comes.
class TBrowsingPrompts : public ScriptedPrompts {
public:
    std::function<void()> WhileOpen;
    std::optional<std::string> OpenPicture(const std::string& folder) override {
        if (WhileOpen) WhileOpen();
        return ScriptedPrompts::OpenPicture(folder);
    }
};

class ImageWindow : public ::testing::Test {
protected:
    TApplication app{GetModuleHandleW(nullptr)};
    reg::HostRegistry registry;
    TRecyclingFiles files;
    WinSystemFolders folders;
    HostScreen screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HostClock clock;
    TBrowsingPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    std::string folder;
    std::vector<std::string> errors;
    std::vector<ULONG_PTR> help;
    int applied = 0;
    TForm1* window = nullptr;

    void SetUp() override {
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        app.OnHelpCommand = [this](UINT, ULONG_PTR context) { help.push_back(context); };
        app.RegisterCursor(TForm1::kDropperCursor, LoadCursorW(nullptr, IDC_CROSS));
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = win::Utf8(temp) + "muralto-window-" + std::to_string(ProcessId());
        CreateDirectoryW(win::Wide(folder).c_str(), nullptr);
    }
    void TearDown() override {
        if (window) window->DestroyHandle();
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) DeleteFileW(win::Wide(folder + "\\" + name).c_str());
        RemoveDirectoryW(win::Wide(folder).c_str());
        EXPECT_TRUE(errors.empty()) << errors.front();
    }

    // A w × h picture, blue inside a 10-pixel yellow border.
    std::string Picture(const char* name, int w = 200, int h = 100) {
        TBitmap b(w, h, TPixelFormat::pf24bit);
        b.Fill(kYellow);
        for (int y = 10; y < h - 10; ++y)
            for (int x = 10; x < w - 10; ++x) {
                uint8_t* p = b.Row(y) + 3 * x;
                p[0] = kBlue.Blue, p[1] = kBlue.Green, p[2] = kBlue.Red;
            }
        const std::string path = folder + "\\" + name;
        platform.Files.WriteFile(path, WriteBmp(b));
        return path;
    }
    TForm1& Open(const std::string& path) {
        TImageWindowHooks hooks;
        hooks.AfterApply = [this] { ++applied; };
        (new TForm1(app, platform, hooks, "Software\\MuraltoTest"))->FreeOnRelease(window);
        window->OpenFile(path);
        Pump();
        return *window;
    }
    void Pump() { app.ProcessMessages(); }
    // A key as the system delivers it: to the focus, through the program's loop.
    void Key(UINT key) {
        HWND focus = GetFocus();
        if (!focus || (focus != window->Handle() && !IsChild(window->Handle(), focus))) focus = window->Handle();
        PostMessageW(focus, WM_KEYDOWN, key, 0);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
        Pump();
    }
    // The cursor where the dropper reads it. The display answers a move a
    // moment later and may report an older position meanwhile, so the new
    // one must hold for a while.
    void MoveCursor(int x, int y) {
        DWORD since = 0;
        EXPECT_TRUE(PumpUntil(
            [&] {
                POINT at;
                if (!GetCursorPos(&at) || at.x != x || at.y != y) {
                    SetCursorPos(x, y);
                    since = 0;
                    return false;
                }
                if (!since) since = GetTickCount();
                return GetTickCount() - since > 300;
            },
            5000));
    }
    void Mouse(UINT message, int x, int y, WPARAM keys) {
        SendMessageW(window->PaintBox().Handle(), message, keys, MAKELPARAM(x, y));
    }
    TWallpaper::TPoint Position() { return window->Engine().Position; }
    // What the paint box shows now, painted into a bitmap of ours.
    COLORREF Shown(int x, int y) {
        HWND box = window->PaintBox().Handle();
        RECT r;
        GetClientRect(box, &r);
        win::WindowDC screenDc(nullptr);
        win::UniqueDC dc(CreateCompatibleDC(screenDc.Get()));
        win::UniqueBitmap bitmap(CreateCompatibleBitmap(screenDc.Get(), r.right, r.bottom));
        win::SelectedObject selected(dc.Get(), bitmap.Get());
        SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        return GetPixel(dc.Get(), x, y);
    }
    TSizePanel& Box() { return static_cast<TSizePanel&>(window->SizePanel()); }
};

COLORREF Ref(TRGBQuad q) {
    return RGB(q.Red, q.Green, q.Blue);
}

} // namespace

TEST_F(ImageWindow, OpensFullScreenWithThePictureWhereTheWallpaperWillShowIt) {
    Open(Picture("a.bmp"));
    EXPECT_TRUE(window->FullScreenMode());
    RECT r;
    GetWindowRect(window->Handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, screen.Width());
    EXPECT_EQ(r.bottom, screen.Height());
    char caption[512];
    GetWindowTextA(window->Handle(), caption, sizeof caption);
    EXPECT_EQ(std::string(caption), folder + "\\a.bmp - Muralto");
    // Centred, on its most frequent colour.
    const int x = (screen.Width() - 200) / 2, y = (screen.Height() - 100) / 2;
    EXPECT_EQ(Position().X, x);
    EXPECT_EQ(Position().Y, y);
    EXPECT_EQ(Shown(x + 50, y + 50), Ref(kBlue));
    EXPECT_EQ(Shown(x + 2, y + 2), Ref(kYellow));
    EXPECT_EQ(Shown(x - 1, y - 1), Ref(kBlue)); // the background
}

TEST_F(ImageWindow, DraggingFollowsTheMouseAndAModifierOrSecondButtonEndsIt) {
    Open(Picture("a.bmp"));
    const auto start = Position();
    Mouse(WM_LBUTTONDOWN, 500, 400, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 530, 420, MK_LBUTTON);
    EXPECT_EQ(Position().X, start.X + 30);
    EXPECT_EQ(Position().Y, start.Y + 20);
    EXPECT_EQ(window->DragPos().X, start.X + 30);
    Pump();
    EXPECT_EQ(Shown(start.X + 30 + 2, start.Y + 20 + 2), Ref(kYellow)); // repainted there
    // Shift held: the drag ends at this move and does not come back.
    Mouse(WM_MOUSEMOVE, 540, 420, MK_LBUTTON | MK_SHIFT);
    Mouse(WM_MOUSEMOVE, 560, 440, MK_LBUTTON);
    EXPECT_EQ(Position().X, start.X + 30);
    EXPECT_FALSE(window->Dragging());
    Mouse(WM_LBUTTONUP, 560, 440, 0);
    // A second button does the same.
    Mouse(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 101, 100, MK_LBUTTON | MK_RBUTTON);
    EXPECT_FALSE(window->Dragging());
    Mouse(WM_LBUTTONUP, 101, 100, 0);
}

TEST_F(ImageWindow, ArrowsMoveFiftyPixelsAgainstTheirDirectionExceptWhileTheBoxShows) {
    Open(Picture("a.bmp"));
    const auto start = Position();
    Key(VK_LEFT);
    EXPECT_EQ(Position().X, start.X + 50);
    Key(VK_DOWN);
    EXPECT_EQ(Position().Y, start.Y - 50);
    Key(VK_RIGHT);
    Key(VK_UP);
    EXPECT_EQ(Position().X, start.X);
    EXPECT_EQ(Position().Y, start.Y);
    Key('S');
    ASSERT_TRUE(window->EffectsBoxShowing());
    Key(VK_LEFT);
    Key(VK_DOWN);
    EXPECT_EQ(Position().X, start.X);
    EXPECT_EQ(Position().Y, start.Y);
    Key(VK_ESCAPE); // cancels the box, not the window
    EXPECT_FALSE(window->EffectsBoxShowing());
    EXPECT_FALSE(window->Closing());
    // Enter opens the file again: the unapplied move is gone.
    Key(VK_LEFT);
    Key(VK_RETURN);
    EXPECT_EQ(Position().X, start.X);
}

TEST_F(ImageWindow, TheDropperPicksWithTheLeftButtonOnlyAndATurnedPictureTakesTheColour) {
    Open(Picture("a.bmp"));
    window->Engine().Rotate = 45;
    window->Engine().RenderImage();
    Pump();
    const uint32_t before = window->Engine().Color;
    const auto p = Position();
    const int cx = p.X + window->Engine().Image.Width() / 2, cy = p.Y + window->Engine().Image.Height() / 2;

    Key('D');
    ASSERT_TRUE(window->DropperMode());
    MoveCursor(cx, cy);
    Mouse(WM_MOUSEMOVE, cx, cy, 0);
    EXPECT_TRUE(IsWindowVisible(window->ColorPreview().Handle()));
    // A right click leaves without picking.
    Mouse(WM_RBUTTONDOWN, cx, cy, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, cx, cy, 0);
    EXPECT_FALSE(window->DropperMode());
    EXPECT_FALSE(IsWindowVisible(window->ColorPreview().Handle()));
    EXPECT_EQ(window->Engine().Color, before);

    // Picked in the middle: the turned picture's corners become blue.
    Key('D');
    Mouse(WM_LBUTTONDOWN, cx, cy, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, cx, cy, 0);
    EXPECT_EQ(window->Engine().Color, QuadToColor(kBlue));
    EXPECT_EQ(window->Engine().Image.Pixel(0, 0), kBlue);
    Pump();
    EXPECT_EQ(Shown(p.X + 1, p.Y + 1), Ref(kBlue));
}

TEST_F(ImageWindow, TheDroppersBoxSitsBesideTheCursorAndFlipsNearTheEdges) {
    Open(Picture("a.bmp"));
    Key('D');
    const int sw = screen.Width();
    MoveCursor(sw - 90, 60);
    Mouse(WM_MOUSEMOVE, sw - 90, 60, 0);
    RECT r;
    GetWindowRect(window->ColorPreview().Handle(), &r);
    EXPECT_EQ(r.left, sw - 90 + 14);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right - r.left, 70);
    EXPECT_EQ(r.bottom - r.top, 40);
    MoveCursor(sw - 89, 59);
    Mouse(WM_MOUSEMOVE, sw - 89, 59, 0);
    GetWindowRect(window->ColorPreview().Handle(), &r);
    EXPECT_EQ(r.left, sw - 89 - 72);
    EXPECT_EQ(r.top, 63);
    Key(VK_ESCAPE);
    EXPECT_FALSE(window->DropperMode());
    EXPECT_FALSE(window->Closing());
}

TEST_F(ImageWindow, TheEffectsBoxPreviewsAndCancelPutsEverythingBack) {
    Open(Picture("a.bmp", 400, 200));
    const auto start = Position();
    Key('S');
    ASSERT_TRUE(window->EffectsBoxShowing());
    // The miniature's design size is 200 × 150 at 120 dpi.
    RECT box;
    GetClientRect(window->SizePaintBox().Handle(), &box);
    EXPECT_EQ(box.right, win::ScaleFromDesign(200, window->Dpi()));
    EXPECT_EQ(box.bottom, win::ScaleFromDesign(150, window->Dpi()));
    EXPECT_EQ(GetFocus(), Box().Control(TSizePanel::idPercentage));

    SetWindowTextW(Box().Control(TSizePanel::idPercentage), L"50");
    SendMessageW(Box().Control(TSizePanel::idPreview), BM_CLICK, 0, 0);
    EXPECT_EQ(window->Engine().Image.Width(), 200);
    // Kept centred where the picture was.
    EXPECT_EQ(Position().X, start.X + 100);
    EXPECT_TRUE(window->EffectsBoxShowing());

    SendMessageW(Box().Control(TSizePanel::idSizeCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(window->EffectsBoxShowing());
    EXPECT_EQ(window->Engine().Image.Width(), 400);
    EXPECT_EQ(Position().X, start.X);
    EXPECT_EQ(window->DragPos().X, start.X);
    EXPECT_EQ(window->Engine().Percentage, 100);
}

TEST_F(ImageWindow, ATurnedPreviewShowsTheBackgroundInItsCornersAndOkKeepsTheTurn) {
    Open(Picture("a.bmp", 400, 200));
    const uint32_t background = window->Engine().Color;
    Key('S');
    SetWindowTextW(Box().Control(TSizePanel::idRotate), L"45");
    const TBitmap& preview = *window->Preview().PreviewImage;
    ASSERT_GT(preview.Width(), 2);
    EXPECT_EQ(QuadToColor(preview.Pixel(0, 0)), background);
    EXPECT_EQ(QuadToColor(preview.Pixel(preview.Width() - 1, preview.Height() - 1)), background);
    // Fit checked: Percentage is disabled; OK renders the fitted, turned picture.
    SendMessageW(Box().Control(TSizePanel::idFit), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(Box().Control(TSizePanel::idPercentage)));
    Key(VK_RETURN);
    EXPECT_FALSE(window->EffectsBoxShowing());
    EXPECT_TRUE(window->Engine().Fit);
    EXPECT_EQ(window->Engine().Rotate, 45);
    EXPECT_FALSE(window->Engine().Editing);
    const TBitmap& image = window->Engine().Image;
    EXPECT_TRUE(image.Width() == screen.Width() || image.Height() == screen.Height());
}

TEST_F(ImageWindow, FitOfASquareIsHeightLimitedAndOkCentresIt) {
    Open(Picture("a.bmp", 400, 400));
    Key('S');
    SendMessageW(Box().Control(TSizePanel::idFit), BM_CLICK, 0, 0);
    RECT box;
    GetClientRect(window->SizePaintBox().Handle(), &box);
    EXPECT_FLOAT_EQ(window->Preview().Scale, float(box.bottom) / 400);
    SendMessageW(Box().Control(TSizePanel::idSizeOk), BM_CLICK, 0, 0);
    const TBitmap& image = window->Engine().Image;
    EXPECT_EQ(image.Height(), screen.Height());
    EXPECT_EQ(Position().X, (screen.Width() - image.Width()) / 2);
    EXPECT_EQ(Position().Y, 0);
}

TEST_F(ImageWindow, CloseWaitsForTheOpenDialogAndThenReleasesTheWindow) {
    Open(Picture("a.bmp"));
    const std::string second = Picture("b.bmp", 120, 80);
    prompts.WhileOpen = [this] { SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    prompts.PictureAnswers.push_back(second);
    Key('O');
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->Closing());
    EXPECT_EQ(window->Engine().FileName, second);
    EXPECT_EQ(prompts.PictureFolders.back(), folder);
    // Now it closes, and everything it made goes with it.
    Key('C');
    EXPECT_TRUE(PumpUntil(
        [this] {
            Pump();
            return window == nullptr;
        },
        5000));
}

TEST_F(ImageWindow, ClosingGivesBackEveryHandleTheWindowMade) {
    Picture("a.bmp");
    const int gdi = win::LiveObjects(win::TObjectKind::Gdi), user = win::LiveObjects(win::TObjectKind::User);
    Open(folder + "\\a.bmp");
    Key('S');
    Key('D');
    Mouse(WM_MOUSEMOVE, 10, 10, 0);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil(
        [this] {
            Pump();
            return window == nullptr;
        },
        5000));
    EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), gdi);
    EXPECT_EQ(win::LiveObjects(win::TObjectKind::User), user);
}

TEST_F(ImageWindow, ApplyMakesItTheWallpaperTellsTheMainFormAndReleasesTheWindow) {
    Open(Picture("a.bmp"));
    Key(VK_LEFT);
    const auto placed = Position();
    Key('A');
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(PumpUntil(
        [this] {
            Pump();
            return window == nullptr;
        },
        5000));
    // Recorded with the position it had.
    TWallpaper check(platform, TOwnerKind::ImageWindow, "Software\\MuraltoTest");
    check.LoadSettings();
    ASSERT_EQ(check.Items.Count(), 1);
    check.OpenImage(folder + "\\a.bmp");
    EXPECT_EQ(check.Position.X, placed.X);
}

TEST_F(ImageWindow, DeleteSendsTheFileAwayAndStepsToTheNextOne) {
    Picture("a.bmp");
    Picture("b.bmp", 60, 40);
    Open(folder + "\\a.bmp");
    Key(VK_DELETE);
    EXPECT_EQ(files.recycled, 1);
    EXPECT_EQ(window->Engine().FileName, folder + "\\b.bmp");
    // With the box showing, Delete does nothing.
    Key('S');
    Key(VK_DELETE);
    EXPECT_EQ(files.recycled, 1);
}

TEST_F(ImageWindow, F1AsksForTheWindowsHelpAndTheBoxControlsForTheirOwn) {
    Open(Picture("a.bmp"));
    Key(VK_F1);
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(help.front(), 92u);
    Key('S');
    help.clear();
    // Help on a control of the box, as F1 on it or its context help asks.
    HWND fit = Box().Control(TSizePanel::idFit);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(fit), fit, 0, {}};
    SendMessageW(Box().Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help.front(), 99u);
}

namespace {

// Reads the open menu's rectangle from a timer and ends the menu.
RECT g_menuRect{-1, -1, -1, -1};
void CALLBACK ReadMenuAndEnd(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
        GetWindowRect(menu, &g_menuRect);
        KillTimer(nullptr, id);
        EndMenu();
    }
}

} // namespace

TEST_F(ImageWindow, MOpensThePopupMenuAtTheScreensCornerWithItsEntries) {
    Open(Picture("a.bmp"));
    SetCursorPos(600, 500);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadMenuAndEnd);
    Key('M');
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_menuRect.left, 0);
    EXPECT_EQ(g_menuRect.top, 0);
    TMenuItem& menu = window->PopupMenu();
    EXPECT_EQ(menu.FindByName("OK")->Caption, "&Apply");
    EXPECT_EQ(menu.FindByName("OK")->ImageIndex, 21);
    EXPECT_EQ(menu.FindByName("ColorDropper")->HelpContext, 54);
    EXPECT_TRUE(menu.FindByName("FullScreen")->Checked);
    EXPECT_FALSE(menu.FindByName("Tile")->Checked);
    // No list entries yet: Most Recent is disabled with its placeholder.
    TMenuItem& recent = *menu.FindByName("MostRecent");
    EXPECT_FALSE(recent.Enabled);
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Item(0).Caption, "(Empty)");
}

TEST_F(ImageWindow, MostRecentListsTheCurrentListAndOpensItsEntries) {
    const std::string a = Picture("a.bmp"), b = Picture("b.bmp", 60, 40);
    {
        TWallpaper applier(platform, TOwnerKind::ImageWindow, "Software\\MuraltoTest");
        applier.LoadSettings();
        applier.OpenImage(a);
        applier.ApplyWallpaper();
    }
    Open(b);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadMenuAndEnd);
    Key('M');
    KillTimer(nullptr, timer);
    TMenuItem& recent = *window->PopupMenu().FindByName("MostRecent");
    EXPECT_TRUE(recent.Enabled);
    // Filled when it opens: the list's entry, checked as the wallpaper's source.
    recent.Click();
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Item(0).Caption, a);
    EXPECT_TRUE(recent.Item(0).Checked);
    recent.Item(0).Click();
    EXPECT_EQ(window->Engine().FileName, a);
}

TEST_F(ImageWindow, ASecondPictureReusesTheWindowUnlessMultipleWindowsIsOn) {
    const std::string a = Picture("a.bmp"), b = Picture("b.bmp", 60, 40), c = Picture("c.bmp", 30, 30);
    TImageWindows windows(app, platform, {}, "Software\\MuraltoTest");
    settings::TSettings store(registry, "Software\\MuraltoTest");
    store.Write(settings::kMultipleWindows, false);
    windows.OpenFile(a, false);
    windows.OpenFile(b, false);
    EXPECT_EQ(windows.Count(), 1);
    EXPECT_EQ(windows.Last()->Engine().FileName, b);
    // The command line always opens a new one.
    windows.OpenFile(c, true);
    EXPECT_EQ(windows.Count(), 2);
    store.Write(settings::kMultipleWindows, true);
    windows.OpenFile(a, false);
    EXPECT_EQ(windows.Count(), 3);
    // A closing window is never reused.
    TForm1* last = windows.Last();
    PostMessageW(last->Handle(), WM_KEYDOWN, 'C', 0);
    Pump();
    store.Write(settings::kMultipleWindows, false);
    EXPECT_NE(windows.Last(), last);
    EXPECT_TRUE(PumpUntil(
        [&] {
            Pump();
            return windows.Count() == 2;
        },
        5000));
}

TEST_F(ImageWindow, EveryHelpContextOfItsMenuAndBoxHasATopic) {
    Open(Picture("a.bmp"));
    EXPECT_GE(CountMenuHelpContexts(window->PopupMenu()), 19);
    EXPECT_EQ(MenuHelpWithoutTopic(window->PopupMenu()), std::vector<std::string>{});
    EXPECT_NE(help::FindHelpTopic(TForm1::kHelpContext), nullptr);
    int numbered = 0;
    for (const win::TControlSpec& row : window->SizePanel().ControlTable().Table()) {
        if (row.HelpContext == 0) continue;
        ++numbered;
        const help::THelpTopic* topic = help::FindHelpTopic(row.HelpContext, row.Name);
        ASSERT_NE(topic, nullptr) << row.Name;
        EXPECT_NE(topic->Popup, nullptr) << row.Name << ": a control's context help shows a note";
    }
    EXPECT_GE(numbered, 10);
}

TEST_F(ImageWindow, F1OpensTheCompiledHelpAtTheWindowsTopic) {
    app.OnHelpCommand = nullptr; // the real viewer
    const std::wstring programFolder = BesideThisProgram(L"");
    app.OnHelp = [&] { SetCurrentDirectoryW(programFolder.c_str()); };
    std::vector<help::THtmlHelpRequest> asked;
    app.OnHtmlHelp = [&](const help::THtmlHelpRequest& request) { asked.push_back(request); };
    Open(Picture("a.bmp"));
    Key(VK_F1);
    ASSERT_EQ(asked.size(), 1u);
    ExpectViewerAt(app, asked[0], "image-window.html", "The image window");
}
