// The open book's lines, kept in one block of text: each line is a view of its
// part of the block. A book of ten thousand lines held as ten thousand strings
// costs three times its text; held this way, its text and one offset a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

class BookLineList {
  public:
    using value_type = std::string_view;
    using size_type = std::size_t;

    class const_iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const BookLineList* list, std::size_t at) : list_(list), at_(at) {}
        std::string_view operator*() const { return (*list_)[at_]; }
        std::string_view operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++() { return ++at_, *this; }
        const_iterator operator++(int) { return {list_, at_++}; }
        const_iterator& operator--() { return --at_, *this; }
        const_iterator operator--(int) { return {list_, at_--}; }
        const_iterator& operator+=(difference_type n) { return at_ += static_cast<std::size_t>(n), *this; }
        const_iterator& operator-=(difference_type n) { return at_ -= static_cast<std::size_t>(n), *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.at_ == b.at_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.at_ <=> b.at_; }

      private:
        const BookLineList* list_ = nullptr;
        std::size_t at_ = 0;
    };
    using iterator = const_iterator;

    BookLineList() = default;
    BookLineList(std::initializer_list<std::string_view> lines);
    BookLineList(std::size_t count, std::string_view line);
    // Any lines convertible to std::string_view; a list that can be walked
    // twice is made at its size.
    template <std::input_iterator It> BookLineList(It first, It last) {
        if constexpr (std::forward_iterator<It>) {
            std::size_t lines = 0;
            std::size_t bytes = 0;
            for (It it = first; it != last; ++it, ++lines) bytes += std::string_view(*it).size();
            reserve(lines, bytes);
        }
        for (; first != last; ++first) push_back(*first);
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // The line at `index`; "List index out of bounds" past the end. Const, so that a
    // line cannot look assignable: `replace` changes one.
    const std::string_view operator[](std::size_t index) const;
    const std::string_view at(std::size_t index) const { return (*this)[index]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Room for `lines` lines more holding `bytes` bytes more, so that a list
    // filled to its size is made once.
    void reserve(std::size_t lines, std::size_t bytes);
    // std::length_error when the book's text would pass 4 GiB.
    void push_back(std::string_view line);
    // Lines first to last (not included) of `other`, appended.
    void append(const BookLineList& other, std::size_t first, std::size_t last);
    void append(const BookLineList& other) { append(other, 0, other.size()); }
    // Puts `line` in place of the line at `index` (moves the text after it).
    void replace(std::size_t index, std::string_view line);
    void clear();
    // The bytes of text the lines hold.
    std::size_t textSize() const { return text_.size(); }

    friend bool operator==(const BookLineList& a, const BookLineList& b) {
        return a.ends_ == b.ends_ && a.text_ == b.text_;
    }

  private:
    std::size_t startOf(std::size_t index) const { return index == 0 ? 0 : ends_[index - 1]; }

    std::string text_;
    std::vector<std::uint32_t> ends_; // where each line's text ends in text_
};

} // namespace cadenzo
