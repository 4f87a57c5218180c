#include "options/win/RecentList.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

using namespace optionsui;

namespace {

constexpr const wchar_t* kPageProperty = L"MuraltoRecentPage";

std::vector<win::TControlSpec> MostRecentControls() {
    using P = TMostRecentPage;
    constexpr DWORD list = LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    return {
        {L"EDIT", "Lists", P::idLists, "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 12, 10, 230, 25,
         118},
        {L"BUTTON", "ListsButton", P::idListsButton, "...", kButton, 0, 244, 10, 28, 25, 115},
        {L"BUTTON", "SortMostRecent", P::idSortMostRecent, "&Sorted", kCheckBox, 0, 284, 44, 80, 22, 23},
        {L"STATIC", "Label2", P::idLabel2, "Limit list to", kLabel, 0, 284, 74, 80, 18, 24},
        {L"EDIT", "Maximum", P::idMaximum, "20", kSpinEdit, WS_EX_CLIENTEDGE, 284, 94, 58, 25, 24},
        {UPDOWN_CLASSW, "MaximumSpin", P::idMaximumSpin, "", kSpin, 0, 342, 94, 18, 25, 24},
        // Nine rows and the list box's edge.
        {L"LISTBOX", "Recent", P::idRecent, "", list, WS_EX_CLIENTEDGE, 12, 42, 260, 9 * P::kRowHeight + 4, 25},
    };
}

// The pop-up menu of Recent: caption, component name, image of the shared
// menu image list.
using namespace menuspec;
constexpr TMenuSpec kPopupMenu1[] = {
    {"Cu&t", "mnuCut", 0, 0, 35}, {"&Copy", "mnuCopy", 0, 0, 36}, {"&Paste", "mnuPaste", 0, 0, 37},
    {"-", "N1"},                  {"&Delete", "Delete", 0, 0, 22},
};
static_assert(IsMenuTable(kPopupMenu1), "the list page's pop-up is a menu table");

// The hourglass over Recent while files from the shell are added: the list
// box answers WM_SETCURSOR with it, and it shows at once under the pointer.
class TBusyCursor {
public:
    explicit TBusyCursor(bool& busy) : busy_(busy) {
        busy_ = true;
        old_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
    ~TBusyCursor() {
        busy_ = false;
        SetCursor(old_);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool& busy_;
    HCURSOR old_;
};

bool CtrlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

} // namespace

TMostRecentPage::TMostRecentPage(TApplication& application, TPlatform& platform, TListEditor& editor,
                                 TWallpaper& engine, TMenuHost& menus, TCommandIds& ids)
    : TOptionsPage(application, "MostRecent", "Most Recent", 40, MostRecentControls()), platform_(platform),
      editor_(editor), engine_(engine), menus_(menus), PopupMenu1_(ids), ListsMenu_(ids),
      ListsBuilder_(platform.Files, platform.Folders, platform.Screen, menus.Measurer(), icons_) {
    AddMenuItems(PopupMenu1_, kPopupMenu1);
    PopupMenu1_.FindByName("mnuCut")->OnClick = [this](TMenuItem&) { EditRows([this] { editor_.Cut(); }); };
    PopupMenu1_.FindByName("mnuCopy")->OnClick = [this](TMenuItem&) { EditRows([this] { editor_.Copy(); }); };
    PopupMenu1_.FindByName("mnuPaste")->OnClick = [this](TMenuItem&) { EditRows([this] { editor_.Paste(); }); };
    PopupMenu1_.FindByName("Delete")->OnClick = [this](TMenuItem&) { EditRows([this] { editor_.DeleteSelected(); }); };
    // The chooser lists every list name; the current one carries the check.
    ListsBuilder_.RootEntry = &ListsMenu_;
    ListsBuilder_.KeepCount = 0;
    ListsBuilder_.OnSelect = [this](TBetterMenu&, const std::string& name) { ChooseList(name); };
}

TMostRecentPage::~TMostRecentPage() {
    // The host outlives the page; its menus go with the page.
    menus_.Unregister(PopupMenu1_);
    menus_.Unregister(ListsMenu_);
}

void TMostRecentPage::Setup() {
    SetSpinRange("Maximum", "MaximumSpin", 0, TListEditor::kMaximumLimit);
    HWND recent = Recent();
    SetPropW(recent, kPageProperty, this);
    recentProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(recent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMostRecentPage::RecentProc)));
    FormDpiChanged();
}

void TMostRecentPage::FormDpiChanged() {
    // The list box measures its rows by its font; the rows keep their
    // design height instead.
    SendMessageW(Recent(), LB_SETITEMHEIGHT, 0, Scaled(kRowHeight));
    ListsBuilder_.Dpi = static_cast<int>(Dpi());
}

// ---- The controls and the editor ----

