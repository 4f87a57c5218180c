#pragma once
// A desktop list view over icons held in memory, for the tests of both
// routes to the desktop's icons. Positions arrive as the real list view
// receives them: packed into two 16-bit words.
#include "desktop/DesktopIcons.h"
#include "desktop/ListViewLayout.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <string>
#include <vector>

struct TMemoryIcon {
    std::string Label;
    TIconData Position;
};

class TMemoryListView : public IDesktopListView {
public:
    // `sent` (optional) records every packed position in order; reading the
    // label of item `*unreachableAt` (optional) fails as when the shell's
    // process goes away.
    explicit TMemoryListView(std::vector<TMemoryIcon>& items, std::vector<uint32_t>* sent = nullptr,
                             const int* unreachableAt = nullptr)
        : items_(items), sent_(sent), unreachableAt_(unreachableAt) {}

    int ItemCount() override { return static_cast<int>(items_.size()); }
    std::string ItemText(int i) override {
        if (unreachableAt_ && i == *unreachableAt_) throw EMuraltoError("The shell's process went away");
        return Valid(i) ? items_[i].Label : std::string();
    }
    bool ItemPosition(int i, TIconData& p) override {
        if (!Valid(i)) return false;
        p = items_[i].Position;
        return true;
    }
    int FindItem(const std::string& label) override {
        for (size_t i = 0; i < items_.size(); ++i)
            if (text::SameText(items_[i].Label, label)) return static_cast<int>(i);
        return -1;
    }
    void SetItemPosition(int i, uint32_t packed) override {
        if (sent_) sent_->push_back(packed);
        if (Valid(i)) UnpackItemPosition(packed, items_[i].Position.X, items_[i].Position.Y);
    }

private:
    bool Valid(int i) const { return i >= 0 && i < static_cast<int>(items_.size()); }

    std::vector<TMemoryIcon>& items_;
    std::vector<uint32_t>* sent_;
    const int* unreachableAt_;
};
