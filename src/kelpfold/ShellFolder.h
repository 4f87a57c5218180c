#pragma once
// The folder pointer: a shell namespace folder that shows another folder's
// contents. The shell creates one for every folder named
// "<name>.{fa6c62a0-9fe5-11d2-9e61-444553540000}"; Initialize reads the
// "Folder.lnk" inside it and binds the folder the link points to, and every
// IShellFolder question is then passed on to that target.
#include "Owners.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

namespace kelpfold {

// {FA6C62A0-9FE5-11D2-9E61-444553540000}
extern const CLSID CLSID_FolderPointer;

class TShellFolderImpl final : public IShellFolder, public IPersistFolder, public ISupportErrorInfo {
public:
    TShellFolderImpl();
    TShellFolderImpl(const TShellFolderImpl&) = delete;
    TShellFolderImpl& operator=(const TShellFolderImpl&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // IPersistFolder
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidl) override;

    // IShellFolder
    STDMETHODIMP ParseDisplayName(HWND hwnd, IBindCtx* pbc, LPWSTR pszDisplayName, ULONG* pchEaten,
                                  PIDLIST_RELATIVE* ppidl, ULONG* pdwAttributes) override;
    STDMETHODIMP EnumObjects(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenumIDList) override;
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE pidl, IBindCtx* pbc, REFIID riid, void** ppv) override;
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE pidl, IBindCtx* pbc, REFIID riid, void** ppv) override;
    STDMETHODIMP CompareIDs(LPARAM lParam, PCUIDLIST_RELATIVE pidl1, PCUIDLIST_RELATIVE pidl2) override;
    STDMETHODIMP CreateViewObject(HWND hwndOwner, REFIID riid, void** ppv) override;
    STDMETHODIMP GetAttributesOf(UINT cidl, PCUITEMID_CHILD_ARRAY apidl, SFGAOF* rgfInOut) override;
    STDMETHODIMP GetUIObjectOf(HWND hwndOwner, UINT cidl, PCUITEMID_CHILD_ARRAY apidl, REFIID riid,
                               UINT* rgfReserved, void** ppv) override;
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD pidl, SHGDNF uFlags, STRRET* pName) override;
    STDMETHODIMP SetNameOf(HWND hwnd, PCUITEMID_CHILD pidl, LPCWSTR pszName, SHGDNF uFlags,
                           PITEMID_CHILD* ppidlOut) override;

    // Makes `target` the folder every question goes to (the last step of
    // Initialize); an empty pointer leaves the object unbound.
    void Bind(TComPtr<IShellFolder> target);

private:
    ~TShellFolderImpl();

    template <typename Call>
    HRESULT PassOn(Call call);
    template <typename Out, typename Call>
    HRESULT PassOnClearing(Out** out, Call call);

    std::atomic<ULONG> refs_{1};
    bool TargetValid = false;
    TComPtr<IShellFolder> Target;
};

} // namespace kelpfold

// The window enumeration callback of Initialize: keeps the lowest handle of
// the top-level windows of class "BaseBar" (the Start menu and its cascades).
extern "C" BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM lParam);
