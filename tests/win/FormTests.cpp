// The Windows layer's forms: who destroys a window and when, modal results
// and the seam through which tests press a modal form's buttons, control
// tables at the monitor's DPI and after a DPI change, help by control, the
// page host, and the error report for exceptions of any kind.
#include "platform/win32/Dpi.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/InputBox.h"
#include "platform/win32/PageHost.h"
#include "platform/win32/WinError.h"
#include "win/TestProcess.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr int idEdit = 101, idCheck = 102;

std::vector<win::TControlSpec> SampleTable() {
    return {
        {L"EDIT", "Edit1", idEdit, "text", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 10, 200, 25, 4711},
        {L"BUTTON", "Check1", idCheck, "&Check", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 10, 45, 200, 25},
        {L"BUTTON", "OK", IDOK, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 80, 90, 30},
        {L"BUTTON", "Cancel", IDCANCEL, "Cancel", WS_TABSTOP, 0, 110, 80, 90, 30},
    };
}

// What a form saw of its own life, kept outside it so that it can be read
// after the form is gone.
struct TLifeLog {
    int Created = 0, Destroyed = 0, DpiChanges = 0;
};

class TSampleForm : public TForm {
public:
    TSampleForm(TApplication& app, TLifeLog& log, bool throwOnCommand = false)
        : TForm(app), log_(log), throwOnCommand_(throwOnCommand) {
        TCreateParams p{L"TSampleForm", L"Sample"};
        p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.ClientWidth = 220;
        p.ClientHeight = 120;
        CreateHandle(p);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE:
            CreateControls(SampleTable());
            ++log_.Created;
            return 0;
        case WM_DESTROY:
            ++log_.Destroyed; // runs only while the whole object exists
            return 0;
        case WM_COMMAND:
            if (throwOnCommand_ && LOWORD(wParam) == idCheck) throw 42;
            if (LOWORD(wParam) == IDOK) SetModalResult(IDOK);
            if (LOWORD(wParam) == IDCANCEL) SetModalResult(IDCANCEL);
            return 0;
        }
        return Default(message, wParam, lParam);
    }
    void FormDpiChanged() override { ++log_.DpiChanges; }

private:
    TLifeLog& log_;
    bool throwOnCommand_;
};

RECT PlaceOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG FontHeightOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

class Forms : public ::testing::Test {
protected:
    TApplication app{GetModuleHandleW(nullptr)};
    std::vector<std::string> errors;
    int gdi = 0, user = 0;

    void SetUp() override {
        app.OnException = [this](const std::string& text) { errors.push_back(text); };
        gdi = win::LiveObjects(win::TObjectKind::Gdi);
        user = win::LiveObjects(win::TObjectKind::User);
    }
    void TearDown() override {
        // Every form of a test is gone by now; so is everything it made.
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), gdi);
        EXPECT_EQ(win::LiveObjects(win::TObjectKind::User), user);
    }
};

} // namespace

TEST_F(Forms, TheDeleterDestroysTheWindowWhileTheFormStillHandlesIt) {
    TLifeLog log;
    HWND window = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto form = MakeForm<TSampleForm>(app, log);
        window = form->Handle();
        ASSERT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log.Created, 3);
    EXPECT_EQ(log.Destroyed, 3);
}

TEST_F(Forms, AReleasedFormFreesItselfAfterQueuedMessagesAndClearsItsOpener) {
    TLifeLog log;
    TSampleForm* opened = nullptr;
    (new TSampleForm(app, log))->FreeOnRelease(opened);
    ASSERT_NE(opened, nullptr);
    HWND window = opened->Handle();
    // A message queued before the release is still handled by the form.
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    opened->Release();
    EXPECT_TRUE(IsWindow(window)); // not at once: the form may be in its own handler
    ASSERT_TRUE(PumpUntil([&] { return opened == nullptr; }, 5000));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(log.Destroyed, 1);
}

