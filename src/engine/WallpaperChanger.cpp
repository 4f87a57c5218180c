// The changer: the next entry of the current list after a period of days,
// hours or minutes, counted from "Time", the start of the current interval.
#include "engine/Wallpaper.h"

#include "app/ChangeGuard.h"
#include "app/Settings.h"
#include "engine/ListStore.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Text.h"

#include <cmath>

using namespace regnames;

void TWallpaper::CheckSchedule() {
    RunAsChange(platform_.Changes, [this] { ScheduleStep(); });
}

void TWallpaper::NextWallpaper() {
    RunAsChange(platform_.Changes, [this] { ChangeToNext(); });
}

void TWallpaper::ScheduleStep() {
    Hint = "Muralto";
    // No change is due until this check has worked it out: with the changer
    // off, or when "Time" cannot be read, the change timer stays idle instead
    // of running (and reporting) the same failing check every tick.
    NextChange = 0;
    const settings::TSettings store(Registry(), programKey_);
    if (!store.Read(settings::kActive)) return;

    double interval = store.Read(settings::kInterval);
    if (store.Read(settings::kHours))
        interval = interval / 24;
    else if (store.Read(settings::kMinutes))
        interval = interval / 24 / 60;

    // "Time" must be there: a missing one is a registry read error.
    double start = store.Read(settings::kTime);
    const double now = platform_.Clock.Now();
    if (now < start) { // the clock was set back
        store.Write(settings::kTime, now);
        start = store.Read(settings::kTime);
    }
    NextChange = start + interval;
    if (NextChange <= now) {
        ChangeToNext();
        NextChange = platform_.Clock.Now() + interval;
    }
    // Midnight shows as the date alone.
    const bool midnight = NextChange - std::floor(NextChange) == 0;
    Hint = "Next Wallpaper on " +
           (midnight ? platform_.Clock.FormatDate(NextChange) : platform_.Clock.FormatDateTime(NextChange));
    if (platform_.Tray) platform_.Tray->SetHint(Hint);
}

void TWallpaper::ChangeToNext() {
    if (Items.Empty()) return;
    const std::string last = TSettingsReader(Registry(), ListKey).ReadString(kListOptionsChanger, kWallpaper, "");
    const int cur = last.empty() ? -1 : Items.IndexOf(last);
    const int n = Items.Count();

    const settings::TSettings store(Registry(), programKey_);
    int k;
    if (store.Read(settings::kRandom)) {
        std::uniform_int_distribution<int> pick(0, n - 1);
        k = pick(random_);
        while (n > 1 && k == cur) k = pick(random_);
    } else if (store.Read(settings::kDown)) {
        k = cur + 1;
    } else if (store.Read(settings::kUp)) {
        k = cur - 1;
    } else {
        k = 0;
    }
    if (k < 0) k = n - 1;
    if (k > n - 1) k = 0;
    const std::string path = Items[k]; // opening may remove it from Items
    ChangeWallpaper(path);
}
