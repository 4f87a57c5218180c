#pragma once
// Where each help context number of the program leads in the compiled help
// file "Muralto.chm": the topic's page and, for the controls of the
// dialogs, the short note shown in a pop-up window when the user asks what
// a control is for. The numbers are those the menus and dialogs carry; a
// few stand for two things (a tray entry and a properties page), and there
// the component name the request comes from tells them apart.
#include <string>
#include <vector>

namespace help {

struct THelpTopic {
    int Context;
    const char* Control; // the component this row is for; null for every other
    const char* Page;    // the topic's file inside the help file
    const char* Title;   // the topic's title, as its page states it
    const char* Popup;   // the note for context help on a control; null for menu entries
};

constexpr const char* kContentsPage = "index.html";
constexpr const char* kHtmlHelpFile = "Muralto.chm";

const std::vector<THelpTopic>& HelpTopics();

// The row for this number asked from this component: the row naming the
// component first, then the number's general row; null when it has none.
const THelpTopic* FindHelpTopic(int context, const std::string& control = std::string());

// The WinHelp commands the program sends, by their numbers.
constexpr unsigned kHelpContext = 0x0001;      // HELP_CONTEXT
constexpr unsigned kHelpContextPopup = 0x0008; // HELP_CONTEXTPOPUP
constexpr unsigned kHelpFinder = 0x000B;       // HELP_FINDER

// What a help request asks of the HTML Help viewer.
enum class THtmlHelpAction { Contents, Topic, Popup };
struct THtmlHelpRequest {
    THtmlHelpAction Action = THtmlHelpAction::Contents;
    std::string Page;  // the page to show (Contents and Topic)
    std::string Popup; // the note to show (Popup)
};

// Turns a WinHelp command into the viewer's request: the contents for
// HELP_FINDER and for a number without a topic, the topic's page for
// HELP_CONTEXT, and the topic's note for HELP_CONTEXTPOPUP (its page when
// it has no note).
THtmlHelpRequest HtmlHelpRequest(unsigned command, int context, const std::string& control = std::string());

} // namespace help
