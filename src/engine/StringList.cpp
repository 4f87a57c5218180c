#include "engine/StringList.h"

#include "platform/Text.h"

#include <algorithm>
#include <stdexcept>

void TStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) std::stable_sort(strings_.begin(), strings_.end(), text::LessText());
    sorted_ = sorted;
}

size_t TStringList::LowerBound(const std::string& s) const {
    return static_cast<size_t>(std::lower_bound(strings_.begin(), strings_.end(), s, text::LessText()) -
                               strings_.begin());
}

int TStringList::IndexOf(const std::string& s) const {
    if (sorted_) {
        const size_t i = LowerBound(s);
        return i < strings_.size() && text::SameText(strings_[i], s) ? static_cast<int>(i) : -1;
    }
    for (size_t i = 0; i < strings_.size(); ++i)
        if (text::SameText(strings_[i], s)) return static_cast<int>(i);
    return -1;
}

int TStringList::Add(const std::string& s) {
    if (!sorted_) {
        strings_.push_back(s);
        return Count() - 1;
    }
    const size_t i = LowerBound(s);
    if (i < strings_.size() && text::SameText(strings_[i], s)) return static_cast<int>(i);
    strings_.insert(strings_.begin() + static_cast<std::ptrdiff_t>(i), s);
    return static_cast<int>(i);
}

int TStringList::Insert(int index, const std::string& s) {
    if (sorted_) return Add(s);
    if (index < 0 || index > Count()) throw std::out_of_range("TStringList::Insert");
    strings_.insert(strings_.begin() + index, s);
    return index;
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("TStringList::Delete");
    strings_.erase(strings_.begin() + index);
}
