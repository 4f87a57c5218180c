#include "platform/win32/Application.h"

#include "platform/win32/Handles.h"

#include <algorithm>

TApplication::TApplication(HINSTANCE instance) : instance_(instance) {}

bool TApplication::OfferKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    for (const auto& [window, handler] : keyHandlers_)
        if (msg.hwnd == window || IsChild(window, msg.hwnd)) {
            // A copy: the handler may add or remove handlers meanwhile.
            const TKeyHandler handle = handler;
            return handle(msg);
        }
    return false;
}

bool TApplication::Dispatch(MSG& msg) {
    if (OfferKey(msg)) return true;
    for (HWND window : keyPreview_)
        if (IsWindowVisible(window) && IsDialogMessageW(window, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::Run() {
    MSG msg;
    while (!terminated_ && GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    terminated_ = true;
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for the main loop
            break;
        }
        Dispatch(msg);
    }
}

void TApplication::ShowException(const std::exception& e) {
    ShowError(e.what());
}

void TApplication::ShowUnknownException() {
    ShowError("An unexpected error occurred.");
}

void TApplication::ShowError(const std::string& text) {
    if (OnException) {
        OnException(text);
        return;
    }
    HWND owner = MainWindow && IsWindow(MainWindow) ? MainWindow : nullptr;
    MessageBoxW(owner, win::Wide(text).c_str(), win::Wide(Title).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

namespace {

// The full path of a file in the current directory, or "" when it is not there.
std::wstring ExistingFile(const std::string& name) {
    const std::wstring wide = win::Wide(name);
    wchar_t path[MAX_PATH];
    const DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::wstring();
    return path;
}

} // namespace

void TApplication::HelpCommand(UINT command, ULONG_PTR data, const std::string& control, HWND caller, POINT at) {
    if (OnHelp) OnHelp();
    if (OnHelpCommand) {
        OnHelpCommand(command, data);
        return;
    }
    if (!caller) caller = MainWindow;
    const std::wstring chm = ExistingFile(HtmlHelpFile);
    if (chm.empty()) {
        WinHelpW(caller, win::Wide(HelpFile).c_str(), command, data);
        return;
    }
    const help::THtmlHelpRequest request = help::HtmlHelpRequest(command, static_cast<int>(data), control);
    if (OnHtmlHelp) OnHtmlHelp(request);
    switch (request.Action) {
    case help::THtmlHelpAction::Contents:
        htmlHelp_.ShowContents(caller, chm);
        break;
    case help::THtmlHelpAction::Topic:
        htmlHelp_.ShowPage(caller, chm, request.Page);
        break;
    case help::THtmlHelpAction::Popup:
        htmlHelp_.ShowPopup(caller, request.Popup, at);
        break;
    }
}

void TApplication::AddKeyPreview(HWND window) {
    if (std::find(keyPreview_.begin(), keyPreview_.end(), window) == keyPreview_.end()) keyPreview_.push_back(window);
}

void TApplication::RemoveKeyPreview(HWND window) {
    keyPreview_.erase(std::remove(keyPreview_.begin(), keyPreview_.end(), window), keyPreview_.end());
}

void TApplication::AddKeyHandler(HWND window, TKeyHandler handler) {
    RemoveKeyHandler(window);
    keyHandlers_.emplace_back(window, std::move(handler));
}

void TApplication::RemoveKeyHandler(HWND window) {
    keyHandlers_.erase(std::remove_if(keyHandlers_.begin(), keyHandlers_.end(),
                                      [window](const auto& entry) { return entry.first == window; }),
                       keyHandlers_.end());
}

HCURSOR TApplication::Cursor(int id) const {
    const auto it = cursors_.find(id);
    return it != cursors_.end() ? it->second : LoadCursorW(nullptr, IDC_ARROW);
}

static_assert(help::kHelpContext == HELP_CONTEXT && help::kHelpContextPopup == HELP_CONTEXTPOPUP &&
                  help::kHelpFinder == HELP_FINDER,
              "the portable help requests use WinHelp's command numbers");
