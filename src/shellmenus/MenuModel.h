#pragma once
// The portable model of the program's menus. An entry holds everything the
// Windows layer needs to insert and draw it (caption, images, state, break)
// and its sub-entries; the Windows layer turns a model into native
// owner-drawn menus and calls OnPopup and OnClick back. Every entry has a
// 16-bit command identifier, unique among all the program's menus, which
// native menu messages carry.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Hands out the command identifiers 1 to 0xFFFF. One allocator serves all the
// menus of the program, so that an identifier names one entry wherever a
// message comes from; identifiers of removed entries are handed out again.
class TCommandIds {
public:
    static constexpr uint16_t kFirst = 1;
    static constexpr uint16_t kLast = 0xFFFF;

    TCommandIds();
    TCommandIds(const TCommandIds&) = delete;
    TCommandIds& operator=(const TCommandIds&) = delete;

    // The most recently released identifier, else the next never used one;
    // EMuraltoError when all are in use.
    uint16_t Allocate();
    // Giving back an identifier that is not in use does nothing.
    void Release(uint16_t id);
    bool InUse(uint16_t id) const { return inUse_[id]; }
    int Count() const { return count_; }

private:
    std::vector<bool> inUse_;
    std::vector<uint16_t> released_;
    uint32_t next_ = kFirst;
    int count_ = 0;
};

// Where a native menu starts a new column at an entry: Column starts it
// plainly, Bar with a separator line between the columns.
enum class TMenuBreak { None, Column, Bar };

class TMenuItem {
public:
    static constexpr const char* kSeparator = "-";
    static constexpr const char* kPlaceholder = "(Empty)";

    // A root menu (a popup menu component); its entries share its allocator,
    // which must outlive them.
    explicit TMenuItem(TCommandIds& ids);
    // Gives the identifiers of the entry and of all its sub-entries back.
    ~TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    std::string Caption;      // "-" is a separator; "&" marks the access key
    std::string Name;         // the component name, for FindByName
    int32_t Tag = 0;
    bool Enabled = true;
    bool Checked = false;
    bool RadioItem = false;   // checked as a radio button rather than a tick
    bool Default = false;     // drawn as the default entry
    TMenuBreak Break = TMenuBreak::None;
    bool SystemImage = false; // ImageIndex refers to the system image list
    int32_t ImageIndex = 0;   // own images: 0 or less is none
    int HelpContext = 0;
    // The native sub-menu of this entry (an HMENU), set by the Windows layer;
    // 0 when it has none.
    uintptr_t NativeHandle = 0;
    // Chosen, or (entries with sub-entries) about to open.
    std::function<void(TMenuItem&)> OnClick;
    // About to open, before OnClick.
    std::function<void(TMenuItem&)> OnPopup;
    // Set on a root menu by the Windows layer: rebuild the native sub-menu of
    // the given entry from the model.
    std::function<void(TMenuItem&)> OnRebuild;

    uint16_t Command() const { return command_; }
    bool IsSeparator() const { return Caption == kSeparator; }
    // The disabled "(Empty)" entry that keeps a sub-menu openable before it is
    // filled and when it has nothing to show.
    bool IsPlaceholder() const;

    int Count() const { return static_cast<int>(children_.size()); }
    // std::out_of_range for a bad index, in every operation taking one.
    TMenuItem& Item(int index);
    const TMenuItem& Item(int index) const;
    TMenuItem& Add(std::string caption = {});
    // At 0..Count().
    TMenuItem& Insert(int index, std::string caption = {});
    TMenuItem& AddPlaceholder();
    void Delete(int index);
    // Removes the sub-entries from index onwards (0..Count()).
    void DeleteFrom(int index);
    void Clear() { DeleteFrom(0); }
    // -1 when child is not a sub-entry of this one.
    int IndexOf(const TMenuItem& child) const;

    TMenuItem* Parent() const { return parent_; }
    TMenuItem& Root();
    const TMenuItem& Root() const;
    TCommandIds& Ids() const { return ids_; }

    // In this entry and everything below it; null when absent.
    TMenuItem* Find(uint16_t command);
    // The entry whose native sub-menu this is; 0 finds nothing.
    TMenuItem* FindByHandle(uintptr_t handle);
    // Component names compare without regard to case; "" finds nothing.
    TMenuItem* FindByName(const std::string& name);

    // Runs OnClick or OnPopup when set.
    void Click();
    void Popup();
    // Asks the Windows layer (the root's OnRebuild) to rebuild this entry's
    // native sub-menu once, after a batch of changes.
    void Rebuild();

private:
    TMenuItem(TMenuItem& parent, std::string caption);

    TCommandIds& ids_;
    TMenuItem* parent_ = nullptr;
    uint16_t command_;
    std::vector<std::unique_ptr<TMenuItem>> children_;
};

// One row of a fixed menu tree. Rows come in tree order (an entry, then its
// sub-entries); Depth 0 is a sub-entry of the entry the table is added to,
// Depth n + 1 a sub-entry of the nearest row of depth n above.
namespace menuspec {
constexpr unsigned Disabled = 1u << 0;
constexpr unsigned Checked = 1u << 1;
constexpr unsigned Radio = 1u << 2;
constexpr unsigned Default = 1u << 3;
constexpr unsigned ColumnBreak = 1u << 4;
constexpr unsigned BarBreak = 1u << 5;
constexpr unsigned SystemImage = 1u << 6;
} // namespace menuspec

struct TMenuSpec {
    const char* Caption;
    const char* Name;
    int32_t Tag = 0;
    int HelpContext = 0;
    int32_t ImageIndex = 0;
    int Depth = 0;
    unsigned Flags = 0; // menuspec:: bits
};

// True when the first row has depth 0 and no row is more than one level
// deeper than the row above it: usable in a static_assert on a table.
constexpr bool IsMenuTable(const TMenuSpec* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const int limit = i == 0 ? 0 : rows[i - 1].Depth + 1;
        if (rows[i].Depth < 0 || rows[i].Depth > limit || rows[i].Caption == nullptr) return false;
    }
    return true;
}
template <size_t N>
constexpr bool IsMenuTable(const TMenuSpec (&rows)[N]) {
    return IsMenuTable(rows, N);
}

// Appends the table's tree to parent; std::invalid_argument when the table is
// not a menu table (nothing is added then).
void AddMenuItems(TMenuItem& parent, const TMenuSpec* rows, size_t count);
template <size_t N>
void AddMenuItems(TMenuItem& parent, const TMenuSpec (&rows)[N]) {
    AddMenuItems(parent, rows, N);
}
