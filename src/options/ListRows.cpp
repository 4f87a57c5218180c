#include "options/ListRows.h"

#include "platform/Text.h"

#include <algorithm>
#include <stdexcept>

namespace {

void CheckIndex(int index, int count, const char* what) {
    if (index < 0 || index >= count) throw std::out_of_range(what);
}

} // namespace

void TListRows::SelectAll() {
    for (TRow& row : rows_) row.Selected = true;
}

void TListRows::DeselectAll() {
    for (TRow& row : rows_) row.Selected = false;
}

int TListRows::SelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const TRow& row) { return row.Selected; }));
}

std::vector<std::string> TListRows::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const TRow& row : rows_) texts.push_back(row.Text);
    return texts;
}

std::vector<std::string> TListRows::SelectedTexts() const {
    std::vector<std::string> texts;
    for (const TRow& row : rows_)
        if (row.Selected) texts.push_back(row.Text);
    return texts;
}

int TListRows::IndexOf(const std::string& text) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (text::SameText(rows_[i].Text, text)) return static_cast<int>(i);
    return -1;
}

void TListRows::SetSorted(bool sorted) {
    if (sorted && !sorted_)
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const TRow& a, const TRow& b) { return text::LessText()(a.Text, b.Text); });
    sorted_ = sorted;
}

int TListRows::Add(const std::string& text) {
    const int existing = IndexOf(text);
    if (existing >= 0) return existing;
    if (!sorted_) {
        rows_.push_back({text, false});
        return Count() - 1;
    }
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), text,
                                     [](const TRow& row, const std::string& s) { return text::LessText()(row.Text, s); });
    return static_cast<int>(rows_.insert(at, TRow{text, false}) - rows_.begin());
}

int TListRows::Insert(int index, const std::string& text) {
    if (sorted_) return Add(text);
    if (index < 0 || index > Count()) throw std::out_of_range("TListRows::Insert");
    rows_.insert(rows_.begin() + index, TRow{text, false});
    return index;
}

void TListRows::Delete(int index) {
    CheckIndex(index, Count(), "TListRows::Delete");
    rows_.erase(rows_.begin() + index);
}

void TListRows::Move(int from, int to) {
    CheckIndex(from, Count(), "TListRows::Move");
    CheckIndex(to, Count(), "TListRows::Move");
    if (sorted_ || from == to) return;
    const TRow row = rows_[static_cast<size_t>(from)];
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, row);
}

void TListRows::DeleteSelected() {
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const TRow& row) { return row.Selected; }),
                rows_.end());
}

void TListRows::Assign(const std::vector<std::string>& texts, bool sorted) {
    rows_.clear();
    sorted_ = false;
    for (const std::string& text : texts) rows_.push_back({text, false});
    SetSorted(sorted);
}

bool DropSelectedRows(TListRows& rows, int target) {
    if (rows.Sorted() || rows.Count() == 0) return false;
    if (target < 0 || target >= rows.Count()) target = rows.Count() - 1;
    if (rows.Selected(target)) return false;

    // Each selected row in turn goes to the target. A row above it moves
    // down (the rows after it move up, so the same index is looked at
    // again); a row below it goes just before or after the gathered ones.
    std::vector<std::string> moved;
    bool movedDown = false;
    for (int i = 0; i < rows.Count();) {
        if (!rows.Selected(i)) {
            ++i;
            continue;
        }
        rows.Select(i, false);
        moved.push_back(rows.Text(i));
        if (i < target) {
            rows.Move(i, target);
            movedDown = true;
        } else {
            const int to = std::min(movedDown ? target + 1 : target, rows.Count() - 1);
            rows.Move(i, to);
            ++target;
            ++i;
        }
    }
    for (const std::string& text : moved) rows.Select(rows.IndexOf(text), true);
    return true;
}
