#include "shellmenus/DesktopMenu.h"

#include "platform/Text.h"

#include <algorithm>

void FillDesktopMenu(TMenuItem& menu, std::vector<TDesktopEntry> items, int fixedCount, int columnHeight,
                     const std::function<void(TMenuItem&)>& onClick) {
    if (menu.Count() != fixedCount) return;
    std::stable_sort(items.begin(), items.end(), [](const TDesktopEntry& a, const TDesktopEntry& b) {
        return text::CompareText(a.Caption, b.Caption) < 0;
    });
    for (const TDesktopEntry& item : items) {
        TMenuItem& entry = menu.Add(item.Caption);
        entry.Tag = item.Position;
        entry.SystemImage = true;
        entry.ImageIndex = item.IconIndex;
        entry.OnClick = onClick;
        const int position = menu.Count() - 1;
        if (columnHeight > 0 && position > 0 && position % columnHeight == 0) entry.Break = TMenuBreak::Bar;
    }
    menu.Rebuild();
}
