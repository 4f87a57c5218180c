// The main form in this process, and the real program started beside it:
// the hand-over of a second copy, the tray icon, the about box, the hot key
// and the end of the program.
#include "app/HandOver.h"
#include "app/Unit2.h"
#include "engine/BmpFile.h"
#include "platform/Errors.h"
#include "platform/win32/WinRegistry.h"
#include "unit/ImageTestSupport.h"
#include "win/MenuScript.h"
#include "win/ProgramTestSupport.h"
#include "win/TestPlatform.h"
#include "win/TestProcess.h"
#include "platform/host/HostRegistry.h"
#include "platform/Text.h"
#include "platform/host/HostServices.h"
#include "platform/win32/WinServices.h"
#include "systemmenus/DisplayMenu.h"
#include "systemmenus/win/WinDisplayModes.h"
#include "systemmenus/win/WinScreenSaver.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TOpened {
    std::string FileName;
    bool NewWindow;
};

class MainForm : public ::testing::Test, protected TTestPlatform {
protected:
    TApplication app{GetModuleHandleW(nullptr)};
    // Read and tried, never switched: the tests choose no mode.
    WinDisplayModes displayModes;
    WinScreenSaverSettings screenSaver;
    std::vector<TOpened> opened;
    int uninstalls = 0;
    std::vector<std::string> errors;
    TFormPtr<TMuraltoForm> form;

    void SetUp() override {
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        platform.DisplayModes = &displayModes;
        platform.ScreenSaver = &screenSaver;
        form = MakeMainForm({});
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(errors.empty()) << errors.front();
    }
    TFormPtr<TMuraltoForm> MakeMainForm(std::vector<std::string> arguments) {
        TMainFormHooks hooks;
        hooks.OpenImage = [this](const std::string& f, bool n) { opened.push_back({f, n}); };
        hooks.Uninstall = [this] { ++uninstalls; };
        return MakeForm<TMuraltoForm>(app, platform, std::move(arguments), hooks);
    }
    void SendCopyData(const void* data, DWORD size) {
        COPYDATASTRUCT cds{kHandOverKind, size, const_cast<void*>(data)};
        SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }
};

} // namespace

TEST_F(MainForm, ASecondCopyHandsOverItsArgumentCutAt260Characters) {
    const std::string longPath = "C:\\" + std::string(296, 'w') + ".jpg";
    TProgram second(win::Wide("\"" + longPath + "\""));
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.Wait(20000), 0u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].FileName, longPath.substr(0, 260));
    EXPECT_FALSE(opened[0].NewWindow);
    EXPECT_EQ(CountMainForms(), 1);
}

TEST_F(MainForm, NonAsciiPathsArriveIntact) {
    const std::string path = "C:\\Bilder\\Ünïcödé 日本 Ελλάδα.jpg";
    TProgram second(win::Wide("\"" + path + "\""));
    EXPECT_EQ(second.Wait(20000), 0u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].FileName, path);
}

TEST_F(MainForm, ASecondCopyWithoutArgumentEndsAtOnceAndHandsNothing) {
    TProgram second(L"");
    EXPECT_EQ(second.Wait(20000), 0u);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(CountMainForms(), 1);
    // The uninstall argument goes to the uninstall, in any letter case.
    TProgram upper(L"/U");
    EXPECT_EQ(upper.Wait(20000), 0u);
    EXPECT_EQ(uninstalls, 1);
    EXPECT_TRUE(opened.empty());
}

TEST_F(MainForm, HandOverAcceptsTheOldByteFormAndNeverReadsPastTheBuffer) {
    std::string old(261, '\0');
    old.replace(0, 10, "C:\\old.bmp");
    SendCopyData(old.data(), 261);
    const char unterminated[4] = {'C', ':', '\\', 'x'};
    SendCopyData(unterminated, 3);
    SendCopyData("", 1); // empty text: ignored
    const auto wide = EncodeHandOver("/u");
    SendCopyData(wide.data(), static_cast<DWORD>(wide.size()));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].FileName, "C:\\old.bmp");
    EXPECT_EQ(opened[1].FileName, "C:\\");
    EXPECT_EQ(uninstalls, 1);
}

