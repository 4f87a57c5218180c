// The changer: the next entry of the current list after a period of days,
// hours or minutes, counted from "Time", the start of the current interval.
#include "engine/Wallpaper.h"

#include "app/Extra.h"
#include "engine/ListStore.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Text.h"

#include <cmath>

using namespace regnames;

void TWallpaper::CheckSchedule() {
    Hint = "Muralto";
    TSettingsReader settings(Registry(), programKey_);
    if (!settings.ReadBool(kOptionsChanger, kActive, false)) return;

    double interval = settings.ReadInteger(kOptionsChanger, kInterval, 1);
    if (settings.ReadBool(kOptionsChanger, kHours, false))
        interval = interval / 24;
    else if (settings.ReadBool(kOptionsChanger, kMinutes, false))
        interval = interval / 24 / 60;

    // "Time" must be there: a missing one is a registry read error.
    TRegistry changer(Registry(), reg::Root::CurrentUser);
    changer.OpenKey("\\" + reg::JoinPath(programKey_, kOptionsChanger), true);
    double start = changer.ReadDateTime(kTime);
    const double now = platform_.Clock.Now();
    if (now < start) { // the clock was set back
        changer.WriteDateTime(kTime, now);
        start = changer.ReadDateTime(kTime);
    }
    NextChange = start + interval;
    if (NextChange <= now) {
        NextWallpaper();
        NextChange = platform_.Clock.Now() + interval;
    }
    // Midnight shows as the date alone.
    const bool midnight = NextChange - std::floor(NextChange) == 0;
    Hint = "Next Wallpaper on " +
           (midnight ? platform_.Clock.FormatDate(NextChange) : platform_.Clock.FormatDateTime(NextChange));
    if (platform_.Tray) platform_.Tray->SetHint(Hint);
}

void TWallpaper::NextWallpaper() {
    if (Items.Empty()) return;
    const std::string last = TSettingsReader(Registry(), ListKey).ReadString(kListOptionsChanger, kWallpaper, "");
    const int cur = last.empty() ? -1 : Items.IndexOf(last);
    const int n = Items.Count();

    TSettingsReader settings(Registry(), programKey_);
    int k;
    if (settings.ReadBool(kOptionsChanger, kRandom, true)) {
        std::uniform_int_distribution<int> pick(0, n - 1);
        k = pick(random_);
        while (n > 1 && k == cur) k = pick(random_);
    } else if (settings.ReadBool(kOptionsChanger, kDown, true)) {
        k = cur + 1;
    } else if (settings.ReadBool(kOptionsChanger, kUp, true)) {
        k = cur - 1;
    } else {
        k = 0;
    }
    if (k < 0) k = n - 1;
    if (k > n - 1) k = 0;
    const std::string path = Items[k]; // opening may remove it from Items
    ChangeWallpaper(path);
}
