#include "app/MachineKeys.h"

#include "platform/RegistryViews.h"

#include <utility>

using reg::Root;

TMachineKeys ChooseMachineKeys(reg::IRegistry& registry, const std::string& programKey) {
    TMachineKeys keys;
    keys.FirstRun = registry.Open(Root::LocalMachine, programKey, false) == nullptr;
    const bool writable = registry.Open(Root::LocalMachine, programKey, true) != nullptr ||
                          registry.Create(Root::LocalMachine, programKey) != nullptr;
    keys.PerUser = !writable;
    if (keys.PerUser) {
        // The user's counterpart tells the first run, or every start would
        // be one.
        const std::string own = reg::JoinPath(programKey, "Machine");
        keys.FirstRun = registry.Open(Root::CurrentUser, own, false) == nullptr;
        registry.Create(Root::CurrentUser, own);
    }
    return keys;
}

TPerUserRegistry::TPerUserRegistry(reg::IRegistry& inner, std::string programKey)
    : inner_(inner), programKey_(std::move(programKey)) {}

namespace {

// The rest of path below its first `depth` names.
std::string Below(const std::string& path, size_t depth) {
    const std::vector<std::string> parts = reg::SplitPath(path);
    std::string rest;
    for (size_t i = depth; i < parts.size(); ++i) rest = reg::JoinPath(rest, parts[i]);
    return rest;
}

} // namespace

TPerUserRegistry::TPlace TPerUserRegistry::Redirect(Root root, const std::string& path) const {
    if (root == Root::LocalMachine) {
        if (reg::PathAtOrBelow(path, programKey_))
            return {Root::CurrentUser,
                    reg::JoinPath(reg::JoinPath(programKey_, "Machine"), Below(path, reg::SplitPath(programKey_).size()))};
        if (reg::PathAtOrBelow(path, regnames::kUninstallKey)) return {Root::CurrentUser, path};
    }
    if (root == Root::ClassesRoot) return {Root::CurrentUser, reg::JoinPath(regnames::kUserClassesKey, path)};
    return {root, path};
}

std::unique_ptr<reg::IKey> TPerUserRegistry::Open(Root root, const std::string& path, bool write) {
    const TPlace place = Redirect(root, path);
    if (root != Root::ClassesRoot || write) return inner_.Open(place.Root, place.Path, write);
    // Reading a class: the user's own first, then what the system shows.
    std::unique_ptr<reg::IKey> user = inner_.Open(place.Root, place.Path, false);
    std::unique_ptr<reg::IKey> shared = inner_.Open(Root::ClassesRoot, path, false);
    if (!user && !shared) return nullptr;
    return std::make_unique<reg::TMergedKey>(std::move(user), std::move(shared));
}

std::unique_ptr<reg::IKey> TPerUserRegistry::Create(Root root, const std::string& path) {
    const TPlace place = Redirect(root, path);
    if (root != Root::ClassesRoot) return inner_.Create(place.Root, place.Path);
    // A class the system already has is read through and gets the user's
    // own key only when something is written: an empty key of the user's
    // would hide the machine's below it.
    std::unique_ptr<reg::IKey> user = inner_.Open(place.Root, place.Path, true);
    std::unique_ptr<reg::IKey> shared = inner_.Open(Root::ClassesRoot, path, false);
    if (!user && !shared) return inner_.Create(place.Root, place.Path);
    reg::IRegistry& inner = inner_;
    return std::make_unique<reg::TMergedKey>(std::move(user), std::move(shared),
                                             [&inner, place] { return inner.Create(place.Root, place.Path); });
}

bool TPerUserRegistry::DeleteTree(Root root, const std::string& path) {
    const TPlace place = Redirect(root, path);
    return inner_.DeleteTree(place.Root, place.Path);
}
