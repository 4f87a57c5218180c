#include "engine/Wallpaper.h"

#include "app/Extra.h"
#include "app/ProgramPaths.h"
#include "engine/ListStore.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <cmath>
#include <stdexcept>

using namespace regnames;

namespace {

// A list's "MRU" values are plain numbers.
const TNumberedNames kMRUNames{""};

void CreateKey(reg::IRegistry& registry, const std::string& path) {
    if (!registry.Create(reg::Root::CurrentUser, path))
        throw ERegistryException(text::FormatOne("Failed to create key %s", path));
}

// Writes a text setting below `base` unless it already holds exactly that
// text, so that re-reading the settings does not write the registry each time.
void WriteSettingText(reg::IRegistry& registry, const std::string& base, const std::string& section,
                      const std::string& name, const std::string& value) {
    const auto stored = TSettingsReader(registry, base).Read(section, name);
    if (stored && stored->Type == reg::kString && stored->Data == reg::StringValue(value).Data) return;
    TRegIniFiles(registry, base).WriteString(section, name, value);
}

} // namespace

uint32_t RandomSeed(double moment) {
    // A day count today is about 46,000 days, some 4e12 milliseconds: far
    // beyond 32 bits, and converting that directly is undefined (the 32-bit
    // build got the same seed at every start). Reduced first, it fits.
    constexpr double kTwoTo32 = 4294967296.0;
    const double milliseconds = std::floor(moment * 86400000.0);
    if (!std::isfinite(milliseconds)) return 0;
    double reduced = std::fmod(milliseconds, kTwoTo32);
    if (reduced < 0) reduced += kTwoTo32;
    return static_cast<uint32_t>(reduced);
}

bool IsValidListName(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos;
}

TWallpaper::TWallpaper(TPlatform& platform, TOwnerKind owner, std::string programKey)
    : Image(platform),
      SourceImage(platform),
      platform_(platform),
      random_(RandomSeed(platform.Clock.Now())),
      owner_(owner),
      programKey_(reg::JoinPath(programKey, "")) {
    WindowsDir = platform.Folders.WindowsDirectory();
    ProgramDir = ExtractFilePath(platform.Folders.ProgramFile());
    ColorDepthChanged();
}

TWallpaper::~TWallpaper() = default;

std::string TWallpaper::ListsPath() const {
    return reg::JoinPath(programKey_, kLists);
}

std::string TWallpaper::ListPath(const std::string& name) const {
    return ListsPath() + "\\" + name;
}

void TWallpaper::LoadSettings() {
    ListNames.Clear();
    if (auto lists = Registry().Open(reg::Root::CurrentUser, ListsPath(), false))
        for (const auto& name : lists->SubKeyNames()) ListNames.Add(name);
    if (ListNames.Empty()) ListNames.Add(kFirstListName);

    // The dialog keeps the list it shows even when the tray menu switched.
    if (!(owner_ == TOwnerKind::PropertiesDialog && !ListName.empty())) {
        // A "Current" that cannot name a list would put the list's keys
        // into "Lists" itself; it counts as absent.
        const std::string current = settings::TSettings(Registry(), programKey_).Read(settings::kCurrentList);
        ListName = IsValidListName(current) ? current : ListNames[0];
    }
    ListKey = ListPath(ListName);

    ReadOptions();
    ReadListOptions();

    // Entries past a lowered capacity leave "MRU" (their placements stay).
    if (auto mru = Registry().Open(reg::Root::CurrentUser, reg::JoinPath(ListKey, kListMRU), true))
        DeleteNumberedFrom(*mru, kMRUNames, Capacity);

    ReadItems();
}

void TWallpaper::ReadOptions() {
    const settings::TSettings store(Registry(), programKey_);
    ChangeOnStartup = store.Read(settings::kChangeOnStartup);
    FullScreen = store.Read(settings::kFullScreen);
    MultipleWindows = store.Read(settings::kMultipleWindows);
    AdjustWallpaper = store.Read(settings::kAdjustWallpaper);
    CorrectLogos = store.Read(settings::kCorrectLogos);
    ChangeLogos = store.Read(settings::kChangeLogos);
    KeepAlive = store.Read(settings::kKeepAlive);
    RestoreIcons = store.Read(settings::kRestoreIcons);
    Capacity = store.Read(settings::kMRUCapacity);
    Items.SetSorted(store.Read(settings::kSortMostRecent));
    StartShortcut = store.Read(settings::kStartShortcut);
}

