#include "book/shipped_book.h"

namespace cadenzo {

ShippedLineList FillShippedBook() {
    std::size_t total = 0;
    for (const BookChunk& chunk : ShippedBookChunks()) total += chunk.count;
    ShippedLineList book;
    book.reserve(total);
    for (const BookChunk& chunk : ShippedBookChunks())
        for (std::size_t i = 0; i < chunk.count; ++i) book.emplace_back(chunk.lines[i]);
    return book;
}

BookLineList ShippedBookLines(const ShippedLineList& shipped) { return BookLineList(shipped.begin(), shipped.end()); }

} // namespace cadenzo
