// The data a keep-alive echo carries, and the fixed target it goes to.
#include "app/EchoPayload.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

using keepalive::EchoRequestData;
using keepalive::kIdentification;

namespace {

const std::size_t kTextLength = std::strlen(kIdentification);

TEST(EchoPayload, TextThenSpacesUpToTheSize) {
    const std::string data = EchoRequestData(56);
    ASSERT_EQ(data.size(), 56u);
    ASSERT_LT(kTextLength, 56u);
    EXPECT_EQ(data.substr(0, kTextLength), kIdentification);
    EXPECT_EQ(data.substr(kTextLength), std::string(56 - kTextLength, ' '));
}

TEST(EchoPayload, SizesAtOrBelowTheTextCutIt) {
    EXPECT_EQ(EchoRequestData(5), std::string(kIdentification, 5));
    EXPECT_EQ(EchoRequestData(kTextLength), kIdentification);
    EXPECT_EQ(EchoRequestData(kTextLength + 1), std::string(kIdentification) + " ");
    EXPECT_EQ(EchoRequestData(0), "");
}

// The target must be an IPv4 literal (no name lookup on every echo), and a
// real remote host: not loopback, not the all-ones value the pinger rejects.
TEST(EchoPayload, TargetIsARemoteIPv4Literal) {
    std::istringstream in(keepalive::kTargetHost);
    int part[4] = {-1, -1, -1, -1};
    char dot[3] = {};
    in >> part[0] >> dot[0] >> part[1] >> dot[1] >> part[2] >> dot[2] >> part[3];
    ASSERT_FALSE(in.fail()) << keepalive::kTargetHost;
    EXPECT_TRUE(in.eof()) << keepalive::kTargetHost;
    for (const char d : dot) EXPECT_EQ(d, '.');
    for (const int p : part) EXPECT_TRUE(p >= 0 && p <= 255);
    EXPECT_NE(part[0], 127);
    EXPECT_NE(part[0], 0);
    EXPECT_LT(part[0], 224) << "multicast or broadcast";
}

} // namespace
