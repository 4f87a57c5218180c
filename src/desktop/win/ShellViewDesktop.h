#pragma once
// The desktop's shell view (IFolderView2), reached through the shell windows
// object, and the desktop route that takes it where it exists and the list
// view of DesktopListView.h otherwise.
#include "desktop/ShellViewDesktop.h"
#include "desktop/win/DesktopListView.h"
#include "platform/win32/ComPtr.h"

#include <exdisp.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <functional>
#include <memory>

// The way from the shell windows object to the desktop's folder view:
// FindWindowSW(SWC_DESKTOP) → IServiceProvider → the top-level browser →
// its active shell view → IFolderView2. Every step may be missing (Windows
// before Vista, a shell without a desktop, Explorer restarting), so each
// returns null rather than throwing.
//
// A view is only taken when its window is the one that holds the desktop's
// list view: Wine's shell windows answer for the desktop with a view that
// is never shown, and moving its items would move nothing the user sees.
class TDesktopShellView {
public:
    // Over the system's shell windows object and the list view that
    // FindDesktopListViewWindow finds; COM must be initialised on the
    // calling thread.
    static win::ComPtr<IFolderView2> Find();
    // The view whose window is viewWindow, from these shell windows.
    static win::ComPtr<IFolderView2> FindIn(IShellWindows& windows, HWND viewWindow);
};

// IDesktopFolderView over a folder view, in our process or the shell's.
class TWinFolderView : public IDesktopFolderView {
public:
    explicit TWinFolderView(win::ComPtr<IFolderView2> view);
    int ItemCount() override;
    std::string ItemName(int index) override;
    bool ItemPosition(int index, TIconData& position) override;
    void PositionItem(int index, TIconData position) override;
    uint32_t FolderFlags() override;
    void SetFolderFlags(uint32_t mask, uint32_t flags) override;

private:
    // The item's identifier, or empty when the view has no such item.
    win::ItemIdList Item(int index);

    win::ComPtr<IFolderView2> view_;
    win::ComPtr<IShellFolder> folder_;
};

// The desktop of the program: the shell view when it can be reached at the
// moment the desktop is looked for, the list view otherwise. Both routes
// read and write the same saved positions.
class TDesktopRoute : public IDesktop {
public:
    using TShellViewSource = std::function<win::ComPtr<IFolderView2>()>;

    // The system's shell view and list view.
    TDesktopRoute();
    // For tests: where the shell view comes from and the desktop to fall
    // back to (kept by reference).
    TDesktopRoute(TShellViewSource shellView, IDesktop& listView);

    std::unique_ptr<IDesktopListView> FindDesktopListView() override;

private:
    TShellViewSource shellView_;
    TWinDesktop systemListView_;
    IDesktop& listView_;
};
