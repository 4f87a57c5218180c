#pragma once
// The application object: title, help file, the message loop and the general
// error report that every window procedure hands its exceptions to.
#include <windows.h>

#include "help/HelpTopics.h"
#include "platform/win32/HtmlHelp.h"

#include <exception>
#include <functional>
#include <map>
#include <utility>
#include <string>
#include <vector>

class TForm;

class TApplication {
public:
    explicit TApplication(HINSTANCE instance);
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HINSTANCE Instance() const { return instance_; }
    std::string Title = "Muralto";
    // Bare names, resolved against the current directory when help is asked
    // for: the compiled HTML Help file when it is there, else the WinHelp file.
    std::string HelpFile = "MURALTO.HLP";
    std::string HtmlHelpFile = help::kHtmlHelpFile;
    HWND MainWindow = nullptr;

    // Runs before every help request (the main form points the current
    // directory at the program folder here).
    std::function<void()> OnHelp;
    // Replaces the message box of the error report (tests record instead).
    std::function<void(const std::string& message)> OnException;
    // Replaces the help call (tests record the command and context).
    std::function<void(UINT command, ULONG_PTR data)> OnHelpCommand;
    // Sees each request made of the HTML Help viewer just before it is made.
    std::function<void(const help::THtmlHelpRequest& request)> OnHtmlHelp;
    // Called with each modal form once its modal loop runs (tests press its
    // buttons here; nothing waits for a person).
    std::function<void(TForm& form)> OnModal;

    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    // The general error report: a message box with the text, owned by the
    // main window while that exists (a box given a dead owner never shows).
    void ShowException(const std::exception& e);
    void ShowUnknownException();
    void ModalStarted(TForm& form) {
        if (OnModal) OnModal(form);
    }

    // Help contents (HELP_FINDER), a topic by context number (HELP_CONTEXT)
    // or a control's note (HELP_CONTEXTPOPUP). The control's component name
    // picks the topic where a number stands for two things. The request's
    // outcome is never looked at.
    void HelpCommand(UINT command, ULONG_PTR data, const std::string& control = std::string(),
                     HWND caller = nullptr, POINT at = POINT{});
    void HelpContents() { HelpCommand(HELP_FINDER, 0); }
    void HelpContext(int context, const std::string& control = std::string()) {
        HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context), control);
    }
    void HelpContextPopup(int context, const std::string& control, HWND caller, POINT at) {
        HelpCommand(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context), control, caller, at);
    }
    // Closes the help viewer's windows.
    void CloseHelp() { htmlHelp_.CloseAll(); }
    // While the user points at a control after the title bar's "?" button,
    // a control's help is its note rather than its topic.
    bool ContextHelpMode() const { return contextHelpMode_; }
    void SetContextHelpMode(bool on) { contextHelpMode_ = on; }
    // A control's help as the mode asks: its note or its topic.
    void ControlHelp(int context, const std::string& control, HWND caller, POINT at) {
        if (contextHelpMode_) HelpContextPopup(context, control, caller, at);
        else HelpContext(context, control);
    }

    // Numbered cursors shared by every window (1 is the colour dropper).
    void RegisterCursor(int id, HCURSOR cursor) { cursors_[id] = cursor; }
    HCURSOR Cursor(int id) const;

    // Windows whose keys go through dialog navigation first (Enter for the
    // default button, Escape for cancel, Tab between controls).
    void AddKeyPreview(HWND window);
    void RemoveKeyPreview(HWND window);

    // Forms that see their keys first: the handler gets every key pressed
    // in the window or in one of its children before the key is dispatched,
    // and the key then goes on to the control unless the handler returns
    // true. (Dialog navigation would swallow Enter, Escape, Tab and the
    // arrows before the form saw them.)
    using TKeyHandler = std::function<bool(const MSG& key)>;
    void AddKeyHandler(HWND window, TKeyHandler handler);
    void RemoveKeyHandler(HWND window);

private:
    bool Dispatch(MSG& msg);
    bool OfferKey(const MSG& msg);
    void ShowError(const std::string& text);

    HINSTANCE instance_;
    bool terminated_ = false;
    bool contextHelpMode_ = false;
    std::vector<HWND> keyPreview_;
    std::vector<std::pair<HWND, TKeyHandler>> keyHandlers_;
    std::map<int, HCURSOR> cursors_;
    THtmlHelp htmlHelp_;
};
