#pragma once
// The tray menu's reopen lists: the files and the images opened last, most
// recent first, kept under "Reopen" in the registry.
#include "app/RegistryNames.h"
#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A most-recent-first list of strings with a capacity, each string carrying
// an integer tag. Strings compare without regard to case.
class TRecentStrings {
public:
    static constexpr int kDefaultCapacity = 10;

    int Capacity() const { return capacity_; }
    // Never below 1; a lower capacity drops strings from the end.
    void SetCapacity(int capacity);

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& operator[](int index) const { return entries_.at(static_cast<size_t>(index)).Text; }
    int32_t Tag(int index) const { return entries_.at(static_cast<size_t>(index)).Tag; }
    std::vector<std::string> Strings() const;
    int IndexOf(const std::string& s) const;

    // A present string moves to the top with its own spelling and tag; a new
    // one goes on top and the oldest fall off past the capacity.
    void Add(const std::string& s, int32_t tag = 0);
    void Remove(const std::string& s);
    // Adds at most Capacity() of the other list's strings, from its last up
    // to its first, so that they stand at the top in their own order.
    void AddStrings(const TRecentStrings& other);
    void Clear() { entries_.clear(); }

private:
    struct TEntry {
        std::string Text;
        int32_t Tag = 0;
    };
    void Trim();

    std::vector<TEntry> entries_;
    int capacity_ = kDefaultCapacity;
};

// One reopen list with its storage: the string values "Item_0", "Item_1", ...
// of a section below the program key ("Reopen\MRUFile" or "Reopen\MRUImage"),
// in list order. The sub-menu built from it belongs to the tray menu.
class TMRUManager {
public:
    // The sub-menu holds one fixed command and a separator before the entries.
    static constexpr int kFirstEntryPosition = 2;

    TMRUManager(reg::IRegistry& registry, std::string section, std::string programKey = regnames::kProgramKey);

    TRecentStrings& Strings() { return strings_; }
    const TRecentStrings& Strings() const { return strings_; }

    // Reads the stored list: values of index Capacity-1 down to 0, each added
    // when it is a string that is not empty, which leaves index 0 on top.
    void Load();
    // Stores the list in order; the same contents as deleting the section and
    // writing it again, written so that no entry is ever stored under no name.
    void Save();
    // The tray menu's Clear List: deletes the section.
    void ClearStored();

    // The entry shown at a position of the sub-menu, or none for a position
    // outside the list.
    std::optional<std::string> EntryAt(int menuPosition) const;
    // The user chose the entry at that position: it leaves the list (opening
    // the file puts it back on top) and is returned.
    std::optional<std::string> Choose(int menuPosition);

private:
    std::string SectionPath() const;

    reg::IRegistry& registry_;
    std::string section_;
    std::string programKey_;
    TRecentStrings strings_;
};
