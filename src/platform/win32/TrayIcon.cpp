#include "platform/win32/TrayIcon.h"

#include <shellapi.h>

#include <cwchar>

namespace {

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

TRxTrayIcon::~TRxTrayIcon() {
    SetActive(false);
}

bool TRxTrayIcon::IsTaskbarCreated(UINT message) {
    return message != 0 && message == TaskbarCreatedMessage();
}

bool TRxTrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = icon_;
    const std::wstring tip = win::Wide(hint_);
    std::wcsncpy(data.szTip, tip.c_str(), sizeof data.szTip / sizeof data.szTip[0] - 1);
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TRxTrayIcon::SetIcon(HICON icon) {
    icon_ = normalIcon_ = icon;
    if (shown_) Notify(NIM_MODIFY);
}

void TRxTrayIcon::ShowBusy(const std::string& text) {
    busy_ = true;
    if (busyIcon_) icon_ = busyIcon_;
    SetHint(text);
}

void TRxTrayIcon::ShowIdle(const std::string& hint) {
    busy_ = false;
    icon_ = normalIcon_;
    SetHint(hint.empty() ? std::string("Muralto") : hint);
}

void TRxTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    if (shown_) Notify(NIM_MODIFY);
}

void TRxTrayIcon::SetActive(bool active) {
    active_ = active;
    if (active && !shown_) {
        shown_ = Notify(NIM_ADD);
    } else if (!active && shown_) {
        Notify(NIM_DELETE);
        shown_ = false;
    }
}

void TRxTrayIcon::Restore() {
    if (!active_) return;
    shown_ = false;
    shown_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
}
