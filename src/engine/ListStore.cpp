#include "engine/ListStore.h"

#include "app/Extra.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <map>

// ---- TSettingsReader ----

TSettingsReader::TSettingsReader(reg::IRegistry& registry, std::string base, reg::Root root)
    : registry_(registry), base_(std::move(base)), root_(root) {}

std::optional<reg::Value> TSettingsReader::Read(const std::string& section, const std::string& name) {
    auto key = registry_.Open(root_, reg::JoinPath(base_, section), false);
    reg::Value value;
    if (!key || !key->QueryValue(name, value)) return std::nullopt;
    return value;
}

std::optional<std::string> TSettingsReader::ReadText(const std::string& section, const std::string& name) {
    const auto value = Read(section, name);
    if (!value || !reg::IsStringType(value->Type)) return std::nullopt;
    return reg::StringOf(*value);
}

std::string TSettingsReader::ReadString(const std::string& section, const std::string& name,
                                        const std::string& def) {
    return ReadText(section, name).value_or(def);
}

int32_t TSettingsReader::ReadInteger(const std::string& section, const std::string& name, int32_t def) {
    const auto text = ReadText(section, name);
    return text ? SettingToInt(*text, def) : def;
}

bool TSettingsReader::ReadBool(const std::string& section, const std::string& name, bool def) {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

uint16_t TSettingsReader::ReadWord(const std::string& section, const std::string& name, uint16_t def) {
    const auto value = Read(section, name);
    if (!value || value->Type != reg::kBinary || value->Data.size() != 2) return def;
    return static_cast<uint16_t>(value->Data[0] | (value->Data[1] << 8));
}

// ---- Numbered values ----

std::string TNumberedNames::Name(int64_t index) const {
    return Prefix + std::to_string(index);
}

std::optional<size_t> TNumberedNames::IndexOf(const std::string& name) const {
    if (name.size() <= Prefix.size() || !text::SameText(name.substr(0, Prefix.size()), Prefix)) return std::nullopt;
    const std::string digits = name.substr(Prefix.size());
    // A list never has more entries than a 32-bit capacity allows.
    if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    uint64_t index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        index = index * 10 + static_cast<uint64_t>(c - '0');
    }
    if (index > static_cast<uint64_t>(INT32_MAX)) return std::nullopt;
    return static_cast<size_t>(index);
}

std::vector<std::string> ReadNumberedStrings(reg::IKey& key, const TNumberedNames& names) {
    std::vector<std::string> strings;
    reg::Value value;
    while (key.QueryValue(names.Name(static_cast<int64_t>(strings.size())), value) && reg::IsStringType(value.Type))
        strings.push_back(reg::StringOf(value));
    return strings;
}

void DeleteNumberedFrom(reg::IKey& key, const TNumberedNames& names, int64_t first) {
    for (int64_t i = first; key.DeleteValue(names.Name(i)); ++i) {
    }
}

namespace {

// One rewrite of a numbered list. Every numbered value holding a string is
// one stored copy of that string; a value may be overwritten when the string
// it holds is not wanted any more, or is held by another value as well.
// Otherwise the string's new place has to be written first: following those
// dependencies gives chains, which are written from their far end back, and
// rings, which are opened by copying one string to a spare value.
class TNumberedRewrite {
public:
    TNumberedRewrite(reg::IKey& key, const std::vector<std::string>& entries, const TNumberedNames& names)
        : key_(key), want_(entries), names_(names), pending_(entries.size(), false), inChain_(entries.size(), false) {}

