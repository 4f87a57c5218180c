#include "platform/win32/WinRegistry.h"

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/win32/Handles.h"

#include <algorithm>

namespace reg {
namespace {

HKEY RootHandle(Root root) {
    // The predefined keys are sign-extended 32-bit values, as <winreg.h> defines them.
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(static_cast<uint32_t>(root))));
}

// Registry names may be up to 16383 characters; values names the same.
constexpr DWORD kMaxName = 16384;

// The names of a key's sub-keys or values, in the registry's own order.
std::vector<std::wstring> EnumNames(HKEY key, bool subKeys) {
    std::vector<std::wstring> names;
    std::wstring buffer(kMaxName, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD len = kMaxName;
        const LONG rc = subKeys ? RegEnumKeyExW(key, i, &buffer[0], &len, nullptr, nullptr, nullptr, nullptr)
                                : RegEnumValueW(key, i, &buffer[0], &len, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        names.push_back(buffer.substr(0, len));
    }
    return names;
}

class WinKey : public IKey {
public:
    explicit WinKey(win::UniqueKey key) : key_(std::move(key)) {}

    bool QueryValue(const std::string& name, Value& out) override {
        const std::wstring wname = win::Wide(name);
        DWORD type = 0, size = 0;
        LONG rc = RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, nullptr, &size);
        std::vector<uint8_t> data;
        // The value may grow between the two calls; ask again until it fits.
        while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
            data.resize(size);
            DWORD got = size;
            rc = RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &got);
            if (rc == ERROR_SUCCESS) {
                data.resize(std::min<DWORD>(got, size));
                out.Type = type;
                out.Data = std::move(data);
                return true;
            }
            size = std::max<DWORD>(got, size + 64);
        }
        if (rc == ERROR_FILE_NOT_FOUND) return false;
        throw ERegistryException(text::FormatOne("Failed to get data for '%s'", name));
    }

    void SetValue(const std::string& name, const Value& value) override {
        const LONG rc = RegSetValueExW(key_.Get(), win::Wide(name).c_str(), 0, value.Type,
                                       value.Data.empty() ? nullptr : value.Data.data(),
                                       static_cast<DWORD>(value.Data.size()));
        if (rc == ERROR_SUCCESS) return;
        const std::string message = text::FormatOne("Failed to set data for '%s'", name);
        if (rc == ERROR_ACCESS_DENIED) throw ERegistryAccessDenied(message);
        throw ERegistryException(message);
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueW(key_.Get(), win::Wide(name).c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> SubKeyNames() override {
        std::vector<std::string> names;
        for (const auto& name : EnumNames(key_.Get(), true)) names.push_back(win::Utf8(name));
        // Windows and Wine order sub-keys differently; the program's order is ours.
        std::sort(names.begin(), names.end(), text::LessText());
        return names;
    }

    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        for (const auto& name : EnumNames(key_.Get(), false)) names.push_back(win::Utf8(name));
        return names;
    }

private:
    win::UniqueKey key_;
};

bool DeleteRecursively(HKEY parent, const std::wstring& name) {
    win::UniqueKey key;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE | DELETE, key.Receive()) != ERROR_SUCCESS)
        return false;
    for (const auto& child : EnumNames(key.Get(), true)) DeleteRecursively(key.Get(), child);
    key.Reset();
    return RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

} // namespace

std::unique_ptr<IKey> WinRegistry::Open(Root root, const std::string& path, bool write) {
    win::UniqueKey key;
    const REGSAM access = write ? (KEY_READ | KEY_WRITE) : KEY_READ;
    if (RegOpenKeyExW(RootHandle(root), win::Wide(JoinPath(path, "")).c_str(), 0, access, key.Receive()) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinKey>(std::move(key));
}

std::unique_ptr<IKey> WinRegistry::Create(Root root, const std::string& path) {
    win::UniqueKey key;
    if (RegCreateKeyExW(RootHandle(root), win::Wide(JoinPath(path, "")).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<WinKey>(std::move(key));
}

bool WinRegistry::DeleteTree(Root root, const std::string& path) {
    const auto parts = SplitPath(path);
    if (parts.empty()) return false;
    std::string parentPath;
    for (size_t i = 0; i + 1 < parts.size(); ++i) parentPath = JoinPath(parentPath, parts[i]);
    win::UniqueKey parent;
    if (RegOpenKeyExW(RootHandle(root), win::Wide(parentPath).c_str(), 0, KEY_READ | KEY_WRITE, parent.Receive()) !=
        ERROR_SUCCESS)
        return false;
    return DeleteRecursively(parent.Get(), win::Wide(parts.back()));
}

} // namespace reg
