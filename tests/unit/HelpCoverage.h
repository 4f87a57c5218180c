#pragma once
// Checks that every help context number a menu tree carries leads to a
// topic of the help file, and a help page's title.
#include "help/HelpTopics.h"
#include "shellmenus/MenuModel.h"

#include <string>
#include <vector>

// "Caption (number)" for each entry whose number has no topic; entries
// without a number (they show their sub-menu's) are skipped.
inline void CollectMenuHelpWithoutTopic(const TMenuItem& item, std::vector<std::string>& missing) {
    if (item.HelpContext != 0 && !help::FindHelpTopic(item.HelpContext, item.Name))
        missing.push_back(item.Caption + " (" + std::to_string(item.HelpContext) + ")");
    for (int i = 0; i < item.Count(); ++i) CollectMenuHelpWithoutTopic(item.Item(i), missing);
}

inline std::vector<std::string> MenuHelpWithoutTopic(const TMenuItem& root) {
    std::vector<std::string> missing;
    CollectMenuHelpWithoutTopic(root, missing);
    return missing;
}

// The numbers found in a menu tree, so that a test can tell an empty tree
// from a covered one.
inline int CountMenuHelpContexts(const TMenuItem& item) {
    int count = item.HelpContext != 0 ? 1 : 0;
    for (int i = 0; i < item.Count(); ++i) count += CountMenuHelpContexts(item.Item(i));
    return count;
}

// The text of a page's <title>, "" without one.
inline std::string PageTitle(const std::string& html) {
    const size_t start = html.find("<title>");
    if (start == std::string::npos) return std::string();
    const size_t end = html.find("</title>", start);
    return end == std::string::npos ? std::string() : html.substr(start + 7, end - start - 7);
}