void TWallpaper::ReadListOptions() {
    // The list's own settings, defaulting to the global ones, and written
    // back so that every list loaded once carries its own.
    TSettingsReader reader(Registry(), ListKey);
    Capacity = reader.ReadInteger(kListOptions, kMRUCapacity, Capacity);
    Items.SetSorted(reader.ReadBool(kListOptions, kSortMostRecent, Items.Sorted()));
    WriteSettingText(Registry(), ListKey, kListOptions, kMRUCapacity, std::to_string(Capacity));
    WriteSettingText(Registry(), ListKey, kListOptions, kSortMostRecent, Items.Sorted() ? "1" : "0");
}

void TWallpaper::ReadItems() {
    Items.Clear();
    auto mru = Registry().Open(reg::Root::CurrentUser, reg::JoinPath(ListKey, kListMRU), false);
    if (!mru) return;
    for (const auto& entry : ReadNumberedStrings(*mru, kMRUNames)) Items.Add(entry);
}

void TWallpaper::SelectList(const std::string& name) {
    if (!IsValidListName(name)) return;
    ListName = name;
    if (owner_ == TOwnerKind::MainForm) settings::TSettings(Registry(), programKey_).Write(settings::kCurrentList, name);
    ListKey = ListPath(name);
    CreateKey(Registry(), ListKey);
    if (owner_ == TOwnerKind::MainForm) RefreshIfStale();
}

void TWallpaper::RequireList() const {
    // Without a list the paths below would start at the root of the user's tree.
    if (ListKey.empty()) throw std::logic_error("TWallpaper: no list loaded or selected");
}

void TWallpaper::RewriteMRU() {
    RewriteNumberedStrings(Registry(), reg::Root::CurrentUser, reg::JoinPath(ListKey, kListMRU), Items.Strings(),
                           kMRUNames);
}

void TWallpaper::RecordInList(const std::string& path, const TPlacement& record) {
    RequireList();
    const std::string dataPath = reg::JoinPath(ListKey, kListMRUData);
    auto data = Registry().Create(reg::Root::CurrentUser, dataPath);
    if (!data) throw ERegistryException(text::FormatOne("Failed to create key %s", dataPath));

    // A full list gives up its last entry, unless the path still has a
    // placement from before a lowered capacity. A capacity below 1 has no
    // last entry to give up.
    reg::Value existing;
    if (Capacity >= 1 && Items.Count() == Capacity && !data->QueryValue(path, existing)) {
        const std::string last = Items[Capacity - 1];
        RemoveItem(last);
    }

    WritePlacement(*data, path, record);

    if (!Items.Contains(path)) {
        if (Items.Sorted())
            Items.Add(path);
        else
            Items.Insert(0, path);
        RewriteMRU();
    }
}

void TWallpaper::RemoveItem(const std::string& entry) {
    RequireList();
    const std::string path = entry; // the caller's string may be one of Items
    const int index = Items.IndexOf(path);
    if (index >= 0) Items.Delete(index);
    RewriteMRU();
    if (auto data = Registry().Open(reg::Root::CurrentUser, reg::JoinPath(ListKey, kListMRUData), true))
        data->DeleteValue(path);
}

void TWallpaper::DeleteList(const std::string& name) {
    // An empty name would address "Lists" itself, and with it every list.
    if (!IsValidListName(name)) return;
    if (auto lists = Registry().Open(reg::Root::CurrentUser, ListsPath(), true)) {
        // List names are key names, which the registry compares without
        // regard to case.
        TSettingsReader reader(Registry(), ListsPath());
        const auto current = reader.ReadText("", kCurrent);
        if (current && text::SameText(*current, name)) lists->DeleteValue(kCurrent);
    }
    Registry().DeleteTree(reg::Root::CurrentUser, ListPath(name));
    LoadSettings();
    if (owner_ == TOwnerKind::MainForm) RefreshIfStale();
}

void MigrateOldLists(reg::IRegistry& registry, const std::string& programKey) {
    TRegistry settings(registry, reg::Root::CurrentUser);
    const std::string firstList = reg::JoinPath(reg::JoinPath(programKey, kLists), kFirstListName);
    settings.MoveKey(reg::JoinPath(programKey, kOldMRU), reg::JoinPath(firstList, kListMRU), true);
    settings.MoveKey(reg::JoinPath(programKey, kOldMRUData), reg::JoinPath(firstList, kListMRUData), true);
}
