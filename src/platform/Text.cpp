#include "platform/Text.h"

#include <algorithm>
#include <iterator>

namespace text {
namespace {

struct UpperPair {
    char16_t lower;
    char16_t upper;
};

constexpr UpperPair kUpper[] = {
#include "platform/UpperCaseTable.inc"
};

// Invalid UTF-8 bytes become lone low surrogates (0xDC00 + byte), so that two
// different malformed names never compare equal and survive a round trip.
constexpr char16_t kEscapeBase = 0xDC00;

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when malformed.
size_t DecodeUtf8(const std::string& s, size_t i, uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t b0 = byte(i);
    size_t len;
    uint32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (len > s.size() - i) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        uint32_t cp = 0;
        const size_t len = DecodeUtf8(s, i, cp);
        if (len == 0) {
            out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<uint8_t>(s[i])));
            ++i;
        } else {
            AppendUtf16(out, cp);
            i += len;
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((uint32_t(c) - 0xD800) << 10) + (uint32_t(s[i + 1]) - 0xDC00));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out.push_back(static_cast<char>(c - kEscapeBase)); // an escaped invalid byte
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::u16string Utf16FromBytes(const uint8_t* data, size_t size) {
    std::u16string out;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) break;
        out.push_back(c);
    }
    return out;
}

char16_t UpperCaseUnit(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    const auto* end = std::end(kUpper);
    const auto* it = std::lower_bound(std::begin(kUpper), end, c,
                                      [](const UpperPair& p, char16_t v) { return p.lower < v; });
    return (it != end && it->lower == c) ? it->upper : c;
}

int CompareText(const std::string& a, const std::string& b) {
    const std::u16string ua = Utf8ToUtf16(a), ub = Utf8ToUtf16(b);
    const size_t n = std::min(ua.size(), ub.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t ca = UpperCaseUnit(ua[i]), cb = UpperCaseUnit(ub[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return ua.size() == ub.size() ? 0 : (ua.size() < ub.size() ? -1 : 1);
}

bool SameText(const std::string& a, const std::string& b) {
    return CompareText(a, b) == 0;
}

std::string UpperCase(const std::string& s) {
    std::u16string u = Utf8ToUtf16(s);
    for (auto& c : u) c = UpperCaseUnit(c);
    return Utf16ToUtf8(u);
}

std::string FormatOne(const std::string& pattern, const std::string& arg) {
    const size_t at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

} // namespace text
