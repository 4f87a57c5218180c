// Folder pointers as the shell meets them: the registered class created
// through CoCreateInstance, initialised with a pointer folder's identifier
// list, bound or unbound by the Start menu's windows and the "Folder.lnk".
#include "KelpfoldTestSupport.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FolderPointerTest : public testing::Test {
protected:
    void SetUp() override {
        DeleteClassKey();
        ASSERT_EQ(library_.Call("DllRegisterServer"), S_OK);
        target_ = temp_.MakeFolder(L"Target");
        temp_.MakeFile(L"Target\\a.txt");
        temp_.MakeFile(L"Target\\b.txt");
        temp_.MakeFolder(L"Target\\Sub");
        temp_.MakeFile(L"Target\\Sub\\c.txt");
        pointer_ = temp_.MakeFolder(std::wstring(L"Pointer") + kPointerSuffix);
    }
    void TearDown() override {
        SetFileAttributesW(pointer_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteClassKey();
    }

    void LinkTo(PCIDLIST_ABSOLUTE target) { WriteLink(pointer_ + L"\\Folder.lnk", target); }

    // Windows treats the pointer as a junction by its name; Wine's shell
    // needs the class in the folder's desktop.ini as well.
    void MakeJunction() {
        temp_.MakeFile(L"Pointer" + std::wstring(kPointerSuffix) + L"\\desktop.ini",
                       "[.ShellClassInfo]\r\nCLSID={FA6C62A0-9FE5-11D2-9E61-444553540000}\r\n");
        SetFileAttributesW(pointer_.c_str(), FILE_ATTRIBUTE_SYSTEM);
    }

    // The pointer opened by the shell, as the Start menu opens it.
    TComPtr<IShellFolder> OpenThroughShell() {
        TComPtr<IShellFolder> desktop, folder;
        const TItemIdList self = ItemIdListOf(pointer_);
        if (SUCCEEDED(SHGetDesktopFolder(desktop.Receive())))
            desktop->BindToObject(self.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid());
        return folder;
    }

    // A new folder pointer object, initialised as the shell does.
    TComPtr<IShellFolder> Open() {
        TComPtr<IPersistFolder> persist;
        TComPtr<IShellFolder> folder;
        const TItemIdList self = ItemIdListOf(pointer_);
        EXPECT_TRUE(self);
        EXPECT_EQ(CoCreateInstance(kFolderPointerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFolder,
                                   persist.ReceiveVoid()),
                  S_OK);
        if (!persist) return folder;
        EXPECT_EQ(persist->Initialize(self.Get()), S_OK);
        CLSID clsid{};
        EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, kFolderPointerClass));
        EXPECT_EQ(persist->QueryInterface(IID_IShellFolder, folder.ReceiveVoid()), S_OK);
        return folder;
    }

    TComApartment com_;
    TLibrary library_;
    TTempFolder temp_;
    std::wstring target_;
    std::wstring pointer_;
};

// An unbound pointer implements nothing and hands back no pointers.
void ExpectUnbound(IShellFolder* folder) {
    ASSERT_TRUE(folder);
    TQuestions q;
    for (const TQuestions::TCall& call : q.Of(folder)) {
        SCOPED_TRACE(call.Name);
        q.Out = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(call.Run(), E_NOTIMPL);
        if (call.HasOut) {
            EXPECT_EQ(q.Out, nullptr);
        }
    }
    EXPECT_EQ(q.ParseMask, ULONG(SFGAO_FOLDER));
    EXPECT_EQ(q.Attributes, SFGAOF(SFGAO_FILESYSTEM));
    EXPECT_EQ(folder->BindToStorage(q.Item, nullptr, IID_IStream, &q.Out), E_NOTIMPL);
    EXPECT_EQ(q.Out, nullptr);
}

TEST_F(FolderPointerTest, StaysUnboundWhileNoStartMenuIsOnScreen) {
    const TItemIdList target = ItemIdListOf(target_);
    LinkTo(target.Get());
    ExpectUnbound(Open().Get()); // no "BaseBar" window at all

    TBaseBar hidden(false);
    ExpectUnbound(Open().Get());
}

TEST_F(FolderPointerTest, StaysUnboundWithoutAUsableLink) {
    TBaseBar menu(true);
    ExpectUnbound(Open().Get()); // no "Folder.lnk"

    temp_.MakeFile(L"Pointer" + std::wstring(kPointerSuffix) + L"\\Folder.lnk", "no shell link here");
    ExpectUnbound(Open().Get());
}

TEST_F(FolderPointerTest, TheLowestBaseBarHandleDecides) {
    const TItemIdList target = ItemIdListOf(target_);
    LinkTo(target.Get());
    TBaseBar first(true), second(true);
    const auto value = [](HWND h) { return static_cast<INT32>(reinterpret_cast<INT_PTR>(h)); };
    const TBaseBar& lower = value(first.Get()) < value(second.Get()) ? first : second;
    const TBaseBar& higher = &lower == &first ? second : first;

    lower.Show(false);
    ExpectUnbound(Open().Get());

    lower.Show(true);
    higher.Show(false);
    EXPECT_NE(ItemNames(Open().Get()), std::vector<std::wstring>{L"<failed>"});
}