TEST_F(MainForm, TheCommandLineArgumentOpensANewWindowAfterStartUp) {
    form.reset();
    form = MakeMainForm({"C:\\first.gif"});
    EXPECT_TRUE(opened.empty()); // not before the one-shot start-up step
    ASSERT_TRUE(PumpUntil([&] { return !opened.empty(); }, 10000));
    EXPECT_EQ(opened[0].FileName, "C:\\first.gif");
    EXPECT_TRUE(opened[0].NewWindow);
}

TEST_F(MainForm, StartsHiddenWithTrayIconAndProgramPaths) {
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->HotKeyRegistered());
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x4D52, MOD_CONTROL | MOD_ALT, 'R'));
    EXPECT_TRUE(form->TrayIcon().Shown());
    EXPECT_EQ(form->TrayIcon().Hint(), "Muralto");
    EXPECT_EQ(form->Paths().StartMenuFolder, "C:\\WINDOWS\\Start Menu");
    const std::string program = win::Utf8(ProgramPath());
    EXPECT_TRUE(text::SameText(form->Paths().ProgramFolder, program.substr(0, program.find_last_of('\\') + 1)));
    EXPECT_NE(form->Paths().RegSvrPath.find("Regsvr32.exe"), std::string::npos);
    EXPECT_EQ(form->Paths().ExtensionPath.substr(form->Paths().ExtensionPath.size() - 13), "\\kelpfold.dll");
}

TEST_F(MainForm, TheTrayMenuHasItsFixedTreeWithTheDrivesOfThisMachine) {
    HMENU menu = reinterpret_cast<HMENU>(form->BuildPopupMenu().NativeHandle);
    const int count = GetMenuItemCount(menu);
    std::vector<std::wstring> captions;
    for (int i = 0; i < count; ++i) {
        wchar_t caption[64] = L"";
        GetMenuStringW(menu, i, caption, 64, MF_BYPOSITION);
        captions.push_back(caption);
        // Every entry is drawn by the program.
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Desktop", L"Dis&play", L"&Screen Saver", L"-", L"Open &File",
                                                   L"Open &Image", L"-", L"&Lists", L"&Most Recent", L"-", L"&About",
                                                   L"&Help", L"P&roperties", L"-", L"&Close"}));
    // Open File: Reopen, the separator, then one entry per drive of the prefix.
    HMENU open = GetSubMenu(menu, 4);
    ASSERT_NE(open, nullptr);
    const DWORD drives = GetLogicalDrives();
    int expected = 0;
    for (int bit = 0; bit < 26; ++bit) expected += (drives >> bit) & 1;
    EXPECT_EQ(GetMenuItemCount(open), 2 + expected);
    wchar_t first[16] = L"";
    GetMenuStringW(open, 2, first, 16, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(first).size(), 2u);
    EXPECT_EQ(first[1], L':');
}

// The tray menu as the shell opens it, steered with the keys from inside
// its own loop.
namespace {

// The menu of the frontmost menu window: the deepest sub-menu open.
HMENU OpenMenu() {
    return reinterpret_cast<HMENU>(SendMessageW(OpenMenuWindow(), MN_GETHMENU, 0, 0));
}

std::vector<std::function<void()>> Keys(UINT key, int times) {
    return std::vector<std::function<void()>>(times, [key] { Key(key); });
}

void Then(std::vector<std::function<void()>>& steps, std::vector<std::function<void()>> more) {
    steps.insert(steps.end(), more.begin(), more.end());
}

} // namespace