void TMostRecentPage::ShowList() {
    showing_ = true;
    SetText("Lists", editor_.ListsText);
    SetSpinValue("MaximumSpin", editor_.Maximum);
    SetChecked("SortMostRecent", editor_.Rows.Sorted());
    showing_ = false;
    ShowRows();
}

void TMostRecentPage::ShowRows() {
    HWND recent = Recent();
    const LRESULT top = SendMessageW(recent, LB_GETTOPINDEX, 0, 0);
    SendMessageW(recent, WM_SETREDRAW, FALSE, 0);
    SendMessageW(recent, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < editor_.Rows.Count(); ++i)
        SendMessageW(recent, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(editor_.Rows.Text(i)).c_str()));
    ShowSelection();
    SendMessageW(recent, LB_SETTOPINDEX, static_cast<WPARAM>(top < 0 ? 0 : top), 0);
    SendMessageW(recent, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(recent, nullptr, TRUE);
}

void TMostRecentPage::ShowSelection() {
    HWND recent = Recent();
    for (int i = 0; i < editor_.Rows.Count(); ++i)
        SendMessageW(recent, LB_SETSEL, editor_.Rows.Selected(i) ? TRUE : FALSE, static_cast<LPARAM>(i));
}

void TMostRecentPage::ReadSelection() {
    HWND recent = Recent();
    if (SendMessageW(recent, LB_GETCOUNT, 0, 0) != editor_.Rows.Count()) {
        ShowRows(); // the list box lost step with the rows: the rows win
        return;
    }
    for (int i = 0; i < editor_.Rows.Count(); ++i)
        editor_.Rows.Select(i, SendMessageW(recent, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
}

void TMostRecentPage::ReadControls() {
    editor_.ListsText = Text("Lists");
    editor_.Maximum = SpinValue("Maximum", "MaximumSpin");
    ReadSelection();
}

template <typename Edit>
void TMostRecentPage::EditRows(Edit edit) {
    ReadControls();
    try {
        edit();
    } catch (...) {
        ShowRows();
        throw;
    }
    ShowRows();
}

void TMostRecentPage::PageCommand(int id, UINT code, HWND control) {
    TOptionsPage::PageCommand(id, code, control);
    if (showing_) return;
    switch (id) {
    case idLists:
        if (code == EN_CHANGE) editor_.ListsText = Text("Lists");
        break;
    case idMaximum:
        if (code == EN_CHANGE) editor_.Maximum = SpinValue("Maximum", "MaximumSpin");
        break;
    case idListsButton:
        if (code == BN_CLICKED) ListsButtonClick();
        break;
    case idSortMostRecent:
        if (code == BN_CLICKED) SortMostRecentClick();
        break;
    case idRecent:
        if (code == LBN_SELCHANGE) ReadSelection();
        break;
    }
}

void TMostRecentPage::SortMostRecentClick() {
    ReadSelection();
    editor_.SetSorted(Checked("SortMostRecent"));
    ShowRows();
}

// ---- The list chooser ----

void TMostRecentPage::ListsButtonClick() {
    HWND button = Control("ListsButton");
    SetFocus(Control("Lists"));
    engine_.LoadSettings();
    ListsBuilder_.FixedItems = engine_.ListNames.Strings();
    ListsBuilder_.CaptionToCheck = engine_.ListName;
    ListsBuilder_.Refill(ListsMenu_);
    RECT r;
    GetWindowRect(button, &r);
    HWND dialog = GetAncestor(Handle(), GA_ROOT);
    menus_.Popup(ListsMenu_, POINT{r.right, r.bottom}, TPM_LEFTALIGN | TPM_TOPALIGN);
    // The menu's owner took the foreground for the menu's loop.
    SetForegroundWindow(dialog);
}

void TMostRecentPage::ChooseList(const std::string& name) {
    ReadControls();
    editor_.ChooseList(name);
    ShowList();
}

// ---- File drops ----

void TMostRecentPage::DropPaths(const std::vector<std::string>& paths) {
    ReadControls();
    TBusyCursor busy(busy_);
    editor_.Rows.DeselectAll();
    try {
        editor_.DropPaths(paths);
    } catch (...) {
        ShowRows();
        throw;
    }
    ShowRows();
}

// ---- The list box's messages ----

LRESULT CALLBACK TMostRecentPage::RecentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TMostRecentPage*>(GetPropW(window, kPageProperty));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = self->recentProc_;
        RemovePropW(window, kPageProperty);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
    // The list box's own window procedure is outside the page's, so its
    // failures are reported here, as every window's are.
    try {
        return self->RecentMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        self->Application().ShowException(e);
    } catch (...) {
        self->Application().ShowUnknownException();
    }
    return 0;
}

LRESULT TMostRecentPage::CallRecent(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(recentProc_, Recent(), message, wParam, lParam);
}

LRESULT TMostRecentPage::RecentMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_KEYDOWN:
        if (RecentKeyDown(wParam)) return 0;
        break;
    case WM_CHAR:
        // The control characters of the shortcuts above: not a search.
        if (wParam == 1 || wParam == 3 || wParam == 22 || wParam == 24) return 0;
        break;
    case WM_LBUTTONDOWN:
        RecentMouseDown(at, wParam);
        return 0;
    case WM_MOUSEMOVE:
        if (!drag_.Pending) break;
        RecentMouseMove(at, wParam);
        return 0;
    case WM_LBUTTONUP:
        RecentMouseUp(at);
        break; // the list box ends its own tracking too
    case WM_CAPTURECHANGED:
        if (drag_.Pending && reinterpret_cast<HWND>(lParam) != Recent()) CancelDrag();
        break;
    case WM_RBUTTONDOWN:
        RecentRightButton(at);
        return 0;
    case WM_CONTEXTMENU:
        // The mouse's menu opened with the button; the keyboard's opens here.
        if (lParam == -1) RecentContextKey();
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    }
    return CallRecent(message, wParam, lParam);
}

