#include "platform/win32/HtmlHelp.h"


#include <htmlhelp.h>

THtmlHelp::~THtmlHelp() {
    CloseAll();
}

bool THtmlHelp::Load() {
    if (!triedLoading_) {
        triedLoading_ = true;
        library_ = win::UniqueLibrary(LoadLibraryW(L"hhctrl.ocx"));
        if (library_)
            htmlHelp_ = reinterpret_cast<THtmlHelpW>(
                reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
    }
    return htmlHelp_ != nullptr;
}

void THtmlHelp::ShowContents(HWND caller, const std::wstring& file) {
    if (Load()) htmlHelp_(caller, file.c_str(), HH_DISPLAY_TOC, 0);
}

void THtmlHelp::ShowPage(HWND caller, const std::wstring& file, const std::string& page) {
    if (!Load()) return;
    // "file::/page" names one page inside the compiled file.
    const std::wstring target = file + L"::/" + win::Wide(page);
    htmlHelp_(caller, target.c_str(), HH_DISPLAY_TOPIC, 0);
}

void THtmlHelp::ShowPopup(HWND caller, const std::string& text, POINT at) {
    if (!Load()) return;
    const std::wstring wide = win::Wide(text);
    HH_POPUP popup{};
    popup.cbStruct = sizeof(popup);
    popup.pszText = wide.c_str();
    popup.pt = at;
    popup.clrForeground = popup.clrBackground = static_cast<COLORREF>(-1); // the system's colours
    popup.rcMargins = RECT{-1, -1, -1, -1};                                // and margins
    htmlHelp_(caller, nullptr, HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
}

void THtmlHelp::CloseAll() {
    if (htmlHelp_) htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
