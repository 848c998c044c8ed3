#include "book/shipped_book.h"

#include <algorithm>

namespace cadenzo {

ShippedLineList FillShippedBook() {
    std::size_t total = 0;
    for (const BookChunk& chunk : ShippedBookChunks()) total += chunk.count;
    ShippedLineList book;
    book.reserve(total);
    for (const BookChunk& chunk : ShippedBookChunks())
        for (std::size_t at = 0; at < chunk.text.size();) {
            const std::size_t end = std::min(chunk.text.find('\n', at), chunk.text.size());
            book.push_back(chunk.text.substr(at, end - at));
            at = end + 1;
        }
    return book;
}

} // namespace cadenzo
