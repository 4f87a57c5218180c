#pragma once
// Where the program's machine-wide settings go. Windows 9x lets every user
// write HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT; the NT family lets a
// standard user (and an administrator without elevation) only read them.
// The choice is made once at start-up and holds for the whole run: the
// machine keys when they can be written, otherwise their per-user
// counterparts, reached through a registry that redirects the program's
// machine keys so that every reader and writer follows the same choice.
#include "app/RegistryNames.h"
#include "platform/Registry.h"

#include <string>

struct TMachineKeys {
    // HKEY_LOCAL_MACHINE's program key did not exist at this start (the
    // probe below creates it, so the next start is no first run).
    bool FirstRun = false;
    // The machine keys refused writing: the per-user counterparts are used.
    bool PerUser = false;
};

// Notes whether the machine's program key exists, then tries to open it for
// writing or create it; when that is refused, the user's counterpart is
// noted and created instead.
TMachineKeys ChooseMachineKeys(reg::IRegistry& registry, const std::string& programKey = regnames::kProgramKey);

// The registry of a per-user run. Below HKEY_LOCAL_MACHINE the program key
// becomes HKEY_CURRENT_USER's program key + "\Machine" and the uninstall
// entry moves to HKEY_CURRENT_USER; HKEY_CLASSES_ROOT is written in the
// user's "Software\Classes" and read there first, then from
// HKEY_CLASSES_ROOT (Windows merges the two, Wine does not, and what other
// programs registered is still found). Everything else passes through.
class TPerUserRegistry : public reg::IRegistry {
public:
    explicit TPerUserRegistry(reg::IRegistry& inner, std::string programKey = regnames::kProgramKey);

    std::unique_ptr<reg::IKey> Open(reg::Root root, const std::string& path, bool write) override;
    std::unique_ptr<reg::IKey> Create(reg::Root root, const std::string& path) override;
    bool DeleteTree(reg::Root root, const std::string& path) override;

    // Where a key of the program lands in this run.
    struct TPlace {
        reg::Root Root;
        std::string Path;
    };
    TPlace Redirect(reg::Root root, const std::string& path) const;

private:
    reg::IRegistry& inner_;
    std::string programKey_;
};
