#include "desktop/ShellViewDesktop.h"

#include "desktop/IconLayouts.h"
#include "desktop/ListViewLayout.h"
#include "platform/Text.h"

#include <utility>

TIconData ShellViewPoint(uint32_t packed) {
    TIconData p;
    UnpackItemPosition(packed, p.X, p.Y);
    return p;
}

bool IsHidingPosition(TIconData position) {
    return position == kHiddenIconPosition;
}

TShellViewListView::TShellViewListView(std::unique_ptr<IDesktopFolderView> view) : view_(std::move(view)) {}

TShellViewListView::~TShellViewListView() {
    // Nothing to put back when the user had neither switched on.
    if (!userFlags_ || *userFlags_ == 0) return;
    try {
        view_->SetFolderFlags(viewflags::Moving, *userFlags_);
    } catch (...) {
        // The shell went away mid-operation: there is no view left whose
        // flags could be put back.
    }
}

int TShellViewListView::ItemCount() {
    return view_->ItemCount();
}

std::string TShellViewListView::ItemText(int index) {
    return view_->ItemName(index);
}

bool TShellViewListView::ItemPosition(int index, TIconData& position) {
    return view_->ItemPosition(index, position);
}

int TShellViewListView::FindItem(const std::string& label) {
    if (!names_) {
        std::vector<std::string> names;
        const int count = view_->ItemCount();
        for (int i = 0; i < count; ++i) names.push_back(view_->ItemName(i));
        names_ = std::move(names);
    }
    for (size_t i = 0; i < names_->size(); ++i)
        if (text::SameText((*names_)[i], label)) return static_cast<int>(i);
    return -1;
}

void TShellViewListView::BeginPlacing() {
    if (userFlags_) return;
    const uint32_t flags = view_->FolderFlags();
    if (flags & viewflags::Moving) view_->SetFolderFlags(viewflags::Moving, 0);
    // Only once they are off are they ours to put back.
    userFlags_ = flags & viewflags::Moving;
}

void TShellViewListView::SetItemPosition(int index, uint32_t packed) {
    const TIconData point = ShellViewPoint(packed);
    if (IsHidingPosition(point)) {
        if (placedVisibly_ || hidden_) return;
        if (!(view_->FolderFlags() & viewflags::NoIcons)) view_->SetFolderFlags(viewflags::NoIcons, viewflags::NoIcons);
        hidden_ = true;
        return;
    }
    BeginPlacing();
    if (!placedVisibly_) {
        placedVisibly_ = true;
        if (view_->FolderFlags() & viewflags::NoIcons) view_->SetFolderFlags(viewflags::NoIcons, 0);
    }
    view_->PositionItem(index, point);
}
