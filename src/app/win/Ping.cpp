#include "app/win/Ping.h"

void KeepAlivePing(const std::string& target, const TICMPSetup& setup) {
    TPing ping(setup);
    ping.SetTimeout(keepalive::kTimeoutMs);
    ping.SetAddress(target);
    // Fire-and-forget: with a 1 ms wait there is normally no reply, and that
    // is not a failure.
    ping.Ping();
}
