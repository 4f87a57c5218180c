#include "platform/win32/Handles.h"

#include "platform/Text.h"

namespace win {

std::wstring Wide(const std::string& utf8) {
    const std::u16string u = text::Utf8ToUtf16(utf8);
    return std::wstring(u.begin(), u.end());
}

std::string Utf8(const std::wstring& wide) {
    return text::Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string Utf8(const wchar_t* wide) {
    return wide ? Utf8(std::wstring(wide)) : std::string();
}

} // namespace win
