// The settings helper over the in-memory registry: value kinds, defaults,
// the integer reading, sections and the error texts.
#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "platform/Errors.h"
#include "platform/host/HostRegistry.h"

#include <gtest/gtest.h>

using reg::Root;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    reg::HostRegistry registry;

    void Put(const std::string& path, const std::string& name, const reg::Value& value) {
        registry.Create(Root::CurrentUser, path)->SetValue(name, value);
    }
    std::string Raw(const std::string& path, const std::string& name) {
        reg::Value v;
        auto key = registry.Open(Root::CurrentUser, path, false);
        if (!key || !key->QueryValue(name, v)) return "<absent>";
        return reg::StringOf(v);
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

const std::string kOptionsPath = "SOFTWARE\\Orrindel\\Muralto\\Options";

} // namespace

TEST(IntegerConversion, AcceptsDecimalAndHexWithin32Bits) {
    EXPECT_EQ(TryStrToInt("42"), 42);
    EXPECT_EQ(TryStrToInt("-7"), -7);
    EXPECT_EQ(TryStrToInt("+7"), 7);
    EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
    EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TryStrToInt("$1f"), 31);
    EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
    for (const char* bad : {"", "-", "2147483648", "-2147483649", "$", "$123456789", "1.5", " 1", "1 ", "yes", "0x1F",
                            "$G", "99999999999999999999"})
        EXPECT_FALSE(TryStrToInt(bad).has_value()) << bad;
}

TEST(IntegerConversion, SettingsTakeZeroXAsHexMarkerOnlyBeforeDigits) {
    EXPECT_EQ(SettingToInt("0x1F", -1), 31);
    EXPECT_EQ(SettingToInt("0X10", -1), 16);
    EXPECT_EQ(SettingToInt("0x", -1), -1);     // two characters: not hex, does not convert
    EXPECT_EQ(SettingToInt("0xG", -1), -1);
    EXPECT_EQ(SettingToInt("0x80000000", 0), INT32_MIN);
    EXPECT_EQ(SettingToInt("$10", 0), 16);     // the conversion's own marker works too
    EXPECT_EQ(SettingToInt("x10", 5), 5);
}

TEST_F(SettingsStore, BooleansReadAnyIntegerTextAndFallBackOnOthers) {
    TRegIniFiles ini(registry, regnames::kProgramKey);
    for (const auto& [text, expected] : std::vector<std::pair<std::string, bool>>{
             {"2", true}, {"0x1", true}, {"0", false}, {"-1", true}, {"0x0", false}}) {
        Put(kOptionsPath, "FullScreen", reg::StringValue(text));
        EXPECT_EQ(ini.ReadBool("Options", "FullScreen", !expected), expected) << text;
    }
    Put(kOptionsPath, "FullScreen", reg::StringValue("yes"));
    EXPECT_TRUE(ini.ReadBool("Options", "FullScreen", true));
    EXPECT_FALSE(ini.ReadBool("Options", "FullScreen", false));
}

TEST_F(SettingsStore, AbsentSectionsAndValuesGiveDefaultsWithoutCreatingKeys) {
    TRegIniFiles ini(registry, regnames::kProgramKey);
    EXPECT_EQ(ini.ReadInteger("Options", "MRUCapacity", 20), 20);
    EXPECT_EQ(ini.ReadString("Options\\Changer", "Wallpaper", "none"), "none");
    EXPECT_TRUE(ini.ReadBool("Options", "MultipleWindows", true));
    EXPECT_EQ(registry.Open(Root::CurrentUser, kOptionsPath, false), nullptr);
    // Creating the helper creates its own key, nothing below.
    EXPECT_NE(registry.Open(Root::CurrentUser, regnames::kProgramKey, false), nullptr);
}

TEST_F(SettingsStore, WritesCreateEveryLevelAndStoreText) {
    TRegIniFiles ini(registry, regnames::kProgramKey);
    ini.WriteInteger("Options\\Changer", "Interval", -90);
    ini.WriteBool("Options\\Desktop", "RestoreIcons", true);
    ini.WriteString("Lists", "Current", "Holidays");
    EXPECT_EQ(Raw(kOptionsPath + "\\Changer", "Interval"), "-90");
    EXPECT_EQ(Raw(kOptionsPath + "\\Desktop", "RestoreIcons"), "1");
    EXPECT_EQ(ini.ReadInteger("options\\CHANGER", "interval", 0), -90);
    EXPECT_EQ(ini.ReadString("Lists", "Current", ""), "Holidays");
    ini.WriteBool("Options\\Desktop", "RestoreIcons", false);
    EXPECT_EQ(Raw(kOptionsPath + "\\Desktop", "RestoreIcons"), "0");
    // The open key did not move: later reads still start at the program key.
    EXPECT_EQ(ini.CurrentPath(), regnames::kProgramKey);
}

