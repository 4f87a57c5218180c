// Native owner-drawn menus from the menu model under Wine: what the owner
// window answers while a real menu is open (measure and draw, the
// highlighted entry, F1, the right button), the access-key rule, drawing of
// placeholders and images, and lazy filling when a sub-menu opens.
#include "platform/host/HostServices.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinServices.h"
#include "shellmenus/BetterMenu.h"
#include "shellmenus/win/MenuHost.h"
#include "shellmenus/win/SystemImageList.h"
#include "win/MenuScript.h"
#include "win/TestProcess.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A form that lends its font and DPI to the menus, as the main form does.
class TFontForm : public TForm {
public:
    explicit TFontForm(TApplication& app) : TForm(app) {
        TCreateParams p{L"TMenuFontForm", L"Menus"};
        p.Style = WS_POPUP;
        p.ClientWidth = 100;
        p.ClientHeight = 40;
        CreateHandle(p);
    }
    std::vector<MSG> Posted;
    TMenuHost* Menus = nullptr;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            CreateControls({{L"STATIC", "Label", -1, "x", SS_LEFT, 0, 0, 0, 50, 20}});
            return 0;
        }
        // As the main form does: the menu owner's drawing messages are
        // offered to the program's menus.
        LRESULT result = 0;
        if ((message == WM_MEASUREITEM || message == WM_DRAWITEM || message == WM_MENUCHAR) && Menus &&
            Menus->Offer(message, wParam, lParam, result))
            return result;
        if (message == TMenuHost::kRightButtonMessage) {
            Posted.push_back(MSG{Handle(), message, wParam, lParam, 0, {}});
            return 0;
        }
        return Default(message, wParam, lParam);
    }
};

class MenuHostTest : public ::testing::Test {
protected:
    TApplication app{GetModuleHandleW(nullptr)};
    TFormPtr<TFontForm> font = MakeForm<TFontForm>(app);
    TCommandIds ids;
    TMenuItem root{ids};
    std::unique_ptr<TMenuHost> host = std::make_unique<TMenuHost>(*font, font->Handle());
    std::vector<std::string> clicked;
    std::vector<ULONG_PTR> help;

    void SetUp() override {
        font->Menus = host.get();
        app.OnHelpCommand = [this](UINT, ULONG_PTR context) { help.push_back(context); };
        const TMenuSpec table[] = {
            {"&About", "About1", 0, 77, 2},
            {"&Screen Saver", "ScreenSaver", 0, 90, 11},
            {"&Active", "ScrActive", 0, 91, 0, 1},
            {"-", "N1"},
            {"S&ettings", "Settings", 0, 92, 4, 0, menuspec::Disabled},
            {"&Close", "Exit", 0, 128, 5},
        };
        AddMenuItems(root, table);
        for (const char* name : {"About1", "ScrActive", "Settings", "Exit"})
            root.FindByName(name)->OnClick = [this](TMenuItem& item) { clicked.push_back(item.Name); };
        host->Register(root);
    }
    MEASUREITEMSTRUCT Measure(const TMenuItem& item) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = item.Command();
        LRESULT result = 0;
        EXPECT_TRUE(host->Offer(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), result));
        return measure;
    }
    LRESULT MenuChar(const TMenuItem& menu, wchar_t ch, bool* claimed = nullptr) {
        LRESULT result = -1;
        const bool mine = host->Offer(WM_MENUCHAR, MAKEWPARAM(ch, MF_POPUP),
                                      static_cast<LPARAM>(menu.NativeHandle), result);
        if (claimed) *claimed = mine;
        return result;
    }
};

// The colour at a point of a drawn entry.
struct TDrawn {
    win::UniqueDC dc;
    win::UniqueBitmap bitmap;
    COLORREF At(int x, int y) const { return GetPixel(dc.Get(), x, y); }
};

} // namespace

TEST_F(MenuHostTest, MeasuresEntriesAndSeparatorsAndClaimsOnlyItsOwnCommands) {
    const TMenuItem& about = *root.FindByName("About1");
    const MEASUREITEMSTRUCT entry = Measure(about);
    EXPECT_EQ(entry.itemHeight, 22u);
    EXPECT_EQ(static_cast<int>(entry.itemWidth), host->Measurer().TextWidth("&About") + 30);
    EXPECT_GT(host->Measurer().TextWidth("&About"), host->Measurer().TextWidth("&Ab"));
    EXPECT_EQ(Measure(*root.FindByName("N1")).itemHeight, 10u);

    // A second menu claims its own entries; a command of no menu is left alone.
    TMenuItem other{ids};
    TMenuItem& lonely = other.Add("&Lonely");
    host->Register(other);
    EXPECT_EQ(Measure(lonely).itemHeight, 22u);
    MEASUREITEMSTRUCT unknown{};
    unknown.CtlType = ODT_MENU;
    unknown.itemID = 0xFFF0;
    LRESULT result = 0;
    EXPECT_FALSE(host->Offer(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&unknown), result));
    host->Unregister(other);
    EXPECT_FALSE(host->Offer(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&unknown), result));
}