TEST_F(MainForm, TheTrayIconsRightClickOpensTheTreeAndADriveIsFilledOnlyWhenItOpens) {
    // Drive C: of the prefix, below A: and B: when those exist.
    const DWORD drives = GetLogicalDrives();
    ASSERT_TRUE(drives & 4);
    const int drivesBelowC = (drives & 1) + ((drives >> 1) & 1);
    std::vector<std::wstring> root, openFile, driveBefore, driveAfter, folderAfter;
    HMENU menu = nullptr;
    std::vector<std::function<void()>> steps{[&] {
        menu = OpenMenu();
        root = MenuCaptions(menu);
        openFile = MenuCaptions(GetSubMenu(menu, 4));
        driveBefore = MenuCaptions(GetSubMenu(GetSubMenu(menu, 4), 2 + drivesBelowC));
    }};
    // Down to Open File, into it, down to C:, into it and into its first folder.
    Then(steps, Keys(VK_DOWN, 4));
    Then(steps, Keys(VK_RIGHT, 1));
    Then(steps, Keys(VK_DOWN, 1 + drivesBelowC));
    Then(steps, Keys(VK_RIGHT, 2));
    steps.push_back([&] {
        HMENU drive = GetSubMenu(GetSubMenu(menu, 4), 2 + drivesBelowC);
        driveAfter = MenuCaptions(drive);
        folderAfter = MenuCaptions(GetSubMenu(drive, 0));
    });
    TMenuScript script(steps);
    SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);

    EXPECT_EQ(root, (std::vector<std::wstring>{L"&Desktop", L"Dis&play", L"&Screen Saver", L"-", L"Open &File",
                                               L"Open &Image", L"-", L"&Lists", L"&Most Recent", L"-", L"&About",
                                               L"&Help", L"P&roperties", L"-", L"&Close"}));
    ASSERT_GT(openFile.size(), size_t(2 + drivesBelowC));
    EXPECT_EQ(openFile[2 + drivesBelowC], L"C:");
    // Before it opened the drive held its placeholder alone; opened, its
    // folders came, each again with a placeholder until it opens.
    EXPECT_EQ(driveBefore, std::vector<std::wstring>{L"(Empty)"});
    ASSERT_FALSE(driveAfter.empty());
    EXPECT_NE(driveAfter.front(), L"(Empty)");
    bool hasWindows = false;
    for (const std::wstring& name : driveAfter) hasWindows |= text::SameText(win::Utf8(name), "windows");
    EXPECT_TRUE(hasWindows);
    ASSERT_FALSE(folderAfter.empty());
    EXPECT_NE(folderAfter.front(), L"(Empty)") << win::Utf8(driveAfter.front()) << " was not filled when it opened";
}

TEST_F(MainForm, TheTrayMenusDisplayListsTheModesThatPassTheTrialAndChecksTheCurrentOne) {
    // What the driver offers, asked here directly.
    std::vector<std::wstring> offered;
    for (DWORD i = 0;; ++i) {
        DEVMODEW mode{};
        mode.dmSize = sizeof mode;
        if (!EnumDisplaySettingsW(nullptr, i, &mode)) break;
        if (ChangeDisplaySettingsW(&mode, CDS_TEST) != DISP_CHANGE_SUCCESSFUL) continue;
        offered.push_back(std::to_wstring(mode.dmPelsWidth) + L"x" + std::to_wstring(mode.dmPelsHeight) + L"  " +
                          std::to_wstring(mode.dmBitsPerPel) + L" Bits");
    }
    DEVMODEW now{};
    now.dmSize = sizeof now;
    ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &now));
    const std::wstring current = std::to_wstring(now.dmPelsWidth) + L"x" + std::to_wstring(now.dmPelsHeight) + L"  " +
                                 std::to_wstring(now.dmBitsPerPel) + L" Bits";

    std::vector<std::wstring> listed, checked;
    HMENU menu = nullptr;
    std::vector<std::function<void()>> steps{[&] { menu = OpenMenu(); }};
    Then(steps, Keys(VK_DOWN, 2));
    Then(steps, Keys(VK_RIGHT, 1));
    steps.push_back([&] {
        HMENU display = GetSubMenu(menu, 1);
        listed = MenuCaptions(display);
        for (int i = 0; i < GetMenuItemCount(display); ++i)
            if (GetMenuState(display, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                checked.push_back(listed[static_cast<size_t>(i)]);
    });
    TMenuScript script(steps);
    SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);

    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(listed, offered);
    ASSERT_FALSE(checked.empty()) << "current: " << win::Utf8(current);
    for (const std::wstring& caption : checked) EXPECT_EQ(caption, current);
    // Nothing was switched.
    DEVMODEW after{};
    after.dmSize = sizeof after;
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &after);
    EXPECT_EQ(after.dmPelsWidth, now.dmPelsWidth);
}

