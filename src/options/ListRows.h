#pragma once
// The rows of the list page: the entries' texts in order, each selected or
// not, sorted or in the order they were put in. Lookups ignore letter case.
// The row operations of the page (the drop of a drag, paste, delete) work
// on these, so that they are the same in the dialog and in the tests.
#include <string>
#include <vector>

class TListRows {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    const std::string& Text(int index) const { return rows_.at(static_cast<size_t>(index)).Text; }
    bool Selected(int index) const { return rows_.at(static_cast<size_t>(index)).Selected; }
    void Select(int index, bool selected) { rows_.at(static_cast<size_t>(index)).Selected = selected; }
    void SelectAll();
    void DeselectAll();
    int SelectedCount() const;
    std::vector<std::string> Texts() const;
    std::vector<std::string> SelectedTexts() const;

    // The row holding the text (letter case ignored), or -1.
    int IndexOf(const std::string& text) const;
    bool Contains(const std::string& text) const { return IndexOf(text) >= 0; }

    bool Sorted() const { return sorted_; }
    // Turning sorting on sorts the rows at once, selection kept.
    void SetSorted(bool sorted);

    // Sorted: in order; unsorted: at the end. A text already there stays
    // where it is. Returns its row.
    int Add(const std::string& text);
    // Unsorted: at the row (0..Count); sorted: in order.
    int Insert(int index, const std::string& text);
    void Delete(int index);
    // Unsorted only: the row taken out and put in again at `to`.
    void Move(int from, int to);
    void DeleteSelected();
    void Clear() { rows_.clear(); }
    // The rows replaced by these texts, none selected, sorted or not.
    void Assign(const std::vector<std::string>& texts, bool sorted);

private:
    struct TRow {
        std::string Text;
        bool Selected = false;
    };
    std::vector<TRow> rows_;
    bool sorted_ = false;
};

// The drop of a drag onto a row (-1: below the last row): the selected rows,
// in their order, go right after the target when at least one of them lay
// above it, else right before it, and stay selected. Nothing happens when the
// target row is selected itself, or the list is sorted or empty. True when
// the rows moved.
bool DropSelectedRows(TListRows& rows, int target);
