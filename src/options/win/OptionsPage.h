#pragma once
// One page of the properties dialog: a page of the dialog's page host with
// its component name and help context, the small reads and writes of its
// check boxes, radio runs and spin edits, and its controls' notifications
// handed to the dialog. The page's changed flag is set by any click or edit
// of its controls (TPage does that); the dialog clears it after loading.
#include "platform/win32/PageHost.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace optionsui {

// Control styles shared by the pages' tables.
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
// The first button of a radio run starts its group and takes the Tab key;
// the control after the run starts another group, so that the arrow keys
// stay within the run.
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kGroupBox = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX | WS_GROUP;
constexpr DWORD kFrame = SS_ETCHEDFRAME | WS_GROUP;
constexpr DWORD kSpinEdit = ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP | WS_GROUP;
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

} // namespace optionsui

class TOptionsPage : public TPage {
public:
    // helpContext 0: the page has no topic of its own.
    TOptionsPage(TApplication& application, std::string name, std::string caption, int helpContext,
                 std::vector<win::TControlSpec> controls);

    const std::string& Name() const { return name_; }
    int HelpContext() const { return helpContext_; }

    bool Checked(const char* control) const;
    void SetChecked(const char* control, bool checked);
    void Enable(const char* control, bool enabled);
    // The checked button of a radio run (-1: none), and the run set so that
    // exactly that one is checked (-1: none). Setting a check runs no click
    // handler and unchecks no sibling, so the run is set whole.
    using TRun = std::vector<const char*>;
    int CheckedIndex(const TRun& run) const;
    void CheckIndex(const TRun& run, int index);
    // Tab moves onto the checked button of each run (the first when none
    // is), as the arrow keys would leave it.
    void AddRun(TRun run);

    // A spin edit (edit and up-down): its range, and its value read as the
    // user left the text, clamped to the range (unreadable text: the low end).
    void SetSpinRange(const char* edit, const char* spin, int32_t low, int32_t high);
    int32_t SpinValue(const char* edit, const char* spin) const;
    void SetSpinValue(const char* spin, int32_t value);

    std::string Text(const char* control) const;
    void SetText(const char* control, const std::string& text);

    // A control of the page told of a click or an edit (after the changed
    // flag was set).
    std::function<void(int id, UINT code, HWND control)> OnCommand;
    std::function<LRESULT(const NMHDR& header)> OnNotify;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PageCommand(int id, UINT code, HWND control) override;
    LRESULT PageNotify(const NMHDR* header) override;

private:
    void FollowRuns();

    std::vector<TRun> runs_;
    std::string name_;
    int helpContext_;
};