TEST_F(MainForm, ASecondRightClickWhileTheTrayMenuIsOpenLeavesItAsItIs) {
    HMENU menu = nullptr, display = nullptr;
    int displayEntries = 0;
    bool stillOpen = false;
    std::vector<std::function<void()>> steps{[&] { menu = OpenMenu(); }};
    Then(steps, Keys(VK_DOWN, 2));
    Then(steps, Keys(VK_RIGHT, 1));
    steps.push_back([&] {
        display = GetSubMenu(menu, 1);
        displayEntries = GetMenuItemCount(display);
        SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
    });
    steps.push_back([&] {
        // Not rebuilt: the open sub-menu keeps its modes.
        stillOpen = OpenMenuWindow() != nullptr && GetSubMenu(menu, 1) == display &&
                    GetMenuItemCount(display) == displayEntries;
    });
    TMenuScript script(steps);
    SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
    EXPECT_GT(displayEntries, 1);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MainForm, TheAboutBoxIsCentredAndOnlyHides) {
    form->ShowAbout();
    ASSERT_TRUE(IsWindowVisible(form->Handle()));
    wchar_t caption[64];
    GetWindowTextW(form->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"About Muralto 2.51");
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, (screen.Width() - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (screen.Height() - (r.bottom - r.top)) / 2);
    const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    // Other system commands are ignored: it neither maximises nor moves.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(IsZoomed(form->Handle()));
    // The title bar's close button hides it; the program goes on.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(app.Terminated());
    // "Ok" hides it too.
    form->ShowAbout();
    SendMessageW(form->Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(MainForm, HelpMovesToTheProgramFolderAndNeverBlocks) {
    SetCurrentDirectoryW(L"C:\\");
    SendMessageW(form->Handle(), WM_COMMAND, TMuraltoForm::cmHelp, 0);
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    std::string folder = form->Paths().ProgramFolder;
    folder.pop_back();
    EXPECT_TRUE(text::SameText(win::Utf8(current), folder)) << win::Utf8(current);
}

TEST_F(MainForm, ClosingFreesEveryWindowResource) {
    form.reset();
    const int gdi = win::LiveObjects(win::TObjectKind::Gdi), user = win::LiveObjects(win::TObjectKind::User);
    // The system's own counts where it keeps them (Wine reports 0).
    HANDLE process = GetCurrentProcess();
    const DWORD systemGdi = GetGuiResources(process, GR_GDIOBJECTS);
    for (int i = 0; i < 3; ++i) {
        auto another = MakeMainForm({});
        EXPECT_GT(win::LiveObjects(win::TObjectKind::Gdi), gdi); // its fonts, at least
        another->ShowAbout();
        SendMessageW(another->Handle(), WM_COMMAND, IDOK, 0);
        another.reset();
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), gdi);
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::User), user);
    }
    if (systemGdi != 0) {
        EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), systemGdi);
    }
}

TEST_F(MainForm, TheAboutBoxIsCentredAgainAfterItWasClosed) {
    form->ShowAbout();
    RECT first;
    GetWindowRect(form->Handle(), &first);
    SendMessageW(form->Handle(), WM_COMMAND, IDOK, 0);
    // A smaller screen since: the box is centred on it at its own size.
    screen.Resize(800, 600);
    form->ShowAbout();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, first.right - first.left);
    EXPECT_EQ(r.bottom - r.top, first.bottom - first.top);
    EXPECT_EQ(r.left, (800 - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (600 - (r.bottom - r.top)) / 2);
    EXPECT_FALSE(IsIconic(form->Handle()));
}

// A second copy waits for a first copy that is busy for longer than the
// five seconds after which the system calls a window hung.
TEST_F(MainForm, AHandOverReachesACopyBusyForMoreThanFiveSeconds) {
    Sleep(5500); // not handling messages: to the system this copy now hangs
    TProgram second(L"\"C:\\busy.jpg\"");
    ASSERT_TRUE(second.Started());
    Sleep(1500);
    EXPECT_TRUE(PumpUntil([&] { return !opened.empty(); }, 20000));
    EXPECT_EQ(second.Wait(20000), 0u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].FileName, "C:\\busy.jpg");
}

