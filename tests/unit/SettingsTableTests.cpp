// The options table over the in-memory registry: every option written and
// read back in its kind's encoding, spoiled values reading as each reader's
// default, and the defaults an empty tree shows.
#include "app/Settings.h"
#include "desktop/IconArrangement.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/host/HostRegistry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

using namespace settings;

namespace {

std::string Describe(const TOption& option) {
    return std::string(option.Section) + "\\" + option.Name;
}

// What a reader gets from an option, as text, whatever its kind.
std::string ReadAsText(const TSettings& store, const TOption& option, TReader reader) {
    switch (option.Kind) {
    case TKind::Boolean:
        return store.Read(static_cast<const TBoolOption&>(option), reader) ? "1" : "0";
    case TKind::Integer:
        return std::to_string(store.Read(static_cast<const TIntegerOption&>(option)));
    case TKind::String:
        return store.Read(static_cast<const TStringOption&>(option));
    case TKind::Binary:
        return std::to_string(store.Read(static_cast<const TWordOption&>(option)));
    case TKind::DateTime:
        return std::to_string(store.Read(static_cast<const TDateTimeOption&>(option)));
    case TKind::DWord:
        return store.Read(static_cast<const TDWordOption&>(option)) ? "1" : "0";
    }
    return "<no kind>";
}

// Writes a value other than the engine's default; gives what the registry
// must hold then and what reading it must give.
struct TSample {
    reg::Value Stored;
    std::string Read;
};
TSample WriteSample(const TSettings& store, const TOption& option) {
    switch (option.Kind) {
    case TKind::Boolean: {
        const auto& o = static_cast<const TBoolOption&>(option);
        store.Write(o, !o.EngineDefault);
        return {reg::StringValue(o.EngineDefault ? "0" : "1"), o.EngineDefault ? "0" : "1"};
    }
    case TKind::Integer:
        store.Write(static_cast<const TIntegerOption&>(option), -90);
        return {reg::StringValue("-90"), "-90"};
    case TKind::String:
        store.Write(static_cast<const TStringOption&>(option), "Holidays \xC3\xA9t\xC3\xA9");
        return {reg::StringValue("Holidays \xC3\xA9t\xC3\xA9"), "Holidays \xC3\xA9t\xC3\xA9"};
    case TKind::Binary: {
        store.Write(static_cast<const TWordOption&>(option), 0x604D); // Ctrl+Shift+M
        const uint8_t bytes[] = {0x4D, 0x60};
        return {reg::BinaryValue(bytes, 2), std::to_string(0x604D)};
    }
    case TKind::DateTime: {
        store.Write(static_cast<const TDateTimeOption&>(option), 45000.75);
        const uint8_t bytes[] = {0x00, 0x00, 0x00, 0x00, 0x18, 0xF9, 0xE5, 0x40}; // little-endian IEEE double
        return {reg::BinaryValue(bytes, 8), std::to_string(45000.75)};
    }
    case TKind::DWord: {
        const auto& o = static_cast<const TDWordOption&>(option);
        store.Write(o, !o.Default);
        return {reg::DWordValue(o.Default ? 0 : 1), o.Default ? "0" : "1"};
    }
    }
    return {};
}

// Values of another type or size than the kind stores, and texts that do
// not convert.
std::vector<reg::Value> SpoiledValues(TKind kind) {
    const uint8_t four[] = {1, 0, 0, 0}, three[] = {0x41, 0x60, 0};
    switch (kind) {
    case TKind::Boolean:
    case TKind::Integer:
        return {reg::DWordValue(1), reg::BinaryValue("1", 1), reg::StringValue("yes"), reg::StringValue("0x"),
                reg::StringValue("")};
    case TKind::String:
        return {reg::DWordValue(1), reg::BinaryValue("ab", 2)};
    case TKind::Binary:
        return {reg::BinaryValue(three, 3), reg::BinaryValue(three, 1), reg::StringValue("AB"), reg::DWordValue(0x6041)};
    case TKind::DWord:
        return {reg::StringValue("1"), reg::BinaryValue(four, 4), reg::BinaryValue(four, 2)};
    case TKind::DateTime:
        break;
    }
    return {};
}

class SettingsTable : public ::testing::Test {
protected:
    reg::HostRegistry registry;
    TSettings store{registry};

    std::optional<reg::Value> Raw(const TOption& option) {
        auto key = registry.Open(option.Root, store.KeyOf(option), false);
        reg::Value value;
        if (!key || !key->QueryValue(option.Name, value)) return std::nullopt;
        return value;
    }
    void Put(const TOption& option, const reg::Value& value) {
        registry.Create(option.Root, store.KeyOf(option))->SetValue(option.Name, value);
    }
    template <typename F>
    std::string ErrorOf(F f) {
        try {
            f();
        } catch (const EMuraltoError& e) {
            return e.what();
        }
        return "<no error>";
    }
};

} // namespace

