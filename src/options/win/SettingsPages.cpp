#include "options/win/SettingsPages.h"

#include <commctrl.h>

using namespace optionsui;

namespace {

// Page tables at 120 dpi, in Tab order; a label comes right before the
// control it names, so that screen readers take it as that control's name.
std::vector<win::TControlSpec> ChangerControls() {
    using P = TChangerPage;
    return {
        {L"BUTTON", "ChangeOnStartup", P::idChangeOnStartup, "&Change on Startup.", kCheckBox, 0, 12, 10, 340, 22, 123},
        {L"BUTTON", "Active", P::idActive, "Change &After a Period of Time.", kCheckBox, 0, 12, 34, 340, 22, 26},
        {L"BUTTON", "Order", P::idOrder, "Order", kGroupBox, 0, 12, 64, 112, 118, 27},
        {L"BUTTON", "Random", P::idRandom, "&Random", kFirstRadio, 0, 24, 88, 92, 22, 27},
        {L"BUTTON", "Down", P::idDown, "Do&wn", kRadio, 0, 24, 114, 92, 22, 27},
        {L"BUTTON", "Up", P::idUp, "&Up", kRadio, 0, 24, 140, 92, 22, 27},
        // The period's panel: its frame and label carry its topic.
        {L"STATIC", "Panel1", P::idPanel, "", kFrame, 0, 136, 70, 221, 112, 28},
        {L"STATIC", "Label1", P::idLabel1, "Change Wallpaper Every:", kLabel, 0, 148, 80, 200, 18, 28},
        {L"EDIT", "Time", P::idTime, "1", kSpinEdit, WS_EX_CLIENTEDGE, 148, 104, 76, 25, 28},
        {UPDOWN_CLASSW, "TimeSpin", P::idTimeSpin, "", kSpin, 0, 224, 104, 18, 25, 28},
        {L"BUTTON", "Days", P::idDays, "&Day(s)", kFirstRadio, 0, 256, 102, 96, 22, 28},
        {L"BUTTON", "Hours", P::idHours, "&Hour(s)", kRadio, 0, 256, 126, 96, 22, 28},
        {L"BUTTON", "Minutes", P::idMinutes, "&Minute(s)", kRadio, 0, 256, 150, 96, 22, 28},
    };
}

std::vector<win::TControlSpec> DesktopControls() {
    using P = TDesktopPage;
    constexpr DWORD off = WS_DISABLED; // enabled by the Restore box
    return {
        {L"BUTTON", "Restore", P::idRestore, "&Align Icons on Startup and on Screen Resize.", kCheckBox, 0, 12, 10,
         345, 22, 29},
        {L"BUTTON", "Alignment", P::idAlignment, "Alignment", kGroupBox, 0, 12, 40, 345, 126},
        {L"BUTTON", "AlignLeft", P::idAlignLeft, "&Left", kFirstRadio | off, 0, 28, 64, 150, 22, 103},
        {L"BUTTON", "AlignRight", P::idAlignRight, "&Right", kRadio | off, 0, 28, 88, 150, 22, 104},
        {L"BUTTON", "AlignTop", P::idAlignTop, "&Top", kRadio | off, 0, 28, 112, 150, 22, 105},
        {L"BUTTON", "AlignBottom", P::idAlignBottom, "&Bottom", kRadio | off, 0, 28, 136, 150, 22, 106},
        {L"BUTTON", "AlignSpiral", P::idAlignSpiral, "&Spiral", kRadio | off, 0, 190, 64, 150, 22, 107},
        {L"BUTTON", "AlignCustom", P::idAlignCustom, "&Custom", kRadio | off, 0, 190, 88, 150, 22, 108},
        {L"BUTTON", "AlignNoIcons", P::idAlignNoIcons, "&Hide", kRadio | off, 0, 190, 112, 150, 22, 109},
    };
}

std::vector<win::TControlSpec> GeneralControls() {
    using P = TGeneralPage;
    return {
        {L"BUTTON", "FullScreen", P::idFullScreen, "Open &Full Screen.", kCheckBox, 0, 12, 10, 345, 22, 43},
        {L"BUTTON", "Multiple", P::idMultiple, "Open &Multiple Windows.", kCheckBox, 0, 12, 36, 345, 22, 42},
        {L"BUTTON", "AdjustWallpaper", P::idAdjustWallpaper, "Adjust  &Wallpaper to Screen Size.", kCheckBox, 0, 12,
         62, 345, 22, 44},
        {L"BUTTON", "ChangeLogos", P::idChangeLogos, "Change the &Logos Automatically.", kCheckBox, 0, 12, 88, 345, 22,
         45},
        {L"BUTTON", "CorrectLogos", P::idCorrectLogos, "Correct Aspect &Ratio of Logos.", kCheckBox, 0, 12, 114, 345,
         22, 121},
        {L"BUTTON", "KeepAlive", P::idKeepAlive, "Keep Internet Connection &Alive.", kCheckBox, 0, 12, 140, 345, 22,
         122},
    };
}

// The radio runs in the order of their values.
const TOptionsPage::TRun kOrderRun{"Random", "Down", "Up"};
const TOptionsPage::TRun kUnitRun{"Days", "Hours", "Minutes"};
const TOptionsPage::TRun kAlignmentRun{"AlignLeft",   "AlignRight",  "AlignTop",    "AlignBottom",
                                       "AlignSpiral", "AlignCustom", "AlignNoIcons"};

} // namespace

