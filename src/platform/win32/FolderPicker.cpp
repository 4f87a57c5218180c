#include "platform/win32/FolderPicker.h"

#include "platform/win32/Handles.h"

#include <commctrl.h>
#include <shlobj.h>

namespace win {

namespace {

constexpr const wchar_t* kCaption = L"Select Folder";

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM, LPARAM) {
    if (message != BFFM_INITIALIZED) return 0;
    // The picker's own caption is "Browse for Folder".
    SetWindowTextW(picker, kCaption);
    // The root starts selected, so that OK at once picks the folder the
    // user sees at the top: Windows does that by itself, Wine's picker shows
    // nothing selected and would answer the desktop.
    if (HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr)) {
        const LPARAM top = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        if (top) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, top);
    }
    return 0;
}

// The picked list, or none when the user cancels. A root the shell cannot
// name leaves the picker at the desktop.
ItemIdList Browse(HWND owner, int rootFolder, UINT flags) {
    ComScope com; // the picker's tree is made of shell folders
    ItemIdList root;
    if (rootFolder != CSIDL_DESKTOP && FAILED(SHGetSpecialFolderLocation(owner, rootFolder, root.Receive())))
        root.Reset();
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.Get();
    info.pszDisplayName = displayName;
    info.ulFlags = flags;
    info.lpfn = BrowseCallback;
    return ItemIdList(SHBrowseForFolderW(&info));
}

std::string PathOf(PCIDLIST_ABSOLUTE id) {
    wchar_t path[MAX_PATH] = L"";
    return SHGetPathFromIDListW(id, path) ? Utf8(path) : std::string();
}

std::string NameOf(PCIDLIST_ABSOLUTE id, SIGDN form) {
    CoTaskMemPtr<wchar_t> name;
    if (FAILED(SHGetNameFromIDList(id, form, name.Receive())) || !name) return {};
    return Utf8(name.Get());
}

} // namespace

std::optional<std::string> BrowseStartMenuFolder(HWND owner) {
    const ItemIdList picked = Browse(owner, CSIDL_STARTMENU, BIF_RETURNONLYFSDIRS);
    if (!picked) return std::nullopt;
    std::string path = PathOf(picked.Get());
    if (path.empty()) return std::nullopt;
    return path;
}

std::optional<TPickedIdList> BrowseNamespace(HWND owner) {
    TPickedIdList picked{Browse(owner, CSIDL_DESKTOP, 0), {}};
    if (!picked.IdList) return std::nullopt;
    picked.Text = NameOf(picked.IdList.Get(), SIGDN_DESKTOPABSOLUTEPARSING);
    if (picked.Text.empty()) picked.Text = NameOf(picked.IdList.Get(), SIGDN_NORMALDISPLAY);
    if (picked.Text.empty()) picked.Text = PathOf(picked.IdList.Get());
    return picked;
}

} // namespace win
