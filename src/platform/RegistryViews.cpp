#include "platform/RegistryViews.h"

#include "platform/Errors.h"
#include "platform/Text.h"

#include <algorithm>

namespace reg {

bool PathAtOrBelow(const std::string& path, const std::string& prefix) {
    const std::vector<std::string> parts = SplitPath(path), head = SplitPath(prefix);
    if (parts.size() < head.size()) return false;
    for (size_t i = 0; i < head.size(); ++i)
        if (!text::SameText(parts[i], head[i])) return false;
    return true;
}

TMergedKey::TMergedKey(std::unique_ptr<IKey> front, std::unique_ptr<IKey> back, TMakeKey makeFront)
    : front_(std::move(front)), back_(std::move(back)), makeFront_(std::move(makeFront)) {}

IKey& TMergedKey::Target() {
    if (!front_ && makeFront_) {
        front_ = makeFront_();
        if (!front_) throw ERegistryAccessDenied("Failed to create key");
    }
    return front_ ? *front_ : *back_;
}

bool TMergedKey::QueryValue(const std::string& name, Value& out) {
    if (front_ && front_->QueryValue(name, out)) return true;
    return back_ && back_->QueryValue(name, out);
}

void TMergedKey::SetValue(const std::string& name, const Value& value) {
    Target().SetValue(name, value);
}

bool TMergedKey::DeleteValue(const std::string& name) {
    if (front_) return front_->DeleteValue(name);
    return !makeFront_ && back_ && back_->DeleteValue(name);
}

namespace {

// The names of both lists, the front's spelling kept, in the registry's
// case-insensitive order.
std::vector<std::string> Union(std::vector<std::string> front, const std::vector<std::string>& back) {
    for (const std::string& name : back) {
        const bool known = std::any_of(front.begin(), front.end(),
                                       [&](const std::string& f) { return text::SameText(f, name); });
        if (!known) front.push_back(name);
    }
    std::sort(front.begin(), front.end(), text::LessText());
    return front;
}

} // namespace

std::vector<std::string> TMergedKey::SubKeyNames() {
    return Union(front_ ? front_->SubKeyNames() : std::vector<std::string>{},
                 back_ ? back_->SubKeyNames() : std::vector<std::string>{});
}

std::vector<std::string> TMergedKey::ValueNames() {
    return Union(front_ ? front_->ValueNames() : std::vector<std::string>{},
                 back_ ? back_->ValueNames() : std::vector<std::string>{});
}

namespace {

// A key below a refused one, opened for reading: every write is refused.
class TRefusedKey : public IKey {
public:
    explicit TRefusedKey(std::unique_ptr<IKey> inner) : inner_(std::move(inner)) {}
    bool QueryValue(const std::string& name, Value& out) override { return inner_->QueryValue(name, out); }
    void SetValue(const std::string& name, const Value&) override {
        throw ERegistryAccessDenied(text::FormatOne("Failed to set data for '%s'", name));
    }
    bool DeleteValue(const std::string&) override { return false; }
    std::vector<std::string> SubKeyNames() override { return inner_->SubKeyNames(); }
    std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }

private:
    std::unique_ptr<IKey> inner_;
};

} // namespace

bool TRefusingRegistry::Refused(Root root, const std::string& path) const {
    return std::any_of(refused_.begin(), refused_.end(), [&](const std::pair<Root, std::string>& r) {
        return r.first == root && PathAtOrBelow(path, r.second);
    });
}

std::unique_ptr<IKey> TRefusingRegistry::Open(Root root, const std::string& path, bool write) {
    if (!Refused(root, path)) return inner_.Open(root, path, write);
    if (write) return nullptr;
    std::unique_ptr<IKey> key = inner_.Open(root, path, false);
    return key ? std::make_unique<TRefusedKey>(std::move(key)) : nullptr;
}

std::unique_ptr<IKey> TRefusingRegistry::Create(Root root, const std::string& path) {
    if (Refused(root, path)) return nullptr;
    return inner_.Create(root, path);
}

bool TRefusingRegistry::DeleteTree(Root root, const std::string& path) {
    if (Refused(root, path)) return false;
    return inner_.DeleteTree(root, path);
}

} // namespace reg
