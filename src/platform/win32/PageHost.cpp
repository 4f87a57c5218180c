#include "platform/win32/PageHost.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/WinError.h"

#include <commctrl.h>

TPage::TPage(TApplication& application, std::string caption, std::vector<win::TControlSpec> controls)
    : TForm(application), caption_(std::move(caption)), controls_(std::move(controls)) {}

void TPage::CreatePage(HWND dialog, const RECT& area) {
    TCreateParams p{L"TMuraltoPage", win::Wide(caption_)};
    // A control parent: Tab and the dialog keys move through the page's
    // controls as through the dialog's own.
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    p.ExStyle = WS_EX_CONTROLPARENT;
    p.Parent = dialog;
    p.X = area.left, p.Y = area.top;
    CreateHandle(p);
    CreateControls(controls_);
    LayoutPage(area, win::DpiOf(dialog));
}

void TPage::LayoutPage(const RECT& area, UINT dpi) {
    if (dpi != Dpi()) ApplyDpi(dpi);
    SetWindowPos(Handle(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        PageCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return PageNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC: // the page's labels on the page's own background
    case WM_CTLCOLORBTN:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
    return Default(message, wParam, lParam);
}

void TPage::PageCommand(int, UINT code, HWND control) {
    if (!control) return;
    if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) SetChanged(true);
}

LRESULT TPage::PageNotify(const NMHDR*) {
    return 0;
}

void TPageHost::Create(TForm& dialog, int left, int top, int width, int height, bool showTabs) {
    dialog_ = &dialog;
    left_ = left, top_ = top, width_ = width, height_ = height;
    showTabs_ = showTabs;
    if (showTabs_) {
        tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0,
                                0, dialog.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)),
                                dialog.Application().Instance(), nullptr);
        if (!tabs_) win::ThrowLastError("Cannot create the dialog's tabs");
    }
    Layout();
    for (auto& page : pages_) page->CreatePage(dialog.Handle(), PageArea());
    if (!pages_.empty()) SetActivePage(0);
}

TPage& TPageHost::Add(TFormPtr<TPage> page) {
    pages_.push_back(std::move(page));
    TPage& added = *pages_.back();
    if (dialog_) {
        added.CreatePage(dialog_->Handle(), PageArea());
        if (active_ < 0) SetActivePage(0);
    }
    if (tabs_) {
        std::wstring caption = win::Wide(added.Caption());
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        SendMessageW(tabs_, TCM_INSERTITEMW, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
        Layout(); // the first tab sets the height of the tab row
    }
    return added;
}

RECT TPageHost::PageArea() const {
    const int left = dialog_->Scaled(left_), top = dialog_->Scaled(top_);
    RECT area{left, top, left + dialog_->Scaled(width_), top + dialog_->Scaled(height_)};
    if (tabs_) {
        // The display area of the tab control, in the dialog's coordinates.
        RECT display{0, 0, area.right - area.left, area.bottom - area.top};
        SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        OffsetRect(&display, area.left, area.top);
        area = display;
    }
    return area;
}

void TPageHost::Layout() {
    if (!dialog_) return;
    if (tabs_) {
        SetWindowPos(tabs_, HWND_BOTTOM, dialog_->Scaled(left_), dialog_->Scaled(top_), dialog_->Scaled(width_),
                     dialog_->Scaled(height_), SWP_NOACTIVATE);
        SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(dialog_->Font()), TRUE);
    }
    const RECT area = PageArea();
    for (auto& page : pages_)
        if (page->Handle()) page->LayoutPage(area, dialog_->Dpi());
}

void TPageHost::SetActivePage(int index) {
    if (index < 0 || index >= Count()) return;
    active_ = index;
    if (tabs_) SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (int i = 0; i < Count(); ++i)
        if (HWND page = Page(i).Handle()) ShowWindow(page, i == index ? SW_SHOW : SW_HIDE);
}

void TPageHost::LoadAll() {
    for (auto& page : pages_) {
        page->Load();
        page->SetChanged(false);
    }
}

void TPageHost::SaveAll() {
    for (auto& page : pages_) {
        page->Save();
        page->SetChanged(false);
    }
}

bool TPageHost::AnyChanged() const {
    for (const auto& page : pages_)
        if (page->Changed()) return true;
    return false;
}

bool TPageHost::Notify(const NMHDR* header) {
    if (!tabs_ || !header || header->hwndFrom != tabs_) return false;
    if (header->code == TCN_SELCHANGE)
        SetActivePage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
    return true;
}
