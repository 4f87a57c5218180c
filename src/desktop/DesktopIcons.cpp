#include "desktop/DesktopIcons.h"

#include "app/Extra.h"
#include "desktop/IconLayouts.h"
#include "desktop/ListViewLayout.h"
#include "platform/Errors.h"

#include <utility>

namespace {

// A saved position: X, then Y, each a signed 32-bit little-endian number.
constexpr size_t kSavedPositionSize = 8;

void EncodePosition(const TIconData& p, uint8_t (&bytes)[kSavedPositionSize]) {
    const uint32_t x = static_cast<uint32_t>(p.X), y = static_cast<uint32_t>(p.Y);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(x >> (8 * i));
        bytes[4 + i] = static_cast<uint8_t>(y >> (8 * i));
    }
}

TIconData DecodePosition(const std::vector<uint8_t>& bytes) {
    uint32_t x = 0, y = 0;
    for (int i = 3; i >= 0; --i) {
        x = (x << 8) | bytes[i];
        y = (y << 8) | bytes[4 + i];
    }
    return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

// Empties a field for the life of the guard and puts the old value back
// afterwards, also when an error ends the operation.
template <typename T>
class TSetAside {
public:
    TSetAside(T& field, T during) : field_(field), saved_(std::exchange(field, std::move(during))) {}
    ~TSetAside() { field_ = std::move(saved_); }
    TSetAside(const TSetAside&) = delete;
    TSetAside& operator=(const TSetAside&) = delete;

private:
    T& field_;
    T saved_;
};

} // namespace

TDesktopIcons::TDesktopIcons(reg::IRegistry& registry, IDesktop& desktop, IDesktopMetrics* metrics)
    : registry_(registry), desktop_(desktop), metrics_(metrics) {}

bool TDesktopIcons::ReadIcons() {
    const auto view = desktop_.FindDesktopListView();
    if (!view) return false;
    IconList.clear();
    const int count = view->ItemCount();
    // A desktop without icons leaves the saved positions as they are.
    if (count <= 0) return true;
    // Every icon is read before the saved positions are replaced, so a
    // failure to reach the shell half-way leaves the old ones intact.
    for (int i = 0; i < count; ++i) {
        TIconEntry entry{view->ItemText(i), {}};
        view->ItemPosition(i, entry.Data);
        IconList.push_back(std::move(entry));
    }
    if (!RegistryKey.empty()) SavePositions();
    return true;
}

void TDesktopIcons::SavePositions() {
    TRegistry settings(registry_);
    // The key holds exactly the icons of this save.
    if (settings.KeyExists(RegistryKey)) settings.DeleteKey(RegistryKey);
    settings.OpenKey(RegistryKey, true);
    for (auto it = IconList.begin(); it != IconList.end();) {
        uint8_t bytes[kSavedPositionSize];
        EncodePosition(it->Data, bytes);
        try {
            // Two icons with one label share a value: the later one wins.
            settings.WriteBinary(it->Label, bytes, sizeof bytes);
            ++it;
        } catch (const ERegistryException&) {
            // An icon whose position cannot be saved is dropped; the others
            // are still saved.
            it = IconList.erase(it);
        }
    }
    settings.CloseKey();
}

bool TDesktopIcons::PlaceIcons() {
    const auto view = desktop_.FindDesktopListView();
    if (!view) return false;
    if (!Positioned) {
        // Only refresh IconList from the desktop: no saving.
        TSetAside<std::string> noSaving(RegistryKey, std::string());
        ReadIcons();
    }
    std::unique_ptr<TRegistry> saved;
    if (!RegistryKey.empty()) {
        saved = std::make_unique<TRegistry>(registry_);
        saved->OpenKey(RegistryKey, true);
    }
    for (auto& entry : IconList) {
        const int index = view->FindItem(entry.Label);
        if (index < 0) continue;
        if (saved) {
            // Only a value of the saved kind and size is a position; anything
            // else stored under the label leaves the icon where it is.
            const auto value = saved->ReadValue(entry.Label);
            if (value && value->Type == reg::kBinary && value->Data.size() == kSavedPositionSize)
                entry.Data = DecodePosition(value->Data);
        }
        view->SetItemPosition(index, PackItemPosition(entry.Data.X, entry.Data.Y));
    }
    return true;
}

bool TDesktopIcons::ArrangeIcons(TArrangeKind kind) {
    TSetAside<std::string> noRegistry(RegistryKey, std::string());
    if (!ReadIcons()) return false;
    const auto positions = LayoutIcons(kind, metrics_ ? metrics_->Current() : TDesktopMetrics{}, IconList.size());
    // Without a whole icon cell on the screen there is no layout: the icons
    // stay where they are.
    if (!positions) return true;
    for (size_t i = 0; i < IconList.size(); ++i) IconList[i].Data = (*positions)[i];
    TSetAside<bool> positioned(Positioned, true);
    return PlaceIcons();
}
