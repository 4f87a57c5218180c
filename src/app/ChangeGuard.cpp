#include "app/ChangeGuard.h"

bool TChangeGuard::TryRun(const std::function<void()>& change) {
    if (busy_) return false;
    busy_ = true;
    std::exception_ptr failure;
    try {
        change();
    } catch (...) {
        failure = std::current_exception();
    }
    busy_ = false;
    RunDeferred(failure);
    if (failure) std::rethrow_exception(failure);
    return true;
}

void TChangeGuard::RunOrDefer(std::function<void()> action) {
    if (busy_) {
        deferred_.push_back(std::move(action));
        return;
    }
    action();
}

void TChangeGuard::RunDeferred(std::exception_ptr& failure) {
    // An action that comes while one of these runs a change of its own is
    // run at the end of that change, so this loop usually turns once.
    while (!deferred_.empty()) {
        const std::function<void()> action = std::move(deferred_.front());
        deferred_.pop_front();
        try {
            action();
        } catch (...) {
            if (failure)
                Report(std::current_exception());
            else
                failure = std::current_exception();
        }
    }
}

void TChangeGuard::Report(std::exception_ptr failure) const {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        if (report_) report_(e);
    } catch (...) {
    }
}

bool RunAsChange(TChangeGuard* guard, const std::function<void()>& change) {
    if (guard) return guard->TryRun(change);
    change();
    return true;
}