// ---- Changer ----

TChangerPage::TChangerPage(TApplication& application)
    : TOptionsPage(application, "Randomize", "Changer", 37, ChangerControls()) {}

void TChangerPage::Setup() {
    SetSpinRange("Time", "TimeSpin", kTimeLow, kTimeHigh);
    SetSpinValue("TimeSpin", 1);
    AddRun(kOrderRun);
    AddRun(kUnitRun);
    CheckIndex(kOrderRun, coRandom);
}

void TChangerPage::Show(const TOptionsValues& values) {
    SetChecked("ChangeOnStartup", values.ChangeOnStartup);
    SetChecked("Active", values.Active);
    CheckIndex(kOrderRun, values.Order);
    SetSpinValue("TimeSpin", values.Interval);
    CheckIndex(kUnitRun, values.Unit);
}

void TChangerPage::Read(TOptionsValues& values) const {
    values.ChangeOnStartup = Checked("ChangeOnStartup");
    values.Active = Checked("Active");
    values.Order = CheckedIndex(kOrderRun);
    values.Interval = SpinValue("Time", "TimeSpin");
    values.Unit = CheckedIndex(kUnitRun);
}

void TChangerPage::ApplyEnabling() {
    const bool active = Checked("Active");
    const bool changes = active || Checked("ChangeOnStartup");
    for (const char* control : {"Order", "Random", "Down", "Up"}) Enable(control, changes);
    for (const char* control : {"Time", "TimeSpin", "Days", "Hours", "Minutes"}) Enable(control, active);
}

// ---- Desktop ----

TDesktopPage::TDesktopPage(TApplication& application)
    : TOptionsPage(application, "Icons", "Desktop", 38, DesktopControls()) {}

void TDesktopPage::Setup() {
    AddRun(kAlignmentRun);
}

void TDesktopPage::Show(const TOptionsValues& values) {
    SetChecked("Restore", values.Restore);
    CheckIndex(kAlignmentRun, values.Alignment);
}

void TDesktopPage::Read(TOptionsValues& values) const {
    values.Restore = Checked("Restore");
    values.Alignment = CheckedIndex(kAlignmentRun);
}

void TDesktopPage::ApplyEnabling() {
    const bool restore = Checked("Restore");
    for (const char* control : kAlignmentRun) Enable(control, restore);
}

// ---- General ----

TGeneralPage::TGeneralPage(TApplication& application)
    : TOptionsPage(application, "Start", "General", 39, GeneralControls()) {}

void TGeneralPage::Show(const TOptionsValues& values) {
    SetChecked("FullScreen", values.FullScreen);
    SetChecked("Multiple", values.Multiple);
    SetChecked("AdjustWallpaper", values.AdjustWallpaper);
    SetChecked("ChangeLogos", values.ChangeLogos);
    SetChecked("CorrectLogos", values.CorrectLogos);
    SetChecked("KeepAlive", values.KeepAlive);
}

void TGeneralPage::Read(TOptionsValues& values) const {
    values.FullScreen = Checked("FullScreen");
    values.Multiple = Checked("Multiple");
    values.AdjustWallpaper = Checked("AdjustWallpaper");
    values.ChangeLogos = Checked("ChangeLogos");
    values.CorrectLogos = Checked("CorrectLogos");
    values.KeepAlive = Checked("KeepAlive");
}
