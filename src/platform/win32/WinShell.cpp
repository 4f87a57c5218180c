#include "platform/win32/WinShell.h"

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/ShellItem.h"
#include "platform/win32/WinError.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

// Throws the program's error for a failed COM call, with the system's text.
void CheckHr(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) {
        const auto code = static_cast<DWORD>(hr);
        throw win::EWin32Error(what + ": " + win::SystemMessage(code), code);
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the folders of a path begin: after "C:\" or after "\\server\share\".
size_t RootLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
    if (path.compare(0, 2, L"\\\\") == 0) {
        size_t at = path.find(L'\\', 2); // the end of the server's name
        if (at != std::wstring::npos) at = path.find(L'\\', at + 1); // and of the share's
        return at == std::wstring::npos ? path.size() : at + 1;
    }
    return 0;
}

class WinLink : public IShellLinkFile {
public:
    WinLink(win::ComPtr<IShellLinkW> link, win::ComPtr<IPersistFile> file)
        : link_(std::move(link)), file_(std::move(file)) {}

    void SetTarget(const std::string& path) override {
        CheckHr(link_->SetPath(win::Wide(path).c_str()), "Cannot set the shortcut's target \"" + path + "\"");
    }

    void SetTarget(const INamespaceItem* item) override {
        // The desktop is the list that holds no item: just its terminator.
        static const USHORT kDesktop = 0;
        PCIDLIST_ABSOLUTE id = reinterpret_cast<PCIDLIST_ABSOLUTE>(&kDesktop);
        if (item) {
            const auto* own = dynamic_cast<const win::TShellItem*>(item);
            if (!own || !own->Get()) throw EMuraltoError("The item is not one of the shell's namespace.");
            id = own->Get();
        }
        CheckHr(link_->SetIDList(id), "Cannot set the shortcut's target");
    }

    bool SetTargetMyComputer() override {
        win::ItemIdList computer;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Receive())) || !computer)
            return false;
        return SUCCEEDED(link_->SetIDList(computer.Get()));
    }

    bool Save(const std::string& path) override {
        // The object writes the whole file anew, over any file of that name.
        return SUCCEEDED(file_->Save(win::Wide(path).c_str(), TRUE));
    }

private:
    win::ComPtr<IShellLinkW> link_;
    win::ComPtr<IPersistFile> file_;
};

// The shell's link object with its file interface; both empty on failure.
bool MakeLink(win::ComPtr<IShellLinkW>& link, win::ComPtr<IPersistFile>& file) {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())) ||
        !link)
        return false;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) || !file) {
        link.Reset();
        return false;
    }
    return true;
}

// A namespace item's parsing name from the desktop: a file system path, or
// "::{CLSID}" for a virtual folder.
std::string ParsingName(PCIDLIST_ABSOLUTE id) {
    win::CoTaskMemPtr<wchar_t> name;
    if (FAILED(SHGetNameFromIDList(id, SIGDN_DESKTOPABSOLUTEPARSING, name.Receive())) || !name) return {};
    return win::Utf8(name.Get());
}

} // namespace

bool WinShell::CreateFolder(const std::string& path) {
    // Each missing level in turn, so that a folder that already exists
    // counts as made and the notices stay the caller's (the shell's own
    // creation call would send its own).
    const std::wstring wide = win::Wide(path);
    for (size_t at = RootLength(wide); at <= wide.size(); ++at) {
        if (at < wide.size() && wide[at] != L'\\') continue;
        const std::wstring level = wide.substr(0, at);
        if (level.empty() || level.back() == L'\\' || IsFolder(level)) continue;
        if (!CreateDirectoryW(level.c_str(), nullptr) && !IsFolder(level)) return false;
    }
    return IsFolder(wide);
}

bool WinShell::RemoveFolder(const std::string& path) { return RemoveDirectoryW(win::Wide(path).c_str()) != FALSE; }

bool WinShell::RenameFolder(const std::string& from, const std::string& to) {
    return MoveFileW(win::Wide(from).c_str(), win::Wide(to).c_str()) != FALSE;
}

bool WinShell::RemoveFile(const std::string& path) { return DeleteFileW(win::Wide(path).c_str()) != FALSE; }

std::unique_ptr<IShellLinkFile> WinShell::NewLink() {
    win::ComPtr<IShellLinkW> link;
    win::ComPtr<IPersistFile> file;
    if (!MakeLink(link, file)) return nullptr;
    return std::make_unique<WinLink>(std::move(link), std::move(file));
}

std::string WinShell::LinkTarget(const std::string& linkPath) {
    win::ComPtr<IShellLinkW> link;
    win::ComPtr<IPersistFile> file;
    if (!MakeLink(link, file) || FAILED(file->Load(win::Wide(linkPath).c_str(), STGM_READ))) return {};
    wchar_t path[MAX_PATH] = L"";
    // S_FALSE with an empty path: the target is no file system object.
    if (link->GetPath(path, MAX_PATH, nullptr, 0) == S_OK && path[0]) return win::Utf8(path);
    win::ItemIdList id;
    if (FAILED(link->GetIDList(id.Receive())) || !id) return {};
    return ParsingName(id.Get());
}

void WinShell::Notify(TShellChange change, const std::string& path) {
    LONG event = 0;
    switch (change) {
    case TShellChange::MakeDir: event = SHCNE_MKDIR; break;
    case TShellChange::RemoveDir: event = SHCNE_RMDIR; break;
    case TShellChange::Create: event = SHCNE_CREATE; break;
    case TShellChange::Delete: event = SHCNE_DELETE; break;
    case TShellChange::UpdateDir: event = SHCNE_UPDATEDIR; break;
    case TShellChange::AssociationsChanged:
        // Flushed, so the shell has taken the new associations in before the
        // program goes on; it names no item.
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST | SHCNF_FLUSH, nullptr, nullptr);
        return;
    }
    const std::wstring wide = win::Wide(path);
    SHChangeNotify(event, SHCNF_PATHW, wide.c_str(), nullptr);
}

void WinShell::OpenVerb(const std::string& program, const std::string& parameters) {
    // The program runs on its own; its result is not waited for.
    ShellExecuteW(nullptr, L"Open", win::Wide(program).c_str(), win::Wide(parameters).c_str(), nullptr,
                  SW_SHOWNORMAL);
}

bool WinShell::DeleteAtRestart(const std::string& path) {
    // The delayed move writes a machine-wide list: only administrators may.
    return MoveFileExW(win::Wide(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

std::string WinShell::KnownFolderPath(TKnownFolder folder) {
    int csidl = 0;
    switch (folder) {
    case TKnownFolder::StartMenu: csidl = CSIDL_STARTMENU; break;
    case TKnownFolder::Startup: csidl = CSIDL_STARTUP; break;
    case TKnownFolder::Programs: csidl = CSIDL_PROGRAMS; break;
    case TKnownFolder::Desktop: csidl = CSIDL_DESKTOPDIRECTORY; break;
    case TKnownFolder::LocalAppData: csidl = CSIDL_LOCAL_APPDATA; break;
    }
    wchar_t path[MAX_PATH] = L"";
    // S_FALSE: the shell names the folder, which does not exist yet.
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return win::Utf8(path);
}
