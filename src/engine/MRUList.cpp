#include "engine/MRUList.h"

#include "engine/ListStore.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

// "Item_%d" names the values from index 0.
TNumberedNames ReopenNames() {
    const std::string format = regnames::kReopenItemFormat;
    return TNumberedNames{format.substr(0, format.find("%d"))};
}

} // namespace

// ---- TRecentStrings ----

void TRecentStrings::SetCapacity(int capacity) {
    capacity_ = std::max(1, capacity);
    Trim();
}

void TRecentStrings::Trim() {
    if (Count() > capacity_) entries_.resize(static_cast<size_t>(capacity_));
}

std::vector<std::string> TRecentStrings::Strings() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back(e.Text);
    return out;
}

int TRecentStrings::IndexOf(const std::string& s) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (text::SameText(entries_[i].Text, s)) return static_cast<int>(i);
    return -1;
}

void TRecentStrings::Add(const std::string& s, int32_t tag) {
    const int index = IndexOf(s);
    if (index >= 0) {
        std::rotate(entries_.begin(), entries_.begin() + index, entries_.begin() + index + 1);
        return;
    }
    entries_.insert(entries_.begin(), TEntry{s, tag});
    Trim();
}

void TRecentStrings::Remove(const std::string& s) {
    const int index = IndexOf(s);
    if (index >= 0) entries_.erase(entries_.begin() + index);
}

void TRecentStrings::AddStrings(const TRecentStrings& other) {
    if (&other == this) return;
    for (int i = std::min(other.Count(), capacity_) - 1; i >= 0; --i) Add(other[i], other.Tag(i));
}

// ---- TMRUManager ----

TMRUManager::TMRUManager(reg::IRegistry& registry, std::string section, std::string programKey)
    : registry_(registry), section_(std::move(section)), programKey_(std::move(programKey)) {}

std::string TMRUManager::SectionPath() const {
    return reg::JoinPath(programKey_, section_);
}

void TMRUManager::Load() {
    strings_.Clear();
    const TNumberedNames names = ReopenNames();
    TSettingsReader reader(registry_, SectionPath());
    for (int k = strings_.Capacity() - 1; k >= 0; --k) {
        const std::string s = reader.ReadString("", names.Name(k), "");
        if (!s.empty()) strings_.Add(s);
    }
}

void TMRUManager::Save() {
    // An empty list leaves no section, as deleting it and writing nothing would.
    if (strings_.Count() == 0)
        ClearStored();
    else
        RewriteNumberedStrings(registry_, reg::Root::CurrentUser, SectionPath(), strings_.Strings(), ReopenNames());
}

void TMRUManager::ClearStored() {
    registry_.DeleteTree(reg::Root::CurrentUser, SectionPath());
}

std::optional<std::string> TMRUManager::EntryAt(int menuPosition) const {
    const int index = menuPosition - kFirstEntryPosition;
    if (index < 0 || index >= strings_.Count()) return std::nullopt;
    return strings_[index];
}

std::optional<std::string> TMRUManager::Choose(int menuPosition) {
    auto entry = EntryAt(menuPosition);
    if (entry) strings_.Remove(*entry);
    return entry;
}
