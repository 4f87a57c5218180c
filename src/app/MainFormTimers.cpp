#include "app/MainFormTimers.h"

bool TKeepAliveCounter::Tick(bool keepAliveOn) {
    if (keepAliveOn && count_ >= kStart) {
        count_ = 0;
        return true;
    }
    ++count_;
    return false;
}

bool TTwoTickTimer::Tick() {
    if (!running_) return false;
    if (tag_ == 0)
        tag_ = 1;
    else
        running_ = false;
    return true;
}
