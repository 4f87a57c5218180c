#pragma once
// Registries made of other registries: one key seen through two (the
// per-user classes over the machine's, as Windows shows HKEY_CLASSES_ROOT),
// and a registry whose chosen sub-trees refuse writes as a standard user's
// access rights refuse them, so the program's fallback can be tried where
// the system never refuses (Wine, a developer's administrator account).
#include "platform/Registry.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace reg {

// True when path is prefix or lies below it (names compare without case).
bool PathAtOrBelow(const std::string& path, const std::string& prefix);

// Two keys as one: a value or sub-key of the front key hides the back key's
// of the same name. Either may be null (but not both). Writes go to the
// front key; without one, to the front key makeFront creates at the first
// write, or else to the back key. Deleting a value deletes the front's only,
// so the back key's value shows through again.
class TMergedKey : public IKey {
public:
    using TMakeKey = std::function<std::unique_ptr<IKey>()>;
    TMergedKey(std::unique_ptr<IKey> front, std::unique_ptr<IKey> back, TMakeKey makeFront = {});
    bool QueryValue(const std::string& name, Value& out) override;
    void SetValue(const std::string& name, const Value& value) override;
    bool DeleteValue(const std::string& name) override;
    std::vector<std::string> SubKeyNames() override;
    std::vector<std::string> ValueNames() override;

private:
    IKey& Target();
    std::unique_ptr<IKey> front_, back_;
    TMakeKey makeFront_;
};

// Passes everything to the inner registry except below the refused keys:
// there opening for writing and creating give null, deleting gives false,
// and a key opened for reading refuses every write with
// ERegistryAccessDenied.
class TRefusingRegistry : public IRegistry {
public:
    explicit TRefusingRegistry(IRegistry& inner) : inner_(inner) {}
    void Refuse(Root root, const std::string& path) { refused_.emplace_back(root, path); }

    std::unique_ptr<IKey> Open(Root root, const std::string& path, bool write) override;
    std::unique_ptr<IKey> Create(Root root, const std::string& path) override;
    bool DeleteTree(Root root, const std::string& path) override;

private:
    bool Refused(Root root, const std::string& path) const;
    IRegistry& inner_;
    std::vector<std::pair<Root, std::string>> refused_;
};

} // namespace reg
