#include "platform/win32/WinError.h"

#include "platform/win32/Handles.h"

namespace win {

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (!length || !text) return std::string();
    std::wstring reason(text, length);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return Utf8(reason);
}

void ThrowLastError(const std::string& what) {
    const DWORD code = GetLastError();
    const std::string reason = SystemMessage(code);
    throw EWin32Error(reason.empty() ? what : what + ": " + reason, code);
}

} // namespace win
