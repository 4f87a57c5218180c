#pragma once
// The registry entries of the folder pointer class, written from one table
// and removed again by the same table.
#include <windows.h>

namespace kelpfold {

// The body of DllRegisterServer: S_OK, or E_FAIL with nothing left behind.
HRESULT RegisterServer();
// The body of DllUnregisterServer: S_OK once the class key is gone (also when
// it was never there), else E_FAIL.
HRESULT UnregisterServer();

} // namespace kelpfold
