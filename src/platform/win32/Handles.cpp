#include "platform/win32/Handles.h"

#include "platform/Text.h"

#include <atomic>

namespace win {

namespace {

std::atomic<int> liveGdi{0}, liveUser{0};

} // namespace

namespace detail {

void CountObject(TObjectKind kind, int delta) {
    if (kind == TObjectKind::Gdi) liveGdi += delta;
    if (kind == TObjectKind::User) liveUser += delta;
}

} // namespace detail

int LiveObjects(TObjectKind kind) {
    switch (kind) {
    case TObjectKind::Gdi: return liveGdi;
    case TObjectKind::User: return liveUser;
    case TObjectKind::None: break;
    }
    return 0;
}

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
