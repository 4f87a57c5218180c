#include "app/HandOver.h"

#include "platform/Text.h"

std::vector<uint8_t> EncodeHandOver(const std::string& argument) {
    std::u16string wide = text::Utf8ToUtf16(argument);
    if (wide.size() > kHandOverChars - 1) {
        wide.resize(kHandOverChars - 1);
        // Never end on half of a surrogate pair.
        if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF) wide.pop_back();
    }
    std::vector<uint8_t> buffer(kHandOverBytes, 0);
    for (size_t i = 0; i < wide.size(); ++i) {
        buffer[2 * i] = static_cast<uint8_t>(wide[i] & 0xFF);
        buffer[2 * i + 1] = static_cast<uint8_t>(wide[i] >> 8);
    }
    return buffer;
}

std::string DecodeHandOver(const void* data, size_t size, const TCodePageDecoder& fromCodePage) {
    if (!data || size == 0) return std::string();
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size == kHandOverBytes) return text::Utf16ToUtf8(text::Utf16FromBytes(bytes, size));
    size_t length = 0;
    while (length < size && bytes[length] != 0) ++length;
    return fromCodePage(std::string(reinterpret_cast<const char*>(bytes), length));
}

bool IsUninstallArgument(const std::string& argument) {
    return text::SameText(argument, "/u");
}