TEST_F(SettingsStore, ReadingTextFromAnotherTypeIsAnError) {
    TRegIniFiles ini(registry, regnames::kProgramKey);
    Put(kOptionsPath, "MRUCapacity", reg::DWordValue(5));
    EXPECT_EQ(ErrorOf([&] { ini.ReadInteger("Options", "MRUCapacity", 20); }),
              "Invalid data type for 'MRUCapacity'");
    EXPECT_EQ(ErrorOf([&] { ini.ReadString("Options", "MRUCapacity", ""); }), "Invalid data type for 'MRUCapacity'");
    // Expandable strings are strings.
    reg::Value expand = reg::StringValue("12");
    expand.Type = reg::kExpandString;
    Put(kOptionsPath, "MRUCapacity", expand);
    EXPECT_EQ(ini.ReadInteger("Options", "MRUCapacity", 20), 12);
}

TEST_F(SettingsStore, OpenDialogPathSpelledEitherWayIsOneKey) {
    TRegistry lower(registry);
    ASSERT_TRUE(lower.OpenKey(regnames::kOpenDialogKey, true));
    lower.WriteDWordBool(regnames::kPreview, false);
    TRegistry upper(registry);
    ASSERT_TRUE(upper.OpenKey("\\SOFTWARE\\Orrindel\\Muralto\\OpenDialog", false));
    EXPECT_FALSE(upper.ReadDWordBool(regnames::kPreview, true));
    reg::Value v;
    ASSERT_TRUE(registry.Open(Root::CurrentUser, "SOFTWARE\\ORRINDEL\\MURALTO\\OPENDIALOG", false)->QueryValue("Preview", v));
    EXPECT_EQ(v.Type, reg::kDWord);
}

TEST_F(SettingsStore, DwordSwitchesTakeTheirDefaultWhenBroken) {
    TRegistry r(registry);
    r.OpenKey(regnames::kOpenDialogKey, true);
    EXPECT_TRUE(r.ReadDWordBool("Preview", true));
    r.WriteDWordBool("Preview", true);
    EXPECT_TRUE(r.ReadDWordBool("Preview", false));
    r.WriteString("Preview", "0");
    EXPECT_TRUE(r.ReadDWordBool("Preview", true));
    const uint8_t two[] = {0, 0};
    r.WriteBinary("Preview", two, 2);
    EXPECT_FALSE(r.ReadDWordBool("Preview", false));
}

TEST_F(SettingsStore, DateTimesAreExactlyEightBinaryBytes) {
    TRegistry r(registry);
    r.OpenKey("\\" + kOptionsPath + "\\Changer", true);
    r.WriteDateTime("Time", 45000.75);
    EXPECT_DOUBLE_EQ(r.ReadDateTime("Time"), 45000.75);
    reg::Value v = *r.ReadValue("Time");
    // 45000.75 as a little-endian IEEE double.
    EXPECT_EQ(v.Data, (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x00, 0x18, 0xF9, 0xE5, 0x40}));

    const uint8_t four[] = {1, 2, 3, 4};
    r.WriteBinary("Time", four, 4);
    EXPECT_EQ(ErrorOf([&] { r.ReadDateTime("Time"); }), "Invalid data type for 'Time'");
    const uint8_t nine[9] = {};
    r.WriteBinary("Time", nine, 9);
    EXPECT_EQ(ErrorOf([&] { r.ReadDateTime("Time"); }), "Invalid data type for 'Time'");
    r.WriteString("Time", "12345678");
    EXPECT_EQ(ErrorOf([&] { r.ReadDateTime("Time"); }), "Invalid data type for 'Time'");
    r.DeleteValue("Time");
    EXPECT_EQ(ErrorOf([&] { r.ReadDateTime("Time"); }), "Failed to get data for 'Time'");
}

TEST_F(SettingsStore, BinaryReadsCheckTypeAndSize) {
    TRegistry r(registry);
    r.OpenKey("\\" + kOptionsPath, true);
    uint8_t buffer[4] = {};
    EXPECT_EQ(r.ReadBinary("Data", buffer, sizeof buffer), 0u);
    const uint8_t three[] = {9, 8, 7};
    r.WriteBinary("Data", three, 3);
    EXPECT_EQ(r.ReadBinary("Data", buffer, sizeof buffer), 3u);
    EXPECT_EQ(buffer[2], 7);
    const uint8_t five[5] = {};
    r.WriteBinary("Data", five, 5);
    EXPECT_EQ(ErrorOf([&] { r.ReadBinary("Data", buffer, sizeof buffer); }), "Invalid data type for 'Data'");
    r.WriteString("Data", "abc");
    EXPECT_EQ(ErrorOf([&] { r.ReadBinary("Data", buffer, sizeof buffer); }), "Invalid data type for 'Data'");
}

