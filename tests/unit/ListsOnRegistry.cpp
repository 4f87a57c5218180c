#include "unit/ListsOnRegistry.h"

#include "engine/ListStore.h"
#include "platform/Errors.h"

using reg::Root;

namespace {

class FailingKey : public reg::IKey {
public:
    FailingKey(std::unique_ptr<reg::IKey> inner, TFailingRegistry& owner) : inner_(std::move(inner)), owner_(owner) {}
    bool QueryValue(const std::string& name, reg::Value& out) override { return inner_->QueryValue(name, out); }
    void SetValue(const std::string& name, const reg::Value& value) override {
        owner_.Spend();
        inner_->SetValue(name, value);
    }
    bool DeleteValue(const std::string& name) override {
        owner_.Spend();
        return inner_->DeleteValue(name);
    }
    std::vector<std::string> SubKeyNames() override { return inner_->SubKeyNames(); }
    std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }

private:
    std::unique_ptr<reg::IKey> inner_;
    TFailingRegistry& owner_;
};

std::unique_ptr<reg::IKey> Wrap(std::unique_ptr<reg::IKey> key, TFailingRegistry& owner) {
    return key ? std::make_unique<FailingKey>(std::move(key), owner) : nullptr;
}

} // namespace

std::unique_ptr<reg::IKey> TFailingRegistry::Open(Root root, const std::string& path, bool write) {
    return Wrap(inner_.Open(root, path, write), *this);
}

std::unique_ptr<reg::IKey> TFailingRegistry::Create(Root root, const std::string& path) {
    return Wrap(inner_.Create(root, path), *this);
}

bool TFailingRegistry::DeleteTree(Root root, const std::string& path) {
    Spend();
    return inner_.DeleteTree(root, path);
}

void TFailingRegistry::Spend() {
    if (WritesLeft == 0) throw ERegistryException("stopped");
    if (WritesLeft > 0) --WritesLeft;
    ++Writes;
}

TPlacement PlacementAt(int32_t x) {
    TPlacement p;
    p.X = x;
    p.Percentage = 100;
    p.ScreenWidth = 1024;
    return p;
}

void ListsOnRegistry::SetUp() {
    registry = GetParam().Make();
    // One level below "Software", so that tearing down leaves nothing behind.
    P = "Software\\Muralto list test " +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    registry->DeleteTree(Root::CurrentUser, P);
}

void ListsOnRegistry::TearDown() {
    registry->DeleteTree(Root::CurrentUser, P);
}

TPlatform& ListsOnRegistry::PlatformOver(reg::IRegistry& r) {
    platforms_.push_back(std::make_unique<TPlatform>(TPlatform{r, files_, folders_, screen_, clock_, prompts_}));
    return *platforms_.back();
}

void ListsOnRegistry::Put(const std::string& below, const std::string& name, const reg::Value& value) {
    auto key = registry->Create(Root::CurrentUser, Path(below));
    ASSERT_NE(key, nullptr);
    key->SetValue(name, value);
}

std::optional<reg::Value> ListsOnRegistry::Get(const std::string& below, const std::string& name) {
    auto key = registry->Open(Root::CurrentUser, Path(below), false);
    reg::Value v;
    if (!key || !key->QueryValue(name, v)) return std::nullopt;
    return v;
}

std::string ListsOnRegistry::Text(const std::string& below, const std::string& name) {
    const auto v = Get(below, name);
    if (!v) return "<absent>";
    return v->Type == reg::kString ? reg::StringOf(*v) : "<not text>";
}

bool ListsOnRegistry::KeyExists(const std::string& below) {
    return registry->Open(Root::CurrentUser, Path(below), false) != nullptr;
}

std::map<std::string, std::string> ListsOnRegistry::Values(const std::string& below) {
    std::map<std::string, std::string> out;
    if (auto key = registry->Open(Root::CurrentUser, Path(below), false))
        for (const auto& name : key->ValueNames()) out[name] = Text(below, name);
    return out;
}

void ListsOnRegistry::PutList(const std::string& list, const std::vector<std::string>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        PutText("Lists\\" + list + "\\MRU", std::to_string(i), entries[i]);
        const auto bytes = PlacementBytes(PlacementAt(static_cast<int32_t>(i)));
        Put("Lists\\" + list + "\\MRUData", entries[i], reg::BinaryValue(bytes.data(), bytes.size()));
    }
}

void ListsOnRegistry::PutListOptions(const std::string& list, int capacity, bool sorted) {
    PutText("Lists\\" + list + "\\Options", "MRUCapacity", std::to_string(capacity));
    PutText("Lists\\" + list + "\\Options", "SortMostRecent", sorted ? "1" : "0");
}

std::vector<std::string> ListsOnRegistry::StoredEntries(const std::string& list) {
    auto key = registry->Open(Root::CurrentUser, Path("Lists\\" + list + "\\MRU"), false);
    return key ? ReadNumberedStrings(*key, TNumberedNames{""}) : std::vector<std::string>{};
}

std::optional<TPlacement> ListsOnRegistry::StoredPlacement(const std::string& list, const std::string& path) {
    auto key = registry->Open(Root::CurrentUser, Path("Lists\\" + list + "\\MRUData"), false);
    return key ? ReadPlacement(*key, path) : std::nullopt;
}
