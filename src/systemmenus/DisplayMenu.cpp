#include "systemmenus/DisplayMenu.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

namespace {

// The menu's entry height at 96 dpi.
constexpr int kEntryHeight = 22;

// A 96-dpi metric at another dpi, rounded as MulDiv rounds (as the folder
// menus scale theirs, so both kinds of sub-menu break alike).
int ScaleFrom96(int value, int dpi) {
    const int64_t product = int64_t(value) * dpi;
    return static_cast<int>((product >= 0 ? product + 48 : product - 48) / 96);
}

std::optional<std::string> StringValue(reg::IKey* key, const char* name) {
    if (!key) return std::nullopt;
    reg::Value value;
    if (!key->QueryValue(name, value) || !reg::IsStringType(value.Type)) return std::nullopt;
    return reg::StringOf(value);
}

} // namespace

std::string DisplayModeCaption(const TDisplayMode& mode) {
    return std::to_string(mode.Width) + "x" + std::to_string(mode.Height) + "  " + std::to_string(mode.BitsPerPixel) +
           " Bits";
}

std::string CurrentDisplayModeText(IDisplayModes& modes, reg::IRegistry& registry) {
    const std::unique_ptr<reg::IKey> key = registry.Open(reg::Root::CurrentConfig, "Display\\Settings", false);
    std::optional<std::string> resolution = StringValue(key.get(), "Resolution");
    std::optional<std::string> bits = StringValue(key.get(), "BitsPerPixel");
    if (!resolution || !bits) {
        const std::optional<TDisplayMode> current = modes.Current();
        if (!current) return {};
        if (!resolution) resolution = std::to_string(current->Width) + "," + std::to_string(current->Height);
        if (!bits) bits = std::to_string(current->BitsPerPixel);
    }
    const size_t comma = resolution->find(',');
    if (comma != std::string::npos) resolution->replace(comma, 1, "x");
    return *resolution + "  " + *bits + " Bits";
}

void FillDisplayMenu(TMenuItem& display, IDisplayModes& modes, reg::IRegistry& registry, int screenHeight, int dpi,
                     const std::function<void(TMenuItem&)>& entryClick) {
    const std::string current = CurrentDisplayModeText(modes, registry);
    const int column = std::max(1, screenHeight / std::max(1, ScaleFrom96(kEntryHeight, dpi)));
    int nextBreak = column;
    for (int index = 0;; ++index) {
        const std::optional<TDisplayMode> mode = modes.Mode(index);
        if (!mode) break;
        if (!modes.Test(index)) continue;
        const bool newColumn = display.Count() >= nextBreak;
        TMenuItem& entry = display.Add(DisplayModeCaption(*mode));
        entry.Checked = entry.Caption == current;
        if (newColumn) {
            entry.Break = TMenuBreak::Bar;
            nextBreak += column;
        }
        entry.Tag = -index;
        entry.OnClick = entryClick;
    }
    if (display.Count() > 1 && display.Item(0).IsPlaceholder()) display.Delete(0);
}

void SwitchDisplayMode(const TMenuItem& entry, IDisplayModes& modes, const std::function<void()>& restartTimer2) {
    const int index = -entry.Tag;
    if (modes.Mode(index)) modes.Change(index);
    if (restartTimer2) restartTimer2();
}

void DisplayMenuClick(TMenuItem& entry, const TDisplayMenuContext& context) {
    if (entry.Count() == 0) {
        SwitchDisplayMode(entry, context.Modes, context.RestartTimer2);
        return;
    }
    if (!entry.Item(0).IsPlaceholder()) return;
    const int height = context.ScreenHeight ? context.ScreenHeight() : 0;
    const int dpi = context.Dpi ? context.Dpi() : 96;
    FillDisplayMenu(entry, context.Modes, context.Registry, height, dpi, DisplayMenuHandler(context));
    entry.Rebuild();
}

std::function<void(TMenuItem&)> DisplayMenuHandler(TDisplayMenuContext context) {
    return [context](TMenuItem& entry) { DisplayMenuClick(entry, context); };
}
