#include "unit/RegistryContract.h"

#include "platform/Errors.h"

#include <algorithm>
#include <set>

using reg::Root;

void RegistryContract::SetUp() {
    registry = GetParam().Make();
    base = "Software\\MuraltoContract\\" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    registry->DeleteTree(Root::CurrentUser, base);
}

void RegistryContract::TearDown() {
    // Only this test's key: suites may run in parallel on one registry.
    registry->DeleteTree(Root::CurrentUser, base);
}

std::string RegistryUnderTestName(const ::testing::TestParamInfo<RegistryUnderTest>& info) {
    return info.param.Name;
}

namespace {

std::set<std::string> AsSet(const std::vector<std::string>& v) {
    return std::set<std::string>(v.begin(), v.end());
}

} // namespace

TEST_P(RegistryContract, MissingKeysOpenAsNullAndCreateMakesEveryLevel) {
    EXPECT_EQ(registry->Open(Root::CurrentUser, base + "\\A\\B", false), nullptr);
    ASSERT_NE(registry->Create(Root::CurrentUser, base + "\\A\\B"), nullptr);
    EXPECT_NE(registry->Open(Root::CurrentUser, base + "\\A", false), nullptr);
    EXPECT_NE(registry->Open(Root::CurrentUser, base + "\\A\\B", true), nullptr);
    // A second create opens the existing key and keeps its values.
    registry->Open(Root::CurrentUser, base + "\\A\\B", true)->SetValue("v", reg::DWordValue(7));
    reg::Value v;
    ASSERT_TRUE(registry->Create(Root::CurrentUser, base + "\\A\\B")->QueryValue("v", v));
    EXPECT_EQ(v.Data, reg::DWordValue(7).Data);
}

TEST_P(RegistryContract, KeyAndValueNamesIgnoreCaseButKeepTheirSpelling) {
    auto key = registry->Create(Root::CurrentUser, base + "\\Options\\Changer");
    key->SetValue("ChangeOnStartup", reg::StringValue("1"));
    auto again = registry->Open(Root::CurrentUser, base + "\\OPTIONS\\changer", false);
    ASSERT_NE(again, nullptr);
    reg::Value v;
    ASSERT_TRUE(again->QueryValue("changeonstartup", v));
    EXPECT_EQ(reg::StringOf(v), "1");
    EXPECT_EQ(AsSet(again->ValueNames()), std::set<std::string>{"ChangeOnStartup"});
    auto parent = registry->Open(Root::CurrentUser, base, false);
    EXPECT_EQ(parent->SubKeyNames(), std::vector<std::string>{"Options"});
}

TEST_P(RegistryContract, ValuesKeepTypeAndBytes) {
    auto key = registry->Create(Root::CurrentUser, base);
    const uint8_t bytes[] = {0, 1, 2, 0xFF};
    key->SetValue("bin", reg::BinaryValue(bytes, sizeof bytes));
    key->SetValue("empty", reg::BinaryValue(nullptr, 0));
    key->SetValue("text", reg::StringValue("Grüße 日本"));
    key->SetValue("num", reg::DWordValue(0xC052));
    reg::Value v;
    ASSERT_TRUE(key->QueryValue("bin", v));
    EXPECT_EQ(v.Type, reg::kBinary);
    EXPECT_EQ(v.Data, std::vector<uint8_t>(bytes, bytes + 4));
    ASSERT_TRUE(key->QueryValue("empty", v));
    EXPECT_EQ(v.Type, reg::kBinary);
    EXPECT_TRUE(v.Data.empty());
    ASSERT_TRUE(key->QueryValue("text", v));
    EXPECT_EQ(v.Type, reg::kString);
    EXPECT_EQ(reg::StringOf(v), "Grüße 日本");
    ASSERT_TRUE(key->QueryValue("num", v));
    EXPECT_EQ(v.Type, reg::kDWord);
    EXPECT_EQ(v.Data, (std::vector<uint8_t>{0x52, 0xC0, 0, 0}));
    // Overwriting may change the type.
    key->SetValue("num", reg::StringValue("x"));
    ASSERT_TRUE(key->QueryValue("num", v));
    EXPECT_EQ(v.Type, reg::kString);
    EXPECT_FALSE(key->QueryValue("absent", v));
}

