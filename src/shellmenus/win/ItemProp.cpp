#include "shellmenus/win/ItemProp.h"

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"

#include <shellapi.h>

namespace {

// The context menu's commands get identifiers from 1 to 32767, so that the
// verb (identifier - 1) is a valid integer resource identifier.
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;
constexpr UINT kNoDefault = static_cast<UINT>(-1); // GetMenuDefaultItem's "none"

// The invocation record is the build's own structure: 36 bytes in the 32-bit
// program, larger with 64-bit pointers.
static_assert(sizeof(void*) != 4 || sizeof(CMINVOKECOMMANDINFO) == 36, "the 32-bit record is 36 bytes");

// The hourglass while the shell works, the previous cursor again on every
// way out.
class THourglass {
public:
    THourglass() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~THourglass() { SetCursor(previous_); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;

private:
    HCURSOR previous_;
};

// The newest version of the context-menu interface the object offers; all
// of them answer QueryContextMenu and InvokeCommand alike, and an object
// that knows a newer version may build its menu more completely with it.
win::ComPtr<IContextMenu> NewestVersion(win::ComPtr<IContextMenu> menu) {
    win::ComPtr<IContextMenu3> third;
    if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu3, third.Out())))
        return win::ComPtr<IContextMenu>(third.Detach());
    win::ComPtr<IContextMenu2> second;
    if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu2, second.Out())))
        return win::ComPtr<IContextMenu>(second.Detach());
    return menu;
}

win::ComPtr<IContextMenu> ContextMenuOf(IShellFolder* folder, PCUITEMID_CHILD item, HWND owner) {
    win::ComPtr<IContextMenu> menu;
    PCUITEMID_CHILD items[] = {item};
    if (FAILED(folder->GetUIObjectOf(owner, 1, items, IID_IContextMenu, nullptr, menu.Out()))) return {};
    return NewestVersion(std::move(menu));
}

// Lets the object fill the popup menu in the given mode and gives the
// command identifier of the menu's default entry.
UINT DefaultCommand(IContextMenu* menu, HMENU popup, UINT mode) {
    if (FAILED(menu->QueryContextMenu(popup, 0, kFirstCommand, kLastCommand, mode))) return kNoDefault;
    const UINT command = GetMenuDefaultItem(popup, FALSE, 0);
    return command >= kFirstCommand && command <= kLastCommand ? command : kNoDefault;
}

// Runs a command of the menu: the verb is its identifier's offset from the
// first one, as an integer resource identifier.
bool Invoke(IContextMenu* menu, UINT command, HWND owner) {
    CMINVOKECOMMANDINFO request{};
    request.cbSize = sizeof request;
    request.fMask = 0;
    request.hwnd = owner;
    request.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
    request.lpParameters = nullptr;
    request.lpDirectory = nullptr;
    request.nShow = SW_SHOWNORMAL;
    request.dwHotKey = 0;
    request.hIcon = nullptr;
    return SUCCEEDED(menu->InvokeCommand(&request));
}

// The canonical name of a command ("open", "explore"...); empty when the
// object gives none.
std::wstring VerbOf(IContextMenu* menu, UINT command) {
    wchar_t verb[MAX_PATH] = L"";
    if (FAILED(menu->GetCommandString(command - kFirstCommand, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb),
                                      MAX_PATH)))
        return {};
    verb[MAX_PATH - 1] = L'\0';
    return verb;
}

// The item's identifier from the desktop down.
win::ItemIdList AbsoluteId(IShellFolder* folder, PCUITEMID_CHILD item) {
    win::ComPtr<IPersistFolder2> persist;
    if (FAILED(folder->QueryInterface(IID_IPersistFolder2, persist.Out()))) return {};
    win::ItemIdList folderId;
    if (FAILED(persist->GetCurFolder(folderId.Receive())) || !folderId) return {};
    return win::ItemIdList(ILCombine(folderId.Get(), item));
}

