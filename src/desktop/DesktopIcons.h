#pragma once
// The desktop icon component: reads the label and position of every icon of
// the shell's desktop list view, saves them as the user's custom arrangement,
// moves the icons back to saved positions and lays them out in the fixed
// arrangements.
#include "desktop/IconData.h"
#include "platform/DesktopMetrics.h"
#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The shell's desktop list view, which lives in another process. Every call
// runs to completion in the shell before it returns. Failures to reach the
// shell's process are thrown as EMuraltoError.
class IDesktopListView {
public:
    virtual ~IDesktopListView() = default;
    virtual int ItemCount() = 0;
    // The item's label (at most 254 characters); empty when the item no
    // longer exists.
    virtual std::string ItemText(int index) = 0;
    // False (and the position untouched) when the list view gives none.
    virtual bool ItemPosition(int index, TIconData& position) = 0;
    // The first item with this label, compared without regard to case; -1
    // when there is none.
    virtual int FindItem(const std::string& label) = 0;
    // packed is PackItemPosition's parameter.
    virtual void SetItemPosition(int index, uint32_t packed) = 0;
};

// Finds the shell's desktop list view; null when no shell offers one.
class IDesktop {
public:
    virtual ~IDesktop() = default;
    virtual std::unique_ptr<IDesktopListView> FindDesktopListView() = 0;
};

class TDesktopIcons {
public:
    // One desktop icon: its label and its position.
    struct TIconEntry {
        std::string Label;
        TIconData Data;
    };

    // metrics: null lays the grid out from the default metrics.
    TDesktopIcons(reg::IRegistry& registry, IDesktop& desktop, IDesktopMetrics* metrics = nullptr);
    TDesktopIcons(const TDesktopIcons&) = delete;
    TDesktopIcons& operator=(const TDesktopIcons&) = delete;

    // The key under HKEY_CURRENT_USER where positions are saved; empty:
    // nothing is read from or written to the registry.
    std::string RegistryKey;
    // The desktop's icons in the list view's item order.
    std::vector<TIconEntry> IconList;
    // The entries already hold the wanted positions, so PlaceIcons must not
    // read the desktop again. Only ArrangeIcons sets it, for its last step.
    bool Positioned = false;

    // Each returns false when there is no desktop list view (and then
    // changes nothing), true when the operation ran.

    // Reads every icon into IconList and, when RegistryKey is set and the
    // desktop has icons, replaces the saved positions with them.
    bool ReadIcons();
    // Moves every icon that has a saved position back to it.
    bool PlaceIcons();
    // Lays all icons out in the arrangement; the saved positions are not
    // touched.
    bool ArrangeIcons(TArrangeKind kind);

private:
    void SavePositions();

    reg::IRegistry& registry_;
    IDesktop& desktop_;
    IDesktopMetrics* metrics_;
};
