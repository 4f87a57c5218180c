#pragma once
// The ping component and the main window's keep-alive echo.
#include "app/EchoPayload.h"
#include "app/win/ICMP.h"

#include <cstdint>
#include <string>

// One pinger: its own Winsock session, helper library and ICMP handle, all
// released when it is freed.
class TPing {
public:
    explicit TPing(const TICMPSetup& setup = {}) : icmp_(setup) {}

    const std::string& Address() const { return icmp_.Host(); }
    void SetAddress(const std::string& host) { icmp_.SetHost(host); }
    std::uint16_t Size() const { return icmp_.Size; }
    void SetSize(std::uint16_t bytes) { icmp_.Size = bytes; }
    DWORD Timeout() const { return icmp_.Timeout; }
    void SetTimeout(DWORD ms) { icmp_.Timeout = ms; }
    UCHAR TTL() const { return icmp_.TTL; }
    void SetTTL(UCHAR ttl) { icmp_.TTL = ttl; }
    TPingNotifications& Notifications() { return icmp_.Notify; }

    // Sends one echo to Address; the number of replies received.
    DWORD Ping() { return icmp_.Ping(); }

    DWORD LastError() const { return icmp_.LastError(); }
    const ICMP_ECHO_REPLY& LastReply() const { return icmp_.LastReply(); }
    const std::string& ReplyData() const { return icmp_.ReplyData(); }
    const TICMP& ICMP() const { return icmp_; }

private:
    TICMP icmp_;
};

// Sends the keep-alive echo: a fresh pinger, a 1 ms wait, the answer
// ignored. The keep-alive counter is the caller's to reset. Creation
// failures (TICMPException) are not caught here: they belong in the
// general error report.
void KeepAlivePing(const std::string& target = keepalive::kTargetHost, const TICMPSetup& setup = {});
