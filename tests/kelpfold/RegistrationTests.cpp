// Registration through the platform's tool, as the program does it, and
// through the exports: exactly the class's entries go in, and all come out.
#include "KelpfoldTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Runs "regsvr32.exe <arguments> <library>" and returns its exit code.
DWORD Regsvr32(const std::wstring& arguments) {
    std::wstring commandLine = L"regsvr32.exe " + arguments + L" \"" + LibraryPath() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return DWORD(-1);
    DWORD code = DWORD(-2);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 9);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

struct TValue {
    DWORD Type;
    std::vector<BYTE> Data;
    bool operator==(const TValue& other) const { return Type == other.Type && Data == other.Data; }
};

TValue Text(const std::wstring& text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

// Every key below the class key (relative path, "" for itself) with all its
// values by name ("" for the default one).
using TTree = std::map<std::wstring, std::map<std::wstring, TValue>>;

void ReadTree(HKEY parent, const std::wstring& path, const std::wstring& relative, TTree& tree) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    auto& values = tree[relative];
    wchar_t name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256, type = 0, size = sizeof data;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        values[name] = {type, std::vector<BYTE>(data, data + size)};
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        ReadTree(key, name, relative.empty() ? name : relative + L"\\" + name, tree);
    }
    RegCloseKey(key);
}

TTree ClassTree() {
    TTree tree;
    ReadTree(HKEY_CLASSES_ROOT, kClassKey, L"", tree);
    return tree;
}

class RegistrationTest : public testing::Test {
protected:
    void SetUp() override { DeleteClassKey(); }
    void TearDown() override { DeleteClassKey(); }
};

TEST_F(RegistrationTest, Regsvr32WritesExactlyTheClassEntriesAndRemovesThemAgain) {
    ASSERT_EQ(Regsvr32(L"/s"), 0u);

    const std::wstring library = LibraryPath();
    TTree tree = ClassTree();
    // regsvr32 may spell the path it loaded differently in letter case.
    ASSERT_EQ(tree[L"InprocServer32"][L""].Type, DWORD(REG_SZ));
    const std::wstring registered = reinterpret_cast<const wchar_t*>(tree[L"InprocServer32"][L""].Data.data());
    EXPECT_EQ(lstrcmpiW(registered.c_str(), library.c_str()), 0) << registered;

    const TTree expected = {
        {L"", {{L"", Text(L"Folder Pointer")}}},
        {L"InprocServer32", {{L"", Text(registered)}, {L"ThreadingModel", Text(L"Apartment")}}},
        {L"ShellFolder", {{L"Attributes", {REG_BINARY, {0x00, 0x00, 0x00, 0x20}}}}},
        {L"DefaultIcon", {{L"", Text(registered + L",0")}}},
    };
    EXPECT_TRUE(tree == expected);

    ASSERT_EQ(Regsvr32(L"/u /s"), 0u);
    EXPECT_TRUE(ClassTree().empty());
}

TEST_F(RegistrationTest, UnregistrationTakesTheWholeClassKeyAndIsHarmlessWhenRepeated) {
    TComApartment com;
    TLibrary library;
    ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    // What others add below the class, such as its shell categories.
    const std::wstring added =
        std::wstring(kClassKey) + L"\\Implemented Categories\\{00021493-0000-0000-C000-000000000046}";
    HKEY extra = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, added.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &extra, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(extra);

    EXPECT_EQ(library.Call("DllUnregisterServer"), S_OK);
    EXPECT_TRUE(ClassTree().empty());
    EXPECT_EQ(library.Call("DllUnregisterServer"), S_OK);

    // Registering over an older registration leaves one clean set.
    ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    ASSERT_EQ(library.Call("DllRegisterServer"), S_OK);
    EXPECT_EQ(ClassTree().size(), 4u);
}

TEST_F(RegistrationTest, UnregistrationAlsoTakesAPerUserRegistration) {
    // A user who could not write HKEY_CLASSES_ROOT registered the class in
    // the user's own classes (Wine never refuses, so it is put there here).
    const std::wstring user = std::wstring(L"Software\\Classes\\") + kClassKey;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (user + L"\\InprocServer32").c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    TComApartment com;
    TLibrary library;
    EXPECT_EQ(library.Call("DllUnregisterServer"), S_OK);
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, user.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

} // namespace
