#include "shellmenus/MenuModel.h"

#include "platform/Errors.h"
#include "platform/Text.h"

#include <stdexcept>

TCommandIds::TCommandIds() : inUse_(size_t(kLast) + 1, false) {}

uint16_t TCommandIds::Allocate() {
    uint16_t id;
    if (!released_.empty()) {
        id = released_.back();
        released_.pop_back();
    } else if (next_ <= kLast) {
        id = static_cast<uint16_t>(next_++);
    } else {
        throw EMuraltoError("Too many menu entries: no command identifier is left.");
    }
    inUse_[id] = true;
    ++count_;
    return id;
}

void TCommandIds::Release(uint16_t id) {
    if (id < kFirst || !inUse_[id]) return;
    inUse_[id] = false;
    --count_;
    released_.push_back(id);
}

TMenuItem::TMenuItem(TCommandIds& ids) : ids_(ids), command_(ids.Allocate()) {}

TMenuItem::TMenuItem(TMenuItem& parent, std::string caption)
    : Caption(std::move(caption)), ids_(parent.ids_), parent_(&parent), command_(ids_.Allocate()) {}

TMenuItem::~TMenuItem() {
    ids_.Release(command_);
}

bool TMenuItem::IsPlaceholder() const {
    return !Enabled && children_.empty() && Caption == kPlaceholder;
}

const TMenuItem& TMenuItem::Item(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("TMenuItem::Item");
    return *children_[static_cast<size_t>(index)];
}

TMenuItem& TMenuItem::Item(int index) {
    return const_cast<TMenuItem&>(static_cast<const TMenuItem&>(*this).Item(index));
}

TMenuItem& TMenuItem::Add(std::string caption) {
    return Insert(Count(), std::move(caption));
}

TMenuItem& TMenuItem::Insert(int index, std::string caption) {
    if (index < 0 || index > Count()) throw std::out_of_range("TMenuItem::Insert");
    // The constructor is private, so make_unique cannot reach it.
    std::unique_ptr<TMenuItem> child(new TMenuItem(*this, std::move(caption)));
    TMenuItem& added = *child;
    children_.insert(children_.begin() + index, std::move(child));
    return added;
}

TMenuItem& TMenuItem::AddPlaceholder() {
    TMenuItem& placeholder = Add(kPlaceholder);
    placeholder.Enabled = false;
    return placeholder;
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("TMenuItem::Delete");
    children_.erase(children_.begin() + index);
}

void TMenuItem::DeleteFrom(int index) {
    if (index < 0 || index > Count()) throw std::out_of_range("TMenuItem::DeleteFrom");
    children_.erase(children_.begin() + index, children_.end());
}

int TMenuItem::IndexOf(const TMenuItem& child) const {
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == &child) return static_cast<int>(i);
    return -1;
}

TMenuItem& TMenuItem::Root() {
    TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return *item;
}

const TMenuItem& TMenuItem::Root() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return *item;
}

TMenuItem* TMenuItem::Find(uint16_t command) {
    if (command_ == command) return this;
    for (auto& child : children_)
        if (TMenuItem* found = child->Find(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(uintptr_t handle) {
    if (handle == 0) return nullptr;
    if (NativeHandle == handle) return this;
    for (auto& child : children_)
        if (TMenuItem* found = child->FindByHandle(handle)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindByName(const std::string& name) {
    if (name.empty()) return nullptr;
    if (text::SameText(Name, name)) return this;
    for (auto& child : children_)
        if (TMenuItem* found = child->FindByName(name)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(*this);
}

void TMenuItem::Popup() {
    if (OnPopup) OnPopup(*this);
}

void TMenuItem::Rebuild() {
    TMenuItem& root = Root();
    if (root.OnRebuild) root.OnRebuild(*this);
}

void AddMenuItems(TMenuItem& parent, const TMenuSpec* rows, size_t count) {
    if (!IsMenuTable(rows, count)) throw std::invalid_argument("AddMenuItems: rows out of tree order");
    // The entry each depth adds to: [0] is parent, [d + 1] the last row of depth d.
    std::vector<TMenuItem*> owners{&parent};
    for (size_t i = 0; i < count; ++i) {
        const TMenuSpec& row = rows[i];
        owners.resize(static_cast<size_t>(row.Depth) + 1);
        TMenuItem& item = owners.back()->Add(row.Caption);
        item.Name = row.Name ? row.Name : "";
        item.Tag = row.Tag;
        item.HelpContext = row.HelpContext;
        item.ImageIndex = row.ImageIndex;
        item.Enabled = !(row.Flags & menuspec::Disabled);
        item.Checked = (row.Flags & menuspec::Checked) != 0;
        item.RadioItem = (row.Flags & menuspec::Radio) != 0;
        item.Default = (row.Flags & menuspec::Default) != 0;
        item.SystemImage = (row.Flags & menuspec::SystemImage) != 0;
        item.Break = (row.Flags & menuspec::BarBreak)      ? TMenuBreak::Bar
                     : (row.Flags & menuspec::ColumnBreak) ? TMenuBreak::Column
                                                           : TMenuBreak::None;
        owners.push_back(&item);
    }
}
