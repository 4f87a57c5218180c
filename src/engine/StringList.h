#pragma once
// A list of strings whose lookups ignore letter case. A sorted list keeps its
// strings in the order of the program's one case-insensitive comparison and
// ignores an add of a string it already holds; an unsorted one keeps the
// order in which strings were put in.
#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    explicit TStringList(bool sorted) : sorted_(sorted) {}

    bool Sorted() const { return sorted_; }
    // Turning sorting on sorts the strings held now.
    void SetSorted(bool sorted);

    int Count() const { return static_cast<int>(strings_.size()); }
    bool Empty() const { return strings_.empty(); }
    const std::string& operator[](int index) const { return strings_.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& Strings() const { return strings_; }
    std::vector<std::string>::const_iterator begin() const { return strings_.begin(); }
    std::vector<std::string>::const_iterator end() const { return strings_.end(); }

    // The index of the string (letter case ignored), or -1.
    int IndexOf(const std::string& s) const;
    bool Contains(const std::string& s) const { return IndexOf(s) >= 0; }
    // Sorted: in order, or the index already holding the string. Unsorted: at the end.
    int Add(const std::string& s);
    // Unsorted only: at the given index (0..Count). A sorted list adds in order.
    int Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear() { strings_.clear(); }

private:
    // Sorted only: the first index whose string is not less than s.
    size_t LowerBound(const std::string& s) const;

    std::vector<std::string> strings_;
    bool sorted_ = false;
};
