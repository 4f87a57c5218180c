#pragma once
// The "Most Recent" page's window: the list name with its chooser menu, the
// "Sorted" box, the limit, and the list box of entries with its keys, its
// pop-up menu, drag reordering and file drops. What the page does lives in
// TListEditor; this class shows the editor's rows, hands it the user's
// selection and gestures, and shows the rows again.
#include "engine/Wallpaper.h"
#include "options/ListEditor.h"
#include "options/win/OptionsPage.h"
#include "shellmenus/BetterMenu.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/win/MenuHost.h"
#include "shellmenus/win/SystemImageList.h"

#include <string>
#include <vector>

class TMostRecentPage : public TOptionsPage {
public:
    enum TControlId : int {
        idLists = 201,
        idListsButton,
        idSortMostRecent,
        idLabel2,
        idMaximum,
        idMaximumSpin,
        idRecent,
    };
    // A row of Recent at 120 dpi; the list shows nine of them.
    static constexpr int kRowHeight = 16;
    // The two timers that scroll the list while a drag rests on its edge.
    enum TTimerId : UINT_PTR { kTimer1 = 1, kTimer2 = 2 };
    static constexpr UINT kScrollInterval = 100;

    // engine is the dialog's own; menus draws the page's two menus, whose
    // entries take their command identifiers from ids.
    TMostRecentPage(TApplication& application, TPlatform& platform, TListEditor& editor, TWallpaper& engine,
                    TMenuHost& menus, TCommandIds& ids);
    ~TMostRecentPage() override;

    // After the page's window exists: the limit's range, the rows' height
    // and the list box's own messages.
    void Setup();

    // The editor's list into the controls: name, limit, order and rows.
    void ShowList();
    // The editor's rows and their selection into Recent, its top row kept.
    void ShowRows();
    // What the user left in the controls into the editor: the name, the
    // limit and the selection.
    void ReadControls();

    // Files dropped from the shell, with the hourglass over Recent meanwhile.
    void DropPaths(const std::vector<std::string>& paths);

    // The list box's row under a point of its client area (-1: none), and
    // how many whole rows it shows.
    int RowAt(POINT client) const;
    int VisibleRows() const;
    bool Dragging() const { return drag_.Active; }
    void CancelDrag();
    // Which scroll timers run now (for the drag's tests).
    bool ScrollingUp() const { return scrollUp_; }
    bool ScrollingDown() const { return scrollDown_; }

    TMenuItem& PopupMenu1() { return PopupMenu1_; }
    TMenuItem& ListsMenu() { return ListsMenu_; }
    TBetterMenu& ListsBuilder() { return ListsBuilder_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PageCommand(int id, UINT code, HWND control) override;
    void FormDpiChanged() override;

private:
    struct TDrag {
        bool Pending = false;         // the left button went down on a row
        bool Active = false;          // and moved far enough to drag
        bool CollapseOnClick = false; // a click without drag selects that row alone
        POINT Start{};
        int Row = -1;
    };

    static LRESULT CALLBACK RecentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RecentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallRecent(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Recent() const { return Control("Recent"); }

    // Recent's handlers.
    bool RecentKeyDown(WPARAM key);
    void RecentMouseDown(POINT at, WPARAM keys);
    void RecentMouseMove(POINT at, WPARAM keys);
    void RecentMouseUp(POINT at);
    void RecentRightButton(POINT at);
    void RecentContextKey();
    void DragOver(POINT at);
    void DragDrop(POINT at);
    void SetScrolling(bool up, bool down);
    void Timer1Timer();
    void Timer2Timer();

    void ShowSelection();
    void ReadSelection();
    void PopupMenu1Popup();
    void OpenPopup(POINT screen);
    void ListsButtonClick();
    void ChooseList(const std::string& name);
    void SortMostRecentClick();
    // Runs an edit of the rows with the selection read first and the rows
    // shown again after it, also when it fails.
    template <typename Edit>
    void EditRows(Edit edit);

    TPlatform& platform_;
    TListEditor& editor_;
    TWallpaper& engine_;
    TMenuHost& menus_;
    WinSystemIcons icons_;
    TMenuItem PopupMenu1_;
    TMenuItem ListsMenu_;
    TBetterMenu ListsBuilder_;
    WNDPROC recentProc_ = nullptr;
    TDrag drag_;
    bool scrollUp_ = false, scrollDown_ = false;
    bool busy_ = false; // the hourglass over Recent
    bool showing_ = false; // the controls are being set from the editor
};
