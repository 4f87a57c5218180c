#pragma once
// A modal box asking for one line of text, with OK and Cancel.
#include "platform/win32/Form.h"

#include <optional>
#include <string>

class TInputBoxForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TInputBoxForm";
    enum TControlId : int { idPrompt = 101, idEdit };

    TInputBoxForm(TApplication& application, const std::string& caption, const std::string& prompt,
                  const std::string& initial);

    // The text, or nothing when the user cancels or closes the box.
    std::optional<std::string> Ask();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void OKClick();

    std::string prompt_, initial_;
    std::optional<std::string> result_;
};

class TInputBox {
public:
    // Asks over the application's main window.
    static std::optional<std::string> Ask(TApplication& application, const std::string& caption,
                                          const std::string& prompt, const std::string& initial);
};
