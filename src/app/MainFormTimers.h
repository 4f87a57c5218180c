#pragma once
// The counting behind the main form's timers, kept apart from the window so
// that it can be checked without one.

// Ticks of the 5-second timer since the last keep-alive echo. It starts at
// 18 so that, with keep-alive on, the first tick already sends one; after
// that one goes out every 19 ticks (95 s).
class TKeepAliveCounter {
public:
    static constexpr int kStart = 18;
    // True when an echo is due now (the counter is then back at 0).
    bool Tick(bool keepAliveOn);
    int Count() const { return count_; }

private:
    int count_ = kStart;
};

// The desktop refresh timer: a restart gives exactly two refreshes, one per
// tick, and then the timer stops itself.
class TTwoTickTimer {
public:
    void Restart() { running_ = true, tag_ = 0; }
    // Call on each tick; true when the refresh should run. After the second
    // refresh Running() is false.
    bool Tick();
    bool Running() const { return running_; }

private:
    bool running_ = false;
    int tag_ = 0;
};
