// The properties dialog in this process, opened from the main form's tray
// menu over an in-memory registry: its pages and controls, the order of its
// writes on OK, context help, file drops, the list page's keys, menus and
// drags, and the enabling rules of the Changer and Desktop pages.
#include "app/Unit2.h"
#include "options/win/Options.h"
#include "platform/win32/TrayIcon.h"
#include "win/MenuScript.h"
#include "win/TestPlatform.h"
#include "win/TestProcess.h"

#include "win/HelpViewer.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

const std::string kProgram = "SOFTWARE\\Orrindel\\Muralto";

// Every value written, as "key\name", in the order of the writes.
class TRecordingRegistry : public reg::IRegistry {
public:
    explicit TRecordingRegistry(reg::IRegistry& inner) : inner_(inner) {}
    std::vector<std::string> Writes;

    std::unique_ptr<reg::IKey> Open(reg::Root root, const std::string& path, bool write) override {
        return Wrap(inner_.Open(root, path, write), path);
    }
    std::unique_ptr<reg::IKey> Create(reg::Root root, const std::string& path) override {
        return Wrap(inner_.Create(root, path), path);
    }
    bool DeleteTree(reg::Root root, const std::string& path) override { return inner_.DeleteTree(root, path); }

    // The names written after the first write of `from`.
    std::vector<std::string> NamesFrom(const std::string& from) const {
        std::vector<std::string> names;
        for (const std::string& write : Writes) {
            const std::string name = write.substr(write.rfind('\\') + 1);
            if (name == from || !names.empty()) names.push_back(name);
        }
        return names;
    }

private:
    class TKey : public reg::IKey {
    public:
        TKey(std::unique_ptr<reg::IKey> inner, std::string path, std::vector<std::string>& writes)
            : inner_(std::move(inner)), path_(std::move(path)), writes_(writes) {}
        bool QueryValue(const std::string& name, reg::Value& out) override { return inner_->QueryValue(name, out); }
        void SetValue(const std::string& name, const reg::Value& value) override {
            writes_.push_back(path_ + "\\" + name);
            inner_->SetValue(name, value);
        }
        bool DeleteValue(const std::string& name) override { return inner_->DeleteValue(name); }
        std::vector<std::string> SubKeyNames() override { return inner_->SubKeyNames(); }
        std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }

    private:
        std::unique_ptr<reg::IKey> inner_;
        std::string path_;
        std::vector<std::string>& writes_;
    };
    std::unique_ptr<reg::IKey> Wrap(std::unique_ptr<reg::IKey> key, const std::string& path) {
        if (!key) return nullptr;
        return std::make_unique<TKey>(std::move(key), path, Writes);
    }
    reg::IRegistry& inner_;
};

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::vector<std::wstring> ListBoxRows(HWND list) {
    std::vector<std::wstring> rows;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[MAX_PATH] = L"";
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) rows.push_back(i);
    return rows;
}

LPARAM RowCentre(HWND list, int row) {
    RECT r;
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A drop of files from the shell, as the shell builds it.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& path : paths) chars += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& path : paths) names = std::copy(path.begin(), path.end(), names) + 1;
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Holds Ctrl down for this thread's key state while it lives.
class TCtrlHeld {
public:
    TCtrlHeld() { Set(0x80); }
    ~TCtrlHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
        SetKeyboardState(keys);
    }
};

class OptionsDialog : public ::testing::Test, protected TTestPlatform {
protected:
    TRecordingRegistry recording{registry};
    TPlatform recorded{recording, files, folders, screen, clock, prompts};
    TApplication app{GetModuleHandleW(nullptr)};
    std::vector<std::string> errors;
    std::vector<ULONG_PTR> help;
    int warnings = 0;
    TFormPtr<TMuraltoForm> form;