TEST_F(FolderPointerTest, ABoundPointerShowsItsTargetFolder) {
    const TItemIdList target = ItemIdListOf(target_);
    LinkTo(target.Get());
    TBaseBar menu(true);
    const TComPtr<IShellFolder> folder = Open();
    ASSERT_TRUE(folder);

    EXPECT_EQ(ItemNames(folder.Get()), (std::vector<std::wstring>{L"Sub", L"a.txt", L"b.txt"}));

    TItemIdList sub;
    wchar_t subName[] = L"Sub";
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, subName, nullptr, sub.Receive(), nullptr), S_OK);
    PCUITEMID_CHILD items[] = {sub.Get()};
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    EXPECT_EQ(folder->GetAttributesOf(1, items, &attributes), S_OK);
    EXPECT_EQ(attributes & (SFGAO_FOLDER | SFGAO_FILESYSTEM), SFGAOF(SFGAO_FOLDER | SFGAO_FILESYSTEM));

    STRRET name{};
    EXPECT_EQ(folder->GetDisplayNameOf(sub.Get(), SHGDN_FORPARSING, &name), S_OK);
    wchar_t* text = nullptr;
    ASSERT_EQ(StrRetToStrW(&name, sub.Get(), &text), S_OK);
    EXPECT_EQ(lstrcmpiW(text, (target_ + L"\\Sub").c_str()), 0) << text;
    CoTaskMemFree(text);

    TComPtr<IShellFolder> inner;
    ASSERT_EQ(folder->BindToObject(sub.Get(), nullptr, IID_IShellFolder, inner.ReceiveVoid()), S_OK);
    EXPECT_EQ(ItemNames(inner.Get()), std::vector<std::wstring>{L"c.txt"});

    void* storage = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(folder->BindToStorage(sub.Get(), nullptr, IID_IStream, &storage), E_NOTIMPL);
    EXPECT_EQ(storage, nullptr);
}

TEST_F(FolderPointerTest, VirtualFoldersBindDirectly) {
    TBaseBar menu(true);
    TComPtr<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(desktop.Receive()), S_OK);

    const TItemIdList empty = SpecialFolder(CSIDL_DESKTOP);
    ASSERT_TRUE(empty);
    ASSERT_EQ(empty.Get()->mkid.cb, 0);
    LinkTo(empty.Get());
    const std::vector<std::wstring> onDesktop = ItemNames(desktop.Get());
    EXPECT_TRUE(std::any_of(onDesktop.begin(), onDesktop.end(), [](const std::wstring& name) {
        return lstrcmpiW(name.c_str(), L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}") == 0; // My Computer
    }));
    EXPECT_EQ(ItemNames(Open().Get()), onDesktop);

    const TItemIdList drives = SpecialFolder(CSIDL_DRIVES);
    TComPtr<IShellFolder> computer;
    ASSERT_EQ(desktop->BindToObject(drives.Get(), nullptr, IID_IShellFolder, computer.ReceiveVoid()), S_OK);
    LinkTo(drives.Get());
    const std::vector<std::wstring> names = ItemNames(Open().Get());
    EXPECT_EQ(names, ItemNames(computer.Get()));
    EXPECT_NE(std::find(names.begin(), names.end(), L"C:\\"), names.end());
}

TEST_F(FolderPointerTest, TheShellOpensAPointerThroughTheLibrary) {
    TBaseBar menu(true);
    MakeJunction();
    const TItemIdList target = ItemIdListOf(target_);
    LinkTo(target.Get());

    const TComPtr<IShellFolder> folder = OpenThroughShell();
    ASSERT_TRUE(folder);
    TComPtr<IPersistFolder> persist;
    ASSERT_EQ(folder->QueryInterface(IID_IPersistFolder, persist.ReceiveVoid()), S_OK);
    CLSID clsid{};
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, kFolderPointerClass));
    EXPECT_EQ(ItemNames(folder.Get()), (std::vector<std::wstring>{L"Sub", L"a.txt", L"b.txt"}));
}

TEST_F(FolderPointerTest, APointerThatLeadsBackToItselfEndsUnbound) {
    TBaseBar menu(true);
    MakeJunction();
    const TItemIdList self = ItemIdListOf(pointer_);
    LinkTo(self.Get());

    // Each pointer binds the next one only a few levels deep; the last one
    // implements nothing, and so, through it, does the first.
    const TComPtr<IShellFolder> folder = OpenThroughShell();
    ASSERT_TRUE(folder);
    EXPECT_EQ(ItemNames(folder.Get()), std::vector<std::wstring>{L"<failed>"});
}

} // namespace
