#include "book/book_lines.h"

#include "base/errors.h"

#include <limits>
#include <stdexcept>

namespace cadenzo {

namespace {

constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();

} // namespace

BookLineList::BookLineList(std::initializer_list<std::string_view> lines) {
    std::size_t bytes = 0;
    for (std::string_view line : lines) bytes += line.size();
    reserve(lines.size(), bytes);
    for (std::string_view line : lines) push_back(line);
}

BookLineList::BookLineList(std::size_t count, std::string_view line) {
    reserve(count, count * line.size());
    for (std::size_t i = 0; i < count; ++i) push_back(line);
}

const std::string_view BookLineList::operator[](std::size_t index) const {
    if (index >= ends_.size()) throw ListIndexError(static_cast<long long>(index));
    const std::size_t start = startOf(index);
    return std::string_view(text_).substr(start, ends_[index] - start);
}

void BookLineList::reserve(std::size_t lines, std::size_t bytes) {
    ends_.reserve(ends_.size() + lines);
    text_.reserve(text_.size() + bytes);
}

void BookLineList::push_back(std::string_view line) {
    if (line.size() > kMaxText - text_.size()) throw std::length_error("the book is larger than 4 GiB");
    text_.append(line);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

void BookLineList::append(const BookLineList& other, std::size_t first, std::size_t last) {
    if (first > last || last > other.size()) throw ListIndexError(static_cast<long long>(last));
    const std::size_t from = other.startOf(first);
    const std::size_t to = other.startOf(last);
    reserve(last - first, to - from);
    for (std::size_t i = first; i < last; ++i) push_back(other[i]);
}

void BookLineList::replace(std::size_t index, std::string_view line) {
    const std::string_view old = (*this)[index];
    if (line.size() > old.size() && line.size() - old.size() > kMaxText - text_.size())
        throw std::length_error("the book is larger than 4 GiB");
    const std::size_t start = startOf(index);
    text_.replace(start, old.size(), line);
    const auto shift = static_cast<std::int64_t>(line.size()) - static_cast<std::int64_t>(old.size());
    for (std::size_t i = index; i < ends_.size(); ++i)
        ends_[i] = static_cast<std::uint32_t>(static_cast<std::int64_t>(ends_[i]) + shift);
}

void BookLineList::clear() {
    text_.clear();
    ends_.clear();
}

} // namespace cadenzo
