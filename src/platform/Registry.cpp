#include "platform/Registry.h"

#include "platform/Text.h"

namespace reg {

Value StringValue(const std::string& text) {
    const std::u16string wide = text::Utf8ToUtf16(text);
    Value v;
    v.Type = kString;
    v.Data.reserve((wide.size() + 1) * 2);
    for (char16_t c : wide) {
        v.Data.push_back(static_cast<uint8_t>(c & 0xFF));
        v.Data.push_back(static_cast<uint8_t>(c >> 8));
    }
    v.Data.push_back(0);
    v.Data.push_back(0);
    return v;
}

Value BinaryValue(const void* data, size_t size) {
    Value v;
    v.Type = kBinary;
    const auto* bytes = static_cast<const uint8_t*>(data);
    v.Data.assign(bytes, bytes + size);
    return v;
}

Value DWordValue(uint32_t number) {
    Value v;
    v.Type = kDWord;
    for (int i = 0; i < 4; ++i) v.Data.push_back(static_cast<uint8_t>(number >> (8 * i)));
    return v;
}

bool IsStringType(uint32_t type) {
    return type == kString || type == kExpandString;
}

std::string StringOf(const Value& value) {
    return text::Utf16ToUtf8(text::Utf16FromBytes(value.Data.data(), value.Data.size()));
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string JoinPath(const std::string& base, const std::string& relative) {
    std::string out;
    for (const auto* p : {&base, &relative}) {
        for (const auto& part : SplitPath(*p)) {
            if (!out.empty()) out += '\\';
            out += part;
        }
    }
    return out;
}

} // namespace reg
