// The folder pointer wizard's window in this process: its look, its buttons
// and keys making a real pointer with the Windows shell in a throwaway
// "Start Menu", the one wizard at a time, and the shell's own pickers.
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/ShellItem.h"
#include "platform/win32/WinServices.h"
#include "platform/win32/WinShell.h"
#include "help/HelpTopics.h"
#include "shell/win/FPWizard.h"
#include "unit/ImageTestSupport.h"
#include "win/TestPlatform.h"
#include "win/TestProcess.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>

namespace {

const std::string kSuffix = ".{fa6c62a0-9fe5-11d2-9e61-444553540000}";

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return win::Utf8(path);
}

class FPWizard : public ::testing::Test, protected TTestPlatform {
protected:
    win::ComScope com; // as the program's entry has it
    TApplication app{GetModuleHandleW(nullptr)};
    WinShell shell;
    std::vector<std::string> errors;
    TFPWizardHolder holder{app, platform, shell};
    const std::string root = win::Utf8(
        (std::filesystem::temp_directory_path() / ("muralto-fpwizard-" + std::to_string(ProcessId()))).wstring());
    const std::string startMenu = root + "\\Start Menu", target = root + "\\Pictures of mine";
    const int gdi = win::LiveObjects(win::TObjectKind::Gdi), user = win::LiveObjects(win::TObjectKind::User);

    void SetUp() override {
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        ASSERT_TRUE(shell.CreateFolder(startMenu) && shell.CreateFolder(target));
    }
    void TearDown() override {
        EXPECT_TRUE(PumpUntil([&] { return holder.Form() == nullptr; }, 5000)) << "the wizard is gone";
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), gdi);
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::User), user);
        EXPECT_TRUE(errors.empty()) << errors.front();
        std::filesystem::remove_all(win::Wide(root));
    }
    void Click(int id) {
        SendMessageW(holder.Form()->Control(id), BM_CLICK, 0, 0);
        app.ProcessMessages();
    }
    // A key as the system delivers it: to the focus, through the program's loop.
    void Key(UINT message, WPARAM key) {
        PostMessageW(GetFocus(), message, key, message == WM_SYSCHAR ? 1 << 29 : 0);
        app.ProcessMessages();
    }
};

} // namespace