    void Run() {
        ReadStored();
        for (size_t i = 0; i < want_.size(); ++i) {
            wanted_[want_[i]].push_back(i);
            const auto it = stored_.find(i);
            pending_[i] = it == stored_.end() || it->second.Type != reg::kString ||
                          it->second.Data != reg::StringValue(want_[i]).Data;
        }
        for (size_t i = 0; i < want_.size(); ++i)
            if (pending_[i]) WriteChainFrom(i, false);
        for (size_t i = 0; i < want_.size(); ++i)
            if (pending_[i]) WriteChainFrom(i, true);
        for (const auto& [index, value] : stored_)
            if (index >= want_.size()) key_.DeleteValue(names_.Name(static_cast<int64_t>(index)));
        for (const auto& name : others_) key_.DeleteValue(name);
    }

private:
    void ReadStored() {
        for (const auto& name : key_.ValueNames()) {
            const auto index = names_.IndexOf(name);
            reg::Value value;
            if (!index) {
                others_.push_back(name);
            } else if (key_.QueryValue(name, value)) {
                if (reg::IsStringType(value.Type)) ++copies_[reg::StringOf(value)];
                stored_[*index] = std::move(value);
            }
        }
    }

    std::optional<std::string> TextAt(size_t index) const {
        const auto it = stored_.find(index);
        if (it == stored_.end() || !reg::IsStringType(it->second.Type)) return std::nullopt;
        return reg::StringOf(it->second);
    }

    // The index that must be written before `index` may be overwritten: the
    // place still waiting for the only stored copy of its string.
    std::optional<size_t> MustWaitFor(size_t index) const {
        const auto text = TextAt(index);
        if (!text || copies_.at(*text) > 1) return std::nullopt;
        const auto wanted = wanted_.find(*text);
        if (wanted == wanted_.end()) return std::nullopt;
        for (size_t place : wanted->second)
            if (place != index && pending_[place]) return place;
        return std::nullopt;
    }

    void Store(size_t index, const std::string& text) {
        if (const auto old = TextAt(index)) --copies_[*old];
        reg::Value value = reg::StringValue(text);
        key_.SetValue(names_.Name(static_cast<int64_t>(index)), value);
        stored_[index] = std::move(value);
        ++copies_[text];
    }

    void WriteChainFrom(size_t first, bool openRings) {
        std::vector<size_t> chain{first};
        inChain_[first] = true;
        bool ring = false;
        for (size_t at = first;;) {
            const auto next = MustWaitFor(at);
            if (!next) break;
            if (inChain_[*next]) {
                ring = true;
                break;
            }
            chain.push_back(*next);
            inChain_[*next] = true;
            at = *next;
        }
        for (size_t place : chain) inChain_[place] = false;
        if (ring) {
            // Left for the second pass; then the string of the ring's last
            // place is copied aside so that this place may be written.
            if (!openRings) return;
            Store(Spare(), *TextAt(chain.back()));
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            Store(*it, want_[*it]);
            pending_[*it] = false;
        }
    }

    // The first index past the list that holds no value; rings are only
    // opened once every other place is written, so this keeps the values
    // numbered without a gap.
    size_t Spare() {
        if (!spare_) {
            size_t s = want_.size();
            while (stored_.count(s)) ++s;
            spare_ = s;
        }
        return *spare_;
    }

    reg::IKey& key_;
    const std::vector<std::string>& want_;
    const TNumberedNames& names_;
    std::vector<bool> pending_;
    std::vector<bool> inChain_;
    std::map<size_t, reg::Value> stored_;
    std::vector<std::string> others_;
    std::map<std::string, int> copies_;
    std::map<std::string, std::vector<size_t>> wanted_;
    std::optional<size_t> spare_;
};

} // namespace

void RewriteNumberedStrings(reg::IRegistry& registry, reg::Root root, const std::string& keyPath,
                            const std::vector<std::string>& entries, const TNumberedNames& names) {
    auto key = registry.Create(root, keyPath);
    if (!key) throw ERegistryException(text::FormatOne("Failed to create key %s", keyPath));
    TNumberedRewrite(*key, entries, names).Run();
    // Deleting and writing the key again would leave no sub-key either.
    for (const auto& sub : key->SubKeyNames()) registry.DeleteTree(root, reg::JoinPath(keyPath, sub));
}
