#pragma once
// Library-wide state: the module handle that DllMain keeps, and the counts
// of living objects and class-factory locks that decide DllCanUnloadNow.
#include <windows.h>

#include <string>

namespace kelpfold {

void SetModuleHandle(HINSTANCE module);
HINSTANCE ModuleHandle();

// The full path of this library file; empty when it cannot be found.
std::wstring ModulePath();

// Every COM object of the library counts itself from construction to
// destruction; IClassFactory::LockServer counts separately.
void ObjectCreated();
void ObjectDestroyed();
void ServerLocked();
void ServerUnlocked();
bool CanUnload();

} // namespace kelpfold
