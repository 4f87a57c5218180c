// What a second copy hands over, the start shortcut and the main form's timers.
#include "app/HandOver.h"
#include "app/HotKey.h"
#include "app/MainFormTimers.h"
#include "app/RegistryNames.h"
#include "platform/Text.h"
#include "platform/host/HostRegistry.h"

#include <gtest/gtest.h>

namespace {

std::string Latin1(const std::string& bytes) {
    std::u16string wide(bytes.begin(), bytes.end());
    for (auto& c : wide) c = static_cast<unsigned char>(c);
    return text::Utf16ToUtf8(wide);
}

std::string RoundTrip(const std::string& argument) {
    const auto buffer = EncodeHandOver(argument);
    EXPECT_EQ(buffer.size(), kHandOverBytes);
    return DecodeHandOver(buffer.data(), buffer.size(), Latin1);
}

} // namespace

TEST(HandOver, LongArgumentsArriveCutAt260Characters) {
    const std::string path = "C:\\" + std::string(297, 'p');
    EXPECT_EQ(RoundTrip(path), path.substr(0, 260));
    EXPECT_EQ(RoundTrip("C:\\Bilder\\Ünïcödé 日本.jpg"), "C:\\Bilder\\Ünïcödé 日本.jpg");
    EXPECT_EQ(RoundTrip(""), "");
    // Cutting never leaves half of a surrogate pair.
    const std::string emoji = std::string(259, 'a') + "😀";
    EXPECT_EQ(RoundTrip(emoji), std::string(259, 'a'));
}

TEST(HandOver, TheEncodedBufferIsAlwaysTerminated) {
    const auto buffer = EncodeHandOver(std::string(400, 'x'));
    EXPECT_EQ(buffer[kHandOverBytes - 2], 0);
    EXPECT_EQ(buffer[kHandOverBytes - 1], 0);
}

TEST(HandOver, OtherSizesAreCodePageBytesAndNeverReadPastTheBuffer) {
    std::string old(261, '\0');
    old.replace(0, 9, "C:\\\xC4pfel");
    EXPECT_EQ(DecodeHandOver(old.data(), old.size(), Latin1), "C:\\Äpfel");
    // No NUL within cbData: the text ends with the buffer.
    const char unterminated[] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(DecodeHandOver(unterminated, 3, Latin1), "abc");
    EXPECT_EQ(DecodeHandOver(nullptr, 522, Latin1), "");
    EXPECT_EQ(DecodeHandOver(unterminated, 0, Latin1), "");
    // A wide buffer full of characters and no NUL stops at its end.
    std::vector<uint8_t> full(kHandOverBytes, 'z');
    EXPECT_EQ(DecodeHandOver(full.data(), full.size(), Latin1).size(), kHandOverChars * 3); // U+7A7A is 3 bytes
}

TEST(HandOver, UninstallIsSlashUInAnyCase) {
    EXPECT_TRUE(IsUninstallArgument("/u"));
    EXPECT_TRUE(IsUninstallArgument("/U"));
    EXPECT_FALSE(IsUninstallArgument("/u "));
    EXPECT_FALSE(IsUninstallArgument("-u"));
}

TEST(StartShortcut, MapsTheShortcutBitsOntoHotKeyModifiers) {
    const THotKey def = HotKeyFromShortcut(kDefaultStartShortcut);
    EXPECT_EQ(kDefaultStartShortcut, 0xC052);
    EXPECT_EQ(def.VirtualKey, uint32_t('R'));
    EXPECT_EQ(def.Modifiers, kModControl | kModAlt);
    const THotKey shiftF5 = HotKeyFromShortcut(kShortcutShift | 0x74);
    EXPECT_EQ(shiftF5.Modifiers, kModShift);
    EXPECT_EQ(shiftF5.VirtualKey, 0x74u);
}

TEST(StartShortcut, ReadsTwoBinaryBytesOrFallsBackToCtrlAltR) {
    reg::HostRegistry registry;
    EXPECT_EQ(ReadStartShortcut(registry), kDefaultStartShortcut);
    auto key = registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options\\Shortcuts");
    const uint8_t ctrlShiftM[] = {'M', 0x60};
    key->SetValue("StartShortcut", reg::BinaryValue(ctrlShiftM, 2));
    EXPECT_EQ(ReadStartShortcut(registry), 0x604D);
    const uint8_t three[] = {1, 2, 3};
    key->SetValue("StartShortcut", reg::BinaryValue(three, 3));
    EXPECT_EQ(ReadStartShortcut(registry), kDefaultStartShortcut);
    key->SetValue("StartShortcut", reg::StringValue("x"));
    EXPECT_EQ(ReadStartShortcut(registry), kDefaultStartShortcut);
}

TEST(MainFormTimers, KeepAlivePingsOnTheFirstTickThenEveryNineteenth) {
    TKeepAliveCounter counter;
    std::vector<int> pings;
    for (int tick = 1; tick <= 40; ++tick)
        if (counter.Tick(true)) pings.push_back(tick);
    EXPECT_EQ(pings, (std::vector<int>{1, 20, 39}));

    TKeepAliveCounter idle;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(idle.Tick(false));
    EXPECT_EQ(idle.Count(), 23); // counting goes on while the option is off
    EXPECT_TRUE(idle.Tick(true));
}

TEST(MainFormTimers, ARestartGivesExactlyTwoRefreshes) {
    TTwoTickTimer timer;
    EXPECT_FALSE(timer.Tick());
    timer.Restart();
    EXPECT_TRUE(timer.Tick());
    EXPECT_TRUE(timer.Running());
    timer.Restart(); // a restart between the ticks starts the count again
    EXPECT_TRUE(timer.Tick());
    EXPECT_TRUE(timer.Tick());
    EXPECT_FALSE(timer.Running());
    EXPECT_FALSE(timer.Tick());
}
