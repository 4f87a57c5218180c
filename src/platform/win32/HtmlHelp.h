#pragma once
// The HTML Help viewer of hhctrl.ocx, loaded by name when help is first
// asked for and kept until the application ends: the viewer's windows run
// on that library's code. The calls' outcomes are never looked at.
#include "platform/win32/Handles.h"

#include <string>

class THtmlHelp {
public:
    THtmlHelp() = default;
    THtmlHelp(const THtmlHelp&) = delete;
    THtmlHelp& operator=(const THtmlHelp&) = delete;
    // Closes the viewer's windows before the library goes.
    ~THtmlHelp();

    // The help file's contents: the first page with the contents tab.
    void ShowContents(HWND caller, const std::wstring& file);
    // One page of the help file ("page.html").
    void ShowPage(HWND caller, const std::wstring& file, const std::string& page);
    // A note in the viewer's small pop-up window at a screen point.
    void ShowPopup(HWND caller, const std::string& text, POINT at);
    void CloseAll();

private:
    using THtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    bool Load();

    win::UniqueLibrary library_;
    THtmlHelpW htmlHelp_ = nullptr;
    bool triedLoading_ = false;
};
