#include "ShellFolder.h"

#include "Module.h"

#include <cwchar>
#include <string>

namespace kelpfold {

const CLSID CLSID_FolderPointer = {0xfa6c62a0, 0x9fe5, 0x11d2, {0x9e, 0x61, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

// The lowest "BaseBar" handle found by the last enumeration, 0 when none.
// Apartment-threaded objects of different threads may initialise at the same
// time, so one enumeration and its verdict run under a lock.
HWND BaseBarWindow = nullptr;
SRWLOCK BaseBarLock = SRWLOCK_INIT;

// Windows of class "BaseBar" hold the Start menu and its cascading menus: a
// pointer shows its target only while such a menu is on screen.
bool StartMenuOnScreen() {
    AcquireSRWLockExclusive(&BaseBarLock);
    BaseBarWindow = nullptr;
    EnumWindows(EnumWindowsProc, 0);
    const bool onScreen = BaseBarWindow && IsWindowVisible(BaseBarWindow);
    ReleaseSRWLockExclusive(&BaseBarLock);
    return onScreen;
}

// Binding a target that is itself a folder pointer (or a folder below one)
// makes the shell initialise that pointer inside this Initialize. A pointer
// whose link leads back to itself would recurse until the stack overflows,
// taking the shell with it; past this depth a pointer stays unbound instead.
constexpr int kMaxNesting = 4;
thread_local int Nesting = 0;

class TNestingScope {
public:
    TNestingScope() { ++Nesting; }
    ~TNestingScope() { --Nesting; }
    TNestingScope(const TNestingScope&) = delete;
    TNestingScope& operator=(const TNestingScope&) = delete;
};

// COM for the length of one call; a thread that already has it (in any
// apartment) keeps it, since only a successful initialisation is undone.
class TComScope {
public:
    TComScope() : hr_(CoInitialize(nullptr)) {}
    ~TComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    HRESULT hr_;
};

// The identifier list stored in a shell link file, unresolved, so that the
// target may be any namespace folder; empty when the file is missing, is no
// link or holds no list.
TItemIdList StoredTarget(const std::wstring& linkPath) {
    TComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.ReceiveVoid())) ||
        !link)
        return {};
    TComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) || !file) return {};
    if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return {};
    TItemIdList target;
    // S_FALSE with no list is a link without a target.
    if (FAILED(link->GetIDList(target.Receive()))) return {};
    return target;
}

} // namespace

TShellFolderImpl::TShellFolderImpl() { ObjectCreated(); }
TShellFolderImpl::~TShellFolderImpl() { ObjectDestroyed(); }

STDMETHODIMP TShellFolderImpl::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IShellFolder) {
        *ppv = static_cast<IShellFolder*>(this);
    } else if (riid == IID_IPersistFolder) {
        *ppv = static_cast<IPersistFolder*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
        *ppv = static_cast<ISupportErrorInfo*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TShellFolderImpl::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) TShellFolderImpl::Release() {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP TShellFolderImpl::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID_IShellFolder || riid == IID_IPersistFolder ? S_OK : S_FALSE;
}

STDMETHODIMP TShellFolderImpl::GetClassID(CLSID* pClassID) {
    if (!pClassID) return E_POINTER;
    *pClassID = CLSID_FolderPointer;
    return S_OK;
}

void TShellFolderImpl::Bind(TComPtr<IShellFolder> target) {
    TargetValid = static_cast<bool>(target);
    Target = std::move(target);
}

// Binds the folder that the pointer's "Folder.lnk" names. Whatever fails, the
// object stays unbound and the answer is still S_OK: the shell then sees a
// folder that implements nothing.
STDMETHODIMP TShellFolderImpl::Initialize(PCIDLIST_ABSOLUTE pidl) {
    Bind({});
    try {
        if (Nesting >= kMaxNesting || !StartMenuOnScreen()) return S_OK;
        const TNestingScope nesting;

        TComScope com;
        TComPtr<IShellFolder> desktop;
        if (FAILED(SHGetDesktopFolder(desktop.Receive())) || !desktop) return S_OK;

        wchar_t folder[MAX_PATH];
        if (!pidl || !SHGetPathFromIDListW(pidl, folder) || !folder[0]) return S_OK;
        std::wstring linkPath = folder;
        if (linkPath.back() != L'\\') linkPath += L'\\';
        linkPath += L"Folder.lnk";

        const TItemIdList target = StoredTarget(linkPath);
        if (!target) return S_OK;
        if (target.Get()->mkid.cb == 0) { // the empty list names the desktop itself
            Bind(std::move(desktop));
            return S_OK;
        }
        TComPtr<IShellFolder> bound;
        if (SUCCEEDED(desktop->BindToObject(target.Get(), nullptr, IID_IShellFolder, bound.ReceiveVoid())))
            Bind(std::move(bound));
    } catch (...) {
        Bind({});
    }
    return S_OK;
}