TEST_F(MenuHostTest, AccessKeysChooseTheFirstEnabledEntryOnly) {
    // Wine's menu loop matches "&x" in the item texts itself before it asks,
    // so the rule is checked on the message directly.
    bool claimed = false;
    EXPECT_EQ(MenuChar(root, L's', &claimed), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_TRUE(claimed);
    EXPECT_EQ(MenuChar(root, L'S'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(MenuChar(root, L'e'), MAKELRESULT(0, MNC_IGNORE)); // only the disabled "S&ettings" has it
    EXPECT_EQ(MenuChar(root, L'!'), MAKELRESULT(0, MNC_IGNORE));
    EXPECT_EQ(MenuChar(*root.FindByName("ScreenSaver"), L'a'), MAKELRESULT(0, MNC_EXECUTE));
    LRESULT result = 0;
    EXPECT_FALSE(host->Offer(WM_MENUCHAR, L's', reinterpret_cast<LPARAM>(CreatePopupMenu()), result));
}

TEST_F(MenuHostTest, ARealMenuIsMeasuredDrawnAndChosenFrom) {
    std::vector<RECT> items;
    TMenuScript script({[&] {
                            HMENU menu = reinterpret_cast<HMENU>(root.NativeHandle);
                            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                                RECT r{};
                                GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r);
                                items.push_back(r);
                            }
                        },
                        [] { Key(VK_DOWN); }, [] { Key(VK_RETURN); }});
    const uint16_t chosen = host->Popup(root, POINT{100, 100});
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].bottom - items[0].top, 22);
    EXPECT_EQ(items[2].bottom - items[2].top, 10);
    EXPECT_EQ(chosen, root.FindByName("About1")->Command());
    EXPECT_EQ(clicked, std::vector<std::string>{"About1"});
}

TEST_F(MenuHostTest, ASecondPopupWhileAMenuIsOpenShowsNothing) {
    // As a second click on the tray icon arrives inside the open menu's loop.
    uint16_t nested = 1;
    bool stillOpen = false;
    TMenuScript script({[&] {
        nested = host->Popup(root, POINT{300, 300});
        stillOpen = OpenMenuWindow() != nullptr;
    }});
    host->Popup(root, POINT{100, 100});
    EXPECT_EQ(nested, 0);
    EXPECT_TRUE(stillOpen);
    // Closed, it opens again as before.
    TMenuScript again({[] { Key(VK_DOWN); }, [] { Key(VK_RETURN); }});
    EXPECT_EQ(host->Popup(root, POINT{100, 100}), root.FindByName("About1")->Command());
    // The entries keep their captions as item texts, for screen readers.
    wchar_t text[64] = L"";
    GetMenuStringW(reinterpret_cast<HMENU>(root.NativeHandle), 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Screen Saver");
}

TEST_F(MenuHostTest, F1AsksForTheHighlightedEntrysHelpAndTheRightButtonRunsNothing) {
    TMenuScript script({[] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_F1); }});
    host->Popup(root, POINT{100, 100});
    EXPECT_EQ(help, std::vector<ULONG_PTR>{90}); // "&Screen Saver", a sub-menu entry
    EXPECT_TRUE(clicked.empty());

    TMenuScript right({[] { Key(VK_DOWN); },
                       [] { PostMessageW(OpenMenuWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10)); },
                       [] { PostMessageW(OpenMenuWindow(), WM_RBUTTONUP, 0, MAKELPARAM(20, 10)); }});
    const uint16_t chosen = host->Popup(root, POINT{100, 100});
    EXPECT_EQ(chosen, 0);
    EXPECT_TRUE(clicked.empty());
    PumpUntil([&] { return !font->Posted.empty(); }, 2000);
    ASSERT_EQ(font->Posted.size(), 1u);
    EXPECT_EQ(font->Posted[0].wParam, root.FindByName("About1")->Command());
}

TEST_F(MenuHostTest, ASubMenuIsFilledWhenItOpens) {
    TMenuItem& folder = root.Insert(0, "&Folder");
    folder.AddPlaceholder();
    int opened = 0;
    folder.OnPopup = [&](TMenuItem& item) {
        ++opened;
        item.Clear();
        for (const char* name : {"One", "Two", "Three"}) item.Add(name);
    };
    host->Rebuild(root);
    ASSERT_NE(folder.NativeHandle, 0u);
    EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(folder.NativeHandle)), 1);
    int shown = -1;
    TMenuScript script({[] { Key(VK_DOWN); }, [] { Key(VK_RIGHT); },
                        [&] { shown = GetMenuItemCount(reinterpret_cast<HMENU>(folder.NativeHandle)); }});
    host->Popup(root, POINT{100, 100});
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(shown, 3);
}

