#pragma once
// The "Most Recent" page of the properties dialog without its window: the
// rows of one wallpaper list with the dialog's own clipboard, the drops from
// the shell, switching and renaming lists, and SaveList, which writes the
// page back. The rows are a working copy; only SaveList (on OK, when another
// list is chosen, after a paste) and the renames reach the registry.
#include "engine/Placement.h"
#include "engine/Wallpaper.h"
#include "options/ListRows.h"
#include "platform/Platform.h"

#include <functional>
#include <string>
#include <vector>

// An entry copied or cut, with the placement stored for it then. The path is
// kept whole: cutting it to 255 characters would paste a different file.
struct TClipItem {
    TPlacement Placement{};
    bool HasPlacement = false;
    std::string Path;
};

namespace listtexts {
inline constexpr const char* kRemoveOne = "Are you sure you want to remove the selected Item?";
// "Are you sure you want to remove the %d selected Items?"
std::string RemoveMany(int count);
inline constexpr const char* kLimitReached = "Can not add any more. Increase limit or erase entries from the list.";
inline constexpr const char* kIllegalName = "Failed to change list name: Illegal character \"\\\".";
// "Are you sure you want to change the list name from "old" to "new"?"
std::string RenameQuestion(const std::string& from, const std::string& to);
} // namespace listtexts

class TListEditor {
public:
    static constexpr int32_t kMaximumLimit = 525600;

    // engine is the dialog's own; mainEngine, when there is one, follows a
    // rename of the current list.
    TListEditor(TPlatform& platform, TWallpaper& engine, TWallpaper* mainEngine = nullptr);

    // The dialog's engine, whose current list the page edits.
    TWallpaper& Engine() const { return engine_; }

    // The page's controls.
    TListRows Rows;
    std::string ListsText; // the name in the "Lists" edit
    int32_t Maximum = TWallpaper::kDefaultCapacity;
    // The dialog's clipboard and the row last right-clicked (-1: append).
    std::vector<TClipItem> ClipItems;
    int PasteIndex = -1;

    // The page from the engine's current list: rows, name, limit, order.
    void Fill();
    // The "Sorted" box: the rows sorted or left in their order at once.
    void SetSorted(bool sorted) { Rows.SetSorted(sorted); }

    // A right click on a row (-1: below the rows): remembered for Paste, and
    // an unselected row becomes the only selection.
    void RightClick(int row);
    // What the pop-up menu offers.
    bool CanCut() const { return Rows.SelectedCount() > 0; }
    bool CanPaste() const { return !ClipItems.empty(); }

    // Asks first; false when nothing was selected or the user said No.
    bool DeleteSelected();
    // The selected rows with their stored placements, in row order.
    void Copy();
    // Copy, then DeleteSelected (the rows stay copied when the user says No).
    void Cut();
    // Ctrl+V: appended (or in order), whatever was right-clicked before.
    void PasteAtEnd();
    // The clipboard's rows at PasteIndex in clipboard order (appended or in
    // order when sorted or PasteIndex is -1), selected, their placements
    // written; then SaveList. Nothing with an empty clipboard.
    void Paste();
    // Drops from the shell, in order: folders walked, new image files added
    // and selected, up to the limit (one error box per level that meets it).
    void DropPaths(const std::vector<std::string>& paths);
    void AddFolder(const std::string& folder);

    // The list menu's choice: the page saved first when it is another list,
    // then that list loaded into the page.
    void ChooseList(const std::string& name);
    // Writes the page to the current list, then renames it when "Lists"
    // holds a new name.
    void SaveList();

private:
    // The error box about the limit, and whether the rows reached it.
    bool LimitReached();
    void RenameList(const std::string& newName);

    TPlatform& platform_;
    TWallpaper& engine_;
    TWallpaper* mainEngine_;
};
