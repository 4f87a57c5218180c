#include "app/Extra.h"

#include "platform/Errors.h"
#include "platform/Text.h"

#include <cstring>

namespace {

constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
constexpr const char* kFailedToCreateKey = "Failed to create key %s";

[[noreturn]] void Fail(const char* pattern, const std::string& name) {
    throw ERegistryException(text::FormatOne(pattern, name));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void CopyTree(reg::IRegistry& registry, reg::Root root, const std::string& from, const std::string& to) {
    auto source = registry.Open(root, from, false);
    auto target = registry.Create(root, to);
    if (!source) return;
    if (!target) Fail(kFailedToCreateKey, to);
    for (const auto& name : source->ValueNames()) {
        reg::Value value;
        if (source->QueryValue(name, value)) target->SetValue(name, value);
    }
    for (const auto& child : source->SubKeyNames())
        CopyTree(registry, root, reg::JoinPath(from, child), reg::JoinPath(to, child));
}

} // namespace

std::optional<int32_t> TryStrToInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    if (text[0] == '$') {
        if (text.size() < 2 || text.size() > 9) return std::nullopt;
        uint32_t v = 0;
        for (size_t i = 1; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return std::nullopt;
            v = (v << 4) | static_cast<uint32_t>(d);
        }
        return static_cast<int32_t>(v);
    }
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') i = 1;
    if (i == text.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
        if (v > int64_t(1) << 31) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(v);
}

int32_t StrToIntDef(const std::string& text, int32_t def) {
    return TryStrToInt(text).value_or(def);
}

int32_t SettingToInt(const std::string& text, int32_t def) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return StrToIntDef("$" + text.substr(2), def);
    return StrToIntDef(text, def);
}

// ---- TRegistry ----

TRegistry::TRegistry(reg::IRegistry& registry, reg::Root root) : registry_(registry), root_(root) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(reg::Root root) {
    CloseKey();
    root_ = root;
}

std::string TRegistry::Resolve(const std::string& path) const {
    if (!path.empty() && path[0] == '\\') return reg::JoinPath("", path);
    return reg::JoinPath(currentPath_, path);
}

bool TRegistry::OpenKey(const std::string& path, bool create) {
    const std::string full = Resolve(path);
    auto key = create ? registry_.Create(root_, full) : registry_.Open(root_, full, true);
    if (!key) {
        if (create) Fail(kFailedToCreateKey, path);
        return false;
    }
    current_ = std::move(key);
    currentPath_ = full;
    currentWritable_ = true;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) {
    const std::string full = Resolve(path);
    auto key = registry_.Open(root_, full, false);
    if (!key) return false;
    current_ = std::move(key);
    currentPath_ = full;
    currentWritable_ = false;
    return true;
}

void TRegistry::CloseKey() {
    current_.reset();
    currentPath_.clear();
}

reg::IKey& TRegistry::Current() {
    if (!current_) {
        current_ = registry_.Open(root_, "", true);
        currentWritable_ = true;
        if (!current_) Fail(kFailedToCreateKey, "");
    }
    return *current_;
}

bool TRegistry::ValueExists(const std::string& name) {
    return ReadValue(name).has_value();
}

bool TRegistry::KeyExists(const std::string& path) {
    return registry_.Open(root_, Resolve(path), false) != nullptr;
}

bool TRegistry::HasSubKeys() {
    return !Current().SubKeyNames().empty();
}

std::vector<std::string> TRegistry::GetKeyNames() {
    return Current().SubKeyNames();
}

std::vector<std::string> TRegistry::GetValueNames() {
    return Current().ValueNames();
}

std::optional<reg::Value> TRegistry::ReadValue(const std::string& name) {
    reg::Value value;
    if (!Current().QueryValue(name, value)) return std::nullopt;
    return value;
}

