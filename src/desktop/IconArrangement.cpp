#include "desktop/IconArrangement.h"

#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "platform/Errors.h"

namespace {

// These switches are read from timers and system broadcasts, with nobody
// to answer an error box: a value of the wrong type counts as off.
bool ReadSwitch(reg::IRegistry& registry, const char* section, const char* name) {
    try {
        TRegIniFiles settings(registry, regnames::kProgramKey);
        return settings.ReadBool(section, name, false);
    } catch (const ERegistryException&) {
        return false;
    }
}

struct TStoredChoice {
    const char* Value;
    TIconArrangement Arrangement;
};

// In the order in which they are tested.
constexpr TStoredChoice kStoredChoices[] = {
    {regnames::kIconsLeft, TIconArrangement::Left},     {regnames::kIconsTop, TIconArrangement::Top},
    {regnames::kIconsRight, TIconArrangement::Right},   {regnames::kIconsBottom, TIconArrangement::Bottom},
    {regnames::kIconsSpiral, TIconArrangement::Spiral}, {regnames::kIconsCustom, TIconArrangement::Custom},
    {regnames::kIconsNo, TIconArrangement::Hide},
};

} // namespace

std::optional<TIconArrangement> ReadIconArrangement(reg::IRegistry& registry) {
    for (const auto& choice : kStoredChoices)
        if (ReadSwitch(registry, regnames::kOptionsDesktop, choice.Value)) return choice.Arrangement;
    return std::nullopt;
}

bool ReadRestoreIcons(reg::IRegistry& registry) {
    return ReadSwitch(registry, regnames::kOptionsDesktop, regnames::kRestoreIcons);
}

bool ReadNoIconsWarning(reg::IRegistry& registry) {
    return ReadSwitch(registry, regnames::kOptions, regnames::kNoIconsWarning);
}

void WriteNoIconsWarning(reg::IRegistry& registry, bool noWarning) {
    TRegIniFiles settings(registry, regnames::kProgramKey);
    settings.WriteBool(regnames::kOptions, regnames::kNoIconsWarning, noWarning);
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
