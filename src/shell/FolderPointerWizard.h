#pragma once
// The steps of the folder pointer wizard, apart from its window: where in
// the Start menu the pointer goes (0), its name (1), the folder it points to
// (2), and Finish (3). Next and Back move between them; the window shows
// each step as the table says and does what the outcome of a press asks.
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <memory>
#include <string>

// How the wizard looks at a step.
struct TStepLook {
    bool BackEnabled;
    bool FolderNameEnabled;
    const char* NextCaption;
    const char* Tip;
};

// What the window does after a press, besides showing the step it is at.
struct TStepOutcome {
    bool FocusName = false; // the focus goes to the name, its text selected
    bool Close = false;     // the wizard is done: it releases itself
};

class TFolderPointerSteps {
public:
    static constexpr int kStepCount = 4;
    static const TStepLook& LookOf(int step);

    // The pickers and the refusals go through the prompts; the name is
    // checked against the file system; the pointer is made through the shell.
    TFolderPointerSteps(IPrompts& prompts, IFileSystem& files, IShell& shell);

    int Step() const { return step_; }
    const TStepLook& Look() const { return LookOf(step_); }
    // The texts of the two read-only fields.
    const std::string& FolderLocation() const { return location_; }
    const std::string& FolderPoints() const { return pointsText_; }
    // Finish was pressed: the wizard goes even when the shell threw.
    bool Finished() const { return finished_; }

    // `folderName` is the name field's text as it stands.
    TStepOutcome Next(const std::string& folderName);
    TStepOutcome Back();

private:
    TStepOutcome PickLocation();
    TStepOutcome CheckName(const std::string& name);
    TStepOutcome PickTarget();
    TStepOutcome Finish();
    // Refuses the name in a box; the user corrects it in the name field.
    TStepOutcome Refuse(const std::string& text);
    // The pointer's folder under its plain name.
    std::string BaseFor(const std::string& name) const;

    IPrompts& prompts_;
    IFileSystem& files_;
    IShell& shell_;
    int step_ = 0;
    bool finished_ = false;
    std::string location_;
    std::string name_; // the name that passed the checks
    std::shared_ptr<INamespaceItem> target_;
    std::string pointsText_;
};
