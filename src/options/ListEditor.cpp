#include "options/ListEditor.h"

#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "app/Settings.h"
#include "engine/AllMap.h"
#include "engine/ListStore.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <algorithm>

using reg::Root;

namespace {

const TNumberedNames kRowNames{""};

} // namespace

std::string listtexts::RemoveMany(int count) {
    return "Are you sure you want to remove the " + std::to_string(count) + " selected Items?";
}

std::string listtexts::RenameQuestion(const std::string& from, const std::string& to) {
    return "Are you sure you want to change the list name from \"" + from + "\" to \"" + to + "\"?";
}

TListEditor::TListEditor(TPlatform& platform, TWallpaper& engine, TWallpaper* mainEngine)
    : platform_(platform), engine_(engine), mainEngine_(mainEngine) {}

void TListEditor::Fill() {
    Rows.Assign(engine_.Items.Strings(), engine_.Items.Sorted());
    ListsText = engine_.ListName;
    Maximum = std::clamp(engine_.Capacity, 0, kMaximumLimit);
}

void TListEditor::RightClick(int row) {
    PasteIndex = row >= 0 && row < Rows.Count() ? row : -1;
    if (PasteIndex >= 0 && !Rows.Selected(PasteIndex)) {
        Rows.DeselectAll();
        Rows.Select(PasteIndex, true);
    }
}

bool TListEditor::DeleteSelected() {
    const int count = Rows.SelectedCount();
    if (count == 0) return false;
    if (!platform_.Prompts.Confirm(count == 1 ? listtexts::kRemoveOne : listtexts::RemoveMany(count))) return false;
    Rows.DeleteSelected();
    return true;
}

void TListEditor::Copy() {
    ClipItems.clear();
    const auto data = platform_.Registry.Open(Root::CurrentUser, reg::JoinPath(engine_.ListKey, regnames::kListMRUData),
                                              false);
    for (const std::string& path : Rows.SelectedTexts()) {
        TClipItem item;
        item.Path = path;
        if (data) {
            if (const auto placement = ReadPlacement(*data, path)) {
                item.Placement = *placement;
                item.HasPlacement = true;
            }
        }
        ClipItems.push_back(item);
    }
}

void TListEditor::Cut() {
    Copy();
    DeleteSelected();
}

void TListEditor::PasteAtEnd() {
    PasteIndex = -1;
    Paste();
}

void TListEditor::Paste() {
    if (ClipItems.empty()) return;
    const std::string dataPath = reg::JoinPath(engine_.ListKey, regnames::kListMRUData);
    const auto data = platform_.Registry.Create(Root::CurrentUser, dataPath);
    if (!data) throw ERegistryException(text::FormatOne("Failed to create key %s", dataPath));
    Rows.DeselectAll();

    const auto paste = [&](const TClipItem& item, int row) {
        // A path already in the list keeps its row; that row is selected,
        // so that every pasted path shows selected.
        if (!Rows.Contains(item.Path)) Rows.Insert(row, item.Path);
        Rows.Select(Rows.IndexOf(item.Path), true);
        if (item.HasPlacement) WritePlacement(*data, item.Path, item.Placement);
    };
    if (Rows.Sorted() || PasteIndex < 0) {
        for (const TClipItem& item : ClipItems) paste(item, Rows.Count());
    } else {
        // From last to first, each at the same row: they end up there in
        // clipboard order. Rows deleted since the right click move the row
        // to the end at most.
        const int row = std::min(PasteIndex, Rows.Count());
        for (auto item = ClipItems.rbegin(); item != ClipItems.rend(); ++item) paste(*item, row);
    }
    SaveList();
}

bool TListEditor::LimitReached() {
    if (Rows.Count() < Maximum) return false;
    platform_.Prompts.Message(listtexts::kLimitReached, TMessageKind::Error);
    return true;
}

void TListEditor::DropPaths(const std::vector<std::string>& paths) {
    Rows.DeselectAll();
    for (const std::string& path : paths) {
        if (LimitReached()) return;
        if (platform_.Files.DirectoryExists(path)) {
            AddFolder(path);
        } else if (IsImageFile(path) && !Rows.Contains(path)) {
            Rows.Select(Rows.Add(path), true);
        }
    }
}