// Every IShellFolder question goes to the target with the same arguments and
// comes back with the target's answer. An object without a target implements
// nothing; an exception on the way becomes E_UNEXPECTED.
template <typename Call>
HRESULT TShellFolderImpl::PassOn(Call call) {
    if (!TargetValid) return E_NOTIMPL;
    try {
        return call(Target.Get());
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The same for the questions that hand out an object: the out pointer is
// cleared first and again after an exception, so a failure never leaves the
// caller holding an undefined pointer.
template <typename Out, typename Call>
HRESULT TShellFolderImpl::PassOnClearing(Out** out, Call call) {
    if (out) *out = nullptr;
    if (!TargetValid) return E_NOTIMPL;
    try {
        return call(Target.Get());
    } catch (...) {
        if (out) *out = nullptr;
        return E_UNEXPECTED;
    }
}

// Here a bound target fills the identifier list it hands back; an unbound
// pointer clears it, as every failing COM call must.
STDMETHODIMP TShellFolderImpl::ParseDisplayName(HWND hwnd, IBindCtx* pbc, LPWSTR pszDisplayName, ULONG* pchEaten,
                                                PIDLIST_RELATIVE* ppidl, ULONG* pdwAttributes) {
    if (!TargetValid && ppidl) *ppidl = nullptr;
    return PassOn([&](IShellFolder* t) {
        return t->ParseDisplayName(hwnd, pbc, pszDisplayName, pchEaten, ppidl, pdwAttributes);
    });
}

STDMETHODIMP TShellFolderImpl::EnumObjects(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenumIDList) {
    return PassOnClearing(ppenumIDList, [&](IShellFolder* t) { return t->EnumObjects(hwnd, grfFlags, ppenumIDList); });
}

STDMETHODIMP TShellFolderImpl::BindToObject(PCUIDLIST_RELATIVE pidl, IBindCtx* pbc, REFIID riid, void** ppv) {
    return PassOnClearing(ppv, [&](IShellFolder* t) { return t->BindToObject(pidl, pbc, riid, ppv); });
}

// A folder pointer has no storage of its own, bound or not.
STDMETHODIMP TShellFolderImpl::BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void** ppv) {
    if (ppv) *ppv = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TShellFolderImpl::CompareIDs(LPARAM lParam, PCUIDLIST_RELATIVE pidl1, PCUIDLIST_RELATIVE pidl2) {
    return PassOn([&](IShellFolder* t) { return t->CompareIDs(lParam, pidl1, pidl2); });
}

STDMETHODIMP TShellFolderImpl::CreateViewObject(HWND hwndOwner, REFIID riid, void** ppv) {
    return PassOnClearing(ppv, [&](IShellFolder* t) { return t->CreateViewObject(hwndOwner, riid, ppv); });
}

STDMETHODIMP TShellFolderImpl::GetAttributesOf(UINT cidl, PCUITEMID_CHILD_ARRAY apidl, SFGAOF* rgfInOut) {
    return PassOn([&](IShellFolder* t) { return t->GetAttributesOf(cidl, apidl, rgfInOut); });
}

STDMETHODIMP TShellFolderImpl::GetUIObjectOf(HWND hwndOwner, UINT cidl, PCUITEMID_CHILD_ARRAY apidl, REFIID riid,
                                             UINT* rgfReserved, void** ppv) {
    return PassOnClearing(ppv, [&](IShellFolder* t) {
        return t->GetUIObjectOf(hwndOwner, cidl, apidl, riid, rgfReserved, ppv);
    });
}

STDMETHODIMP TShellFolderImpl::GetDisplayNameOf(PCUITEMID_CHILD pidl, SHGDNF uFlags, STRRET* pName) {
    return PassOn([&](IShellFolder* t) { return t->GetDisplayNameOf(pidl, uFlags, pName); });
}

// As ParseDisplayName for the identifier list handed back.
STDMETHODIMP TShellFolderImpl::SetNameOf(HWND hwnd, PCUITEMID_CHILD pidl, LPCWSTR pszName, SHGDNF uFlags,
                                         PITEMID_CHILD* ppidlOut) {
    if (!TargetValid && ppidlOut) *ppidlOut = nullptr;
    return PassOn([&](IShellFolder* t) { return t->SetNameOf(hwnd, pidl, pszName, uFlags, ppidlOut); });
}

} // namespace kelpfold

extern "C" BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM) {
    wchar_t name[261];
    if (GetClassNameW(hwnd, name, 261) == 0 || wcscmp(name, L"BaseBar") != 0) return TRUE;
    // Handles compare as signed 32-bit numbers, the width they have on every
    // Windows, 64-bit ones included.
    const auto value = [](HWND h) { return static_cast<INT32>(reinterpret_cast<INT_PTR>(h)); };
    if (!kelpfold::BaseBarWindow || value(hwnd) < value(kelpfold::BaseBarWindow))
        kelpfold::BaseBarWindow = hwnd;
    return TRUE;
}
