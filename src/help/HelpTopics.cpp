#include "help/HelpTopics.h"

namespace help {

namespace {

// Pages and their titles.
constexpr const char* kIcons = "desktop-icons.html";
constexpr const char* kIconsTitle = "Arranging the desktop icons";
constexpr const char* kImageWindow = "image-window.html";
constexpr const char* kImageWindowTitle = "The image window";
constexpr const char* kPlacing = "placing.html";
constexpr const char* kPlacingTitle = "Placing the picture";
constexpr const char* kLogos = "logos.html";
constexpr const char* kLogosTitle = "Start-up and shut-down logos";
constexpr const char* kEffects = "effects-box.html";
constexpr const char* kEffectsTitle = "The effects box";
constexpr const char* kChanger = "changer-page.html";
constexpr const char* kChangerTitle = "Changer page";
constexpr const char* kDesktop = "desktop-page.html";
constexpr const char* kDesktopTitle = "Desktop page";
constexpr const char* kGeneral = "general-page.html";
constexpr const char* kGeneralTitle = "General page";
constexpr const char* kRecent = "most-recent-page.html";
constexpr const char* kRecentTitle = "Most Recent page";
constexpr const char* kShell = "shell-page.html";
constexpr const char* kShellTitle = "Shell page";
constexpr const char* kStart = "start-page.html";
constexpr const char* kStartTitle = "Start page";
constexpr const char* kPointers = "folder-pointers.html";
constexpr const char* kPointersTitle = "Folder pointers";
constexpr const char* kLists = "wallpaper-lists.html";
constexpr const char* kListsTitle = "Wallpaper lists";
constexpr const char* kMostRecent = "most-recent.html";
constexpr const char* kMostRecentTitle = "The Most Recent menu";
constexpr const char* kOpening = "opening-pictures.html";
constexpr const char* kOpeningTitle = "Opening files and pictures";

const char* const kAlignPopup = "Where the desktop icons go when they are arranged at start-up and on a screen size "
                                "change.";

} // namespace

const std::vector<THelpTopic>& HelpTopics() {
    static const std::vector<THelpTopic> table = {
        // The tray menu.
        {69, nullptr, kIcons, kIconsTitle, nullptr},
        {72, nullptr, kIcons, kIconsTitle, nullptr},
        {30, nullptr, kIcons, kIconsTitle, nullptr},
        {33, nullptr, kIcons, kIconsTitle, nullptr},
        {32, nullptr, kIcons, kIconsTitle, nullptr},
        {34, nullptr, kIcons, kIconsTitle, nullptr},
        {35, nullptr, kIcons, kIconsTitle, nullptr},
        {36, nullptr, kIcons, kIconsTitle, nullptr},
        {37, nullptr, kIcons, kIconsTitle, nullptr},
        {78, nullptr, kIcons, kIconsTitle, nullptr},
        {70, nullptr, "display-modes.html", "Display modes", nullptr},
        {87, nullptr, "screen-saver.html", "Screen saver settings", nullptr},
        {74, nullptr, kOpening, kOpeningTitle, nullptr},
        {75, nullptr, kOpening, kOpeningTitle, nullptr},
        {112, nullptr, kLists, kListsTitle, nullptr},
        {113, nullptr, kLists, kListsTitle, nullptr},
        {114, nullptr, kLists, kListsTitle, nullptr},
        {76, nullptr, kMostRecent, kMostRecentTitle, nullptr},
        {77, nullptr, "about.html", "About Muralto", nullptr},
        {79, nullptr, kContentsPage, "Muralto Help", nullptr},
        {80, nullptr, "properties.html", "The Properties dialog", nullptr},
        {128, nullptr, "closing.html", "Closing Muralto", nullptr},

        // The image window and its menu.
        {92, nullptr, kImageWindow, kImageWindowTitle, nullptr},
        {47, nullptr, kImageWindow, kImageWindowTitle, nullptr},
        {48, nullptr, kImageWindow, kImageWindowTitle, nullptr},
        {52, nullptr, kImageWindow, kImageWindowTitle, nullptr},
        {53, nullptr, kImageWindow, kImageWindowTitle, nullptr},
        {65, nullptr, kLogos, kLogosTitle, nullptr},
        {49, nullptr, kLogos, kLogosTitle, nullptr},
        {50, nullptr, kLogos, kLogosTitle, nullptr},
        {51, nullptr, kLogos, kLogosTitle, nullptr},
        {54, nullptr, "color-dropper.html", "Background colour", nullptr},
        {56, nullptr, kEffects, kEffectsTitle, nullptr},
        {57, nullptr, kPlacing, kPlacingTitle, nullptr},
        {58, nullptr, kPlacing, kPlacingTitle, nullptr},
        {59, nullptr, kPlacing, kPlacingTitle, nullptr},
        {60, nullptr, kPlacing, kPlacingTitle, nullptr},
        {61, nullptr, kPlacing, kPlacingTitle, nullptr},
        {62, nullptr, kPlacing, kPlacingTitle, nullptr},
        {63, nullptr, kPlacing, kPlacingTitle, nullptr},
        {64, nullptr, kPlacing, kPlacingTitle, nullptr},
        {66, nullptr, kMostRecent, kMostRecentTitle, nullptr},

        // The effects box.
        {98, nullptr, kEffects, kEffectsTitle, "The picture's size in per cent of its own size."},
        {99, nullptr, kEffects, kEffectsTitle,
         "Makes the picture as large as the screen allows, keeping its proportions."},
        {119, nullptr, kEffects, kEffectsTitle, "Flips the picture left to right."},
        {125, nullptr, kEffects, kEffectsTitle, "Bulges the middle of the picture, as through a wide-angle lens."},
        {126, nullptr, kEffects, kEffectsTitle,
         "Turns the picture around its centre, more strongly towards the middle."},
        {127, nullptr, kEffects, kEffectsTitle, "Lays ripples over the picture."},
        {120, nullptr, kEffects, kEffectsTitle,
         "Turns the picture by this many degrees; the free corners take the background colour."},
        {95, nullptr, kEffects, kEffectsTitle, "Shows the result on the screen, quickly drawn."},
        {96, nullptr, kEffects, kEffectsTitle, "Keeps the result, drawn smoothly, and closes the box."},
        {97, nullptr, kEffects, kEffectsTitle, "Goes back to the picture as it was when the box opened."},

        // The properties dialog's pages, asked for where no control has a number.
        {37, "Randomize", kChanger, kChangerTitle, "When and in which order the wallpaper changes by itself."},
        {38, "Icons", kDesktop, kDesktopTitle, "Arranging the desktop icons without being asked."},
        {39, "Start", kGeneral, kGeneralTitle, "How pictures open, and the wallpaper and logo options."},
        {40, "MostRecent", kRecent, kRecentTitle, "Editing the wallpaper lists."},
        {41, "Extensions", kShell, kShellTitle, "The picture types that open with Muralto."},

        // Changer.
        {123, nullptr, kChanger, kChangerTitle, "Shows the next picture of the current list each time Muralto starts."},
        {26, nullptr, kChanger, kChangerTitle, "Shows the next picture whenever the period below has passed."},
        {27, nullptr, kChanger, kChangerTitle,
         "Random picks any picture of the list; Down goes from top to bottom, Up from bottom to top."},
        {28, nullptr, kChanger, kChangerTitle, "How long each wallpaper stays, in days, hours or minutes."},

        // Desktop.
        {29, nullptr, kDesktop, kDesktopTitle,
         "Arranges the icons as chosen below when Muralto starts and when the screen size changes."},
        {103, nullptr, kDesktop, kDesktopTitle, kAlignPopup},
        {104, nullptr, kDesktop, kDesktopTitle, kAlignPopup},
        {105, nullptr, kDesktop, kDesktopTitle, kAlignPopup},
        {106, nullptr, kDesktop, kDesktopTitle, kAlignPopup},
        {107, nullptr, kDesktop, kDesktopTitle, kAlignPopup},
        {108, nullptr, kDesktop, kDesktopTitle,
         "Puts the icons back where they were when you last chose Save Custom in the tray menu."},
        {109, nullptr, kDesktop, kDesktopTitle, "Moves the icons out of sight."},

        // General.
        {43, nullptr, kGeneral, kGeneralTitle, "The image window opens over the whole screen, not in a frame."},
        {42, nullptr, kGeneral, kGeneralTitle, "Each picture you open gets an image window of its own."},
        {44, nullptr, kGeneral, kGeneralTitle, "Places the wallpaper again when the screen size changes."},
        {45, nullptr, kGeneral, kGeneralTitle, "Every new wallpaper also becomes the start-up and shut-down logos."},
        {121, nullptr, kGeneral, kGeneralTitle, "Squeezes the logos so that they do not look stretched."},
        {122, nullptr, kGeneral, kGeneralTitle,
         "Sends a small network message now and then, so that a dial-up connection stays up."},

        // Most Recent.
        {118, nullptr, kRecent, kRecentTitle, "The wallpaper list shown below; type another name to rename it."},
        {115, nullptr, kRecent, kRecentTitle, "Chooses another wallpaper list to edit."},
        {23, nullptr, kRecent, kRecentTitle, "Keeps the list in alphabetical order instead of the order of use."},
        {24, nullptr, kRecent, kRecentTitle, "How many pictures the list keeps; the oldest go first."},
        {25, nullptr, kRecent, kRecentTitle,
         "The pictures of the list. Drag them to change the order; right-click to cut, copy, paste or delete."},

        // Shell: the numbers of the Desktop and General pages, on other controls.
        {38, "ChooseExt", kShell, kShellTitle,
         "Files of the ticked types open in Muralto. Unticked types go back to the program they had before."},
        {39, "OpenWith", kShell, kShellTitle, "Adds \"View with Muralto\" to the right-click menu of every picture."},
        {39, "Label5", kShell, kShellTitle, "Adds \"View with Muralto\" to the right-click menu of every picture."},

        // Start: the numbers of the Most Recent and Shell pages, on other controls.
        {40, "Programs", kStart, kStartTitle, "A Muralto shortcut in the Start menu's Programs."},
        {41, "Launch", kStart, kStartTitle, "Starts Muralto each time you log on."},
        {101, nullptr, kStart, kStartTitle, "A Control Panel folder in the Start menu that opens as a menu."},
        {102, nullptr, kStart, kStartTitle, "A Printers folder in the Start menu that opens as a menu."},
        {117, nullptr, kStart, kStartTitle, "The key combination that makes the shell build the Start menu again."},
        {116, nullptr, kPointers, kPointersTitle,
         "Makes a folder that shows the contents of another folder, such as My Computer."},
    };
    return table;
}

const THelpTopic* FindHelpTopic(int context, const std::string& control) {
    const THelpTopic* general = nullptr;
    for (const THelpTopic& row : HelpTopics()) {
        if (row.Context != context) continue;
        if (row.Control == nullptr) {
            if (!general) general = &row;
        } else if (!control.empty() && control == row.Control) {
            return &row;
        }
    }
    return general;
}

THtmlHelpRequest HtmlHelpRequest(unsigned command, int context, const std::string& control) {
    THtmlHelpRequest request;
    request.Page = kContentsPage;
    if (command != kHelpContext && command != kHelpContextPopup) return request;
    const THelpTopic* topic = FindHelpTopic(context, control);
    if (!topic) return request;
    request.Page = topic->Page;
    if (command == kHelpContextPopup && topic->Popup) {
        request.Action = THtmlHelpAction::Popup;
        request.Popup = topic->Popup;
    } else {
        request.Action = THtmlHelpAction::Topic;
    }
    return request;
}

} // namespace help