TEST_F(Forms, ModalResultsComeFromButtonsKeysAndTheCloseBox) {
    TLifeLog log;
    auto form = MakeForm<TSampleForm>(app, log);
    std::vector<std::string> seen;
    app.OnModal = [&](TForm& modal) {
        seen.push_back(IsWindowVisible(modal.Handle()) ? "visible" : "hidden");
        SendMessageW(modal.Control("OK"), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(form->ShowModal(), IDOK);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));

    // Escape in the edit box is the dialog's cancel.
    app.OnModal = [&](TForm& modal) { PostMessageW(modal.Control(idEdit), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(form->ShowModal(), IDCANCEL);
    // Enter presses the default button.
    app.OnModal = [&](TForm& modal) { PostMessageW(modal.Control(idEdit), WM_KEYDOWN, VK_RETURN, 0); };
    EXPECT_EQ(form->ShowModal(), IDOK);
    // The title bar's close box cancels.
    app.OnModal = [&](TForm& modal) { PostMessageW(modal.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(form->ShowModal(), IDCANCEL);
    EXPECT_EQ(seen, std::vector<std::string>{"visible"});
    EXPECT_TRUE(errors.empty());
}

TEST_F(Forms, ControlsFollowTheTableAtTheWindowsDpiAndAfterADpiChange) {
    TLifeLog log;
    auto form = MakeForm<TSampleForm>(app, log);
    const UINT dpi = win::DpiOf(form->Handle());
    const auto at = [](int v, UINT d) { return MulDiv(v, static_cast<int>(d), 120); };
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, at(220, dpi));
    EXPECT_EQ(client.bottom, at(120, dpi));
    RECT ok = PlaceOf(form->Control("OK"));
    EXPECT_EQ(ok.left, at(10, dpi));
    EXPECT_EQ(ok.top, at(80, dpi));
    EXPECT_EQ(ok.right - ok.left, at(90, dpi));
    EXPECT_EQ(FontHeightOf(form->Control(idEdit)), -MulDiv(8, static_cast<int>(dpi), 72));
    wchar_t caption[32] = L"";
    GetWindowTextW(form->Control(idCheck), caption, 32);
    EXPECT_STREQ(caption, L"&Check");

    // Moved to a monitor at 150 %: the suggested rectangle, fonts and
    // controls at 144 dpi, and no font left behind.
    const int fontsBefore = win::LiveObjects(win::TObjectKind::Gdi);
    RECT suggested{40, 30, 40 + at(240, 144), 30 + at(170, 144)};
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.left, suggested.left);
    EXPECT_EQ(window.right - window.left, suggested.right - suggested.left);
    EXPECT_EQ(form->Dpi(), 144u);
    ok = PlaceOf(form->Control("OK"));
    EXPECT_EQ(ok.left, 12);
    EXPECT_EQ(ok.top, 96);
    EXPECT_EQ(ok.right - ok.left, 108);
    EXPECT_EQ(FontHeightOf(form->Control(idEdit)), -16);
    EXPECT_EQ(win::LiveObjects(win::TObjectKind::Gdi), fontsBefore);
    EXPECT_EQ(log.DpiChanges, 1);
}

TEST_F(Forms, HelpOnAControlOpensItsContextAndExceptionsOfAnyKindAreReported) {
    TLifeLog log;
    auto form = MakeForm<TSampleForm>(app, log, true);
    std::vector<std::pair<UINT, ULONG_PTR>> help;
    app.OnHelpCommand = [&](UINT command, ULONG_PTR data) { help.emplace_back(command, data); };
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = form->Control(idEdit);
    SendMessageW(form->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    info.hItemHandle = form->Control(idCheck); // no context of its own: nothing opens
    SendMessageW(form->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].first, UINT(HELP_CONTEXT));
    EXPECT_EQ(help[0].second, ULONG_PTR(4711));

    // A handler that throws something that is no std::exception.
    SendMessageW(form->Handle(), WM_COMMAND, idCheck, 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "An unexpected error occurred.");
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(Forms, AFailedCallCarriesTheSystemsMessage) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        win::ThrowLastError("Cannot open the picture");
        FAIL();
    } catch (const win::EWin32Error& e) {
        EXPECT_EQ(e.Code, DWORD(ERROR_FILE_NOT_FOUND));
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("Cannot open the picture: ", 0), 0u) << text;
        EXPECT_GT(text.size(), std::string("Cannot open the picture: ").size());
    }
    EXPECT_THROW(win::Check(CreateWindowExW(0, L"NoSuchClassAnywhere", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                            nullptr, nullptr),
                            "Cannot create"),
                 win::EWin32Error);
}

