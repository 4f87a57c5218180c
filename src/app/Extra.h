#pragma once
// The settings store: a registry object opened on one key at a time, and the
// ini-file-like helper whose sections are sub-keys and whose values are text.
// Both are made, used for a few values and dropped within one operation;
// nothing is cached, so every reader sees the last writer's value.
#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The program's integer conversion: an optional sign and decimal digits within
// 32 bits, or "$" followed by 1 to 8 hexadecimal digits read as a 32-bit two's
// complement value. Anything else does not convert.
std::optional<int32_t> TryStrToInt(const std::string& text);
int32_t StrToIntDef(const std::string& text, int32_t def);
// The integer reading of a stored text: "0x"/"0X" before at least one more
// character is taken as the hexadecimal marker.
int32_t SettingToInt(const std::string& text, int32_t def);

class TRegistry {
public:
    explicit TRegistry(reg::IRegistry& registry, reg::Root root = reg::Root::CurrentUser);
    virtual ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    reg::Root RootKey() const { return root_; }
    void SetRootKey(reg::Root root);
    const std::string& CurrentPath() const { return currentPath_; }
    reg::IRegistry& Registry() const { return registry_; }

    // A path beginning with "\" starts at the root, any other at the open key.
    bool OpenKey(const std::string& path, bool create);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();

    bool ValueExists(const std::string& name);
    bool KeyExists(const std::string& path);
    bool HasSubKeys();
    std::vector<std::string> GetKeyNames();
    std::vector<std::string> GetValueNames();

    // Absent: empty text. A value that is not a string: "Invalid data type".
    std::string ReadString(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    // Bytes read, 0 when absent; "Invalid data type" when not binary or when
    // larger than the buffer.
    size_t ReadBinary(const std::string& name, void* buffer, size_t size);
    void WriteBinary(const std::string& name, const void* data, size_t size);
    // Exactly 8 bytes of binary data holding a day count since 1899-12-30.
    double ReadDateTime(const std::string& name);
    void WriteDateTime(const std::string& name, double moment);
    // The dword kind: REG_DWORD, non-zero is true. A value of another type or
    // size reads as the default, since only switches are stored this way.
    bool ReadDWordBool(const std::string& name, bool def);
    void WriteDWordBool(const std::string& name, bool value);
    // The raw value, for readers that check type and size themselves.
    std::optional<reg::Value> ReadValue(const std::string& name);

    bool DeleteValue(const std::string& name);
    bool DeleteKey(const std::string& path);
    // Copies the old key with all its values and sub-keys to the new path and
    // deletes the old one when asked; nothing happens when the old key is
    // missing or the new one already exists.
    void MoveKey(const std::string& oldPath, const std::string& newPath, bool deleteOld);

protected:
    // The open key, or the root when none is open.
    reg::IKey& Current();
    std::string Resolve(const std::string& path) const;

private:
    reg::IRegistry& registry_;
    reg::Root root_;
    std::unique_ptr<reg::IKey> current_;
    std::string currentPath_;
    bool currentWritable_ = false;
};

// Sections are sub-keys of the opened key; values are written as text.
class TRegIniFiles : public TRegistry {
public:
    // Opens the key (creating it when missing) below the root.
    TRegIniFiles(reg::IRegistry& registry, const std::string& fileName,
                 reg::Root root = reg::Root::CurrentUser);

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& name, const std::string& def);
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t def);
    bool ReadBool(const std::string& section, const std::string& name, bool def);
    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& name, int32_t value);
    void WriteBool(const std::string& section, const std::string& name, bool value);
    void EraseSection(const std::string& section);

    using TRegistry::ReadString;
    using TRegistry::WriteString;

private:
    std::string fileName_;
};
