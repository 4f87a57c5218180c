#pragma once
// The class factory of the folder pointer: a new object for every request.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace kelpfold {

class TClassFactory final : public IClassFactory {
public:
    TClassFactory();
    TClassFactory(const TClassFactory&) = delete;
    TClassFactory& operator=(const TClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

private:
    ~TClassFactory();

    std::atomic<ULONG> refs_{1};
};

// The body of DllGetClassObject.
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

} // namespace kelpfold