// Where the default-only menu names no default entry (Wine's menus add
// nothing in that mode), the default entry of the normal menu is run. Wine's
// own menu objects do not run that entry for files (its "open" does nothing
// and reports success) and open folders through a DDE conversation that no
// one answers, so an entry with a canonical verb is run the way Explorer
// runs a static verb: by the shell's execute call on the item with that
// verb, which finds the item's association (or opens a folder) itself and
// reports a failure as the shell does.
bool RunNormalMenuDefault(IShellFolder* folder, PCUITEMID_CHILD item, HWND owner) {
    win::ComPtr<IContextMenu> menu = ContextMenuOf(folder, item, owner);
    if (!menu) return false;
    win::UniqueMenu popup(CreatePopupMenu());
    if (!popup) return false;
    const UINT command = DefaultCommand(menu.Get(), popup.Get(), CMF_NORMAL);
    if (command == kNoDefault) return false;

    const std::wstring verb = VerbOf(menu.Get(), command);
    if (verb.empty()) return Invoke(menu.Get(), command, owner);
    const win::ItemIdList id = AbsoluteId(folder, item);
    if (!id) return false;
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_IDLIST;
    request.hwnd = owner;
    request.lpVerb = verb.c_str();
    request.lpIDList = id.Get();
    request.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&request) != FALSE;
}

// The first sub-folder of the desktop: My Computer on a standard desktop.
win::ComPtr<IShellFolder> FirstDesktopSubFolder(IShellFolder* desktop, HWND owner) {
    win::ComPtr<IEnumIDList> items;
    if (desktop->EnumObjects(owner, SHCONTF_FOLDERS, &items) != S_OK || !items) return {};
    win::ItemIdList first;
    if (items->Next(1, first.Receive(), nullptr) != S_OK || !first) return {};
    win::ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(first.Get(), nullptr, IID_IShellFolder, folder.Out()))) return {};
    return folder;
}

// An identifier with no item in it names nothing that could be run.
bool NamesAnItem(const win::ItemIdList& id) { return id && id.Get()->mkid.cb != 0; }

win::ItemIdList Parse(IShellFolder* folder, std::wstring name, HWND owner) {
    win::ItemIdList id;
    if (FAILED(folder->ParseDisplayName(owner, nullptr, name.data(), nullptr, id.Receive(), nullptr))) id.Reset();
    return id;
}

} // namespace

bool RunDefaultCommand(IShellFolder* folder, PCUITEMID_CHILD item, HWND owner) {
    if (!folder || !item) return false;
    win::ComPtr<IContextMenu> menu = ContextMenuOf(folder, item, owner);
    if (!menu) return false;
    win::UniqueMenu popup(CreatePopupMenu());
    if (!popup) return false;
    const UINT command = DefaultCommand(menu.Get(), popup.Get(), CMF_DEFAULTONLY);
    if (command != kNoDefault) return Invoke(menu.Get(), command, owner);
    return RunNormalMenuDefault(folder, item, owner);
}

bool RunDefaultCommand(const std::string& path, HWND owner) {
    THourglass hourglass;
    const std::wstring wide = win::Wide(path);
    const size_t split = wide.find_last_of(L'\\') + 1; // 0 when there is no backslash
    const std::wstring folderPart = wide.substr(0, split);
    const std::wstring name = wide.substr(split);

    win::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return false;
    const win::ItemIdList folderId = Parse(desktop.Get(), folderPart, owner);
    if (!folderId) return false;
    win::ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(folderId.Get(), nullptr, IID_IShellFolder, folder.Out()))) return false;

    const win::ItemIdList item = Parse(folder.Get(), name, owner);
    if (NamesAnItem(item)) return RunDefaultCommand(folder.Get(), item.Get(), owner);

    // A drive root has no file name to parse in its folder: the whole path
    // is an item of My Computer.
    win::ComPtr<IShellFolder> computer = FirstDesktopSubFolder(desktop.Get(), owner);
    if (!computer) return false;
    const win::ItemIdList whole = Parse(computer.Get(), wide, owner);
    if (!NamesAnItem(whole)) return false;
    return RunDefaultCommand(computer.Get(), whole.Get(), owner);
}
