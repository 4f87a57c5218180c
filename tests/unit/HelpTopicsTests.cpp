// The help file's sources against the program's table of topics: every row
// leads to a page that exists, has the row's title and is compiled into the
// help file; every page and picture is in the project and the contents; the
// requests the viewer gets for each kind of help.
#include "help/HelpTopics.h"
#include "unit/HelpCoverage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path kHelpSource = MURALTO_HELP_SOURCE;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}


// The lines of the project's [FILES] section.
std::set<std::string> ProjectFiles() {
    std::istringstream project(ReadText(kHelpSource / "Muralto.hhp"));
    std::set<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') inFiles = line == "[FILES]";
        else if (inFiles && !line.empty()) files.insert(line);
    }
    return files;
}

// What follows each occurrence of the prefix, up to the first of the ends.
std::set<std::string> After(const std::string& text, const std::string& prefix, const char* ends = "\"") {
    std::set<std::string> found;
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
        const size_t start = at + prefix.size();
        found.insert(text.substr(start, text.find_first_of(ends, start) - start));
    }
    return found;
}

std::set<std::string> ContentsPages() {
    return After(ReadText(kHelpSource / "Muralto.hhc"), "name=\"Local\" value=\"");
}

std::set<std::string> HtmlPages() {
    std::set<std::string> pages;
    for (const auto& entry : fs::directory_iterator(kHelpSource))
        if (entry.path().extension() == ".html") pages.insert(entry.path().filename().string());
    return pages;
}

} // namespace

TEST(HelpSources, EveryRowLeadsToACompiledPageWithItsTitle) {
    const std::set<std::string> project = ProjectFiles();
    const std::set<std::string> contents = ContentsPages();
    for (const help::THelpTopic& row : help::HelpTopics()) {
        SCOPED_TRACE(std::to_string(row.Context) + " " + row.Page);
        const fs::path page = kHelpSource / row.Page;
        ASSERT_TRUE(fs::exists(page));
        EXPECT_EQ(PageTitle(ReadText(page)), row.Title);
        EXPECT_TRUE(project.count(row.Page)) << "not in the project's [FILES]";
        EXPECT_TRUE(contents.count(row.Page)) << "not in the contents";
        if (row.Popup) {
            EXPECT_GT(std::string(row.Popup).size(), 10u);
        }
    }
}

TEST(HelpSources, EveryPageAndPictureIsCompiledAndEveryLinkLeadsSomewhere) {
    const std::set<std::string> project = ProjectFiles();
    const std::set<std::string> pages = HtmlPages();
    const std::set<std::string> contents = ContentsPages();
    EXPECT_TRUE(pages.count(help::kContentsPage));
    for (const std::string& page : pages) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(project.count(page)) << "not in the project's [FILES]";
        EXPECT_TRUE(contents.count(page)) << "not in the contents";
        const std::string html = ReadText(kHelpSource / page);
        EXPECT_FALSE(PageTitle(html).empty());
        for (const std::string& link : After(html, "href=\"", "\"#"))
            EXPECT_TRUE(pages.count(link) || project.count(link)) << link;
        for (const std::string& picture : After(html, "src=\"")) EXPECT_TRUE(project.count(picture)) << picture;
    }
    for (const std::string& file : project)
        EXPECT_TRUE(pages.count(file) || file.rfind("images/", 0) == 0 || file == "muralto.css") << file;
}

TEST(HelpTopics, EachNumberAndComponentHasOneRowAndTheComponentsRowComesFirst) {
    std::set<std::pair<int, std::string>> seen;
    for (const help::THelpTopic& row : help::HelpTopics())
        EXPECT_TRUE(seen.insert({row.Context, row.Control ? row.Control : ""}).second)
            << row.Context << " " << (row.Control ? row.Control : "");

    // 38 is the Desktop page and, on the Shell page, the file types list.
    EXPECT_STREQ(help::FindHelpTopic(38, "ChooseExt")->Page, "shell-page.html");
    EXPECT_STREQ(help::FindHelpTopic(38, "Icons")->Page, "desktop-page.html");
    // 37 is the tray's Hide entry everywhere but on the Changer page.
    EXPECT_STREQ(help::FindHelpTopic(37)->Page, "desktop-icons.html");
    EXPECT_STREQ(help::FindHelpTopic(37, "NoIcons")->Page, "desktop-icons.html");
    EXPECT_STREQ(help::FindHelpTopic(37, "Randomize")->Page, "changer-page.html");
    // A number only components name has no row for others.
    EXPECT_EQ(help::FindHelpTopic(41), nullptr);
    EXPECT_EQ(help::FindHelpTopic(0), nullptr);
    EXPECT_EQ(help::FindHelpTopic(9999, "Launch"), nullptr);
}

TEST(HtmlHelpRequests, ContentsTopicsAndNotes) {
    using help::THtmlHelpAction;
    auto contents = help::HtmlHelpRequest(help::kHelpFinder, 0);
    EXPECT_EQ(contents.Action, THtmlHelpAction::Contents);
    EXPECT_EQ(contents.Page, help::kContentsPage);

    auto topic = help::HtmlHelpRequest(help::kHelpContext, 92);
    EXPECT_EQ(topic.Action, THtmlHelpAction::Topic);
    EXPECT_EQ(topic.Page, "image-window.html");
    EXPECT_EQ(help::HtmlHelpRequest(help::kHelpContext, 41, "Launch").Page, "start-page.html");

    // A number without a topic opens the contents rather than nothing.
    auto unknown = help::HtmlHelpRequest(help::kHelpContext, 9999);
    EXPECT_EQ(unknown.Action, THtmlHelpAction::Contents);
    EXPECT_EQ(unknown.Page, help::kContentsPage);

    auto note = help::HtmlHelpRequest(help::kHelpContextPopup, 99);
    EXPECT_EQ(note.Action, THtmlHelpAction::Popup);
    EXPECT_NE(note.Popup.find("screen"), std::string::npos);
    // A menu entry has no note: its page instead.
    auto menuNote = help::HtmlHelpRequest(help::kHelpContextPopup, 74);
    EXPECT_EQ(menuNote.Action, THtmlHelpAction::Topic);
    EXPECT_EQ(menuNote.Page, "opening-pictures.html");
}
