#pragma once
// Registry storage shared by the wallpaper lists and the reopen lists: reads
// that take a default for whatever they cannot use, and lists kept as values
// named by a running number.
#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reads below one key that never fail on what they find there: a missing
// key, a missing value, or a value of another type or size reads as the
// default. These reads run every time the tray menu opens, so a value spoiled
// by hand must not stop the program. Errors the registry itself reports
// (a refused read) still propagate.
class TSettingsReader {
public:
    TSettingsReader(reg::IRegistry& registry, std::string base, reg::Root root = reg::Root::CurrentUser);

    // The raw value of a section (a sub-key path; empty: the base key itself).
    std::optional<reg::Value> Read(const std::string& section, const std::string& name);
    // The text of a string value; none for any other type.
    std::optional<std::string> ReadText(const std::string& section, const std::string& name);
    std::string ReadString(const std::string& section, const std::string& name, const std::string& def);
    // The text converted as the settings store converts integers.
    int32_t ReadInteger(const std::string& section, const std::string& name, int32_t def);
    bool ReadBool(const std::string& section, const std::string& name, bool def);
    // A 16-bit number stored as exactly 2 bytes of binary data, little-endian.
    uint16_t ReadWord(const std::string& section, const std::string& name, uint16_t def);

private:
    reg::IRegistry& registry_;
    std::string base_;
    reg::Root root_;
};

// Values named by a prefix and a decimal index from 0: "0", "1", ... in a
// wallpaper list's "MRU" key, "Item_0", "Item_1", ... in a reopen list.
struct TNumberedNames {
    std::string Prefix;

    std::string Name(int64_t index) const;
    // The index a value name stands for: the prefix (letter case ignored, as
    // the registry compares names) and a decimal number without a sign or
    // leading zeros. Any other name stands for no index.
    std::optional<size_t> IndexOf(const std::string& name) const;
};

// The strings of values 0, 1, ... as long as each exists and is a string.
std::vector<std::string> ReadNumberedStrings(reg::IKey& key, const TNumberedNames& names);

// Deletes values first, first + 1, ... up to the first one that does not
// exist (or that the registry refuses to delete).
void DeleteNumberedFrom(reg::IKey& key, const TNumberedNames& names, int64_t first);

// Makes the key (created when missing) hold exactly the strings `entries` as
// values 0 .. n-1 and nothing else: the contents of deleting the key and
// writing it again. The writes are ordered so that no entry that stays in
// the list is ever stored under no name: an entry is only overwritten once
// it has been written at its new place (entries that move up are written from
// the highest index down, entries that move down from index 0 up; a ring of
// entries that trade places goes through one spare value past the end).
// Values that are no longer wanted are deleted last.
void RewriteNumberedStrings(reg::IRegistry& registry, reg::Root root, const std::string& keyPath,
                            const std::vector<std::string>& entries, const TNumberedNames& names);
