#pragma once
// The wallpaper engine. One belongs to each form that works with wallpapers:
// the main form (tray menu, changer), each image window and the properties
// dialog; it behaves differently by owner in a few named places. This header
// holds the engine's list side: the named wallpaper lists under
// "Lists", the current list's entries and the options re-read with them.
// The registry is the authority: the engine re-reads it often and keeps
// nothing that another form could have changed in the meantime.
#include "app/HotKey.h"
#include "app/RegistryNames.h"
#include "engine/Placement.h"
#include "engine/StringList.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

enum class TOwnerKind {
    MainForm,         // the tray menu's engine: its list choice is the program's
    ImageWindow,      // one per image window
    PropertiesDialog, // edits lists without changing the current one
};

class TWallpaper {
public:
    // programKey is the tree below HKEY_CURRENT_USER that holds the settings;
    // tests pass a scratch key.
    TWallpaper(TPlatform& platform, TOwnerKind owner, std::string programKey = regnames::kProgramKey);
    virtual ~TWallpaper();
    TWallpaper(const TWallpaper&) = delete;
    TWallpaper& operator=(const TWallpaper&) = delete;

    TOwnerKind Owner() const { return owner_; }
    const std::string& ProgramKey() const { return programKey_; }

    // Re-reads the list names, the current list with its entries, and the
    // options below. Never reports what it finds: missing or spoiled values
    // read as their defaults.
    void LoadSettings();
    // Makes the named list the one the engine works on and creates its key.
    // The main form's engine also stores it as the current list and checks
    // whether the desktop needs the list's wallpaper. The entries are read by
    // the next LoadSettings. A name that cannot be a list (empty, or with a
    // "\") is ignored.
    void SelectList(const std::string& name);
    // The list side of recording an applied wallpaper: stores its placement
    // and puts a new path into the list, making room when the list is full.
    // A path that is already an entry keeps its place.
    void RecordInList(const std::string& path, const TPlacement& record);
    // Removes the entry and its placement from the current list.
    void RemoveItem(const std::string& entry);
    // Deletes a list with everything it holds (after the user confirmed), then
    // loads the settings again so that another list becomes current.
    void DeleteList(const std::string& name);

    // The stale-wallpaper check of applying: re-applies the current list's
    // wallpaper when the desktop no longer matches it. The main form's engine
    // runs it after choosing or deleting a list.
    virtual void RefreshIfStale();

    // ---- The current list ----
    std::string ListKey;        // full path below HKEY_CURRENT_USER
    std::string ListName;
    TStringList ListNames{true}; // names of all lists, sorted
    TStringList Items;          // entries; sorted when the list says so
    int32_t Capacity = kDefaultCapacity;

    // ---- Options read by LoadSettings ----
    bool RestoreIcons = false;
    bool MultipleWindows = true;
    bool FullScreen = true;
    bool AdjustWallpaper = true;
    bool ChangeLogos = false;
    bool CorrectLogos = false;
    bool KeepAlive = false;
    bool ChangeOnStartup = false;
    uint16_t StartShortcut = kDefaultStartShortcut;

    static constexpr int32_t kDefaultCapacity = 20;

protected:
    reg::IRegistry& Registry() { return platform_.Registry; }
    TPlatform& platform_;

private:
    std::string ListPath(const std::string& name) const;
    std::string ListsPath() const;
    void ReadOptions();
    void ReadListOptions();
    void ReadItems();
    void RequireList() const;
    // Writes "MRU" from Items.
    void RewriteMRU();

    TOwnerKind owner_;
    std::string programKey_;
};

// True for a name that can be a list: a key name, not empty, without "\".
bool IsValidListName(const std::string& name);

// The single list of older versions moves into "List 1": "MRU" and "MRUData"
// below the program key each move to "Lists\List 1" when they exist there and
// the new key does not. Runs at every start before the settings are loaded.
void MigrateOldLists(reg::IRegistry& registry, const std::string& programKey = regnames::kProgramKey);