TEST_F(SettingsStore, KeyPathsAreRelativeUnlessTheyStartAtTheRoot) {
    TRegistry r(registry);
    ASSERT_TRUE(r.OpenKey("\\SOFTWARE\\Orrindel", true));
    ASSERT_TRUE(r.OpenKey("Muralto\\Lists", true));
    EXPECT_EQ(r.CurrentPath(), "SOFTWARE\\Orrindel\\Muralto\\Lists");
    EXPECT_TRUE(r.KeyExists("\\software\\orrindel"));
    EXPECT_FALSE(r.KeyExists("Orrindel")); // relative to Lists
    EXPECT_FALSE(r.OpenKey("Missing", false));
    EXPECT_EQ(r.CurrentPath(), "SOFTWARE\\Orrindel\\Muralto\\Lists");
    r.WriteString("Current", "A");
    EXPECT_TRUE(r.ValueExists("CURRENT"));
    EXPECT_FALSE(r.ValueExists("Other"));
}

TEST_F(SettingsStore, DeleteKeyTakesEverythingBelow) {
    TRegIniFiles ini(registry, regnames::kProgramKey);
    ini.WriteString("Lists\\List 1\\MRU", "0", "C:\\a.bmp");
    ini.WriteString("Lists\\List 1\\Options", "MRUCapacity", "5");
    ini.WriteString("Lists\\List 2", "x", "y");
    EXPECT_TRUE(ini.DeleteKey("Lists\\list 1"));
    ini.OpenKey("Lists", false);
    EXPECT_EQ(ini.GetKeyNames(), std::vector<std::string>{"List 2"});
    EXPECT_FALSE(ini.DeleteKey("List 1"));
}

TEST_F(SettingsStore, MoveKeyCopiesTheWholeTreeAndRefusesAnExistingTarget) {
    TRegistry r(registry);
    r.OpenKey("\\" + std::string(regnames::kProgramKey), true);
    Put("SOFTWARE\\Orrindel\\Muralto\\MRU", "0", reg::StringValue("C:\\a.jpg"));
    const uint8_t data[] = {1, 2, 3};
    Put("SOFTWARE\\Orrindel\\Muralto\\MRU\\Sub\\Deeper", "d", reg::BinaryValue(data, 3));

    r.MoveKey("MRU", "Lists\\List 1\\MRU", true);
    EXPECT_FALSE(r.KeyExists("MRU"));
    EXPECT_EQ(Raw("SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1\\MRU", "0"), "C:\\a.jpg");
    reg::Value v;
    ASSERT_TRUE(registry.Open(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1\\MRU\\Sub\\Deeper", false)
                    ->QueryValue("d", v));
    EXPECT_EQ(v.Data, std::vector<uint8_t>(data, data + 3));

    // The target exists now: a second move leaves both keys alone.
    Put("SOFTWARE\\Orrindel\\Muralto\\MRU", "0", reg::StringValue("C:\\b.jpg"));
    r.MoveKey("MRU", "Lists\\List 1\\MRU", true);
    EXPECT_EQ(Raw("SOFTWARE\\Orrindel\\Muralto\\MRU", "0"), "C:\\b.jpg");
    EXPECT_EQ(Raw("SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1\\MRU", "0"), "C:\\a.jpg");
    // A missing source does nothing.
    r.MoveKey("Nothing", "Elsewhere", true);
    EXPECT_FALSE(r.KeyExists("Elsewhere"));
    // Keeping the old key copies only.
    r.MoveKey("MRU", "Copy", false);
    EXPECT_TRUE(r.KeyExists("MRU"));
    EXPECT_EQ(Raw("SOFTWARE\\Orrindel\\Muralto\\Copy", "0"), "C:\\b.jpg");
}

TEST_F(SettingsStore, RefusedWritesAndCreationsCarryTheirMessages) {
    registry.SetReadOnly(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto");
    TRegistry r(registry);
    EXPECT_EQ(ErrorOf([&] { r.OpenKey("\\SOFTWARE\\Orrindel\\Muralto\\Options", true); }),
              "Failed to create key \\SOFTWARE\\Orrindel\\Muralto\\Options");
    // Opening for writing is refused as the system refuses it; read, the
    // key refuses the write.
    EXPECT_FALSE(r.OpenKey("\\SOFTWARE\\Orrindel\\Muralto", false));
    ASSERT_TRUE(r.OpenKeyReadOnly("\\SOFTWARE\\Orrindel\\Muralto"));
    EXPECT_EQ(ErrorOf([&] { r.WriteString("Wallpaper", "x"); }), "Failed to set data for 'Wallpaper'");
    // The settings object cannot even open its key, as on Windows.
    EXPECT_EQ(ErrorOf([&] { TRegIniFiles ini(registry, regnames::kProgramKey); }),
              "Failed to create key SOFTWARE\\Orrindel\\Muralto");
}