namespace {

// A registry whose lists cannot be reached, as when their keys are damaged
// or refused.
class TRefusingListsRegistry : public reg::IRegistry {
public:
    explicit TRefusingListsRegistry(reg::IRegistry& inner) : inner_(inner) {}
    std::unique_ptr<reg::IKey> Open(reg::Root root, const std::string& path, bool write) override {
        Refuse(path);
        return inner_.Open(root, path, write);
    }
    std::unique_ptr<reg::IKey> Create(reg::Root root, const std::string& path) override {
        Refuse(path);
        return inner_.Create(root, path);
    }
    bool DeleteTree(reg::Root root, const std::string& path) override { return inner_.DeleteTree(root, path); }

private:
    static void Refuse(const std::string& path) {
        if (path.find("\\Lists") != std::string::npos) throw ERegistryException("Failed to create key " + path);
    }
    reg::IRegistry& inner_;
};

} // namespace

TEST_F(MainForm, AStartUpErrorIsShownAndTheProgramRunsOn) {
    form.reset();
    TRefusingListsRegistry refusing(registry);
    TPlatform damaged{refusing, files, folders, screen, clock, prompts};
    auto started = MakeForm<TMuraltoForm>(app, damaged, std::vector<std::string>{});
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.front().find("Failed to create key"), std::string::npos) << errors.front();
    errors.clear();
    EXPECT_TRUE(IsWindow(started->Handle()));
    EXPECT_TRUE(started->TrayIcon().Shown());
    EXPECT_TRUE(started->HotKeyRegistered());
}

// The real program on its own: it starts, holds the start shortcut, and its
// Close command ends it and gives the shortcut back.
TEST(Program, CloseEndsTheProgramAndReleasesTheHotKey) {
    ASSERT_EQ(CountMainForms(), 0);
    TProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowW(TMuraltoForm::kClassName, nullptr)) != nullptr; },
                          20000));
    EXPECT_FALSE(IsWindowVisible(window));
    // Ctrl+Alt+R belongs to the program once its start-up has run (the
    // window exists a moment before that).
    EXPECT_TRUE(PumpUntil(
        [] {
            if (!RegisterHotKey(nullptr, 0x4D52, MOD_CONTROL | MOD_ALT, 'R')) return true;
            UnregisterHotKey(nullptr, 0x4D52);
            return false;
        },
        10000));

    PostMessageW(window, WM_COMMAND, TMuraltoForm::cmExit, 0);
    EXPECT_EQ(program.Wait(20000), 0u);
    EXPECT_EQ(CountMainForms(), 0);
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x4D52, MOD_CONTROL | MOD_ALT, 'R'));
    UnregisterHotKey(nullptr, 0x4D52);
}

namespace {

// A one-entry list whose wallpaper the program applies as it starts, on a
// display of 24 bits.
void SeedOneEntryList(reg::WinRegistry& registry, const std::string& image) {
    ForgetSettings(registry);
    registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1\\MRU")
        ->SetValue("0", reg::StringValue(image));
    registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer")
        ->SetValue("ChangeOnStartup", reg::StringValue("1"));
    registry.Create(reg::Root::CurrentConfig, "Display\\Settings")->SetValue("BitsPerPixel", reg::StringValue("24"));
}

} // namespace

