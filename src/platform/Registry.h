#pragma once
// The registry as the program sees it: keys addressed by a root and a path of
// names separated by "\", values as a type and raw bytes. Two implementations
// keep the same contract: the Win32 registry and an in-memory one for the host.
// Names compare without regard to case; string values hold UTF-16LE bytes, as
// Windows stores them, so readers see exactly the bytes a real registry holds.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace reg {

enum class Root : uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    CurrentConfig = 0x80000005u,
};

// Value types as the registry numbers them.
enum ValueType : uint32_t {
    kNone = 0,
    kString = 1,       // REG_SZ
    kExpandString = 2, // REG_EXPAND_SZ
    kBinary = 3,       // REG_BINARY
    kDWord = 4,        // REG_DWORD (little-endian)
    kMultiString = 7,  // REG_MULTI_SZ
};

struct Value {
    uint32_t Type = kNone;
    std::vector<uint8_t> Data;
};

// An open key. Every failure the registry reports is thrown as
// ERegistryException with the program's message text.
class IKey {
public:
    virtual ~IKey() = default;
    // False when the value does not exist.
    virtual bool QueryValue(const std::string& name, Value& out) = 0;
    virtual void SetValue(const std::string& name, const Value& value) = 0;
    // False when the value did not exist.
    virtual bool DeleteValue(const std::string& name) = 0;
    // Sub-key names in case-insensitive alphabetical order.
    virtual std::vector<std::string> SubKeyNames() = 0;
    // Value names in no particular order.
    virtual std::vector<std::string> ValueNames() = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens an existing key; null when it does not exist or cannot be opened.
    // An empty path opens the root itself.
    virtual std::unique_ptr<IKey> Open(Root root, const std::string& path, bool write) = 0;
    // Opens the key, creating every missing level; null when that fails.
    virtual std::unique_ptr<IKey> Create(Root root, const std::string& path) = 0;
    // Deletes the key with everything below it; false when it did not exist.
    virtual bool DeleteTree(Root root, const std::string& path) = 0;
};

// Encodings of the value kinds, shared by every reader and writer.
Value StringValue(const std::string& text);
Value BinaryValue(const void* data, size_t size);
Value DWordValue(uint32_t number);
bool IsStringType(uint32_t type);
// The text of a string value up to its first NUL (the stored length is not
// trusted to hold a terminator).
std::string StringOf(const Value& value);

// Splits "A\B\\C\" into {"A","B","C"}: empty elements are ignored.
std::vector<std::string> SplitPath(const std::string& path);
std::string JoinPath(const std::string& base, const std::string& relative);

} // namespace reg
