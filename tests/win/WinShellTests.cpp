// The Windows shell behind the shell seam, under Wine: folders, links written
// and read back through the shell's link object, notices, a delayed deletion
// (of a throwaway file only: Wine carries those out at its prefix's next
// start), the folders the shell knows.
#include "platform/win32/WinShell.h"

#include "platform/Text.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/ShellItem.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

bool Exists(const std::string& path) { return GetFileAttributesW(win::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(std::filesystem::path(win::Wide(path)), std::ios::binary) << text;
}

// The identifier list a saved link holds, unresolved.
win::ItemIdList StoredList(const std::string& linkPath) {
    win::ComPtr<IShellLinkW> link;
    win::ComPtr<IPersistFile> file;
    win::ItemIdList id;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
        SUCCEEDED(file->Load(win::Wide(linkPath).c_str(), STGM_READ)))
        link->GetIDList(id.Receive());
    return id;
}

// A folder of this test's own, by its long name (links report long paths).
class WinShellTest : public ::testing::Test {
protected:
    WinShellTest() {
        wchar_t temp[MAX_PATH], full[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        Root = win::Utf8(GetLongPathNameW(temp, full, MAX_PATH) ? full : temp) + "muralto-shell-" +
               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        CreateDirectoryW(win::Wide(Root).c_str(), nullptr);
    }
    ~WinShellTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(win::Wide(Root)), ignored);
    }
    std::string At(const std::string& relative) const { return Root + "\\" + relative; }

    win::ComScope com; // as the program's entry has it
    WinShell shell;
    std::string Root;
};

TEST_F(WinShellTest, FoldersAreMadeLevelByLevelAndOnlyEmptyOnesRemoved) {
    const std::string deep = At("Start Menu\\Programs\\Muralto");
    EXPECT_TRUE(shell.CreateFolder(deep));
    EXPECT_TRUE(shell.CreateFolder(deep)) << "a folder that exists counts as made";
    WriteText(At("file"), "x");
    EXPECT_FALSE(shell.CreateFolder(At("file\\below")));

    WriteText(deep + "\\Muralto.lnk", "x");
    EXPECT_FALSE(shell.RemoveFolder(deep));
    EXPECT_TRUE(Exists(deep));
    EXPECT_TRUE(shell.RemoveFile(deep + "\\Muralto.lnk"));
    EXPECT_FALSE(shell.RemoveFile(deep + "\\Muralto.lnk"));
    EXPECT_TRUE(shell.RemoveFolder(deep));
    EXPECT_FALSE(Exists(deep));
}

TEST_F(WinShellTest, LinkToAFileReadsBackAndReplacesAnyFile) {
    WriteText(At("Muralto.exe"), "MZ");
    WriteText(At("Other.exe"), "MZ");
    WriteText(At("Muralto.lnk"), "not a link");
    EXPECT_EQ(shell.LinkTarget(At("Muralto.lnk")), "");
    for (const char* target : {"Muralto.exe", "Other.exe"}) {
        auto link = shell.NewLink();
        ASSERT_TRUE(link);
        link->SetTarget(At(target));
        ASSERT_TRUE(link->Save(At("Muralto.lnk")));
        EXPECT_EQ(shell.LinkTarget(At("Muralto.lnk")), At(target));
    }
    EXPECT_FALSE(shell.NewLink()->Save(At("missing\\Muralto.lnk")));
}

// The folder pointer as the first run makes it: the link is written into an
// ordinary folder, which then gets the pointer's name.
TEST_F(WinShellTest, MyComputerLinkSurvivesTheFolderRename) {
    const std::string base = At("My Computer");
    const std::string pointer = base + ".{fa6c62a0-9fe5-11d2-9e61-444553540000}";
    ASSERT_TRUE(shell.CreateFolder(base));
    auto link = shell.NewLink();
    ASSERT_TRUE(link && link->SetTargetMyComputer());
    ASSERT_TRUE(link->Save(base + "\\Folder.lnk"));
    ASSERT_TRUE(shell.CreateFolder(At("taken")));
    EXPECT_FALSE(shell.RenameFolder(base, At("taken")));
    ASSERT_TRUE(shell.RenameFolder(base, pointer));

    const win::ItemIdList stored = StoredList(pointer + "\\Folder.lnk");
    ASSERT_TRUE(stored);
    EXPECT_NE(stored.Get()->mkid.cb, 0) << "an empty list would be the desktop";
    win::ItemIdList computer;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Receive())));
    win::ComPtr<IShellFolder> desktop;
    ASSERT_TRUE(SUCCEEDED(SHGetDesktopFolder(&desktop)));
    EXPECT_EQ(HRESULT_CODE(desktop->CompareIDs(0, stored.Get(), computer.Get())), 0);
    const std::string target = shell.LinkTarget(pointer + "\\Folder.lnk");
    EXPECT_TRUE(text::SameText(target, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")) << target;
}

TEST_F(WinShellTest, LinksToAPickedItemAndToTheDesktop) {
    PIDLIST_ABSOLUTE parsed = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHParseDisplayName(win::Wide(Root).c_str(), nullptr, &parsed, 0, nullptr)));
    const win::TShellItem folder(parsed);
    auto link = shell.NewLink();
    ASSERT_TRUE(link);
    link->SetTarget(&folder);
    ASSERT_TRUE(link->Save(At("Folder.lnk")));
    EXPECT_TRUE(text::SameText(shell.LinkTarget(At("Folder.lnk")), Root));

    // No item: the desktop, the list that holds nothing.
    link->SetTarget(static_cast<const INamespaceItem*>(nullptr));
    ASSERT_TRUE(link->Save(At("Desktop.lnk")));
    const win::ItemIdList empty = StoredList(At("Desktop.lnk"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty.Get()->mkid.cb, 0);
    EXPECT_TRUE(text::SameText(shell.LinkTarget(At("Desktop.lnk")), shell.KnownFolderPath(TKnownFolder::Desktop)));
}

TEST_F(WinShellTest, NoLinkObjectOnAThreadWithoutCom) {
    bool made = true;
    std::thread([&] { made = static_cast<bool>(WinShell().NewLink()); }).join();
    EXPECT_FALSE(made);
}

TEST_F(WinShellTest, NoticesDelayedDeletionAndKnownFolders) {
    for (TShellChange change : {TShellChange::MakeDir, TShellChange::Create, TShellChange::UpdateDir,
                                TShellChange::Delete, TShellChange::RemoveDir})
        shell.Notify(change, At("never there"));
    shell.Notify(TShellChange::AssociationsChanged);

    WriteText(At("doomed.tmp"), "x"); // this test's own file: nothing else may be scheduled
    EXPECT_TRUE(shell.DeleteAtRestart(At("doomed.tmp")));
    EXPECT_TRUE(Exists(At("doomed.tmp")));

    const std::string startMenu = shell.KnownFolderPath(TKnownFolder::StartMenu);
    EXPECT_EQ(startMenu.substr(1, 2), ":\\") << startMenu;
    for (TKnownFolder folder : {TKnownFolder::Startup, TKnownFolder::Programs})
        EXPECT_TRUE(text::SameText(shell.KnownFolderPath(folder).substr(0, startMenu.size()), startMenu));
    EXPECT_NE(shell.KnownFolderPath(TKnownFolder::Desktop), "");
    EXPECT_NE(shell.KnownFolderPath(TKnownFolder::LocalAppData), "");
}

} // namespace
