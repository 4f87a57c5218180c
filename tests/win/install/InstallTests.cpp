// The real program installed into a Wine prefix of its own (see
// run-in-own-prefix.sh): what its first start writes into the shell, that a
// second start repeats none of the first run, and that "/u" takes it all
// away again; then a folder pointer made by the wizard, opened through the
// registered extension.
#include "KelpfoldTestSupport.h"

#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/ShellItem.h"
#include "platform/win32/WinRegistry.h"
#include "platform/win32/WinServices.h"
#include "platform/win32/WinShell.h"
#include "shell/win/FPWizard.h"
#include "win/HelpViewer.h"
#include "win/TestPlatform.h"
#include "win/TestProcess.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <filesystem>

namespace {

const std::wstring kMyComputer = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Muralto";
const wchar_t kProgramKey[] = L"SOFTWARE\\Orrindel\\Muralto";

// The copied program, as the script names it.
std::wstring Installed() {
    const char* path = std::getenv("MURALTO_INSTALLED");
    return path ? win::Wide(path) : std::wstring();
}

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring ShortName(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = L"";
    const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return n && n < MAX_PATH ? buffer : path;
}

bool KeyExists(HKEY root, const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring Text(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t buffer[1024] = L"";
    DWORD size = sizeof buffer;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return buffer;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SameText(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// The link's target as the shell reads it back: a path, or the parsing name
// of a virtual folder.
std::wstring LinkTarget(const std::wstring& link) {
    WinShell shell;
    return win::Wide(shell.LinkTarget(win::Utf8(link)));
}

struct TFindBox {
    DWORD Process;
    HWND Found = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM data) {
    auto* find = reinterpret_cast<TFindBox*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t name[16] = L"";
    if (process == find->Process && IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 16) &&
        std::wstring(name) == L"#32770") {
        find->Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The message box's text: the static control the system gives the id 0xFFFF.
std::wstring BoxText(HWND box) {
    wchar_t text[512] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    return text;
}

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (Installed().empty()) GTEST_SKIP() << "runs only in a prefix of its own (run-in-own-prefix.sh)";
        program = Installed();
        folder = program.substr(0, program.find_last_of(L'\\'));
    }

    // The program's main window, once it is there.
    static HWND WaitForMainForm() {
        HWND main = nullptr;
        PumpUntil([&] { return (main = FindWindowW(L"TMuraltoForm", nullptr)) != nullptr; }, 30000);
        return main;
    }
    static void Exit(TChildProcess& running, HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(running.Ended(15000)) << "the program ends when its window closes";
    }

    std::wstring program, folder;
    const std::wstring startMenu = KnownFolder(CSIDL_STARTMENU);
    const std::wstring startupLink = KnownFolder(CSIDL_STARTUP) + L"\\Muralto.lnk";
    const std::wstring pointer = startMenu + L"\\My Computer" + kPointerSuffix;
};

TEST_F(InstalledProgram, FirstStartRegistersSecondRepeatsNothingAndUninstallRemovesAll) {
    win::ComScope com; // the shell's link object
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProgramKey)) << "a fresh prefix";
    const std::wstring command = L"\"" + program + L"\" \"%1\"";
    {
        SCOPED_TRACE("first start");
        TChildProcess first(L"\"" + program + L"\"");
        ASSERT_TRUE(first.Started());
        HWND main = WaitForMainForm();
        ASSERT_TRUE(main);
        // The registration tool runs on its own; the program does not wait.
        EXPECT_TRUE(PumpUntil([] { return KeyExists(HKEY_CLASSES_ROOT, kClassKey); }, 30000))
            << "the extension registered itself";
        EXPECT_TRUE(SameText(Text(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\InProcServer32"),
                             ShortName(folder + L"\\kelpfold.dll")) ||
                    SameText(Text(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\InProcServer32"),
                             folder + L"\\kelpfold.dll"));
        EXPECT_EQ(Text(HKEY_CLASSES_ROOT, L"Muralto"), L"Muralto File");
        EXPECT_EQ(Text(HKEY_CLASSES_ROOT, L"Muralto\\DefaultIcon"), program + L",0");
        EXPECT_EQ(Text(HKEY_CLASSES_ROOT, L"Muralto\\Shell\\Open\\Command"), command);
        EXPECT_EQ(Text(HKEY_CLASSES_ROOT, L"MuraltoNoIcon\\DefaultIcon"), L"%1");
        EXPECT_EQ(Text(HKEY_CLASSES_ROOT, L"MuraltoNoIcon\\Shell\\Open\\Command"), command);
        EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Muralto 2.5");
        EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"), program + L" /u");
        EXPECT_TRUE(PumpUntil([&] { return Exists(startupLink); }, 10000));
        EXPECT_TRUE(SameText(LinkTarget(startupLink), program)) << win::Utf8(LinkTarget(startupLink));
        EXPECT_TRUE(SameText(LinkTarget(pointer + L"\\Folder.lnk"), kMyComputer))
            << "the My Computer pointer carries the class suffix and leads to My Computer";
        EXPECT_FALSE(Exists(startMenu + L"\\My Computer")) << "renamed, not copied";
        // The first run opens the help's contents from the unpacked zip.
        HWND viewer = WaitForHelpViewer(first.Id());
        ASSERT_TRUE(viewer) << "the help viewer opened";
        EXPECT_EQ(WindowCaption(viewer), L"Muralto Help");
        Exit(first, main);
    }
    {
        SCOPED_TRACE("second start");
        ASSERT_TRUE(DeleteFileW(startupLink.c_str()));
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Muralto");
        TChildProcess second(L"\"" + program + L"\"");
        HWND main = WaitForMainForm();
        ASSERT_TRUE(main);
        // The file types are written at every start; the first run is not.
        EXPECT_TRUE(PumpUntil([&] { return Text(HKEY_CLASSES_ROOT, L"Muralto\\Shell\\Open\\Command") == command; },
                              10000));
        PumpUntil([] { return false; }, 1500);
        EXPECT_FALSE(Exists(startupLink)) << "no first-run step the second time";
        EXPECT_EQ(HelpViewerWindow(second.Id()), nullptr) << "nor its help";
        Exit(second, main);
    }
    {
        SCOPED_TRACE("uninstall");
        // A StartUp shortcut that the uninstall has to take away.
        {
            WinShell shell;
            auto link = shell.NewLink();
            ASSERT_TRUE(link);
            link->SetTarget(win::Utf8(program));
            ASSERT_TRUE(link->Save(win::Utf8(startupLink)));
        }
        const std::wstring winInit = KnownFolder(CSIDL_WINDOWS) + L"\\WinInit.ini";
        DeleteFileW(winInit.c_str());
        TChildProcess uninstall(L"\"" + program + L"\" /u");
        TFindBox find{uninstall.Id()};
        ASSERT_TRUE(PumpUntil(
            [&] {
                EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&find));
                return find.Found != nullptr;
            },
            30000));
        EXPECT_EQ(BoxText(find.Found), L"To complete the removal you must restart Windows.");

        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Muralto"));
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"MuraltoNoIcon"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProgramKey));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kProgramKey)) << "the user's settings stay";
        EXPECT_FALSE(Exists(startupLink));
        EXPECT_FALSE(Exists(pointer));
        EXPECT_TRUE(PumpUntil([] { return !KeyExists(HKEY_CLASSES_ROOT, kClassKey); }, 30000))
            << "the extension unregistered itself";

        // The files go when Windows starts again: the extension's line first.
        const std::vector<uint8_t> bytes = [&] {
            std::vector<uint8_t> read;
            win::UniqueFileHandle file(
                CreateFileW(winInit.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            if (!file) return read;
            read.resize(GetFileSize(file.Get(), nullptr));
            DWORD got = 0;
            if (!read.empty()) ReadFile(file.Get(), read.data(), DWORD(read.size()), &got, nullptr);
            read.resize(got);
            return read;
        }();
        const std::string text(bytes.begin(), bytes.end());
        const std::string exe = win::Utf8(ShortName(program)), dll = win::Utf8(ShortName(folder + L"\\kelpfold.dll"));
        EXPECT_EQ(text.rfind("[Rename]\r\nNUL=", 0), 0u) << text;
        const size_t exeLine = text.find("NUL=" + exe + "\r\n"), dllLine = text.find("NUL=" + dll + "\r\n");
        EXPECT_NE(exeLine, std::string::npos) << text;
        EXPECT_NE(dllLine, std::string::npos) << text;

        PostMessageW(find.Found, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(uninstall.Ended(15000)) << "the program ends after the message";
    }
}

// The wizard's pointer to a folder, opened by the shell through the
// extension as the Start menu opens it, lists the folder's files.
TEST_F(InstalledProgram, TheWizardsPointerOpensItsTargetThroughTheExtension) {
    win::ComScope com;
    TLibrary library;
    ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    TTempFolder temp;
    const std::wstring menu = temp.MakeFolder(L"Start Menu");
    const std::wstring target = temp.MakeFolder(L"Pictures of mine");
    temp.MakeFile(L"Pictures of mine\\a.jpg");
    temp.MakeFile(L"Pictures of mine\\b.gif");

    TApplication app{GetModuleHandleW(nullptr)};
    TTestPlatform test;
    TPlatform& platform = test.platform;
    ScriptedPrompts& prompts = test.prompts;
    WinShell shell;
    prompts.StartMenuFolderAnswers = {win::Utf8(menu)};
    prompts.ShellItemAnswers.push_back(
        TPickedShellItem{std::make_shared<win::TShellItem>(ILCreateFromPathW(target.c_str())), win::Utf8(target)});
    {
        TFPWizardHolder holder{app, platform, shell};
        TFPForm& form = holder.Show();
        const auto click = [&](int id) {
            SendMessageW(holder.Form()->Control(id), BM_CLICK, 0, 0);
            app.ProcessMessages();
        };
        click(TFPForm::idNext);
        SetWindowTextW(form.Field("FolderName"), L"Pictures");
        click(TFPForm::idNext);
        click(TFPForm::idNext);
        click(TFPForm::idNext); // Finish
        ASSERT_TRUE(PumpUntil([&] { return holder.Form() == nullptr; }, 5000));
    }
    const std::wstring made = menu + L"\\Pictures" + kPointerSuffix;
    ASSERT_TRUE(Exists(made + L"\\Folder.lnk"));
    // Windows knows the junction by its name; Wine's shell needs the class in
    // the folder's desktop.ini as well.
    temp.MakeFile(L"Start Menu\\Pictures" + std::wstring(kPointerSuffix) + L"\\desktop.ini",
                  "[.ShellClassInfo]\r\nCLSID={FA6C62A0-9FE5-11D2-9E61-444553540000}\r\n");
    SetFileAttributesW(made.c_str(), FILE_ATTRIBUTE_SYSTEM);

    {
        TBaseBar openMenu(true);
        TComPtr<IShellFolder> desktop, folder;
        const TItemIdList self = ItemIdListOf(made);
        ASSERT_EQ(SHGetDesktopFolder(desktop.Receive()), S_OK);
        ASSERT_EQ(desktop->BindToObject(self.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid()), S_OK);
        EXPECT_EQ(ItemNames(folder.Get()), (std::vector<std::wstring>{L"a.jpg", L"b.gif"}));
    }
    SetFileAttributesW(made.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(library.Call("DllUnregisterServer"), S_OK);
}

} // namespace