TEST_P(RegistryContract, StringWithoutTerminatorReadsItsCharacters) {
    auto key = registry->Create(Root::CurrentUser, base);
    reg::Value raw;
    raw.Type = reg::kString;
    raw.Data = {'a', 0, 'b', 0, 'c'}; // no NUL and an odd trailing byte
    key->SetValue("odd", raw);
    reg::Value v;
    ASSERT_TRUE(key->QueryValue("odd", v));
    EXPECT_EQ(reg::StringOf(v), "ab");
}

TEST_P(RegistryContract, SubKeysEnumerateInCaseInsensitiveOrder) {
    for (const char* name : {"beta", "Alpha", "gamma", "Delta", "_under"})
        registry->Create(Root::CurrentUser, base + "\\" + name);
    auto key = registry->Open(Root::CurrentUser, base, false);
    EXPECT_EQ(key->SubKeyNames(), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma", "_under"}));
}

TEST_P(RegistryContract, DeleteTreeRemovesEverythingBelowAndOldHandlesFail) {
    auto deep = registry->Create(Root::CurrentUser, base + "\\A\\B\\C");
    deep->SetValue("x", reg::DWordValue(1));
    registry->Create(Root::CurrentUser, base + "\\A\\D");
    registry->Create(Root::CurrentUser, base + "\\Keep");
    EXPECT_TRUE(registry->DeleteTree(Root::CurrentUser, base + "\\a"));
    EXPECT_EQ(registry->Open(Root::CurrentUser, base + "\\A", false), nullptr);
    EXPECT_EQ(registry->Open(Root::CurrentUser, base + "\\A\\B\\C", false), nullptr);
    EXPECT_NE(registry->Open(Root::CurrentUser, base + "\\Keep", false), nullptr);
    EXPECT_FALSE(registry->DeleteTree(Root::CurrentUser, base + "\\A"));
    EXPECT_THROW(deep->SetValue("y", reg::DWordValue(2)), ERegistryException);
}

TEST_P(RegistryContract, DeleteValueReportsWhetherItExisted) {
    auto key = registry->Create(Root::CurrentUser, base);
    key->SetValue("v", reg::DWordValue(1));
    EXPECT_TRUE(key->DeleteValue("V"));
    EXPECT_FALSE(key->DeleteValue("v"));
    EXPECT_TRUE(key->ValueNames().empty());
}

TEST_P(RegistryContract, ReadOnlyHandleRefusesWrites) {
    registry->Create(Root::CurrentUser, base);
    auto key = registry->Open(Root::CurrentUser, base, false);
    try {
        key->SetValue("Name", reg::DWordValue(1));
        FAIL() << "a read-only key accepted a write";
    } catch (const ERegistryAccessDenied& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Name'");
    }
}

TEST_P(RegistryContract, BelowARefusedKeyOnlyReadingIsAllowed) {
    registry->Create(Root::CurrentUser, base + "\\Locked\\Inner")->SetValue("v", reg::DWordValue(1));
    GetParam().Refuse(*registry, Root::CurrentUser, base + "\\Locked");
    EXPECT_EQ(registry->Open(Root::CurrentUser, base + "\\Locked\\Inner", true), nullptr);
    EXPECT_EQ(registry->Create(Root::CurrentUser, base + "\\Locked\\Inner"), nullptr); // even existing
    EXPECT_EQ(registry->Create(Root::CurrentUser, base + "\\Locked\\New"), nullptr);
    EXPECT_FALSE(registry->DeleteTree(Root::CurrentUser, base + "\\Locked\\Inner"));
    auto read = registry->Open(Root::CurrentUser, base + "\\Locked\\Inner", false);
    ASSERT_NE(read, nullptr);
    reg::Value v;
    EXPECT_TRUE(read->QueryValue("v", v));
    EXPECT_THROW(read->SetValue("v", reg::DWordValue(2)), ERegistryAccessDenied);
    // Beside the refused key everything goes on as before.
    EXPECT_NE(registry->Create(Root::CurrentUser, base + "\\Free"), nullptr);
}
