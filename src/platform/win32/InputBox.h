#pragma once
// A modal box asking for one line of text, with OK and Cancel.
#include <optional>
#include <string>

class TInputBox {
public:
    // The text, or nothing when the user cancels or closes the box.
    static std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                          const std::string& initial);
};
