// The library's entry point and its exports (named in kelpfold.def).
#include "ClassFactory.h"
#include "Module.h"
#include "Registration.h"

#include <windows.h>

// Nothing but the module handle: no registry or file work under the loader lock.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        kelpfold::SetModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return kelpfold::GetClassObject(rclsid, riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return kelpfold::CanUnload() ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return kelpfold::RegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return kelpfold::UnregisterServer(); }
