// The book built into the reader, Vestaria by Penwright, in stored form.
#pragma once

#include "book/markup.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace cadenzo {

// Lines of one chunk of the shipped book, as they stand in the program: each
// line ended by a line feed.
struct BookChunk {
    std::string_view text;
    std::size_t count;
};

// The shipped book's chunks, in book order (generated from vestaria.lit).
const std::vector<BookChunk>& ShippedBookChunks();

// The shipped book's lines, chunk after chunk, as views of the program's own
// text: the list costs no copy of the book.
using ShippedLineList = std::vector<std::string_view>;
ShippedLineList FillShippedBook();

} // namespace cadenzo
