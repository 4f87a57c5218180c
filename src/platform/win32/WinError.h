#pragma once
// Failed Win32 calls become the program's exception, carrying what was being
// done and the system's own message for the error code.
#include "platform/Errors.h"

#include <windows.h>

#include <string>

namespace win {

class EWin32Error : public EMuraltoError {
public:
    EWin32Error(const std::string& message, DWORD code) : EMuraltoError(message), Code(code) {}
    DWORD Code;
};

// The system's text for an error code, without its trailing line break;
// empty when the system has none.
std::string SystemMessage(DWORD code);

// Throws for the calling thread's last error: "what: <system message>".
[[noreturn]] void ThrowLastError(const std::string& what);

// Passes a handle or result through, throwing the last error when it is
// null, zero or FALSE.
template <typename T>
T Check(T result, const std::string& what) {
    if (!result) ThrowLastError(what);
    return result;
}

} // namespace win