TEST_F(SettingsTable, EachOptionHasItsOwnPlace) {
    std::set<std::tuple<reg::Root, std::string, std::string>> places;
    for (const TOption* option : kAllOptions)
        EXPECT_TRUE(places.emplace(option->Root, text::UpperCase(option->Section), text::UpperCase(option->Name)).second)
            << Describe(*option);
}

TEST_F(SettingsTable, EveryOptionReadsBackWhatWasWrittenInItsKindsEncoding) {
    for (const TOption* option : kAllOptions) {
        SCOPED_TRACE(Describe(*option));
        const TSample sample = WriteSample(store, *option);
        const auto stored = Raw(*option);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->Type, sample.Stored.Type);
        EXPECT_EQ(stored->Data, sample.Stored.Data);
        for (TReader reader : {TReader::Engine, TReader::Dialog})
            EXPECT_EQ(ReadAsText(store, *option, reader), sample.Read);
    }
    // Integers (and booleans) take the hexadecimal marker.
    Put(kInterval, reg::StringValue("0x1F"));
    EXPECT_EQ(store.Read(kInterval), 31);
}

TEST_F(SettingsTable, SpoiledValuesReadAsAbsentOnesForEachReader) {
    reg::HostRegistry empty;
    const TSettings absent(empty);
    for (const TOption* option : kAllOptions) {
        for (const reg::Value& spoiled : SpoiledValues(option->Kind)) {
            SCOPED_TRACE(Describe(*option) + " stored with type " + std::to_string(spoiled.Type) + " and " +
                         std::to_string(spoiled.Data.size()) + " bytes");
            Put(*option, spoiled);
            for (TReader reader : {TReader::Engine, TReader::Dialog})
                EXPECT_EQ(ReadAsText(store, *option, reader), ReadAsText(absent, *option, reader));
        }
    }
}

TEST_F(SettingsTable, TheStartOfTheIntervalHasNoDefault) {
    EXPECT_EQ(ErrorOf([&] { store.Read(kTime); }), "Failed to get data for 'Time'");
    store.Write(kActive, true); // the section exists, the value does not
    EXPECT_EQ(ErrorOf([&] { store.Read(kTime); }), "Failed to get data for 'Time'");
    const uint8_t four[] = {1, 2, 3, 4};
    Put(kTime, reg::BinaryValue(four, 4));
    EXPECT_EQ(ErrorOf([&] { store.Read(kTime); }), "Invalid data type for 'Time'");
    Put(kTime, reg::StringValue("46000"));
    EXPECT_EQ(ErrorOf([&] { store.Read(kTime); }), "Invalid data type for 'Time'");
    for (double notAMoment : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        store.Write(kTime, notAMoment);
        EXPECT_EQ(ErrorOf([&] { store.Read(kTime); }), "Invalid data type for 'Time'") << notAMoment;
    }
}

TEST_F(SettingsTable, ValuesWithTwoDefaultsReadByTheirReader) {
    // Nothing stored: the dialog shows Left, Random alone and days; the
    // arranging code has no choice, and the changer with "Random" off walks
    // down (it never reads "Days").
    for (const TBoolOption* option : {&kIconsLeft, &kDown, &kUp, &kDays})
        EXPECT_NE(store.Read(*option, TReader::Engine), store.Read(*option, TReader::Dialog)) << option->Name;
    EXPECT_TRUE(store.Read(kDown, TReader::Engine));
    EXPECT_FALSE(ReadIconArrangement(registry).has_value());
}

TEST_F(SettingsTable, AnEmptyTreeShowsTheDialogsDefaultsWithoutCreatingKeys) {
    const std::vector<std::pair<const TBoolOption*, bool>> switches = {
        {&kActive, false},         {&kChangeOnStartup, false}, {&kRandom, true},         {&kDown, false},
        {&kUp, false},             {&kDays, true},             {&kHours, false},         {&kMinutes, false},
        {&kRestoreIcons, false},   {&kIconsLeft, true},        {&kIconsRight, false},    {&kIconsTop, false},
        {&kIconsBottom, false},    {&kIconsSpiral, false},     {&kIconsCustom, false},   {&kIconsNo, false},
        {&kFullScreen, true},      {&kMultipleWindows, true},  {&kAdjustWallpaper, true}, {&kChangeLogos, false},
        {&kCorrectLogos, false},   {&kKeepAlive, false},       {&kSortMostRecent, false}, {&kOpenWith, false},
        {&kNoIconsWarning, false},
    };
    for (const auto& [option, shown] : switches) EXPECT_EQ(store.Read(*option, TReader::Dialog), shown) << option->Name;
    EXPECT_EQ(store.Read(kInterval), 1);
    EXPECT_EQ(store.Read(kMRUCapacity), 20);
    EXPECT_EQ(store.Read(kStartShortcut), 0xC052); // Ctrl+Alt+R
    EXPECT_TRUE(store.Read(kPreview));
    EXPECT_EQ(registry.Open(reg::Root::CurrentUser, regnames::kProgramKey, false), nullptr);
    EXPECT_EQ(registry.Open(reg::Root::LocalMachine, regnames::kProgramKey, false), nullptr);
}
