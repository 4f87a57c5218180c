#pragma once
// Text helpers shared by the whole program. Strings are UTF-8 inside the
// program; the Windows layer converts to UTF-16 at the API boundary.
#include <cstdint>
#include <string>

namespace text {

std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(const std::u16string& s);
// Reads UTF-16LE bytes (as the registry stores strings) up to the first NUL or
// the end; an odd trailing byte is dropped.
std::u16string Utf16FromBytes(const uint8_t* data, size_t size);

// The one comparison "without regard to case": ordinal over UTF-16 code units
// after simple Unicode upper-casing, as the registry compares names.
// Returns <0, 0 or >0.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
std::string UpperCase(const std::string& s);
char16_t UpperCaseUnit(char16_t c);

// Orders strings by CompareText, for sorted containers and std::sort.
struct LessText {
    bool operator()(const std::string& a, const std::string& b) const { return CompareText(a, b) < 0; }
};

// Replaces the first "%s" of a message pattern, as the error texts use it.
std::string FormatOne(const std::string& pattern, const std::string& arg);

} // namespace text
