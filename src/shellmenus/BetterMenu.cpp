#include "shellmenus/BetterMenu.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

// A 96-dpi metric at another dpi, rounded as MulDiv rounds.
int ScaleFrom96(int value, int dpi) {
    const int64_t product = int64_t(value) * dpi;
    return static_cast<int>((product >= 0 ? product + 48 : product - 48) / 96);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '\\' ? folder + name : folder + '\\' + name;
}

// Sorted in the order of text::CompareText, keeping the first of names that
// differ only in case. Each name is upper-cased once instead of at every
// comparison, which makes the sort of a large folder several times faster.
std::vector<std::string> SortedNames(std::vector<std::string> names) {
    struct TKeyed {
        std::u16string Key;
        size_t Index;
    };
    std::vector<TKeyed> keyed;
    keyed.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        std::u16string key = text::Utf8ToUtf16(names[i]);
        for (char16_t& unit : key) unit = text::UpperCaseUnit(unit);
        keyed.push_back({std::move(key), i});
    }
    std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
        const int order = a.Key.compare(b.Key);
        return order != 0 ? order < 0 : a.Index < b.Index;
    });
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i)
        if (i == 0 || keyed[i].Key != keyed[i - 1].Key) sorted.push_back(std::move(names[keyed[i].Index]));
    return sorted;
}

// The text without its last count characters (not bytes).
std::string WithoutLast(std::string s, int count) {
    size_t end = s.size();
    for (int k = 0; k < count && end > 0; ++k) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    }
    s.resize(end);
    return s;
}

} // namespace

// Where the next entries go: NextBreak is the entry count at which the
// overflow test runs (the last slot of the current column), Widest the widest
// entry of the current column, Done the summed widths of the finished ones.
struct TBetterMenu::TColumns {
    int Height;
    int NextBreak;
    int Widest = 0;
    int Done = 0;
};

TBetterMenu::TBetterMenu(IFileSystem& files, ISystemFolders& folders, IScreen& screen, ITextMeasurer& measurer,
                         ISystemIcons& icons)
    : WindowsFolder(folders.WindowsDirectory()), SystemFolder(folders.SystemDirectory()), files_(files),
      screen_(screen), measurer_(measurer), icons_(icons) {}

void TBetterMenu::Reset() {
    folderList_.clear();
    fileList_.clear();
    cachedPath_.clear();
}

std::string TBetterMenu::PathOf(const TMenuItem& entry) const {
    std::string path;
    // A menu's own root has no caption of its own either.
    for (const TMenuItem* item = &entry; item && item != RootEntry && item->Parent(); item = item->Parent()) {
        if (IsOverflow(*item)) continue;
        path = path.empty() ? item->Caption : item->Caption + '\\' + path;
    }
    return path;
}

void TBetterMenu::Click(TMenuItem& entry) {
    if (!RootEntry || !OnSelect) return;
    if (entry.Count() == 0) {
        OnSelect(*this, PathOf(entry));
        return;
    }
    if (!entry.Item(0).IsPlaceholder()) return; // filled already
    Fill(entry);
    if (entry.Count() > 1) entry.Delete(0);
    entry.Rebuild();
}

void TBetterMenu::Refill(TMenuItem& entry) {
    if (!RootEntry || !OnSelect) return;
    entry.DeleteFrom(std::clamp(KeepCount, 0, entry.Count()));
    Fill(entry);
    entry.Rebuild();
}

std::function<void(TMenuItem&)> TBetterMenu::ClickHandler() {
    return [this](TMenuItem& entry) { Click(entry); };
}

std::function<void(TMenuItem&)> TBetterMenu::RefillHandler() {
    return [this](TMenuItem& entry) { Refill(entry); };
}

int TBetterMenu::ColumnHeight() const {
    return std::max(1, screen_.Height() / std::max(1, ScaleFrom96(kEntryHeight, Dpi)));
}

int TBetterMenu::EntryWidth(const std::string& caption) const {
    return measurer_.TextWidth(caption) + ScaleFrom96(kEntryMargin, Dpi);
}

std::string TBetterMenu::ListedFolder(const std::string& root, const std::string& path) const {
    if (RootFolders.empty() || root.empty()) return path;
    if (RootFolders.size() > 1) return root;
    return path.empty() ? root : Join(root, path);
}

bool TBetterMenu::PassesFilter(const std::string& fileName) const {
    if (ExtensionFilter.empty()) return true;
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot + 1 == fileName.size()) return false; // no extension matches nothing
    const std::string extension = fileName.substr(dot + 1);
    return std::any_of(ExtensionFilter.begin(), ExtensionFilter.end(),
                       [&](const std::string& wanted) { return text::SameText(extension, wanted); });
}