TEST_F(Forms, TheInputBoxAnswersWithTheTextOrNothing) {
    app.OnModal = [](TForm& box) {
        SetWindowTextW(box.Control("Edit"), L"List 2");
        SendMessageW(box.Control("OK"), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(TInputBox::Ask(app, "New list", "Name of the list:", "List 1"), std::optional<std::string>("List 2"));
    app.OnModal = [](TForm& box) { SendMessageW(box.Control("Cancel"), BM_CLICK, 0, 0); };
    EXPECT_EQ(TInputBox::Ask(app, "New list", "Name of the list:", "List 1"), std::nullopt);
}

namespace {

class TSamplePage : public TPage {
public:
    TSamplePage(TApplication& app, std::string caption, int& loads, int& saves)
        : TPage(app, std::move(caption),
                {{L"BUTTON", "Switch", idCheck, "&Switch", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 8, 8, 150, 25, 77}}),
          loads_(loads), saves_(saves) {}
    void Load() override { ++loads_; }
    void Save() override { ++saves_; }

private:
    int &loads_, &saves_;
};

class TPagedForm : public TForm {
public:
    TPagedForm(TApplication& app, bool tabs) : TForm(app), tabs_(tabs) {
        TCreateParams p{L"TPagedForm", L"Pages"};
        p.Style = WS_POPUP | WS_CAPTION;
        p.ClientWidth = 400;
        p.ClientHeight = 300;
        CreateHandle(p);
    }
    TPageHost Pages;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE:
            CreateControls({{L"BUTTON", "OK", IDOK, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 300, 260, 90, 30}});
            Pages.Create(*this, 8, 8, 384, 240, tabs_);
            return 0;
        case WM_NOTIFY:
            Pages.Notify(reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        }
        return Default(message, wParam, lParam);
    }
    void FormDpiChanged() override { Pages.Layout(); }

private:
    bool tabs_;
};

} // namespace

TEST_F(Forms, ThePageHostShowsOnePageAtATimeAndLoadsAndSavesThemAll) {
    int loads = 0, saves = 0;
    {
        auto form = MakeForm<TPagedForm>(app, true);
        TPage& first = form->Pages.Add(MakeForm<TSamplePage>(app, "General", loads, saves));
        TPage& second = form->Pages.Add(MakeForm<TSamplePage>(app, "Changer", loads, saves));
        ASSERT_NE(form->Pages.Tabs(), nullptr);
        EXPECT_EQ(SendMessageW(form->Pages.Tabs(), TCM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(form->Pages.ActivePage(), 0);
        EXPECT_TRUE(GetWindowLongW(first.Handle(), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(GetWindowLongW(second.Handle(), GWL_STYLE) & WS_VISIBLE);
        // The page lies inside the tab control's display area.
        RECT page = PlaceOf(first.Handle()), tabs = PlaceOf(form->Pages.Tabs());
        EXPECT_GT(page.top, tabs.top);
        EXPECT_LE(page.bottom, tabs.bottom);

        // Choosing the second tab shows its page.
        SendMessageW(form->Pages.Tabs(), TCM_SETCURSEL, 1, 0);
        NMHDR change{form->Pages.Tabs(), UINT_PTR(TPageHost::kTabsId), UINT(TCN_SELCHANGE)};
        SendMessageW(form->Handle(), WM_NOTIFY, TPageHost::kTabsId, reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(form->Pages.ActivePage(), 1);
        EXPECT_TRUE(GetWindowLongW(second.Handle(), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(GetWindowLongW(first.Handle(), GWL_STYLE) & WS_VISIBLE);

        // A click on a page's control marks that page changed.
        form->Pages.LoadAll();
        EXPECT_EQ(loads, 2);
        EXPECT_FALSE(form->Pages.AnyChanged());
        SendMessageW(second.Control("Switch"), BM_CLICK, 0, 0);
        EXPECT_TRUE(second.Changed());
        EXPECT_FALSE(first.Changed());
        form->Pages.SaveAll();
        EXPECT_EQ(saves, 2);
        EXPECT_FALSE(form->Pages.AnyChanged());

        // Help on a page's control opens that control's context.
        std::vector<ULONG_PTR> help;
        app.OnHelpCommand = [&](UINT, ULONG_PTR data) { help.push_back(data); };
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = second.Control("Switch");
        SendMessageW(second.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(help, std::vector<ULONG_PTR>{77});

        // At 144 dpi the pages' controls follow the dialog.
        RECT suggested{0, 0, 600, 450};
        SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(second.Dpi(), 144u);
        RECT box = PlaceOf(second.Control("Switch"));
        EXPECT_EQ(box.right - box.left, 180);
    }
    // The wizard's form of the host: no tabs, the page fills the area.
    auto wizard = MakeForm<TPagedForm>(app, false);
    TPage& step = wizard->Pages.Add(MakeForm<TSamplePage>(app, "Step 1", loads, saves));
    EXPECT_EQ(wizard->Pages.Tabs(), nullptr);
    const RECT area = PlaceOf(step.Handle());
    EXPECT_EQ(area.left, wizard->Scaled(8));
    EXPECT_EQ(area.right - area.left, wizard->Scaled(384));
}