    void SetUp() override {
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        app.OnHelpCommand = [this](UINT, ULONG_PTR context) { help.push_back(context); };
        app.OnModal = [this](TForm& modal) {
            ++warnings; // the only modal form the dialog opens is the icons warning
            modal.SetModalResult(IDOK);
        };
        Put("Options", "NoIconsWarning", "1");
        form = MakeForm<TMuraltoForm>(app, recorded, std::vector<std::string>{});
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(errors.empty()) << errors.front();
    }
    void Put(const std::string& key, const std::string& name, const std::string& text) {
        registry.Create(reg::Root::CurrentUser, kProgram + "\\" + key)->SetValue(name, reg::StringValue(text));
    }
    std::string Stored(const std::string& key, const std::string& name) {
        reg::Value value;
        auto opened = registry.Open(reg::Root::CurrentUser, kProgram + "\\" + key, false);
        return opened && opened->QueryValue(name, value) ? reg::StringOf(value) : "<absent>";
    }
    void SeedList(const std::string& name, const std::vector<std::string>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) Put("Lists\\" + name + "\\MRU", std::to_string(i), entries[i]);
    }
    // The tray's Properties entry, as choosing it runs it.
    TWallpaperOptions& Open() {
        form->BuildPopupMenu().FindByName("Options")->Click();
        EXPECT_NE(form->WallpaperOptions(), nullptr);
        return *form->WallpaperOptions();
    }
    bool Closed() {
        return PumpUntil([&] { return form->WallpaperOptions() == nullptr; }, 5000);
    }
    void Click(HWND control) {
        SendMessageW(control, BM_CLICK, 0, 0);
        app.ProcessMessages();
    }
    static BOOL CALLBACK CountDialog(HWND window, LPARAM count) {
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == TWallpaperOptions::kClassName) ++*reinterpret_cast<int*>(count);
        return TRUE;
    }
    static int Dialogs() {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
        return count;
    }
};

} // namespace

