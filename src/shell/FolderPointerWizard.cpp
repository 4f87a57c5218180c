#include "shell/FolderPointerWizard.h"

#include "shell/FolderPointer.h"

namespace {

// The characters no file name may hold, in the order the refusal lists them.
constexpr const char* kForbidden = "\\/:*?\"<>|";

const TStepLook kLooks[TFolderPointerSteps::kStepCount] = {
    {false, false, "Next >",
     "Press Next to display the Select Folder dialog, and choose where in the Start menu you want to put your new "
     "Folder Pointer."},
    {true, true, "Next >", "Please enter a name for the new Folder Pointer, and then press Next."},
    {true, false, "Next >",
     "Press Next to display the Select Folder dialog, and choose the folder you want to access through the Start "
     "menu."},
    {true, false, "Finish", "Press Finish to create your new Folder Pointer."},
};

} // namespace

const TStepLook& TFolderPointerSteps::LookOf(int step) {
    return kLooks[step];
}

TFolderPointerSteps::TFolderPointerSteps(IPrompts& prompts, IFileSystem& files, IShell& shell)
    : prompts_(prompts), files_(files), shell_(shell) {}

TStepOutcome TFolderPointerSteps::Next(const std::string& folderName) {
    switch (step_) {
    case 0: return PickLocation();
    case 1: return CheckName(folderName);
    case 2: return PickTarget();
    default: return Finish();
    }
}

TStepOutcome TFolderPointerSteps::Back() {
    TStepOutcome outcome;
    if (step_ == 0) return outcome;
    --step_;
    // Back at the name, the user is there to change it.
    outcome.FocusName = step_ == 1;
    return outcome;
}

TStepOutcome TFolderPointerSteps::PickLocation() {
    TStepOutcome outcome;
    const std::optional<std::string> picked = prompts_.PickStartMenuFolder();
    if (!picked) return outcome;
    location_ = *picked;
    step_ = 1;
    outcome.FocusName = true;
    return outcome;
}

TStepOutcome TFolderPointerSteps::CheckName(const std::string& name) {
    TStepOutcome outcome;
    outcome.FocusName = true;
    if (name.empty()) return outcome;
    if (name.find_first_of(kForbidden) != std::string::npos)
        return Refuse(std::string("You can not use any of the following characters:") + "\n\r" + kForbidden);
    const std::string base = BaseFor(name);
    if (files_.DirectoryExists(base) || files_.DirectoryExists(base + kFolderPointerSuffix))
        return Refuse("Folder name already in use, please choose another name.");
    name_ = name;
    step_ = 2;
    outcome.FocusName = false;
    return outcome;
}

TStepOutcome TFolderPointerSteps::Refuse(const std::string& text) {
    prompts_.Message(text, TMessageKind::Error);
    TStepOutcome outcome;
    outcome.FocusName = true;
    return outcome;
}

TStepOutcome TFolderPointerSteps::PickTarget() {
    std::optional<TPickedShellItem> picked = prompts_.PickShellItem();
    if (!picked) return {};
    target_ = std::move(picked->Item);
    pointsText_ = std::move(picked->Text);
    step_ = 3;
    return {};
}

TStepOutcome TFolderPointerSteps::Finish() {
    // Whatever the shell managed, the wizard is done: failures here are not
    // reported (see CreateFolderPointer).
    finished_ = true;
    const INamespaceItem* target = target_.get();
    CreateFolderPointer(shell_, BaseFor(name_), [target](IShellLinkFile& link) {
        link.SetTarget(target);
        return true;
    });
    TStepOutcome outcome;
    outcome.Close = true;
    return outcome;
}

std::string TFolderPointerSteps::BaseFor(const std::string& name) const {
    // A picked drive root already ends in a backslash.
    const bool separated = !location_.empty() && location_.back() == '\\';
    return location_ + (separated ? "" : "\\") + name;
}
