#pragma once
// An in-memory registry with the semantics the program relies on from Windows:
// names compare without regard to case, values keep their type and bytes,
// deleting a key removes everything below it, and a handle to a deleted key
// fails. HKEY_CLASSES_ROOT is the per-user classes ("Software\Classes" of
// HKEY_CURRENT_USER) over the machine's, as Windows shows it. Tests can also
// mark a sub-tree read-only to see refused writes.
#include "platform/Registry.h"

#include <map>
#include <memory>

namespace reg {

class HostRegistry : public IRegistry {
public:
    HostRegistry();
    std::unique_ptr<IKey> Open(Root root, const std::string& path, bool write) override;
    std::unique_ptr<IKey> Create(Root root, const std::string& path) override;
    bool DeleteTree(Root root, const std::string& path) override;

    // Writes, creations and deletions at or below this key are refused, as
    // access rights would refuse them on Windows.
    void SetReadOnly(Root root, const std::string& path);

    struct Node;

    static constexpr const char* kUserClasses = "Software\\Classes";
    static constexpr const char* kMachineClasses = "SOFTWARE\\Classes";

private:
    std::unique_ptr<IKey> OpenClasses(const std::string& path, bool write);
    std::shared_ptr<Node> Find(Root root, const std::string& path) const;
    std::map<Root, std::shared_ptr<Node>> roots_;
};

} // namespace reg
