#include "shellmenus/win/SystemImageList.h"

#include "platform/win32/Handles.h"

#include <shellapi.h>

namespace {

constexpr UINT kSmallIconIndex = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;

// The portable attribute bits are handed to the shell as they are.
static_assert(fileattr::ReadOnly == FILE_ATTRIBUTE_READONLY && fileattr::Hidden == FILE_ATTRIBUTE_HIDDEN &&
              fileattr::System == FILE_ATTRIBUTE_SYSTEM && fileattr::Directory == FILE_ATTRIBUTE_DIRECTORY &&
              fileattr::Archive == FILE_ATTRIBUTE_ARCHIVE && fileattr::Normal == FILE_ATTRIBUTE_NORMAL &&
              fileattr::Temporary == FILE_ATTRIBUTE_TEMPORARY && fileattr::Compressed == FILE_ATTRIBUTE_COMPRESSED &&
              fileattr::Offline == FILE_ATTRIBUTE_OFFLINE,
              "fileattr bits are the Win32 file attributes");

// The index SHGetFileInfo reports; its return value is the list handle,
// zero when the shell could not answer.
int IndexOf(LPCWSTR pathOrItem, DWORD attributes, UINT flags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(pathOrItem, attributes, &info, sizeof info, flags)) return kNoSystemIcon;
    return info.iIcon;
}

bool ExistsAsFileOrFolder(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The default value of a key of the file types, empty when absent.
std::wstring ClassText(const std::wstring& key) {
    wchar_t text[MAX_PATH] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

bool ClassKeyExists(const std::wstring& key) {
    win::UniqueKey opened;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

// Whether files of this type may each draw an icon of their own.
bool IconPerFile(const std::wstring& extension) {
    static const wchar_t* const kOwnIcons[] = {L".EXE", L".ICO", L".LNK", L".CUR", L".ANI", L".URL", L".PIF", L".SCR"};
    for (const wchar_t* own : kOwnIcons)
        if (extension == own) return true;
    for (const std::wstring& type : {extension, ClassText(extension)}) {
        if (type.empty()) continue;
        if (ClassText(type + L"\\DefaultIcon").find(L"%1") != std::wstring::npos) return true;
        if (ClassKeyExists(type + L"\\shellex\\IconHandler")) return true;
    }
    return false;
}

} // namespace

HIMAGELIST SystemSmallImageList() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof info, kSmallIconIndex));
}

int SystemIconIndex(const std::string& path, uint32_t attributesWhenAbsent) {
    const std::wstring wide = win::Wide(path);
    if (ExistsAsFileOrFolder(wide)) return IndexOf(wide.c_str(), 0, kSmallIconIndex);
    return IndexOf(wide.c_str(), attributesWhenAbsent, kSmallIconIndex | SHGFI_USEFILEATTRIBUTES);
}

int SystemIconIndexOfAttributes(const std::string& path, uint32_t attributes) {
    const std::wstring wide = win::Wide(path);
    return IndexOf(wide.c_str(), attributes, kSmallIconIndex | SHGFI_USEFILEATTRIBUTES);
}

int32_t WinSystemIcons::IndexByPath(const std::string& path) {
    const std::wstring wide = win::Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return SystemIconIndex(path);
    const size_t slash = wide.find_last_of(L"\\/"), dot = wide.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return SystemIconIndex(path);
    std::wstring extension = wide.substr(dot);
    CharUpperBuffW(&extension[0], static_cast<DWORD>(extension.size()));
    const auto known = byExtension_.find(extension);
    if (known != byExtension_.end()) return known->second;
    const int32_t index = IndexOf(wide.c_str(), 0, kSmallIconIndex);
    if (index != kNoSystemIcon && !IconPerFile(extension)) byExtension_[extension] = index;
    return index;
}

int SystemIconIndexOfItem(PCIDLIST_ABSOLUTE item) {
    if (!item) return kNoSystemIcon;
    return IndexOf(reinterpret_cast<LPCWSTR>(item), 0, kSmallIconIndex | SHGFI_PIDL);
}
