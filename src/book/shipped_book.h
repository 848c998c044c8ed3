// The book built into the reader, Vestaria by Penwright, in stored form.
#pragma once

#include "book/markup.h"

#include <cstddef>
#include <vector>

namespace cadenzo {

// Lines of one chunk of the shipped book, as they stand in the program.
struct BookChunk {
    const char* const* lines;
    std::size_t count;
};

// The shipped book's chunks, in book order (generated from vestaria.lit).
const std::vector<BookChunk>& ShippedBookChunks();

// A new list holding every line of the shipped book, chunk after chunk.
BookLineList FillShippedBook();

} // namespace cadenzo
