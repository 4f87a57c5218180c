#pragma once
// The folder-menu builder: fills a sub-menu, when it opens, with the folders
// and files of a folder or with a fixed list of texts, splits long menus into
// columns, moves what does not fit on the screen into an overflow entry
// "&More...", and reports the chosen entry as a path.
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/SystemImageList.h"
#include "shellmenus/TextMeasurer.h"

#include <functional>
#include <string>
#include <vector>

class TBetterMenu {
public:
    static constexpr const char* kMoreCaption = "&More...";
    // Drawn as the last image of the program's image list.
    static constexpr int32_t kMoreImageIndex = 100;
    // Menu metrics at 96 dpi: the entry height, which also makes the column
    // height, and what an entry needs beyond its caption's text.
    static constexpr int kEntryHeight = 22;
    static constexpr int kEntryMargin = 50;

    // Reads the Windows folder and the system directory now.
    TBetterMenu(IFileSystem& files, ISystemFolders& folders, IScreen& screen, ITextMeasurer& measurer,
                ISystemIcons& icons);
    TBetterMenu(const TBetterMenu&) = delete;
    TBetterMenu& operator=(const TBetterMenu&) = delete;

    // For the check-mark test: a file found here under its 8.3 name.
    std::string WindowsFolder;
    // Where the system keeps its own files (the Windows folder's "System"
    // sub-folder on Windows 9x, the system directory on the NT family),
    // looked at before the Windows folder for the check mark.
    std::string SystemFolder;
    // Folders to list at the top level; empty: the path is the entries' own.
    std::vector<std::string> RootFolders;
    // When not empty, the entries are these texts instead of a folder's
    // contents.
    std::vector<std::string> FixedItems;
    // A file path; an entry whose file is this file gets a check mark.
    std::string FileToCheck;
    // An entry whose caption equals it (without regard to case) gets a check
    // mark; empty checks nothing.
    std::string CaptionToCheck;
    // File extensions without the dot; empty lists every file.
    std::vector<std::string> ExtensionFilter;
    bool IncludeSubFolders = true;
    // File entries lose the last 4 characters of their caption.
    bool CutExtension = false;
    // The path of the chosen leaf entry.
    std::function<void(TBetterMenu& sender, const std::string& path)> OnSelect;
    // The entry under which the builder works; paths are formed below it.
    TMenuItem* RootEntry = nullptr;
    // Leading entries of the filled entry that a refill keeps.
    int KeepCount = 0;
    // The monitor's dots per inch, by which the 96-dpi menu metrics scale.
    int Dpi = 96;

    // The relative path whose contents the two lists hold.
    const std::string& CachedPath() const { return cachedPath_; }
    // Sorted without regard to case, without duplicates.
    const std::vector<std::string>& FolderList() const { return folderList_; }
    const std::vector<std::string>& FileList() const { return fileList_; }

    // Forgets the folder contents, so that the next fill reads the folder
    // again.
    void Reset();
    // The captions from the entry up to the root entry (root excluded), top
    // first, joined with backslashes; overflow entries contribute nothing.
    std::string PathOf(const TMenuItem& entry) const;
    // A leaf: hands its path to OnSelect. An entry about to open whose first
    // sub-entry is the placeholder: fills it, drops the placeholder when
    // something came, and has its native menu rebuilt. Nothing without a root
    // entry or OnSelect.
    void Click(TMenuItem& entry);
    // Removes the sub-entries from KeepCount onwards, fills the entry again
    // and has its native menu rebuilt. Nothing without a root entry or
    // OnSelect.
    void Refill(TMenuItem& entry);
    // Click and Refill as OnClick handlers of menu entries.
    std::function<void(TMenuItem&)> ClickHandler();
    std::function<void(TMenuItem&)> RefillHandler();

    static bool IsOverflow(const TMenuItem& entry) { return entry.Caption == kMoreCaption; }
    // Entries per column: the screen height by the entry height.
    int ColumnHeight() const;
    // An entry's width for the overflow test.
    int EntryWidth(const std::string& caption) const;

private:
    struct TColumns;

    void Fill(TMenuItem& entry);
    void ReadFolder(const std::string& path);
    // The folder listed for a root folder (empty when there are none) and a
    // relative path.
    std::string ListedFolder(const std::string& root, const std::string& path) const;
    bool PassesFilter(const std::string& fileName) const;
    bool IsChecked(const std::string& fileName);
    // True when the entry for names[index] would start a column that does not
    // fit on the screen any more.
    bool Overflows(const TMenuItem& entry, const TColumns& columns, const std::vector<std::string>& names,
                   size_t index) const;
    TMenuItem& AddEntry(TMenuItem& entry, TColumns& columns, const std::string& caption);
    void AddOverflow(TMenuItem& entry, int position);

    IFileSystem& files_;
    IScreen& screen_;
    ITextMeasurer& measurer_;
    ISystemIcons& icons_;
    std::string cachedPath_;
    std::vector<std::string> folderList_;
    std::vector<std::string> fileList_;
};