TEST_F(OptionsDialog, TheTraysPropertiesOpensOneDialogAndBringsItBack) {
    {
        // Chosen in the real tray menu by its access key.
        TMenuScript script({[] { Key('R'); }});
        SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
    }
    TWallpaperOptions* dialog = form->WallpaperOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
    RECT r;
    GetWindowRect(dialog->Handle(), &r);
    EXPECT_EQ(r.left, (screen.Width() - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (screen.Height() - (r.bottom - r.top)) / 2);

    // Again: the same dialog, in front.
    EXPECT_EQ(&Open(), dialog);
    EXPECT_EQ(Dialogs(), 1);
    // Hidden and minimised, as a failed OK leaves it: Properties shows it again.
    ShowWindow(dialog->Handle(), SW_MINIMIZE);
    ShowWindow(dialog->Handle(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the main form stays hidden";
    EXPECT_EQ(&Open(), dialog);
    EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(IsIconic(dialog->Handle()));

    // Cancel writes nothing and frees the dialog with all it made.
    recording.Writes.clear();
    Click(dialog->Control(IDCANCEL));
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Dialogs(), 0);
    EXPECT_TRUE(recording.Writes.empty()) << recording.Writes.front();
    // The close box frees it too, with everything it made.
    const int gdi = win::LiveObjects(win::TObjectKind::Gdi), user = win::LiveObjects(win::TObjectKind::User);
    SendMessageW(Open().Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), gdi);
    EXPECT_EQ(win::LiveObjects(win::TObjectKind::User), user);
}

TEST_F(OptionsDialog, ShowsItsSixPagesAndTheirControlsAsDesigned) {
    TWallpaperOptions& dialog = Open();
    HWND window = dialog.Handle();
    const int dpi = static_cast<int>(win::DpiOf(window));
    EXPECT_EQ(TextOf(window), L"Muralto Properties");
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, MulDiv(393, dpi, 120));
    EXPECT_EQ(client.bottom, MulDiv(278, dpi, 120));
    EXPECT_TRUE(GetWindowLongW(dialog.Control(IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);

    std::vector<std::wstring> tabs;
    for (int i = 0; i < TabCtrl_GetItemCount(dialog.Pages().Tabs()); ++i) {
        wchar_t text[64] = L"";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(dialog.Pages().Tabs(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        tabs.push_back(text);
    }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Changer", L"Desktop", L"General", L"Most Recent", L"Shell", L"Start"}));

    const std::pair<const char*, const wchar_t*> captions[] = {
        {"ChangeOnStartup", L"&Change on Startup."}, {"Active", L"Change &After a Period of Time."},
        {"Order", L"Order"},                         {"Minutes", L"&Minute(s)"},
        {"Time", L"1"},                              {"Restore", L"&Align Icons on Startup and on Screen Resize."},
        {"AlignNoIcons", L"&Hide"},                  {"AdjustWallpaper", L"Adjust  &Wallpaper to Screen Size."},
        {"KeepAlive", L"Keep Internet Connection &Alive."}, {"ListsButton", L"..."},
        {"SortMostRecent", L"&Sorted"},              {"Maximum", L"20"},
        {"Lists", L"List 1"},                        {"OpenWith", L"&Add \"View with Muralto\" to the context menu"},
        {"Label5", L"of supported file types."},     {"Printers", L"Add P&rinters folder to Start menu."},
        {"FPButton", L"&New Folder Pointer"},
    };
    for (const auto& [name, caption] : captions) {
        ASSERT_NE(dialog.Control(name), nullptr) << name;
        EXPECT_EQ(TextOf(dialog.Control(name)), caption) << name;
    }
    int32_t low = 0, high = 0;
    SendMessageW(dialog.Control("TimeSpin"), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(1, 525600));
    SendMessageW(dialog.Control("MaximumSpin"), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(0, 525600));

    HWND extensions = dialog.Control("ChooseExt");
    ASSERT_EQ(ListView_GetItemCount(extensions), static_cast<int>(kExtensionRowCaptions.size()));
    for (int row = 0; row < ListView_GetItemCount(extensions); ++row) {
        wchar_t text[32] = L"";
        ListView_GetItemText(extensions, row, 0, text, 32);
        EXPECT_EQ(win::Utf8(text), kExtensionRowCaptions[static_cast<size_t>(row)]);
        EXPECT_FALSE(ListView_GetCheckState(extensions, row));
    }
    // Nothing stored: Random is the order, Left the arrangement, shown but
    // not to be chosen while icons are not aligned.
    EXPECT_EQ(SendMessageW(dialog.Control("Random"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(dialog.Control("AlignLeft"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(dialog.Control("AlignLeft")));
    EXPECT_EQ(SendMessageW(dialog.Control("Recent"), LB_GETITEMHEIGHT, 0, 0), MulDiv(16, dpi, 120));

    // The second line of the verb's caption toggles its box.
    SendMessageW(dialog.Control("Label5"), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(dialog.Control("Label5"), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(SendMessageW(dialog.Control("OpenWith"), BM_GETCHECK, 0, 0), BST_CHECKED);
    // The hot key control shows the stored Ctrl+Alt+R, and turns a key
    // without modifier into Alt+key.
    HWND hotKey = dialog.Control("HotKey1");
    EXPECT_EQ(SendMessageW(hotKey, HKM_GETHOTKEY, 0, 0), MAKEWORD('R', HOTKEYF_CONTROL | HOTKEYF_ALT));
    SetFocus(hotKey);
    SendMessageW(hotKey, WM_KEYDOWN, 'K', 0);
    SendMessageW(hotKey, WM_KEYUP, 'K', 0xC0000000);
    EXPECT_EQ(SendMessageW(hotKey, HKM_GETHOTKEY, 0, 0), MAKEWORD('K', HOTKEYF_ALT));
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, OKWritesInTheOrderOfSavingAndOnlyTheTouchedPages) {
    TWallpaperOptions& dialog = Open();
    Click(dialog.Control("Active"));
    SendMessageW(dialog.Control("HotKey1"), HKM_SETHOTKEY, MAKEWORD(VK_F5, HOTKEYF_SHIFT), 0);
    recording.Writes.clear();
    Click(dialog.Control(IDOK));
    ASSERT_TRUE(Closed());
    // The list first, then the steps in their order; the Desktop page was
    // not touched and keeps its values.
    ASSERT_FALSE(recording.Writes.empty());
    EXPECT_NE(recording.Writes.front().find("MRUCapacity"), std::string::npos) << recording.Writes.front();
    std::vector<std::string> steps = recording.NamesFrom("OpenWith");
    ASSERT_GE(steps.size(), 18u);
    steps.resize(18);
    EXPECT_EQ(steps, (std::vector<std::string>{"OpenWith", "StartShortcut", "MultipleWindows", "FullScreen",
                                               "AdjustWallpaper", "CorrectLogos", "ChangeLogos", "KeepAlive",
                                               "ChangeOnStartup", "Active", "Random", "Down", "Up", "Interval", "Time",
                                               "Days", "Hours", "Minutes"}));
    EXPECT_EQ(Stored("Options\\Changer", "Active"), "1");
    EXPECT_EQ(Stored("Options\\Desktop", "RestoreIcons"), "<absent>");
    // Shift+F5 is stored and now belongs to the main form.
    reg::Value shortcut;
    registry.Open(reg::Root::CurrentUser, kProgram + "\\Options\\Shortcuts", false)->QueryValue("StartShortcut",
                                                                                                shortcut);
    EXPECT_EQ(shortcut.Data, (std::vector<uint8_t>{VK_F5, 0x20}));
    EXPECT_TRUE(form->HotKeyRegistered());
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x4D53, MOD_SHIFT, VK_F5));
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x4D53, MOD_CONTROL | MOD_ALT, 'R')) << "the old shortcut is given back";
    UnregisterHotKey(nullptr, 0x4D53);

    // Nothing touched: the changer's schedule is not restarted.
    recording.Writes.clear();
    Click(Open().Control(IDOK));
    ASSERT_TRUE(Closed());
    const std::vector<std::string> untouched = recording.NamesFrom("OpenWith");
    EXPECT_EQ(std::count(untouched.begin(), untouched.end(), "Time"), 0);
    EXPECT_EQ(std::count(untouched.begin(), untouched.end(), "RestoreIcons"), 0);
}

TEST_F(OptionsDialog, ContextHelpAsksForTheTopicOfTheControlOrItsPage) {
    TWallpaperOptions& dialog = Open();
    const std::pair<const char*, ULONG_PTR> topics[] = {
        {"ChangeOnStartup", 123}, {"Time", 28},      {"TimeSpin", 28},  {"Label1", 28},   {"AlignSpiral", 107},
        {"Alignment", 38},        {"KeepAlive", 122}, {"Lists", 118},    {"Maximum", 24},  {"Recent", 25},
        {"ChooseExt", 38},        {"Label4", 41},     {"FPButton", 116}, {"HotKey1", 117}, {"Panel2", 0},
    };
    for (const auto& [name, topic] : topics) {
        help.clear();
        HWND control = dialog.Control(name);
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = control;
        SendMessageW(GetParent(control), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(help, topic ? std::vector<ULONG_PTR>{topic} : std::vector<ULONG_PTR>{}) << name;
    }
    // F1 through the program's loop asks for the focused control's topic.
    help.clear();
    SetFocus(dialog.Control("Active"));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_F1, 0);
    app.ProcessMessages();
    EXPECT_EQ(help, std::vector<ULONG_PTR>{26});
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, FilesDroppedOnTheDialogBecomeSelectedRowsUpToTheLimit) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("muralto-drop-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder / "sub");
    for (const char* name : {"a.bmp", "notes.txt", "sub\\c.gif", "b.jpg"}) std::ofstream(folder / name) << "x";
    const std::wstring base = folder.wstring();
    TWallpaperOptions& dialog = Open();
    dialog.ShowPage(TWallpaperOptions::piGeneral);

    SendMessageW(dialog.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({base + L"\\a.bmp", base + L"\\notes.txt", base + L"\\sub"})), 0);
    EXPECT_EQ(dialog.Pages().ActivePage(), TWallpaperOptions::piMostRecent);
    HWND recent = dialog.Control("Recent");
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{base + L"\\a.bmp", base + L"\\sub\\c.gif"}));
    EXPECT_EQ(SelectedRows(recent), (std::vector<int>{0, 1}));
    EXPECT_TRUE(prompts.Messages.empty());

    // The limit as typed into its box: nothing more, and the error box once.
    SetWindowTextW(dialog.Control("Maximum"), L"2");
    SendMessageW(dialog.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({base + L"\\b.jpg"})), 0);
    EXPECT_EQ(ListBoxRows(recent).size(), 2u);
    EXPECT_TRUE(SelectedRows(recent).empty());
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Messages[0].Text, listtexts::kLimitReached);
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
    std::filesystem::remove_all(folder);
}

TEST_F(OptionsDialog, TheChangersControlsFollowItsTwoBoxes) {
    TWallpaperOptions& dialog = Open();
    const auto enabled = [&](std::initializer_list<const char*> names) {
        std::vector<bool> states;
        for (const char* name : names) states.push_back(IsWindowEnabled(dialog.Control(name)) != FALSE);
        return states;
    };
    const std::vector<bool> none(4, false), all(4, true);
    EXPECT_EQ(enabled({"Order", "Random", "Down", "Up"}), none);
    EXPECT_EQ(enabled({"Time", "Days", "Hours", "Minutes"}), none);
    EXPECT_FALSE(dialog.Changer().Changed()) << "loading leaves the page untouched";

    Click(dialog.Control("ChangeOnStartup"));
    EXPECT_EQ(enabled({"Order", "Random", "Down", "Up"}), all);
    EXPECT_EQ(enabled({"Time", "Days", "Hours", "Minutes"}), none);
    EXPECT_TRUE(dialog.Changer().Changed());
    Click(dialog.Control("Active"));
    EXPECT_EQ(enabled({"Time", "Days", "Hours", "Minutes"}), all);
    Click(dialog.Control("ChangeOnStartup"));
    EXPECT_EQ(enabled({"Order", "Random", "Down", "Up"}), all) << "Active alone changes too";
    Click(dialog.Control("Active"));
    EXPECT_EQ(enabled({"Order", "Random", "Down", "Up"}), none);
    EXPECT_EQ(enabled({"Time", "Days", "Hours", "Minutes"}), none);
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, AligningIconsWarnsOnlyWhenTheWarningIsWanted) {
    TWallpaperOptions& dialog = Open();
    Click(dialog.Control("Restore"));
    EXPECT_EQ(warnings, 0) << "NoIconsWarning is 1";
    EXPECT_TRUE(IsWindowEnabled(dialog.Control("AlignCustom")));
    EXPECT_TRUE(dialog.Desktop().Changed());
    Click(dialog.Control("Restore"));
    EXPECT_FALSE(IsWindowEnabled(dialog.Control("AlignCustom")));
    Click(dialog.Control(IDCANCEL));
    ASSERT_TRUE(Closed());

    // Stored on: loading shows no warning; checking again does.
    Put("Options", "NoIconsWarning", "0");
    Put("Options\\Desktop", "RestoreIcons", "1");
    TWallpaperOptions& again = Open();
    EXPECT_EQ(warnings, 0);
    EXPECT_TRUE(IsWindowEnabled(again.Control("AlignLeft")));
    Click(again.Control("Restore"));
    Click(again.Control("Restore"));
    EXPECT_EQ(warnings, 1);
    Click(again.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, TheListsKeysAndPopUpWorkOnTheRows) {
    SeedList("List 1", {"C:\\A.bmp", "C:\\B.bmp", "C:\\C.bmp"});
    TWallpaperOptions& dialog = Open();
    dialog.ShowPage(TWallpaperOptions::piMostRecent);
    HWND recent = dialog.Control("Recent");
    ASSERT_EQ(ListBoxRows(recent).size(), 3u);
    {
        TCtrlHeld ctrl;
        SendMessageW(recent, WM_KEYDOWN, 'A', 0);
    }
    EXPECT_EQ(SelectedRows(recent), (std::vector<int>{0, 1, 2}));

    // A right click on an unselected row selects it alone; the pop-up offers
    // Cut, Copy and Delete for it, Paste only once something was copied.
    std::vector<std::wstring> captions;
    std::vector<bool> enabled;
    const auto readMenu = [&] {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(OpenMenuWindow(), MN_GETHMENU, 0, 0));
        captions = MenuCaptions(menu);
        enabled.clear();
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
            enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED));
    };
    SendMessageW(recent, LB_SETSEL, FALSE, -1);
    SendMessageW(recent, LB_SETSEL, TRUE, 0);
    {
        TMenuScript script({readMenu, [] { Key('C'); }});
        SendMessageW(recent, WM_RBUTTONDOWN, MK_RBUTTON, RowCentre(recent, 2));
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Cu&t", L"&Copy", L"&Paste", L"-", L"&Delete"}));
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, true}));
    EXPECT_EQ(SelectedRows(recent), std::vector<int>{2});
    ASSERT_EQ(dialog.ListEditor().ClipItems.size(), 1u);
    EXPECT_EQ(dialog.ListEditor().ClipItems[0].Path, "C:\\C.bmp");

    // Delete asks first; No keeps the row, Yes removes it.
    prompts.ConfirmAnswers = {false, true};
    SendMessageW(recent, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ListBoxRows(recent).size(), 3u);
    SendMessageW(recent, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"C:\\A.bmp", L"C:\\B.bmp"}));
    EXPECT_EQ(prompts.Questions, std::vector<std::string>(2, listtexts::kRemoveOne));

    // Paste from the right click's row: the copied row comes back there.
    {
        TMenuScript script({readMenu, [] { Key('P'); }});
        SendMessageW(recent, WM_RBUTTONDOWN, MK_RBUTTON, RowCentre(recent, 1));
    }
    EXPECT_TRUE(enabled[2]);
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"C:\\A.bmp", L"C:\\C.bmp", L"C:\\B.bmp"}));
    EXPECT_EQ(SelectedRows(recent), std::vector<int>{1});
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, DraggingRowsMovesTheSelectionUnlessTheListIsSorted) {
    // The screen's own pointer stays out of the way: while the list holds
    // the capture, the system's moves of it would reach the list too.
    SetCursorPos(0, 0);
    SeedList("List 1", {"A", "B", "C", "D", "E"});
    TWallpaperOptions& dialog = Open();
    dialog.ShowPage(TWallpaperOptions::piMostRecent);
    HWND recent = dialog.Control("Recent");
    const auto drag = [&](int from, int to) {
        SendMessageW(recent, WM_LBUTTONDOWN, MK_LBUTTON, RowCentre(recent, from));
        SendMessageW(recent, WM_MOUSEMOVE, MK_LBUTTON, RowCentre(recent, to));
        SendMessageW(recent, WM_LBUTTONUP, 0, RowCentre(recent, to));
    };
    SendMessageW(recent, LB_SETSEL, TRUE, 0);
    SendMessageW(recent, LB_SETSEL, TRUE, 1);
    drag(0, 3);
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"C", L"D", L"A", L"B", L"E"}));
    EXPECT_EQ(SelectedRows(recent), (std::vector<int>{2, 3}));
    EXPECT_FALSE(dialog.MostRecent().Dragging());

    // Resting on the top row scrolls up, below the rows scrolls down.
    SendMessageW(recent, WM_LBUTTONDOWN, MK_LBUTTON, RowCentre(recent, 2));
    SendMessageW(recent, WM_MOUSEMOVE, MK_LBUTTON, RowCentre(recent, 0));
    EXPECT_TRUE(dialog.MostRecent().ScrollingUp());
    RECT client;
    GetClientRect(recent, &client);
    SendMessageW(recent, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, client.bottom - 2));
    EXPECT_FALSE(dialog.MostRecent().ScrollingUp());
    EXPECT_TRUE(dialog.MostRecent().ScrollingDown());
    SendMessageW(recent, WM_LBUTTONUP, 0, MAKELPARAM(5, client.bottom + 40)); // outside: nothing moves
    EXPECT_FALSE(dialog.MostRecent().ScrollingDown());
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"C", L"D", L"A", L"B", L"E"}));

    // A click without a drag on a selected row selects it alone.
    SendMessageW(recent, WM_LBUTTONDOWN, MK_LBUTTON, RowCentre(recent, 3));
    SendMessageW(recent, WM_LBUTTONUP, 0, RowCentre(recent, 3));
    EXPECT_EQ(SelectedRows(recent), std::vector<int>{3});

    Click(dialog.Control("SortMostRecent"));
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"A", L"B", L"C", L"D", L"E"}));
    drag(1, 4);
    EXPECT_EQ(ListBoxRows(recent), (std::vector<std::wstring>{L"A", L"B", L"C", L"D", L"E"}));
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, TheListButtonOffersEveryListAndLoadsTheChosenOne) {
    SeedList("List 1", {"C:\\one.bmp"});
    SeedList("Holiday", {"C:\\beach.jpg", "C:\\hill.jpg"});
    Put("Lists", "Current", "List 1");
    TWallpaperOptions& dialog = Open();
    dialog.ShowPage(TWallpaperOptions::piMostRecent);
    std::vector<std::wstring> names;
    std::vector<bool> checked;
    TMenuScript script({[&] {
                            HMENU menu = reinterpret_cast<HMENU>(SendMessageW(OpenMenuWindow(), MN_GETHMENU, 0, 0));
                            names = MenuCaptions(menu);
                            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                                checked.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED);
                        },
                        [] { Key(VK_DOWN); }, [] { Key(VK_RETURN); }});
    Click(dialog.Control("ListsButton"));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Holiday", L"List 1"}));
    EXPECT_EQ(checked, (std::vector<bool>{false, true}));
    EXPECT_EQ(GetFocus(), dialog.Control("Lists"));
    EXPECT_EQ(TextOf(dialog.Control("Lists")), L"Holiday");
    EXPECT_EQ(ListBoxRows(dialog.Control("Recent")), (std::vector<std::wstring>{L"C:\\beach.jpg", L"C:\\hill.jpg"}));
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, TheKeyboardReachesThePagesTheirControlsAndTheButtons) {
    TWallpaperOptions& dialog = Open();
    // Keys as the system delivers them: to the focus, through the program's loop.
    const auto key = [&](UINT message, WPARAM code) {
        PostMessageW(GetFocus(), message, code, message == WM_SYSCHAR ? 1 << 29 : 0);
        app.ProcessMessages();
    };
    EXPECT_EQ(GetFocus(), dialog.Control("ChangeOnStartup"));
    key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.Control("Active"));
    {
        TCtrlHeld ctrl;
        key(WM_KEYDOWN, VK_TAB);
    }
    EXPECT_EQ(dialog.Pages().ActivePage(), TWallpaperOptions::piDesktop);
    EXPECT_EQ(GetFocus(), dialog.Control("Restore"));
    // "&Align Icons..." on the page shown, not "Change &After..." behind it.
    key(WM_SYSCHAR, 'a');
    EXPECT_EQ(SendMessageW(dialog.Control("Restore"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(dialog.Control("Active"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // The arrows move within the radio run and choose as they go.
    key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.Control("AlignLeft"));
    key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(GetFocus(), dialog.Control("AlignRight"));
    EXPECT_EQ(SendMessageW(dialog.Control("AlignRight"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(dialog.Control("AlignLeft"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.Control(IDOK));
    key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Stored("Options\\Desktop", "RestoreIcons"), "<absent>") << "Escape is Cancel";
}

// Not a check: shows each page in turn for screenshots of the dialog. The
// folder named by MURALTO_SHOTS gets "ready-N" when page N shows, and the
// page stays until "done-N" appears there (taken by a script outside).
TEST_F(OptionsDialog, DISABLED_ShowsEachPageForScreenshots) {
    const char* folder = std::getenv("MURALTO_SHOTS");
    if (!folder) GTEST_SKIP() << "MURALTO_SHOTS names no folder";
    SeedList("List 1", {"C:\\Pictures\\Holiday\\beach.jpg", "C:\\Pictures\\hill.bmp", "C:\\Pictures\\sunset.gif"});
    TWallpaperOptions& dialog = Open();
    for (int page = 0; page < TWallpaperOptions::kPageCount; ++page) {
        dialog.ShowPage(page);
        SetFocus(dialog.Control(IDOK));
        const std::filesystem::path base(folder);
        app.ProcessMessages();
        std::ofstream(base / ("ready-" + std::to_string(page))) << "";
        EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists(base / ("done-" + std::to_string(page))); }, 60000));
    }
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, EveryControlAndPageHelpContextHasATopicWithANote) {
    TWallpaperOptions& dialog = Open();
    int numbered = 0;
    for (int i = 0; i < TWallpaperOptions::kPageCount; ++i) {
        const TOptionsPage& page = dialog.Page(i);
        for (const win::TControlSpec& row : page.ControlTable().Table()) {
            // A control without a number asks for its page's.
            const int context = row.HelpContext ? row.HelpContext : page.HelpContext();
            const std::string asker = row.HelpContext ? row.Name : page.Name();
            if (context == 0) continue;
            ++numbered;
            const help::THelpTopic* topic = help::FindHelpTopic(context, asker);
            ASSERT_NE(topic, nullptr) << row.Name << " (" << context << ")";
            EXPECT_NE(topic->Popup, nullptr) << row.Name;
        }
    }
    EXPECT_GT(numbered, 40);
    // The numbers two pages share lead each control to its own page.
    EXPECT_STREQ(help::FindHelpTopic(38, "ChooseExt")->Page, "shell-page.html");
    EXPECT_STREQ(help::FindHelpTopic(41, "Launch")->Page, "start-page.html");
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}

TEST_F(OptionsDialog, F1OnAControlOpensItsTopicAndPointingHelpAsksForItsNote) {
    app.OnHelpCommand = nullptr; // the real viewer; the main form points at its folder
    std::vector<help::THtmlHelpRequest> asked;
    app.OnHtmlHelp = [&](const help::THtmlHelpRequest& request) { asked.push_back(request); };
    TWallpaperOptions& dialog = Open();
    dialog.ShowPage(TWallpaperOptions::piStart);
    SetFocus(dialog.Control("Launch"));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_F1, 0);
    app.ProcessMessages();
    ASSERT_EQ(asked.size(), 1u);
    ExpectViewerAt(app, asked[0], "start-page.html", "Start page");

    // After the title bar's "?" a click on a control asks for its note.
    asked.clear();
    app.SetContextHelpMode(true);
    HWND control = dialog.Control("ChooseExt");
    HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(control), control, 0, {20, 20}};
    SendMessageW(GetParent(control), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    app.SetContextHelpMode(false);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Action, help::THtmlHelpAction::Popup);
    EXPECT_EQ(asked[0].Popup, help::FindHelpTopic(38, "ChooseExt")->Popup);
    app.CloseHelp();
    Click(dialog.Control(IDCANCEL));
    EXPECT_TRUE(Closed());
}
