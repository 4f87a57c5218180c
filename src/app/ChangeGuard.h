#pragma once
// One wallpaper change at a time, program-wide. A change can show a message
// box, and the box's modal loop keeps delivering timer ticks and system
// broadcasts to the program; without this guard a tick whose change is due
// would start a second change inside the first one.
//
// Every change goes through TryRun: the changer's CheckSchedule and
// NextWallpaper, the image window's Apply, the properties dialog's save and
// a tray-menu entry. A change that finds another one running does nothing.
// A display-mode change cannot simply be dropped (it carries the re-render
// for the new screen size), so it goes through RunOrDefer, which keeps it
// until the running change has ended.
//
// Changes compose by sequence, not by nesting: inside a running change,
// TryRun and the engine's guarded calls do nothing, so an operation made of
// several changes runs them one after the other. The main form owns the one
// guard and hands it to every engine through the platform bundle.
#include <deque>
#include <exception>
#include <functional>

class TChangeGuard {
public:
    TChangeGuard() = default;
    TChangeGuard(const TChangeGuard&) = delete;
    TChangeGuard& operator=(const TChangeGuard&) = delete;

    // Runs the change unless one is running already; false when it did not
    // run. When the change ends, however it ends, the actions deferred
    // meanwhile run in the order they came. The first failure among the
    // change and those actions propagates; later ones go to the error report.
    bool TryRun(const std::function<void()>& change);
    // Runs the action at once when no change is running, otherwise right
    // after the running change ends. The action is not itself held as a
    // change: its own changes take the guard through TryRun.
    void RunOrDefer(std::function<void()> action);
    bool Busy() const { return busy_; }

    // Where a failure goes when an earlier one is already on its way to the
    // caller (the program's general error report); without one it is lost.
    void SetErrorReport(std::function<void(const std::exception&)> report) { report_ = std::move(report); }

private:
    void RunDeferred(std::exception_ptr& failure);
    void Report(std::exception_ptr failure) const;

    bool busy_ = false;
    std::deque<std::function<void()>> deferred_;
    std::function<void(const std::exception&)> report_;
};

// Runs the change through the guard, or simply runs it where there is none
// (the platform bundle's guard is null in tools and in tests of one change).
// False when the guard was busy and nothing ran.
bool RunAsChange(TChangeGuard* guard, const std::function<void()>& change);
