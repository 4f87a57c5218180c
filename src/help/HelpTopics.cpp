#include "help/HelpTopics.h"

namespace help {

namespace {

// The pages, each with the title it states.
struct TPage {
    const char* File;
    const char* Title;
};
constexpr TPage kIcons{"desktop-icons.html", "Arranging the desktop icons"};
constexpr TPage kImageWindow{"image-window.html", "The image window"};
constexpr TPage kPlacing{"placing.html", "Placing the picture"};
constexpr TPage kLogos{"logos.html", "Start-up and shut-down logos"};
constexpr TPage kEffects{"effects-box.html", "The effects box"};
constexpr TPage kChanger{"changer-page.html", "Changer page"};
constexpr TPage kDesktop{"desktop-page.html", "Desktop page"};
constexpr TPage kGeneral{"general-page.html", "General page"};
constexpr TPage kRecent{"most-recent-page.html", "Most Recent page"};
constexpr TPage kShell{"shell-page.html", "Shell page"};
constexpr TPage kStart{"start-page.html", "Start page"};
constexpr TPage kPointers{"folder-pointers.html", "Folder pointers"};
constexpr TPage kLists{"wallpaper-lists.html", "Wallpaper lists"};
constexpr TPage kMostRecent{"most-recent.html", "The Most Recent menu"};
constexpr TPage kOpening{"opening-pictures.html", "Opening files and pictures"};
constexpr TPage kDisplay{"display-modes.html", "Display modes"};
constexpr TPage kScreenSaver{"screen-saver.html", "Screen saver settings"};
constexpr TPage kAbout{"about.html", "About Muralto"};
constexpr TPage kContents{kContentsPage, "Muralto Help"};
constexpr TPage kProperties{"properties.html", "The Properties dialog"};
constexpr TPage kClosing{"closing.html", "Closing Muralto"};
constexpr TPage kDropper{"color-dropper.html", "Background colour"};

THelpTopic Row(int context, const char* control, const TPage& page, const char* popup) {
    return THelpTopic{context, control, page.File, page.Title, popup};
}

const char* const kAlignPopup = "Where the desktop icons go when they are arranged at start-up and on a screen size "
                                "change.";

} // namespace

const std::vector<THelpTopic>& HelpTopics() {
    static const std::vector<THelpTopic> table = {
        // The tray menu.
        Row(69, nullptr, kIcons, nullptr),
        Row(72, nullptr, kIcons, nullptr),
        Row(30, nullptr, kIcons, nullptr),
        Row(33, nullptr, kIcons, nullptr),
        Row(32, nullptr, kIcons, nullptr),
        Row(34, nullptr, kIcons, nullptr),
        Row(35, nullptr, kIcons, nullptr),
        Row(36, nullptr, kIcons, nullptr),
        Row(37, nullptr, kIcons, nullptr),
        Row(78, nullptr, kIcons, nullptr),
        Row(70, nullptr, kDisplay, nullptr),
        Row(87, nullptr, kScreenSaver, nullptr),
        Row(74, nullptr, kOpening, nullptr),
        Row(75, nullptr, kOpening, nullptr),
        Row(112, nullptr, kLists, nullptr),
        Row(113, nullptr, kLists, nullptr),
        Row(114, nullptr, kLists, nullptr),
        Row(76, nullptr, kMostRecent, nullptr),
        Row(77, nullptr, kAbout, nullptr),
        Row(79, nullptr, kContents, nullptr),
        Row(80, nullptr, kProperties, nullptr),
        Row(128, nullptr, kClosing, nullptr),

        // The image window and its menu.
        Row(92, nullptr, kImageWindow, nullptr),
        Row(47, nullptr, kImageWindow, nullptr),
        Row(48, nullptr, kImageWindow, nullptr),
        Row(52, nullptr, kImageWindow, nullptr),
        Row(53, nullptr, kImageWindow, nullptr),
        Row(65, nullptr, kLogos, nullptr),
        Row(49, nullptr, kLogos, nullptr),
        Row(50, nullptr, kLogos, nullptr),
        Row(51, nullptr, kLogos, nullptr),
        Row(54, nullptr, kDropper, nullptr),
        Row(56, nullptr, kEffects, nullptr),
        Row(57, nullptr, kPlacing, nullptr),
        Row(58, nullptr, kPlacing, nullptr),
        Row(59, nullptr, kPlacing, nullptr),
        Row(60, nullptr, kPlacing, nullptr),
        Row(61, nullptr, kPlacing, nullptr),
        Row(62, nullptr, kPlacing, nullptr),
        Row(63, nullptr, kPlacing, nullptr),
        Row(64, nullptr, kPlacing, nullptr),
        Row(66, nullptr, kMostRecent, nullptr),

        // The effects box.
        Row(98, nullptr, kEffects, "The picture's size in per cent of its own size."),
        Row(99, nullptr, kEffects,
            "Makes the picture as large as the screen allows, keeping its proportions."),
        Row(119, nullptr, kEffects, "Flips the picture left to right."),
        Row(125, nullptr, kEffects, "Bulges the middle of the picture, as through a wide-angle lens."),
        Row(126, nullptr, kEffects,
            "Turns the picture around its centre, more strongly towards the middle."),
        Row(127, nullptr, kEffects, "Lays ripples over the picture."),
        Row(120, nullptr, kEffects,
            "Turns the picture by this many degrees; the free corners take the background colour."),
        Row(95, nullptr, kEffects, "Shows the result on the screen, quickly drawn."),
        Row(96, nullptr, kEffects, "Keeps the result, drawn smoothly, and closes the box."),
        Row(97, nullptr, kEffects, "Goes back to the picture as it was when the box opened."),

        // The properties dialog's pages, asked for where no control has a number.
        Row(37, "Randomize", kChanger, "When and in which order the wallpaper changes by itself."),
        Row(38, "Icons", kDesktop, "Arranging the desktop icons without being asked."),
        Row(39, "Start", kGeneral, "How pictures open, and the wallpaper and logo options."),
        Row(40, "MostRecent", kRecent, "Editing the wallpaper lists."),
        Row(41, "Extensions", kShell, "The picture types that open with Muralto."),

        // Changer.
        Row(123, nullptr, kChanger, "Shows the next picture of the current list each time Muralto starts."),
        Row(26, nullptr, kChanger, "Shows the next picture whenever the period below has passed."),
        Row(27, nullptr, kChanger,
            "Random picks any picture of the list; Down goes from top to bottom, Up from bottom to top."),
        Row(28, nullptr, kChanger, "How long each wallpaper stays, in days, hours or minutes."),

        // Desktop.
        Row(29, nullptr, kDesktop,
            "Arranges the icons as chosen below when Muralto starts and when the screen size changes."),
        Row(103, nullptr, kDesktop, kAlignPopup),
        Row(104, nullptr, kDesktop, kAlignPopup),
        Row(105, nullptr, kDesktop, kAlignPopup),
        Row(106, nullptr, kDesktop, kAlignPopup),
        Row(107, nullptr, kDesktop, kAlignPopup),
        Row(108, nullptr, kDesktop,
            "Puts the icons back where they were when you last chose Save Custom in the tray menu."),
        Row(109, nullptr, kDesktop, "Moves the icons out of sight."),

        // General.
        Row(43, nullptr, kGeneral, "The image window opens over the whole screen, not in a frame."),
        Row(42, nullptr, kGeneral, "Each picture you open gets an image window of its own."),
        Row(44, nullptr, kGeneral, "Places the wallpaper again when the screen size changes."),
        Row(45, nullptr, kGeneral, "Every new wallpaper also becomes the start-up and shut-down logos."),
        Row(121, nullptr, kGeneral, "Squeezes the logos so that they do not look stretched."),
        Row(122, nullptr, kGeneral,
            "Sends a small network message now and then, so that a dial-up connection stays up."),

        // Most Recent.
        Row(118, nullptr, kRecent, "The wallpaper list shown below; type another name to rename it."),
        Row(115, nullptr, kRecent, "Chooses another wallpaper list to edit."),
        Row(23, nullptr, kRecent, "Keeps the list in alphabetical order instead of the order of use."),
        Row(24, nullptr, kRecent, "How many pictures the list keeps; the oldest go first."),
        Row(25, nullptr, kRecent,
            "The pictures of the list. Drag them to change the order; right-click to cut, copy, paste or delete."),

        // Shell: the numbers of the Desktop and General pages, on other controls.
        Row(38, "ChooseExt", kShell,
            "Files of the ticked types open in Muralto. Unticked types go back to the program they had before."),
        Row(39, "OpenWith", kShell, "Adds \"View with Muralto\" to the right-click menu of every picture."),
        Row(39, "Label5", kShell, "Adds \"View with Muralto\" to the right-click menu of every picture."),

        // Start: the numbers of the Most Recent and Shell pages, on other controls.
        Row(40, "Programs", kStart, "A Muralto shortcut in the Start menu's Programs."),
        Row(41, "Launch", kStart, "Starts Muralto each time you log on."),
        Row(101, nullptr, kStart, "A Control Panel folder in the Start menu that opens as a menu."),
        Row(102, nullptr, kStart, "A Printers folder in the Start menu that opens as a menu."),
        Row(117, nullptr, kStart, "The key combination that makes the shell build the Start menu again."),
        Row(116, nullptr, kPointers,
            "Makes a folder that shows the contents of another folder, such as My Computer."),
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