TEST_F(MenuHostTest, AFolderSubMenuListsTheFolderWhenItOpens) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"muralto-menu-folder";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\Sub").c_str(), nullptr);
    for (const wchar_t* name : {L"b.jpg", L"A.JPG", L"notes.txt"})
        win::UniqueFileHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          0, nullptr));
    WinFileSystem files;
    WinSystemFolders folders;
    WinScreen screen;
    WinSystemIcons icons;
    TBetterMenu builder(files, folders, screen, host->Measurer(), icons);
    TMenuItem& entry = root.Insert(0, "&Pictures");
    entry.AddPlaceholder();
    builder.RootFolders = {win::Utf8(folder)};
    builder.ExtensionFilter = {"jpg"};
    builder.RootEntry = &entry;
    std::vector<std::string> selected;
    builder.OnSelect = [&](TBetterMenu&, const std::string& path) { selected.push_back(path); };
    entry.OnClick = builder.ClickHandler();
    host->Rebuild(root);

    std::vector<std::wstring> shown;
    TMenuScript script({[] { Key(VK_DOWN); }, [] { Key(VK_RIGHT); },
                        [&] {
                            HMENU menu = reinterpret_cast<HMENU>(entry.NativeHandle);
                            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                                wchar_t text[64] = L"";
                                GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
                                shown.push_back(text);
                            }
                        },
                        [] { Key(VK_DOWN); }, [] { Key(VK_RETURN); }});
    host->Popup(root, POINT{100, 100});
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Sub", L"A.JPG", L"b.jpg"}));
    EXPECT_EQ(selected, std::vector<std::string>{"A.JPG"});
    for (const wchar_t* name : {L"b.jpg", L"A.JPG", L"notes.txt"}) DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW((folder + L"\\Sub").c_str());
    RemoveDirectoryW(folder.c_str());
}

namespace {

TDrawn DrawEntry(TMenuHost& host, const TMenuItem& item, UINT state, int width = 200) {
    TDrawn drawn;
    win::WindowDC screen(nullptr);
    drawn.dc.Reset(CreateCompatibleDC(screen.Get()));
    drawn.bitmap.Reset(CreateCompatibleBitmap(screen.Get(), width, 22));
    SelectObject(drawn.dc.Get(), drawn.bitmap.Get());
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.Command();
    draw.itemState = state;
    draw.hDC = drawn.dc.Get();
    draw.rcItem = RECT{0, 0, width, 22};
    LRESULT result = 0;
    EXPECT_TRUE(host.Offer(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), result));
    return drawn;
}

// Any pixel of the icon square that is not the menu's background.
bool IconDrawn(const TDrawn& drawn) {
    for (int y = 3; y < 19; ++y)
        for (int x = 3; x < 19; ++x)
            if (drawn.At(x, y) != GetSysColor(COLOR_MENU)) return true;
    return false;
}

} // namespace

TEST_F(MenuHostTest, PlaceholdersDrawWithoutIconAndImagesByTheirRules) {
    TMenuItem& placeholder = root.FindByName("ScreenSaver")->AddPlaceholder();
    const TDrawn quiet = DrawEntry(*host, placeholder, ODS_DISABLED | ODS_GRAYED);
    EXPECT_FALSE(IconDrawn(quiet));
    // Selected, it is framed from its left edge (it has no image) and not
    // filled, so its grey text stays readable.
    const TDrawn lit = DrawEntry(*host, placeholder, ODS_SELECTED | ODS_DISABLED | ODS_GRAYED);
    EXPECT_EQ(lit.At(0, 10), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(lit.At(2, 10), GetSysColor(COLOR_MENU));
    bool grey = false;
    for (int x = 24; x < 80; ++x)
        for (int y = 3; y < 19; ++y) grey |= lit.At(x, y) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_TRUE(grey);

    const TMenuItem& about = *root.FindByName("About1");
    const TDrawn image = DrawEntry(*host, about, 0);
    EXPECT_TRUE(IconDrawn(image));
    const TDrawn selected = DrawEntry(*host, about, ODS_SELECTED);
    EXPECT_NE(selected.At(1, 20), GetSysColor(COLOR_HIGHLIGHT)); // the icon column stays unlit
    EXPECT_EQ(selected.At(30, 20), GetSysColor(COLOR_HIGHLIGHT));
    // Disabled images are embossed: only the two bevel colours appear.
    const TDrawn embossed = DrawEntry(*host, *root.FindByName("Settings"), ODS_DISABLED | ODS_GRAYED);
    bool onlyBevel = true, any = false;
    for (int y = 3; y < 20; ++y)
        for (int x = 3; x < 20; ++x) {
            const COLORREF c = embossed.At(x, y);
            if (c == GetSysColor(COLOR_MENU)) continue;
            any = true;
            onlyBevel = onlyBevel && (c == GetSysColor(COLOR_BTNHIGHLIGHT) || c == GetSysColor(COLOR_BTNSHADOW));
        }
    EXPECT_TRUE(any);
    EXPECT_TRUE(onlyBevel);

    // A drive whose system icon is empty shows the program's drive images.
    TMenuItem& drive = root.Add("C:");
    drive.SystemImage = true;
    drive.ImageIndex = -1;
    EXPECT_TRUE(IconDrawn(DrawEntry(*host, drive, 0)));
}
