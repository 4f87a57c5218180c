#include "platform/host/HostRegistry.h"

#include "platform/Errors.h"
#include "platform/RegistryViews.h"
#include "platform/Text.h"

#include <algorithm>

namespace reg {

struct HostRegistry::Node {
    std::string Name;
    bool Deleted = false;
    bool ReadOnly = false;
    Node* Parent = nullptr;
    std::map<std::string, std::shared_ptr<Node>, text::LessText> Children;
    // Value names keep the spelling of their first writer, as on Windows.
    std::map<std::string, std::pair<std::string, Value>, text::LessText> Values;

    bool Writable() const {
        for (const Node* n = this; n; n = n->Parent)
            if (n->ReadOnly) return false;
        return true;
    }
};

namespace {

void MarkDeleted(HostRegistry::Node& node) {
    node.Deleted = true;
    for (auto& child : node.Children) MarkDeleted(*child.second);
}

class HostKey : public IKey {
public:
    HostKey(std::shared_ptr<HostRegistry::Node> node, bool write) : node_(std::move(node)), write_(write) {}

    bool QueryValue(const std::string& name, Value& out) override {
        if (node_->Deleted) throw ERegistryException(text::FormatOne("Failed to get data for '%s'", name));
        const auto it = node_->Values.find(name);
        if (it == node_->Values.end()) return false;
        out = it->second.second;
        return true;
    }

    void SetValue(const std::string& name, const Value& value) override {
        const std::string message = text::FormatOne("Failed to set data for '%s'", name);
        if (node_->Deleted) throw ERegistryException(message);
        // A handle opened for reading is refused as the system refuses it.
        if (!write_ || !node_->Writable()) throw ERegistryAccessDenied(message);
        auto it = node_->Values.find(name);
        if (it == node_->Values.end())
            node_->Values.emplace(name, std::make_pair(name, value));
        else
            it->second.second = value;
    }

    bool DeleteValue(const std::string& name) override {
        if (node_->Deleted || !write_ || !node_->Writable()) return false;
        return node_->Values.erase(name) > 0;
    }

    std::vector<std::string> SubKeyNames() override {
        std::vector<std::string> names;
        if (node_->Deleted) return names;
        for (const auto& child : node_->Children) names.push_back(child.second->Name);
        return names; // the map already orders them without regard to case
    }

    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        if (node_->Deleted) return names;
        for (const auto& v : node_->Values) names.push_back(v.second.first);
        return names;
    }

private:
    std::shared_ptr<HostRegistry::Node> node_;
    bool write_;
};

} // namespace

HostRegistry::HostRegistry() {
    for (Root r : {Root::CurrentUser, Root::LocalMachine, Root::CurrentConfig})
        roots_[r] = std::make_shared<Node>();
}

std::shared_ptr<HostRegistry::Node> HostRegistry::Find(Root root, const std::string& path) const {
    const auto r = roots_.find(root);
    if (r == roots_.end()) return nullptr;
    std::shared_ptr<Node> node = r->second;
    for (const auto& part : SplitPath(path)) {
        const auto it = node->Children.find(part);
        if (it == node->Children.end()) return nullptr;
        node = it->second;
    }
    return node;
}

std::unique_ptr<IKey> HostRegistry::Open(Root root, const std::string& path, bool write) {
    if (root == Root::ClassesRoot) return OpenClasses(path, write);
    auto node = Find(root, path);
    if (!node) return nullptr;
    // Below a refused key only reading is allowed, as access rights allow.
    if (write && !node->Writable()) return nullptr;
    return std::make_unique<HostKey>(node, write);
}

// HKEY_CLASSES_ROOT as Windows shows it to a user: the per-user classes over
// the machine's, a value or sub-key of the user's hiding the machine's.
// Writes go to the user's key where it exists, otherwise to the machine's.
std::unique_ptr<IKey> HostRegistry::OpenClasses(const std::string& path, bool write) {
    std::unique_ptr<IKey> user = Open(Root::CurrentUser, JoinPath(kUserClasses, path), write);
    std::unique_ptr<IKey> machine = Open(Root::LocalMachine, JoinPath(kMachineClasses, path), write && !user);
    if (!user && !machine) return nullptr;
    return std::make_unique<TMergedKey>(std::move(user), std::move(machine));
}

std::unique_ptr<IKey> HostRegistry::Create(Root root, const std::string& path) {
    if (root == Root::ClassesRoot) {
        if (Find(Root::CurrentUser, JoinPath(kUserClasses, path))) return OpenClasses(path, true);
        if (!Create(Root::LocalMachine, JoinPath(kMachineClasses, path))) return nullptr;
        return OpenClasses(path, true);
    }
    const auto r = roots_.find(root);
    if (r == roots_.end()) return nullptr;
    std::shared_ptr<Node> node = r->second;
    for (const auto& part : SplitPath(path)) {
        auto it = node->Children.find(part);
        if (it == node->Children.end()) {
            if (!node->Writable()) return nullptr;
            auto child = std::make_shared<Node>();
            child->Name = part;
            child->Parent = node.get();
            it = node->Children.emplace(part, child).first;
        }
        node = it->second;
    }
    if (!node->Writable()) return nullptr;
    return std::make_unique<HostKey>(node, true);
}

bool HostRegistry::DeleteTree(Root root, const std::string& path) {
    if (root == Root::ClassesRoot) {
        // The user's key where it exists, as writes go.
        if (Find(Root::CurrentUser, JoinPath(kUserClasses, path)))
            return DeleteTree(Root::CurrentUser, JoinPath(kUserClasses, path));
        return DeleteTree(Root::LocalMachine, JoinPath(kMachineClasses, path));
    }
    const auto parts = SplitPath(path);
    if (parts.empty()) return false; // a root key cannot be deleted
    auto node = Find(root, path);
    if (!node || !node->Writable()) return false;
    node->Parent->Children.erase(parts.back());
    MarkDeleted(*node);
    return true;
}

void HostRegistry::SetReadOnly(Root root, const std::string& path) {
    if (root == Root::ClassesRoot) {
        SetReadOnly(Root::LocalMachine, JoinPath(kMachineClasses, path));
        return;
    }
    Create(root, path);
    if (auto node = Find(root, path)) node->ReadOnly = true;
}

} // namespace reg
