#pragma once
// Questions and notices for the user. Every box carries the caption "Muralto".
// Tests answer through the host implementation; nothing waits for a person.
#include <memory>
#include <optional>
#include <string>

enum class TMessageKind { Information, Warning, Error };

class INamespaceItem; // platform/Shell.h

// An item picked in the shell's namespace, with the text that names it to
// the user: its parsing name, else its display name, else its path.
struct TPickedShellItem {
    std::shared_ptr<INamespaceItem> Item;
    std::string Text;
};

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
    // The folder picker "Select Folder" over the user's Start Menu folder:
    // the picked folder's path, or nothing when the user cancels.
    virtual std::optional<std::string> PickStartMenuFolder() = 0;
    // The folder picker "Select Folder" over the whole namespace from the
    // desktop down, virtual folders included; nothing when the user cancels.
    virtual std::optional<TPickedShellItem> PickShellItem() = 0;
};

constexpr const char* kAppTitle = "Muralto";