// The real program with "ChangeOnStartup" and a one-entry list: starting it
// writes the wallpaper bitmap, installs it (through the system parameter on
// Wine, whose Active Desktop fails every call), switches off Windows' tiling
// and records the apply; the bitmap is byte for byte what muralto-render writes.
TEST(Program, ChangeOnStartupAppliesTheListsWallpaper) {
    ASSERT_EQ(CountMainForms(), 0);
    reg::WinRegistry registry;
    const std::string image = FixturePath("bmp-24.bmp");
    SeedOneEntryList(registry, image);
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring output = std::wstring(windows) + L"\\Muralto.bmp";
    DeleteFileW(output.c_str());

    TProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowW(TMuraltoForm::kClassName, nullptr)) != nullptr; }, 20000));
    // The change happens during start-up; "Time" is its last write.
    EXPECT_TRUE(PumpUntil(
        [] { return RegText(HKEY_CURRENT_USER, L"SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1\\Options\\Changer",
                            L"Wallpaper") != "<absent>"; },
        20000));
    PostMessageW(window, WM_COMMAND, TMuraltoForm::cmExit, 0);
    EXPECT_EQ(program.Wait(20000), 0u);

    const std::vector<uint8_t> written = ReadWholeFile(output);
    ASSERT_FALSE(written.empty());
    const TBitmap bitmap = ReadBmp(written);
    EXPECT_EQ(bitmap.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(bitmap.Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(text::SameText(RegText(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper"), win::Utf8(output)));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"TileWallpaper"), "0");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WallpaperOriginX"), "0");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", L"Wallpaper"), image);
    reg::Value data;
    auto machine = registry.Open(reg::Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false);
    ASSERT_NE(machine, nullptr);
    EXPECT_TRUE(machine->QueryValue("Data", data));
    EXPECT_EQ(data.Data.size(), 36u);
    reg::Value time;
    EXPECT_TRUE(registry.Open(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false)
                    ->QueryValue("Time", time));

    const std::wstring rendered = win::Wide(FixturePath("rendered-startup.bmp"));
    TProgram render(L"\"" + win::Wide(image) + L"\" --screen " + std::to_wstring(bitmap.Width()) + L"x" +
                        std::to_wstring(bitmap.Height()) + L" --out \"" + rendered + L"\"",
                    L"muralto-render.exe");
    EXPECT_EQ(render.Wait(20000), 0u);
    EXPECT_TRUE(ReadWholeFile(rendered) == written);
    DeleteFileW(rendered.c_str());

    ForgetSettings(registry);
}

// With "ChangeLogos" on, the same start-up apply writes both Windows logos
// after backing up the system's own ones, exactly as muralto-render makes
// them for the placement.
TEST(Program, ChangeLogosWritesBothLogosAfterBackingThemUp) {
    ASSERT_EQ(CountMainForms(), 0);
    reg::WinRegistry registry;
    const std::string image = FixturePath("bmp-8.bmp");
    SeedOneEntryList(registry, image);
    registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options")
        ->SetValue("ChangeLogos", reg::StringValue("1"));
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring startup = L"C:\\Logo.sys", shutdown = std::wstring(windows) + L"\\Logow.sys";
    const std::vector<uint8_t> ownStartup = {'o', 'w', 'n', '1'}, ownShutdown = {'o', 'w', 'n', '2'};
    DeleteFileW(L"C:\\Logo.old");
    DeleteFileW((std::wstring(windows) + L"\\Logow.old").c_str());
    WriteWholeFile(startup, ownStartup);
    WriteWholeFile(shutdown, ownShutdown);

    TProgram program(L"");
    ASSERT_TRUE(program.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowW(TMuraltoForm::kClassName, nullptr)) != nullptr; }, 20000));
    // The start-up logo is the last file written.
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(startup).size() > 54; }, 30000));
    PostMessageW(window, WM_COMMAND, TMuraltoForm::cmExit, 0);
    EXPECT_EQ(program.Wait(20000), 0u);

    EXPECT_EQ(ReadWholeFile(L"C:\\Logo.old"), ownStartup);
    EXPECT_EQ(ReadWholeFile(std::wstring(windows) + L"\\Logow.old"), ownShutdown);
    const std::vector<uint8_t> startupLogo = ReadWholeFile(startup), shutdownLogo = ReadWholeFile(shutdown);
    ASSERT_GT(startupLogo.size(), 54u);
    EXPECT_EQ(startupLogo[50], 236); // the colours the system leaves alone
    const TBitmap logo = ReadBmp(shutdownLogo);
    EXPECT_EQ(logo.Width(), 320);
    EXPECT_EQ(logo.Height(), 400);

    const std::wstring renderedStartup = win::Wide(FixturePath("rendered-logo.sys"));
    const std::wstring renderedShutdown = win::Wide(FixturePath("rendered-logow.sys"));
    TProgram render(L"\"" + win::Wide(image) + L"\" --screen " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                        std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L" --startup-logo \"" + renderedStartup +
                        L"\" --shutdown-logo \"" + renderedShutdown + L"\"",
                    L"muralto-render.exe");
    EXPECT_EQ(render.Wait(20000), 0u);
    EXPECT_TRUE(ReadWholeFile(renderedStartup) == startupLogo);
    EXPECT_TRUE(ReadWholeFile(renderedShutdown) == shutdownLogo);
    DeleteFileW(renderedStartup.c_str());
    DeleteFileW(renderedShutdown.c_str());
    ForgetSettings(registry);
}
