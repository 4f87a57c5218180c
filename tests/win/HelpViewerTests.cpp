// The help file opened through the real HTML Help viewer from the tray:
// F1 on a menu entry opens its topic, Help the contents; without the help
// file nothing opens and nothing waits.
#include "app/Unit2.h"
#include "platform/win32/TrayIcon.h"
#include "win/HelpViewer.h"
#include "win/MenuScript.h"
#include "win/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class HelpViewer : public ::testing::Test, protected TTestPlatform {
protected:
    TApplication app{GetModuleHandleW(nullptr)};
    std::vector<std::string> errors;
    std::vector<help::THtmlHelpRequest> asked;
    TFormPtr<TMuraltoForm> form;

    void SetUp() override {
        ASSERT_EQ(GetFileAttributesW(ProgramFolderHelpFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u)
            << "the build puts Muralto.chm beside the programs";
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        app.OnHtmlHelp = [this](const help::THtmlHelpRequest& request) { asked.push_back(request); };
        TMainFormHooks hooks;
        hooks.OpenImage = [](const std::string&, bool) {};
        form = MakeForm<TMuraltoForm>(app, platform, std::vector<std::string>{}, hooks);
        // Requests start from elsewhere: the program points the current
        // directory at its own folder first.
        SetCurrentDirectoryW(L"C:\\");
    }
    void TearDown() override {
        app.CloseHelp();
        form.reset();
        EXPECT_TRUE(errors.empty()) << errors.front();
    }
    // F1 on the tray menu's entry after this many steps down.
    void F1OnTrayEntry(int down) {
        std::vector<std::function<void()>> steps(static_cast<size_t>(down), [] { Key(VK_DOWN); });
        steps.push_back([] { Key(VK_F1); });
        TMenuScript script(steps);
        SendMessageW(form->Handle(), TRxTrayIcon::kTrayCallback, TRxTrayIcon::kIconId, WM_RBUTTONUP);
    }
};

} // namespace

TEST_F(HelpViewer, F1OnATrayEntryOpensItsTopicInTheCompiledHelp) {
    F1OnTrayEntry(4); // Open File
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Action, help::THtmlHelpAction::Topic);
    ExpectViewerAt(app, asked[0], "opening-pictures.html", "Opening files and pictures");

    asked.clear();
    F1OnTrayEntry(6); // Lists
    ASSERT_EQ(asked.size(), 1u);
    ExpectViewerAt(app, asked[0], "wallpaper-lists.html", "Wallpaper lists");
}

TEST_F(HelpViewer, TheTraysHelpOpensTheContents) {
    form->BuildPopupMenu().FindByName("Help")->Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Action, help::THtmlHelpAction::Contents);
    HWND viewer = WaitForHelpViewer();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(WindowCaption(viewer), L"Muralto Help");
    EXPECT_EQ(FirstContentsEntry(viewer), L"Muralto Help");
    EXPECT_EQ(PageTitle(CompiledPage(ProgramFolderHelpFile(), help::kContentsPage)), "Muralto Help");
    // Every topic the program can ask for is in the compiled file.
    for (const help::THelpTopic& topic : help::HelpTopics())
        EXPECT_EQ(PageTitle(CompiledPage(ProgramFolderHelpFile(), topic.Page)), topic.Title) << topic.Page;
}

TEST_F(HelpViewer, WithoutTheHelpFileNothingOpensAndNothingWaits) {
    app.HtmlHelpFile = "Not There.chm"; // and no viewer for "MURALTO.HLP" either
    const DWORD start = GetTickCount();
    F1OnTrayEntry(4);
    form->BuildPopupMenu().FindByName("Help")->Click();
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(PumpUntil([] { return HelpViewerWindow() != nullptr; }, 1500));
    // The program goes on as before: the tray menu still opens.
    F1OnTrayEntry(0);
    EXPECT_TRUE(errors.empty());
}