std::string TRegistry::ReadString(const std::string& name) {
    const auto value = ReadValue(name);
    if (!value) return std::string();
    if (!reg::IsStringType(value->Type)) Fail(kInvalidDataType, name);
    return reg::StringOf(*value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    Current().SetValue(name, reg::StringValue(value));
}

size_t TRegistry::ReadBinary(const std::string& name, void* buffer, size_t size) {
    const auto value = ReadValue(name);
    if (!value) return 0;
    if (value->Type != reg::kBinary || value->Data.size() > size) Fail(kInvalidDataType, name);
    if (!value->Data.empty()) std::memcpy(buffer, value->Data.data(), value->Data.size());
    return value->Data.size();
}

void TRegistry::WriteBinary(const std::string& name, const void* data, size_t size) {
    Current().SetValue(name, reg::BinaryValue(data, size));
}

double TRegistry::ReadDateTime(const std::string& name) {
    const auto value = ReadValue(name);
    if (!value) Fail("Failed to get data for '%s'", name);
    if (value->Type != reg::kBinary || value->Data.size() != sizeof(double)) Fail(kInvalidDataType, name);
    // Stored little-endian, as the original platform wrote it.
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | value->Data[i];
    double moment;
    std::memcpy(&moment, &bits, sizeof moment);
    return moment;
}

void TRegistry::WriteDateTime(const std::string& name, double moment) {
    uint64_t bits;
    std::memcpy(&bits, &moment, sizeof bits);
    uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    WriteBinary(name, bytes, sizeof bytes);
}

bool TRegistry::ReadDWordBool(const std::string& name, bool def) {
    const auto value = ReadValue(name);
    if (!value || value->Type != reg::kDWord || value->Data.size() != 4) return def;
    return (value->Data[0] | value->Data[1] | value->Data[2] | value->Data[3]) != 0;
}

void TRegistry::WriteDWordBool(const std::string& name, bool value) {
    Current().SetValue(name, reg::DWordValue(value ? 1 : 0));
}

bool TRegistry::DeleteValue(const std::string& name) {
    return Current().DeleteValue(name);
}

bool TRegistry::DeleteKey(const std::string& path) {
    return registry_.DeleteTree(root_, Resolve(path));
}

void TRegistry::MoveKey(const std::string& oldPath, const std::string& newPath, bool deleteOld) {
    const std::string from = Resolve(oldPath), to = Resolve(newPath);
    if (!KeyExists(oldPath) || KeyExists(newPath)) return;
    CopyTree(registry_, root_, from, to);
    if (deleteOld) registry_.DeleteTree(root_, from);
}

// ---- TRegIniFiles ----

TRegIniFiles::TRegIniFiles(reg::IRegistry& registry, const std::string& fileName, reg::Root root)
    : TRegistry(registry, root), fileName_(fileName) {
    OpenKey(fileName, true);
}

std::string TRegIniFiles::ReadString(const std::string& section, const std::string& name, const std::string& def) {
    // The section is opened for this read only and never created by it.
    auto key = Registry().Open(RootKey(), reg::JoinPath(CurrentPath(), section), false);
    if (!key) return def;
    reg::Value value;
    if (!key->QueryValue(name, value)) return def;
    if (!reg::IsStringType(value.Type)) Fail(kInvalidDataType, name);
    return reg::StringOf(value);
}

int32_t TRegIniFiles::ReadInteger(const std::string& section, const std::string& name, int32_t def) {
    auto key = Registry().Open(RootKey(), reg::JoinPath(CurrentPath(), section), false);
    reg::Value value;
    if (!key || !key->QueryValue(name, value)) return def;
    if (!reg::IsStringType(value.Type)) Fail(kInvalidDataType, name);
    return SettingToInt(reg::StringOf(value), def);
}

bool TRegIniFiles::ReadBool(const std::string& section, const std::string& name, bool def) {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TRegIniFiles::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    const std::string path = reg::JoinPath(CurrentPath(), section);
    auto key = Registry().Create(RootKey(), path);
    if (!key) Fail(kFailedToCreateKey, section);
    key->SetValue(name, reg::StringValue(value));
}

void TRegIniFiles::WriteInteger(const std::string& section, const std::string& name, int32_t value) {
    WriteString(section, name, std::to_string(value));
}

void TRegIniFiles::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

void TRegIniFiles::EraseSection(const std::string& section) {
    DeleteKey(section);
}
