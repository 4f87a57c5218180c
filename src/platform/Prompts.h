#pragma once
// Questions and notices for the user. Every box carries the caption "Muralto".
// Tests answer through the host implementation; nothing waits for a person.
#include <optional>
#include <string>

enum class TMessageKind { Information, Warning, Error };

class IPrompts {
public:
    virtual ~IPrompts() = default;
    virtual void Message(const std::string& text, TMessageKind kind) = 0;
    // A Yes/No question; true only for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    // A line of text, or nothing when the user cancels.
    virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) = 0;
    // The open dialog for a picture, starting in the folder (none: the
    // system's choice); the chosen file's full path, or nothing when the
    // user cancels.
    virtual std::optional<std::string> OpenPicture(const std::string& initialFolder) = 0;
};

constexpr const char* kAppTitle = "Muralto";
