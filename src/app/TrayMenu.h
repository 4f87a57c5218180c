#pragma once
// The tray menu as a model: its fixed tree, the folder-menu builders and
// reopen lists behind its generated sub-menus, the rebuild that runs each
// time it opens, and the commands its generated entries carry. What needs
// a window or the shell (the foreground, running a file, an image window,
// Explorer, the desktop's items, the display and screen saver settings)
// comes in through hooks, so the host tests run all of it. The main form
// turns the model into native menus and connects the hooks.
#include "engine/MRUList.h"
#include "engine/Wallpaper.h"
#include "platform/Platform.h"
#include "shellmenus/BetterMenu.h"
#include "shellmenus/MenuModel.h"
#include "systemmenus/ScreenSaverMenu.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct TTrayMenuHooks {
    // Step one of every rebuild: the menu closes when the user clicks elsewhere.
    std::function<void()> BringToForeground;
    // Bit 0 is drive A:, bit 25 drive Z:.
    std::function<uint32_t()> LogicalDrives;
    // Runs the file's default shell command in its folder; true when it ran.
    std::function<bool(const std::string& path)> RunDefaultCommand;
    // An image window for the picture, reused unless "MultipleWindows".
    std::function<void(const std::string& path)> OpenImage;
    // An Explorer window on the folder.
    std::function<void(const std::string& folder)> Explore;
    // The Desktop sub-menu's items, filled when it opens after its two entries.
    std::function<void(TMenuItem& desktop)> FillDesktop;
    // The desktop refresh after a display mode switch.
    std::function<void()> RestartTimer2;
    // The missing-file box (no owner).
    std::function<void(const std::string& text)> ErrorBox;
};

class TTrayMenu {
public:
    TTrayMenu(TPlatform& platform, TWallpaper& engine, TCommandIds& ids, ITextMeasurer& measurer, ISystemIcons& icons,
              TTrayMenuHooks hooks, std::string programKey = regnames::kProgramKey);
    TTrayMenu(const TTrayMenu&) = delete;
    TTrayMenu& operator=(const TTrayMenu&) = delete;

    TMenuItem PopupMenu1;
    TMenuItem& Entry(const char* name) { return *PopupMenu1.FindByName(name); }

    // The builders of the generated sub-menus.
    TBetterMenu FileBuilder, ImageBuilder, SelectBuilder, RecentBuilder, ListsDeleteBuilder, ListsBuilder;
    // The reopen lists of Open File and Open Image.
    TMRUManager MRUFile, MRUImage;
    // The Screen Saver sub-menu's commands; null where the platform has no
    // screen saver settings (its entries then do nothing).
    std::unique_ptr<TScreenSaverMenu> ScreenSaverMenu;

    // Everything that changes before the menu opens, in order.
    void PopupMenu1Popup();
    // The DPI the menu opens at (its metrics scale with it).
    void SetDpi(int dpi);

    // The commands of generated entries.
    void OpenFileCommand(const std::string& path);
    void OpenImageCommand(const std::string& path);
    void ApplyListEntry(const std::string& path);
    void ListsNewClick();
    void DeleteListClick(const std::string& name);

    // The folder to show in Explorer for a right click on the entry of this
    // command in an open menu, or none.
    std::optional<std::string> RightButtonFolder(uint16_t command);

private:
    void CreateTree();
    void WireBuilders();
    void WireSystemMenus();
    void AddDrives();
    void ReopenOpening(TMenuItem& reopen, TMRUManager& list, bool file);
    bool MissingFile(const std::string& path);
    std::string ListsKey() const;

    TPlatform& platform_;
    TWallpaper& engine_;
    ISystemIcons& icons_;
    TTrayMenuHooks hooks_;
    std::string programKey_;
    int dpi_ = 96;
};
