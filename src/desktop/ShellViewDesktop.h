#pragma once
// The desktop icons through the desktop's shell view rather than its list
// view. Windows 10 version 1809 and later forget positions that another
// program sets with list-view messages at the next refresh; positions set
// through the shell view stay. The shell view is reached by the Windows
// layer; what it offers is put in the terms of IDesktopListView here, so
// TDesktopIcons, the layouts and the saved positions work over either route
// unchanged.
#include "desktop/DesktopIcons.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The folder flags of the view that placing touches (FWF_* of the shell).
namespace viewflags {
constexpr uint32_t AutoArrange = 0x0001; // FWF_AUTOARRANGE
constexpr uint32_t SnapToGrid = 0x0004;  // FWF_SNAPTOGRID
constexpr uint32_t NoIcons = 0x1000;     // FWF_NOICONS
// The flags that would move icons away from where they are put.
constexpr uint32_t Moving = AutoArrange | SnapToGrid;
} // namespace viewflags

// The desktop's shell view, item by item. Positions are in the view's own
// coordinates, which are the client coordinates of the list view inside it:
// the same numbers LVM_GETITEMPOSITION reports, so saved positions mean the
// same point on both routes. Failures to reach the shell are EMuraltoError.
class IDesktopFolderView {
public:
    virtual ~IDesktopFolderView() = default;
    virtual int ItemCount() = 0;
    // The label the desktop shows for the item; empty when it no longer exists.
    virtual std::string ItemName(int index) = 0;
    // False (and the position untouched) when the view gives none.
    virtual bool ItemPosition(int index, TIconData& position) = 0;
    virtual void PositionItem(int index, TIconData position) = 0;
    virtual uint32_t FolderFlags() = 0;
    // Sets the flags in mask to their values in flags; the others stay.
    virtual void SetFolderFlags(uint32_t mask, uint32_t flags) = 0;
};

// The point a packed LVM_SETITEMPOSITION parameter puts an icon at on the
// list-view route. The shell view takes full 32-bit points, but it is given
// the same point, so both routes place every layout and every saved position
// identically.
TIconData ShellViewPoint(uint32_t packed);

// The list-view route hides icons by moving them to kHiddenIconPosition; the
// shell view may pull such icons back onto the screen, so there hiding is the
// view's "no icons" flag instead and the icons keep their places.
bool IsHidingPosition(TIconData position);

// IDesktopListView over the shell view, for one operation of TDesktopIcons.
// Before the first icon is placed it switches off the view's automatic
// arrangement and grid snapping (either would move the icons again at once)
// and puts the user's choice of both back when it goes.
class TShellViewListView : public IDesktopListView {
public:
    explicit TShellViewListView(std::unique_ptr<IDesktopFolderView> view);
    ~TShellViewListView() override;
    TShellViewListView(const TShellViewListView&) = delete;
    TShellViewListView& operator=(const TShellViewListView&) = delete;

    int ItemCount() override;
    std::string ItemText(int index) override;
    bool ItemPosition(int index, TIconData& position) override;
    int FindItem(const std::string& label) override;
    // An icon sent to the hiding position hides the desktop's icons (unless
    // another icon of the same operation was placed visibly); any other
    // position shows them again and moves the icon.
    void SetItemPosition(int index, uint32_t packed) override;

private:
    void BeginPlacing();

    std::unique_ptr<IDesktopFolderView> view_;
    // The labels in item order, read once per operation: PlaceIcons looks up
    // every icon, and asking the shell for every name each time is slow.
    std::optional<std::vector<std::string>> names_;
    // The user's automatic arrangement and snapping, while they are off.
    std::optional<uint32_t> userFlags_;
    bool placedVisibly_ = false;
    bool hidden_ = false;
};
