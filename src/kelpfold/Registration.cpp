#include "Registration.h"

#include "Module.h"
#include "Owners.h"
#include "ShellFolder.h"

#include <string>

namespace kelpfold {
namespace {

enum class TData { Text, LibraryPath, LibraryIcon, FolderAttributes };

struct TRegistryEntry {
    const wchar_t* Key;  // below the class key; empty for the class key itself
    const wchar_t* Name; // nullptr for the key's default value
    TData Data;
    const wchar_t* Text; // for TData::Text
};

// Under HKEY_CLASSES_ROOT\CLSID\{FA6C62A0-9FE5-11D2-9E61-444553540000}.
// The sub-keys come in the order in which unregistration deletes them:
// "InprocServer32" first, so the class stops loading even if the rest fails.
const TRegistryEntry kEntries[] = {
    {L"", nullptr, TData::Text, L"Folder Pointer"},
    {L"InprocServer32", nullptr, TData::LibraryPath, nullptr},
    {L"InprocServer32", L"ThreadingModel", TData::Text, L"Apartment"},
    {L"ShellFolder", L"Attributes", TData::FolderAttributes, nullptr},
    {L"DefaultIcon", nullptr, TData::LibraryIcon, nullptr},
};

// The shell reads "Attributes" as a 32-bit little-endian value: SFGAO_FOLDER.
static_assert(SFGAO_FOLDER == 0x20000000, "folder attribute");
const BYTE kFolderAttributes[4] = {0x00, 0x00, 0x00, 0x20};

std::wstring ClassKey() {
    wchar_t guid[40];
    if (StringFromGUID2(CLSID_FolderPointer, guid, 40) == 0) return {};
    return std::wstring(L"CLSID\\") + guid;
}

std::wstring KeyPath(const std::wstring& classKey, const TRegistryEntry& entry) {
    return entry.Key[0] ? classKey + L"\\" + entry.Key : classKey;
}

LSTATUS SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

LSTATUS Write(HKEY classes, const std::wstring& classKey, const std::wstring& library, const TRegistryEntry& entry) {
    TRegKey key;
    const LSTATUS created = RegCreateKeyExW(classes, KeyPath(classKey, entry).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                            nullptr, key.Receive(), nullptr);
    if (created != ERROR_SUCCESS) return created;
    switch (entry.Data) {
    case TData::Text:
        return SetText(key.Get(), entry.Name, entry.Text);
    case TData::LibraryPath:
        return SetText(key.Get(), entry.Name, library);
    case TData::LibraryIcon: // the library's first icon
        return SetText(key.Get(), entry.Name, library + L",0");
    case TData::FolderAttributes:
        return RegSetValueExW(key.Get(), entry.Name, 0, REG_BINARY, kFolderAttributes, sizeof kFolderAttributes);
    }
    return ERROR_INVALID_DATA;
}

bool Gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

HRESULT Unregister(HKEY classes, const std::wstring& classKey) {
    for (const TRegistryEntry& entry : kEntries)
        if (entry.Key[0]) RegDeleteTreeW(classes, KeyPath(classKey, entry).c_str());
    return Gone(RegDeleteTreeW(classes, classKey.c_str())) ? S_OK : E_FAIL;
}

// Every entry under one classes key; a half-written class would make the
// shell load a folder without its attributes, so a failure takes it all
// out again.
LSTATUS RegisterUnder(HKEY classes, const std::wstring& classKey, const std::wstring& library) {
    for (const TRegistryEntry& entry : kEntries) {
        const LSTATUS status = Write(classes, classKey, library, entry);
        if (status != ERROR_SUCCESS) {
            Unregister(classes, classKey);
            return status;
        }
    }
    return ERROR_SUCCESS;
}

// The user's own classes, which the shell reads before the machine's: the
// place for a user who may not write HKEY_CLASSES_ROOT.
TRegKey UserClasses() {
    TRegKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                    nullptr);
    return key;
}

} // namespace

HRESULT RegisterServer() {
    try {
        const std::wstring classKey = ClassKey();
        const std::wstring library = ModulePath();
        if (classKey.empty() || library.empty()) return E_FAIL;
        const LSTATUS status = RegisterUnder(HKEY_CLASSES_ROOT, classKey, library);
        if (status == ERROR_SUCCESS) return S_OK;
        if (status != ERROR_ACCESS_DENIED) return E_FAIL;
        const TRegKey user = UserClasses();
        if (!user.Get()) return E_FAIL;
        return RegisterUnder(user.Get(), classKey, library) == ERROR_SUCCESS ? S_OK : E_FAIL;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT UnregisterServer() {
    try {
        const std::wstring classKey = ClassKey();
        if (classKey.empty()) return E_FAIL;
        // From both places: the class may have been registered per user.
        HRESULT result = S_OK;
        const TRegKey user = UserClasses();
        if (user.Get()) result = Unregister(user.Get(), classKey);
        const HRESULT machine = Unregister(HKEY_CLASSES_ROOT, classKey);
        return FAILED(machine) ? machine : result;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace kelpfold
