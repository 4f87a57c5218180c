// The keep-alive pinger against the real ICMP helper library under Wine.
// Every echo goes to 127.0.0.1; host names go through a resolver these
// tests supply, never through a real lookup.
#include "app/EchoPayload.h"
#include "app/win/ICMP.h"
#include "app/win/Ping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kLoopback = "127.0.0.1";

// A resolver that knows one name, and remembers every name it was asked.
struct TFakeResolver {
    std::vector<std::string> Asked;
    TResolver Function(const std::string& known = std::string()) {
        return [this, known](const std::string& host) {
            Asked.push_back(host);
            THostLookup result;
            if (!known.empty() && host == known) {
                result.Found = true;
                result.Address = inet_addr(kLoopback);
                result.Name = "loopback.test";
            } else {
                result.Error = WSAHOST_NOT_FOUND;
            }
            return result;
        };
    }
};

TICMPSetup SetupWith(TFakeResolver& resolver, const std::string& known = std::string()) {
    TICMPSetup setup;
    setup.Resolve = resolver.Function(known);
    return setup;
}

// Errors that mean the machine gives this process no ICMP socket (Wine needs
// raw-socket rights or an allowed ping group), as opposed to a lost echo.
bool MeansNoIcmpSocket(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == WSAEACCES || error == ERROR_NOT_SUPPORTED ||
           error == IP_GENERAL_FAILURE;
}

TEST(TICMP, NeitherLibraryLoads) {
    TICMPSetup setup;
    setup.Libraries = {"muralto-no-icmp.dll", "muralto-no-iphlpapi.dll"};
    const int live = TIcmpHandle::Live();
    try {
        TICMP icmp(setup);
        FAIL() << "created without a helper library";
    } catch (const TICMPException& e) {
        EXPECT_STREQ(e.what(), "Unable to register icmp.dll");
    }
    // The keep-alive echo lets it through to the general error report.
    EXPECT_THROW(KeepAlivePing(kLoopback, setup), TICMPException);
    EXPECT_EQ(TIcmpHandle::Live(), live);
}

TEST(TICMP, LibraryChoice) {
    TICMPSetup second;
    second.Libraries = {"muralto-no-icmp.dll", "iphlpapi.dll"};
    EXPECT_NO_THROW(TICMP{second}) << "the second name is the fallback";

    TICMPSetup wrong;
    wrong.Libraries = {"kernel32.dll"}; // loads, but has none of the functions
    try {
        TICMP icmp(wrong);
        FAIL() << "created from a library without the ICMP functions";
    } catch (const TICMPException& e) {
        EXPECT_STREQ(e.what(), "Error loading dll functions");
    }
}

TEST(TICMP, FreeingReleasesHandleAndLibrary) {
    const bool loadedBefore = GetModuleHandleW(L"icmp.dll") != nullptr;
    const int live = TIcmpHandle::Live();
    {
        TPing ping;
        EXPECT_EQ(TIcmpHandle::Live(), live + 1);
        EXPECT_NE(GetModuleHandleW(L"icmp.dll"), nullptr);
        ping.SetAddress("");
        EXPECT_EQ(ping.Ping(), 0u); // a failed echo must not keep anything either
    }
    EXPECT_EQ(TIcmpHandle::Live(), live);
    if (!loadedBefore) {
        EXPECT_EQ(GetModuleHandleW(L"icmp.dll"), nullptr);
    }

    KeepAlivePing(kLoopback);
    EXPECT_EQ(TIcmpHandle::Live(), live);
    if (!loadedBefore) {
        EXPECT_EQ(GetModuleHandleW(L"icmp.dll"), nullptr);
    }
}

TEST(Ping, LoopbackEchoIsAnswered) {
    TFakeResolver resolver;
    std::vector<std::string> events;
    try {
        TPing ping(SetupWith(resolver));
        EXPECT_EQ(ping.Size(), 56);
        EXPECT_EQ(ping.Timeout(), 4000u);
        EXPECT_EQ(ping.TTL(), 64);
        ping.Notifications().EchoRequest = [&] { events.push_back("request"); };
        ping.Notifications().EchoReply = [&](DWORD n) { events.push_back("reply " + std::to_string(n)); };
        ping.SetAddress(kLoopback);

        const DWORD replies = ping.Ping();
        if (replies == 0 && MeansNoIcmpSocket(ping.LastError()))
            GTEST_SKIP() << "no ICMP socket for this process (error " << ping.LastError() << ")";
        EXPECT_EQ(replies, 1u) << "error " << ping.LastError();
        EXPECT_EQ(ping.LastReply().Status, static_cast<ULONG>(IP_SUCCESS));
        EXPECT_EQ(ping.LastReply().Address, inet_addr(kLoopback));
        EXPECT_EQ(ping.ReplyData(), keepalive::EchoRequestData(56));
        EXPECT_EQ(ping.ICMP().DottedAddress(), kLoopback);
        EXPECT_TRUE(resolver.Asked.empty()) << "a literal needs no lookup";
        EXPECT_EQ(events, (std::vector<std::string>{"request", "reply 1"}));

        // A smaller echo carries the cut identification text.
        ping.SetSize(5);
        EXPECT_EQ(ping.Ping(), 1u);
        EXPECT_EQ(ping.ReplyData(), std::string(keepalive::kIdentification, 5));
    } catch (const TICMPException& e) {
        GTEST_SKIP() << "no ICMP handle for this process: " << e.what();
    }
}

TEST(Ping, HostNamesGoThroughTheResolver) {
    TFakeResolver resolver;
    TPing ping(SetupWith(resolver, "muralto-loopback"));
    ping.SetAddress("muralto-loopback");
    ping.Ping(); // the echo goes to 127.0.0.1; whether it is answered is not the point here
    EXPECT_EQ(resolver.Asked, std::vector<std::string>{"muralto-loopback"});
    EXPECT_TRUE(ping.ICMP().Resolved());
    EXPECT_EQ(ping.ICMP().HostName(), "loopback.test");
    EXPECT_EQ(ping.ICMP().DottedAddress(), kLoopback);

    ping.Ping();
    EXPECT_EQ(resolver.Asked.size(), 1u) << "a resolved name is not looked up again";
}

TEST(Ping, UnusableAddressesSendNothing) {
    TFakeResolver resolver;
    TPing ping(SetupWith(resolver));
    std::vector<std::string> shown;
    bool sent = false;
    ping.Notifications().Display = [&](const std::string& text) { shown.push_back(text); };
    ping.Notifications().EchoRequest = [&] { sent = true; };

    ping.SetAddress("nosuch.invalid");
    EXPECT_EQ(ping.Ping(), 0u);
    EXPECT_EQ(ping.LastError(), 11018u);
    EXPECT_EQ(shown, (std::vector<std::string>{"Unable to resolve nosuch.invalid", "Invalid host address"}));
    EXPECT_FALSE(ping.ICMP().Resolved());
    EXPECT_EQ(ping.Ping(), 0u);
    EXPECT_EQ(resolver.Asked.size(), 2u) << "a failed lookup is tried again on the next echo";

    shown.clear();
    resolver.Asked.clear();
    ping.SetAddress("");
    EXPECT_EQ(ping.Ping(), 0u);
    EXPECT_EQ(ping.LastError(), 11018u);
    EXPECT_TRUE(resolver.Asked.empty()) << "an empty host is not looked up";
    EXPECT_EQ(shown, std::vector<std::string>{"Invalid host address"});
    EXPECT_FALSE(sent);
}

} // namespace