void TListEditor::AddFolder(const std::string& folder) {
    if (LimitReached()) return;
    const auto entries = platform_.Files.ListFolder(folder);
    if (!entries) return;
    std::string base = folder;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    bool first = true;
    for (const TFindData& entry : *entries) {
        if (!first && LimitReached()) return;
        first = false;
        const std::string path = base + "\\" + entry.LongName;
        if (entry.Directory) {
            AddFolder(path);
        } else if (IsImageFile(entry.LongName) && !Rows.Contains(path)) {
            Rows.Select(Rows.Add(path), true);
        }
    }
}

void TListEditor::ChooseList(const std::string& name) {
    if (name != engine_.ListName) SaveList();
    engine_.SelectList(name);
    engine_.LoadSettings();
    Fill();
}

void TListEditor::SaveList() {
    reg::IRegistry& registry = platform_.Registry;
    // 1. The limit and the order, as the default for new lists and as the list's own.
    {
        TRegIniFiles program(registry, engine_.ProgramKey());
        for (const std::string& section :
             {std::string(regnames::kOptions),
              reg::JoinPath(reg::JoinPath(regnames::kLists, engine_.ListName), regnames::kListOptions)}) {
            program.WriteInteger(section, regnames::kMRUCapacity, Maximum);
            program.WriteBool(section, regnames::kSortMostRecent, Rows.Sorted());
        }
    }
    // 2. Entries no longer on the page leave the list with their placements.
    const std::vector<std::string> items = engine_.Items.Strings();
    for (const std::string& item : items)
        if (!Rows.Contains(item)) engine_.RemoveItem(item);
    // 3. and 4. Rows past the limit lose their placements; the rest is the list.
    const std::vector<std::string> rows = Rows.Texts();
    const size_t kept = std::min(rows.size(), static_cast<size_t>(std::max(Maximum, 0)));
    if (kept < rows.size()) {
        if (auto data =
                registry.Open(Root::CurrentUser, reg::JoinPath(engine_.ListKey, regnames::kListMRUData), true))
            for (size_t i = kept; i < rows.size(); ++i) data->DeleteValue(rows[i]);
    }
    RewriteNumberedStrings(registry, Root::CurrentUser, reg::JoinPath(engine_.ListKey, regnames::kListMRU),
                           std::vector<std::string>(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(kept)),
                           kRowNames);
    // 5. A new name in "Lists".
    if (!ListsText.empty() && ListsText != engine_.ListName) RenameList(ListsText);
}

void TListEditor::RenameList(const std::string& newName) {
    if (newName.find('\\') != std::string::npos) {
        platform_.Prompts.Message(listtexts::kIllegalName, TMessageKind::Error);
        return;
    }
    const std::string lists = reg::JoinPath(engine_.ProgramKey(), regnames::kLists);
    const std::string newKey = reg::JoinPath(lists, newName);
    reg::IRegistry& registry = platform_.Registry;
    if (registry.Open(Root::CurrentUser, newKey, false)) return;
    const std::string oldName = engine_.ListName;
    if (!platform_.Prompts.Confirm(listtexts::RenameQuestion(oldName, newName))) return;

    {
        TRegistry moves(registry, Root::CurrentUser);
        for (const char* part : {regnames::kListMRU, regnames::kListMRUData})
            moves.MoveKey("\\" + reg::JoinPath(engine_.ListKey, part), "\\" + reg::JoinPath(newKey, part), true);
    }
    registry.DeleteTree(Root::CurrentUser, engine_.ListKey);

    settings::TSettings stored(registry, engine_.ProgramKey());
    const std::string current = stored.Read(settings::kCurrentList);
    // An empty "Current" stands for the list the tray shows first: the main
    // engine knows which one that is.
    const bool wasCurrent = text::SameText(current, oldName) ||
                            (current.empty() && mainEngine_ && text::SameText(mainEngine_->ListName, oldName));
    if (wasCurrent) {
        stored.Write(settings::kCurrentList, newName);
        if (mainEngine_) mainEngine_->SelectList(newName);
    }
    engine_.SelectList(newName);
}