bool TMostRecentPage::RecentKeyDown(WPARAM key) {
    if (CtrlDown()) {
        switch (key) {
        case 'A':
            ReadSelection();
            editor_.Rows.SelectAll();
            ShowSelection();
            return true;
        case 'C': EditRows([this] { editor_.Copy(); }); return true;
        case 'X': EditRows([this] { editor_.Cut(); }); return true;
        case 'V': EditRows([this] { editor_.PasteAtEnd(); }); return true;
        }
        return false;
    }
    if (key == VK_DELETE) {
        EditRows([this] { editor_.DeleteSelected(); });
        return true;
    }
    return false;
}

int TMostRecentPage::RowAt(POINT client) const {
    RECT r;
    GetClientRect(Recent(), &r);
    if (!PtInRect(&r, client)) return -1;
    const LRESULT found =
        SendMessageW(Recent(), LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    if (HIWORD(found) != 0) return -1; // beyond the last row
    const int row = LOWORD(found);
    return row < editor_.Rows.Count() ? row : -1;
}

int TMostRecentPage::VisibleRows() const {
    RECT r;
    GetClientRect(Recent(), &r);
    const int height = static_cast<int>(SendMessageW(Recent(), LB_GETITEMHEIGHT, 0, 0));
    return height > 0 ? std::max(1, static_cast<int>(r.bottom / height)) : 1;
}

// ---- Dragging rows ----

void TMostRecentPage::RecentMouseDown(POINT at, WPARAM keys) {
    HWND recent = Recent();
    const bool extending = (keys & (MK_SHIFT | MK_CONTROL)) != 0;
    const int row = RowAt(at);
    drag_ = TDrag{};
    if (!extending && row >= 0 && SendMessageW(recent, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
        // A press on a selected row may start dragging the whole selection:
        // the selection stays until the button is released without a drag.
        SetFocus(recent);
        SetCapture(recent);
        drag_ = TDrag{true, false, true, at, row};
        return;
    }
    CallRecent(WM_LBUTTONDOWN, keys, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    if (!extending && row >= 0) {
        if (GetCapture() != recent) SetCapture(recent);
        drag_ = TDrag{true, false, false, at, row};
    }
}

void TMostRecentPage::RecentMouseMove(POINT at, WPARAM keys) {
    if (!(keys & MK_LBUTTON)) {
        CancelDrag();
        return;
    }
    if (!drag_.Active) {
        const bool moved = std::abs(at.x - drag_.Start.x) > GetSystemMetrics(SM_CXDRAG) ||
                         std::abs(at.y - drag_.Start.y) > GetSystemMetrics(SM_CYDRAG);
        if (!moved) return;
        ReadSelection();
        drag_.Active = true;
    }
    DragOver(at);
}

void TMostRecentPage::RecentMouseUp(POINT at) {
    const TDrag drag = drag_;
    drag_ = TDrag{};
    SetScrolling(false, false);
    if (drag.Active) {
        DragDrop(at);
    } else if (drag.Pending && drag.CollapseOnClick) {
        // A plain click on a selected row: that row alone, as a list box does.
        ReadSelection();
        editor_.Rows.DeselectAll();
        editor_.Rows.Select(drag.Row, true);
        ShowSelection();
        SendMessageW(Recent(), LB_SETCARETINDEX, static_cast<WPARAM>(drag.Row), FALSE);
    }
    if (GetCapture() == Recent()) ReleaseCapture();
}

void TMostRecentPage::CancelDrag() {
    drag_ = TDrag{};
    SetScrolling(false, false);
    if (GetCapture() == Recent()) ReleaseCapture();
}

void TMostRecentPage::DragOver(POINT at) {
    RECT client;
    GetClientRect(Recent(), &client);
    const bool inside = PtInRect(&client, at) != FALSE;
    const int row = RowAt(at);
    const int top = static_cast<int>(SendMessageW(Recent(), LB_GETTOPINDEX, 0, 0));
    // Resting on the top row scrolls up; on the row below the last whole
    // one, or below the rows, scrolls down. The pointer taken above or below
    // the list does the same.
    const bool up = inside ? row >= 0 && row == top : at.y < client.top;
    const bool down = inside ? row == -1 || row == top + VisibleRows() : at.y >= client.bottom;
    SetScrolling(up, down);
    const bool accepted = inside && !editor_.Rows.Sorted();
    SetCursor(LoadCursorW(nullptr, accepted ? IDC_ARROW : IDC_NO));
    if (accepted && row >= 0) SendMessageW(Recent(), LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
}

void TMostRecentPage::DragDrop(POINT at) {
    RECT client;
    GetClientRect(Recent(), &client);
    // Dropped outside the list, or on a sorted one: nothing moves.
    if (!PtInRect(&client, at) || editor_.Rows.Sorted()) return;
    ReadSelection();
    HWND recent = Recent();
    const LRESULT top = SendMessageW(recent, LB_GETTOPINDEX, 0, 0);
    if (!DropSelectedRows(editor_.Rows, RowAt(at))) return;
    ShowRows();
    SendMessageW(recent, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void TMostRecentPage::SetScrolling(bool up, bool down) {
    if (up != scrollUp_) {
        if (up)
            SetTimer(Handle(), kTimer1, kScrollInterval, nullptr);
        else
            KillTimer(Handle(), kTimer1);
        scrollUp_ = up;
    }
    if (down != scrollDown_) {
        if (down)
            SetTimer(Handle(), kTimer2, kScrollInterval, nullptr);
        else
            KillTimer(Handle(), kTimer2);
        scrollDown_ = down;
    }
}

void TMostRecentPage::Timer1Timer() {
    const LRESULT top = SendMessageW(Recent(), LB_GETTOPINDEX, 0, 0);
    if (top > 0) SendMessageW(Recent(), LB_SETTOPINDEX, static_cast<WPARAM>(top - 1), 0);
}

void TMostRecentPage::Timer2Timer() {
    const int top = static_cast<int>(SendMessageW(Recent(), LB_GETTOPINDEX, 0, 0));
    if (top + VisibleRows() - 1 < editor_.Rows.Count())
        SendMessageW(Recent(), LB_SETTOPINDEX, static_cast<WPARAM>(top + 1), 0);
}

LRESULT TMostRecentPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (wParam == kTimer1) Timer1Timer();
        if (wParam == kTimer2) Timer2Timer();
        return 0;
    }
    return TOptionsPage::WndProc(message, wParam, lParam);
}

// ---- The pop-up menu ----

void TMostRecentPage::RecentRightButton(POINT at) {
    HWND recent = Recent();
    SetFocus(recent);
    ReadSelection();
    editor_.RightClick(RowAt(at));
    ShowSelection();
    POINT screen = at;
    ClientToScreen(recent, &screen);
    OpenPopup(screen);
}

void TMostRecentPage::RecentContextKey() {
    // From the keyboard: pasting appends, and the menu opens at the row
    // with the focus.
    HWND recent = Recent();
    ReadSelection();
    editor_.RightClick(-1);
    RECT r{};
    const LRESULT caret = SendMessageW(recent, LB_GETCARETINDEX, 0, 0);
    if (caret < 0 || SendMessageW(recent, LB_GETITEMRECT, static_cast<WPARAM>(caret), reinterpret_cast<LPARAM>(&r)) ==
                         LB_ERR)
        GetClientRect(recent, &r);
    POINT screen{r.left, r.bottom};
    ClientToScreen(recent, &screen);
    OpenPopup(screen);
}

void TMostRecentPage::PopupMenu1Popup() {
    const bool cut = editor_.CanCut();
    PopupMenu1_.FindByName("mnuCut")->Enabled = cut;
    PopupMenu1_.FindByName("mnuCopy")->Enabled = cut;
    PopupMenu1_.FindByName("Delete")->Enabled = cut;
    PopupMenu1_.FindByName("mnuPaste")->Enabled = editor_.CanPaste();
}

void TMostRecentPage::OpenPopup(POINT screen) {
    PopupMenu1Popup();
    HWND dialog = GetAncestor(Handle(), GA_ROOT);
    menus_.Popup(PopupMenu1_, screen, TPM_LEFTALIGN | TPM_TOPALIGN);
    SetForegroundWindow(dialog);
}
