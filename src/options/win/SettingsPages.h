#pragma once
// The pages of the properties dialog that hold plain settings: "Changer"
// (when and in which order the wallpaper changes), "Desktop" (the icon
// arrangement at start-up) and "General". Each shows its part of the
// dialog's values and reads it back; its enabling rule is its own.
#include "options/OptionsModel.h"
#include "options/win/OptionsPage.h"

class TChangerPage : public TOptionsPage {
public:
    enum TControlId : int {
        idChangeOnStartup = 101,
        idActive,
        idOrder,
        idRandom,
        idDown,
        idUp,
        idPanel,
        idLabel1,
        idTime,
        idTimeSpin,
        idDays,
        idHours,
        idMinutes,
    };
    static constexpr int32_t kTimeLow = 1, kTimeHigh = 525600;

    explicit TChangerPage(TApplication& application);
    // After the page's window exists: the spin edit's range and default.
    void Setup();

    void Show(const TOptionsValues& values);
    void Read(TOptionsValues& values) const;
    // The order run while the wallpaper changes at all (on start-up or
    // after a period), the period's controls only while it changes after
    // a period.
    void ApplyEnabling();
};

class TDesktopPage : public TOptionsPage {
public:
    enum TControlId : int {
        idRestore = 121,
        idAlignment,
        idAlignLeft,
        idAlignRight,
        idAlignTop,
        idAlignBottom,
        idAlignSpiral,
        idAlignCustom,
        idAlignNoIcons,
    };

    explicit TDesktopPage(TApplication& application);
    void Setup();

    void Show(const TOptionsValues& values);
    void Read(TOptionsValues& values) const;
    // The arrangement buttons only while icons are aligned at all.
    void ApplyEnabling();
};

class TGeneralPage : public TOptionsPage {
public:
    enum TControlId : int {
        idFullScreen = 141,
        idMultiple,
        idAdjustWallpaper,
        idChangeLogos,
        idCorrectLogos,
        idKeepAlive,
    };

    explicit TGeneralPage(TApplication& application);

    void Show(const TOptionsValues& values);
    void Read(TOptionsValues& values) const;
};
