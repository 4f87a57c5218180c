#include "desktop/IconArrangement.h"

#include "app/Settings.h"

namespace {

struct TStoredChoice {
    const settings::TBoolOption& Option;
    TIconArrangement Arrangement;
};

// In the order in which they are tested.
constexpr TStoredChoice kStoredChoices[] = {
    {settings::kIconsLeft, TIconArrangement::Left},     {settings::kIconsTop, TIconArrangement::Top},
    {settings::kIconsRight, TIconArrangement::Right},   {settings::kIconsBottom, TIconArrangement::Bottom},
    {settings::kIconsSpiral, TIconArrangement::Spiral}, {settings::kIconsCustom, TIconArrangement::Custom},
    {settings::kIconsNo, TIconArrangement::Hide},
};

} // namespace

std::optional<TIconArrangement> ReadIconArrangement(reg::IRegistry& registry) {
    const settings::TSettings store(registry);
    for (const auto& choice : kStoredChoices)
        if (store.Read(choice.Option)) return choice.Arrangement;
    return std::nullopt;
}

bool ReadRestoreIcons(reg::IRegistry& registry) {
    return settings::TSettings(registry).Read(settings::kRestoreIcons);
}

bool ReadNoIconsWarning(reg::IRegistry& registry) {
    return settings::TSettings(registry).Read(settings::kNoIconsWarning);
}

void WriteNoIconsWarning(reg::IRegistry& registry, bool noWarning) {
    settings::TSettings(registry).Write(settings::kNoIconsWarning, noWarning);
}

bool RunIconArrangement(TDesktopIcons& icons, TIconArrangement arrangement) {
    switch (arrangement) {
    case TIconArrangement::Left:
        return icons.ArrangeIcons(TArrangeKind::Left);
    case TIconArrangement::Top:
        return icons.ArrangeIcons(TArrangeKind::Top);
    case TIconArrangement::Right:
        return icons.ArrangeIcons(TArrangeKind::Right);
    case TIconArrangement::Bottom:
        return icons.ArrangeIcons(TArrangeKind::Bottom);
    case TIconArrangement::Spiral:
        return icons.ArrangeIcons(TArrangeKind::Spiral);
    case TIconArrangement::Custom:
        return icons.PlaceIcons();
    case TIconArrangement::Hide:
        return icons.ArrangeIcons(TArrangeKind::Hide);
    }
    return false;
}

bool ApplyStoredIconArrangement(reg::IRegistry& registry, TDesktopIcons& icons) {
    const auto choice = ReadIconArrangement(registry);
    return choice && RunIconArrangement(icons, *choice);
}
