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

int SystemIconIndexOfItem(PCIDLIST_ABSOLUTE item) {
    if (!item) return kNoSystemIcon;
    return IndexOf(reinterpret_cast<LPCWSTR>(item), 0, kSmallIconIndex | SHGFI_PIDL);
}