TEST_F(FPWizard, OpensCentredAsDesignedAndOnlyOnce) {
    TFPForm& form = holder.Show();
    const int dpi = static_cast<int>(win::DpiOf(form.Handle()));
    EXPECT_EQ(TextOf(form.Handle()), L"New Folder Pointer");
    EXPECT_EQ(GetWindowLongW(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU)
        << "a fixed single border";
    EXPECT_TRUE(GetClassLongPtrW(form.Handle(), GCLP_HICON));
    RECT client, frame;
    GetClientRect(form.Handle(), &client);
    GetWindowRect(form.Handle(), &frame);
    EXPECT_EQ(client.right, MulDiv(497, dpi, 120));
    EXPECT_EQ(client.bottom, MulDiv(264, dpi, 120));
    EXPECT_EQ(frame.left, (screen.Width() - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (screen.Height() - (frame.bottom - frame.top)) / 2);

    EXPECT_EQ(TextOf(form.Field("Label2")), L"Folder Pointer &Name:");
    EXPECT_EQ(TextOf(form.Control("Back")), L"< Back");
    EXPECT_FALSE(IsWindowEnabled(form.Control("Back")) || IsWindowEnabled(form.Field("FolderName")) ||
                 IsWindowEnabled(form.Field("FolderLocation")) || IsWindowEnabled(form.Field("FolderPoints")));
    EXPECT_TRUE(GetWindowLongW(form.Field("FolderPoints"), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(GetWindowLongW(form.Control("Next"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetFocus(), form.Control("Next"));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.Field("Tip"), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, win::MessageFont(static_cast<UINT>(dpi)).lfFaceName) << "the system's font";

    EXPECT_EQ(&holder.Show(), &form) << "the button brings the open wizard back";
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); // the title bar's close box
}

TEST_F(FPWizard, ItsButtonsMakeAPointerToAFolderInTheStartMenu) {
    TFPForm& form = holder.Show();
    prompts.StartMenuFolderAnswers = {std::nullopt, startMenu}; // cancelled first
    Click(TFPForm::idNext);
    EXPECT_EQ(form.Steps().Step(), 0);
    Click(TFPForm::idNext);
    EXPECT_EQ(TextOf(form.Field("FolderLocation")), win::Wide(startMenu));
    EXPECT_EQ(TextOf(form.Field("Tip")), L"Please enter a name for the new Folder Pointer, and then press Next.");
    EXPECT_TRUE(IsWindowEnabled(form.Control("Back")));
    EXPECT_EQ(GetFocus(), form.Field("FolderName"));

    SetWindowTextW(form.Field("FolderName"), L"Pictures");
    Click(TFPForm::idNext);
    EXPECT_FALSE(IsWindowEnabled(form.Field("FolderName")));
    // The user picks one target, goes back and picks another.
    for (const std::string& picked : {root, target}) {
        prompts.ShellItemAnswers.push_back(
            TPickedShellItem{std::make_shared<win::TShellItem>(ILCreateFromPathW(win::Wide(picked).c_str())), picked});
        Click(TFPForm::idNext);
        EXPECT_EQ(TextOf(form.Field("FolderPoints")), win::Wide(picked));
        EXPECT_EQ(TextOf(form.Control("Next")), L"Finish");
        if (picked == root) Click(TFPForm::idBack);
    }
    EXPECT_EQ(TextOf(form.Field("FolderLocation")), win::Wide(startMenu));
    Click(TFPForm::idNext); // Finish
    ASSERT_TRUE(PumpUntil([&] { return holder.Form() == nullptr; }, 5000));
    const std::string pointer = startMenu + "\\Pictures" + kSuffix;
    EXPECT_EQ(shell.LinkTarget(pointer + "\\Folder.lnk"), target);
    EXPECT_FALSE(files.DirectoryExists(startMenu + "\\Pictures")) << "renamed, not copied";
    EXPECT_TRUE(prompts.Messages.empty());
}

TEST_F(FPWizard, TheKeysWorkAsInADialogAndRefusalsBringTheFocusBackToTheName) {
    ASSERT_TRUE(shell.CreateFolder(startMenu + "\\Taken"));
    TFPForm& form = holder.Show();
    prompts.StartMenuFolderAnswers.push_back(startMenu);
    Key(WM_KEYDOWN, VK_RETURN); // Enter is Next
    HWND name = form.Field("FolderName");
    ASSERT_EQ(GetFocus(), name);
    for (const wchar_t* refused : {L"", L"A: the pictures", L"Taken"}) {
        SetWindowTextW(name, refused);
        SetFocus(form.Control("Next"));
        Key(WM_KEYDOWN, VK_RETURN);
        EXPECT_EQ(GetFocus(), name);
    }
    EXPECT_EQ(prompts.Messages.size(), 2u);
    EXPECT_EQ(form.Steps().Step(), 1);

    SetFocus(form.Control("Cancel"));
    Key(WM_SYSCHAR, L'n'); // the mnemonic of the name's label
    EXPECT_EQ(GetFocus(), name);
    // Back with the focus on it at the first step: the keyboard moves on to Next.
    SetFocus(form.Control("Back"));
    Key(WM_KEYDOWN, VK_SPACE);
    Key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(form.Steps().Step(), 0);
    EXPECT_EQ(GetFocus(), form.Control("Next"));
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), form.Control("Cancel"));
    Key(WM_KEYDOWN, VK_ESCAPE); // Cancel: nothing was made
    ASSERT_TRUE(PumpUntil([&] { return holder.Form() == nullptr; }, 5000));
    EXPECT_FALSE(files.DirectoryExists(startMenu + "\\Taken" + kSuffix));
}

namespace {

// Answers the shell's own pickers from a timer of this thread (their modal
// loop runs it): notes the caption and presses OK on what each opens at; one
// that will not close is cancelled, so nothing waits.
std::vector<std::wstring> pickerCaptions;
void CALLBACK AnswerPicker(HWND, UINT, UINT_PTR, DWORD) {
    static HWND answered = nullptr;
    static int waited = 0;
    HWND picker = FindWindowW(L"#32770", nullptr);
    if (!picker || GetWindowThreadProcessId(picker, nullptr) != GetCurrentThreadId()) return;
    if (picker != answered) {
        answered = picker, waited = 0;
        pickerCaptions.push_back(TextOf(picker));
        PostMessageW(picker, WM_COMMAND, IDOK, 0);
    } else if (++waited == 100) {
        PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    }
}

} // namespace

TEST_F(FPWizard, TheShellsPickersOpenAtTheStartMenuAndAtTheDesktop) {
    WinPrompts shown(app);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerPicker);
    const std::optional<std::string> folder = shown.PickStartMenuFolder();
    const std::optional<TPickedShellItem> item = shown.PickShellItem();
    KillTimer(nullptr, timer);

    EXPECT_EQ(pickerCaptions, (std::vector<std::wstring>{L"Select Folder", L"Select Folder"}));
    EXPECT_EQ(folder.value_or("(cancelled)"), KnownFolder(CSIDL_STARTMENU)) << "the root opens selected";
    ASSERT_TRUE(item);
    const auto* own = dynamic_cast<const win::TShellItem*>(item->Item.get());
    ASSERT_TRUE(own && own->Get()) << "the link object takes the item back as the shell's list";
    EXPECT_EQ(own->Get()->mkid.cb, 0) << "the desktop is the empty list";
    EXPECT_EQ(item->Text, KnownFolder(CSIDL_DESKTOPDIRECTORY)) << "its parsing name";
}

TEST_F(FPWizard, F1OnAnyPartAsksForTheFolderPointersTopic) {
    std::vector<ULONG_PTR> help;
    app.OnHelpCommand = [&](UINT command, ULONG_PTR context) {
        EXPECT_EQ(command, UINT(HELP_CONTEXT));
        help.push_back(context);
    };
    TFPForm& form = holder.Show();
    for (HWND part : {form.Control("Next"), form.Field("Tip"), form.Field("FolderPoints")}) {
        HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(part), part, 0, {}};
        SendMessageW(GetParent(part), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    EXPECT_EQ(help, (std::vector<ULONG_PTR>{116, 116, 116}));
    ASSERT_NE(help::FindHelpTopic(116), nullptr);
    EXPECT_STREQ(help::FindHelpTopic(116)->Page, "folder-pointers.html");
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}
