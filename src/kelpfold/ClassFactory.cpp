#include "ClassFactory.h"

#include "Module.h"
#include "ShellFolder.h"

#include <new>

namespace kelpfold {
namespace {

// Hands out the requested interface of a freshly made object and drops the
// creation reference, so that a refused interface frees the object again.
template <typename T>
HRESULT CreateAndQuery(REFIID riid, void** ppv) {
    T* object = new (std::nothrow) T();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

} // namespace

// A factory that someone holds keeps the library loaded like any object.
TClassFactory::TClassFactory() { ObjectCreated(); }
TClassFactory::~TClassFactory() { ObjectDestroyed(); }

STDMETHODIMP TClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TClassFactory::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) TClassFactory::Release() {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP TClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    return CreateAndQuery<TShellFolderImpl>(riid, ppv);
}

STDMETHODIMP TClassFactory::LockServer(BOOL fLock) {
    if (fLock)
        ServerLocked();
    else
        ServerUnlocked();
    return S_OK;
}

HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_FolderPointer) return CLASS_E_CLASSNOTAVAILABLE;
    return CreateAndQuery<TClassFactory>(riid, ppv);
}

} // namespace kelpfold
