#include "options/win/OptionsPage.h"

#include "app/Extra.h"

#include <commctrl.h>

#include <algorithm>

TOptionsPage::TOptionsPage(TApplication& application, std::string name, std::string caption, int helpContext,
                           std::vector<win::TControlSpec> controls)
    : TPage(application, std::move(caption), std::move(controls)), name_(std::move(name)),
      helpContext_(helpContext) {}

bool TOptionsPage::Checked(const char* control) const {
    return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TOptionsPage::SetChecked(const char* control, bool checked) {
    SendMessageW(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TOptionsPage::Enable(const char* control, bool enabled) {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

int TOptionsPage::CheckedIndex(const TRun& run) const {
    int index = 0;
    for (const char* button : run) {
        if (Checked(button)) return index;
        ++index;
    }
    return -1;
}

void TOptionsPage::CheckIndex(const TRun& run, int index) {
    int i = 0;
    for (const char* button : run) SetChecked(button, i++ == index);
    FollowRuns();
}

void TOptionsPage::AddRun(TRun run) {
    runs_.push_back(std::move(run));
    FollowRuns();
}

void TOptionsPage::FollowRuns() {
    for (const TRun& run : runs_) {
        const int checked = std::max(CheckedIndex(run), 0);
        for (size_t i = 0; i < run.size(); ++i) {
            HWND button = Control(run[i]);
            LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
            style = static_cast<int>(i) == checked ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
            SetWindowLongPtrW(button, GWL_STYLE, style);
        }
    }
}

void TOptionsPage::SetSpinRange(const char* edit, const char* spin, int32_t low, int32_t high) {
    HWND updown = Control(spin);
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(edit)), 0);
    SendMessageW(updown, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

int32_t TOptionsPage::SpinValue(const char* edit, const char* spin) const {
    HWND updown = Control(spin);
    int32_t low = 0, high = 0;
    SendMessageW(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    // The up-down reads its buddy's text; a number it refuses (out of range,
    // or not a number) is taken from the text here, as the user typed it.
    BOOL failed = FALSE;
    const LRESULT position = SendMessageW(updown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    if (!failed) return static_cast<int32_t>(position);
    const std::string text = Text(edit);
    const int32_t typed = StrToIntDef(text, low);
    return std::clamp(typed, low, high);
}

void TOptionsPage::SetSpinValue(const char* spin, int32_t value) {
    SendMessageW(Control(spin), UDM_SETPOS32, 0, static_cast<LPARAM>(value));
}

std::string TOptionsPage::Text(const char* control) const {
    HWND window = Control(control);
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return win::Utf8(text);
}

void TOptionsPage::SetText(const char* control, const std::string& text) {
    SetWindowTextW(Control(control), win::Wide(text).c_str());
}

LRESULT TOptionsPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        // A control without a topic of its own (the base class answered
        // those with one) shows the page's topic.
        if (helpContext_ == 0) return Default(message, wParam, lParam);
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        Application().ControlHelp(helpContext_, name_, GetAncestor(Handle(), GA_ROOT),
                                  info ? info->MousePos : POINT{});
        return TRUE;
    }
    return TPage::WndProc(message, wParam, lParam);
}

void TOptionsPage::PageCommand(int id, UINT code, HWND control) {
    TPage::PageCommand(id, code, control);
    if (code == BN_CLICKED) FollowRuns();
    if (OnCommand) OnCommand(id, code, control);
}

LRESULT TOptionsPage::PageNotify(const NMHDR* header) {
    return header && OnNotify ? OnNotify(*header) : 0;
}