void TBetterMenu::ReadFolder(const std::string& path) {
    folderList_.clear();
    fileList_.clear();
    std::vector<std::string> folders, files;
    const size_t passes = std::max<size_t>(RootFolders.size(), 1);
    for (size_t pass = 0; pass < passes; ++pass) {
        cachedPath_ = path;
        const std::string root = RootFolders.empty() ? std::string() : RootFolders[pass];
        auto entries = files_.ListFolder(ListedFolder(root, path));
        if (!entries) continue; // a folder that cannot be listed adds nothing
        for (TFindData& found : *entries) {
            if (found.Directory) {
                if (IncludeSubFolders) folders.push_back(std::move(found.LongName));
            } else if (PassesFilter(found.LongName)) {
                files.push_back(std::move(found.LongName));
            }
        }
    }
    folderList_ = SortedNames(std::move(folders));
    fileList_ = SortedNames(std::move(files));
}

bool TBetterMenu::IsChecked(const std::string& fileName) {
    if (!CaptionToCheck.empty() && text::SameText(fileName, CaptionToCheck)) return true;
    if (FileToCheck.empty()) return false;
    // Stored paths of system files may be short paths, so the name part of
    // the file to check is compared with the found file's 8.3 name (its long
    // name where the file system keeps no short names).
    const std::string wanted = FileToCheck.substr(FileToCheck.rfind('\\') + 1);
    const auto matches = [&](const std::string& folder) {
        const std::optional<TFindData> found = files_.FindFirst(Join(folder, fileName));
        if (!found) return false;
        return text::SameText(wanted, found->AlternateName.empty() ? found->LongName : found->AlternateName);
    };
    return matches(SystemFolder) || matches(WindowsFolder);
}

bool TBetterMenu::Overflows(const TMenuItem& entry, const TColumns& columns, const std::vector<std::string>& names,
                            size_t index) const {
    // Measured only in the last slot of a column, and never for the last
    // name: it fits where the overflow entry would go.
    if (entry.Count() != columns.NextBreak || index + 1 >= names.size()) return false;
    const int current = std::max(columns.Widest, EntryWidth(names[index]));
    int next = 0;
    const size_t end = std::min(names.size(), index + 2 + static_cast<size_t>(columns.Height));
    for (size_t i = index + 1; i < end; ++i) next = std::max(next, EntryWidth(names[i]));
    return columns.Done + current + next > screen_.Width();
}

TMenuItem& TBetterMenu::AddEntry(TMenuItem& entry, TColumns& columns, const std::string& caption) {
    const bool startsColumn = entry.Count() == columns.NextBreak + 1;
    TMenuItem& added = entry.Add(caption);
    added.OnClick = ClickHandler();
    if (startsColumn) {
        added.Break = TMenuBreak::Bar;
        columns.NextBreak += columns.Height;
        columns.Done += columns.Widest;
        columns.Widest = 0;
    }
    columns.Widest = std::max(columns.Widest, EntryWidth(caption));
    return added;
}

void TBetterMenu::AddOverflow(TMenuItem& entry, int position) {
    TMenuItem& more = entry.Add(kMoreCaption);
    more.OnClick = ClickHandler();
    more.ImageIndex = kMoreImageIndex;
    more.Tag = position;
    more.AddPlaceholder();
}

void TBetterMenu::Fill(TMenuItem& entry) {
    const std::string path = PathOf(entry);
    if (!FixedItems.empty()) {
        fileList_ = SortedNames(FixedItems);
        folderList_.clear();
    } else if (path != cachedPath_ || (path.empty() && folderList_.empty() && fileList_.empty())) {
        ReadFolder(path);
    }

    // An overflow entry continues at the position in the order all folders,
    // then all files, that its Tag holds.
    const int start = IsOverflow(entry) ? std::max(entry.Tag, 0) : 0;
    const int folderCount = static_cast<int>(folderList_.size());
    int position = start;
    const int height = ColumnHeight();
    TColumns columns{height, height};
    // Folder icons: of the folder listed last for a path (the only one unless
    // there are several root folders).
    const std::string home = ListedFolder(RootFolders.empty() ? std::string() : RootFolders.back(), path);

    for (size_t i = static_cast<size_t>(std::min(start, folderCount)); i < folderList_.size(); ++i) {
        if (Overflows(entry, columns, folderList_, i)) {
            AddOverflow(entry, position); // the files come after the rest of the folders
            return;
        }
        const std::string& name = folderList_[i];
        TMenuItem& added = AddEntry(entry, columns, name);
        added.SystemImage = true;
        added.ImageIndex = icons_.IndexByPath(Join(home, name));
        added.AddPlaceholder(); // opens as a sub-menu of this builder
        ++position;
    }

    const bool fileIcons = RootFolders.empty() && FixedItems.empty();
    for (size_t i = static_cast<size_t>(std::max(start - folderCount, 0)); i < fileList_.size(); ++i) {
        if (Overflows(entry, columns, fileList_, i)) {
            AddOverflow(entry, position);
            return;
        }
        const std::string& name = fileList_[i];
        TMenuItem& added = AddEntry(entry, columns, name);
        if (fileIcons) {
            added.SystemImage = true;
            added.ImageIndex = icons_.IndexByPath(Join(home, name));
        }
        // The check marks look at the whole name; the cut comes last, so that
        // the leaf's path is the name without its extension.
        added.Checked = IsChecked(name);
        if (CutExtension) added.Caption = WithoutLast(added.Caption, 4);
        ++position;
    }
}
