// Builds a book's word index: every word of two or more letters, in
// alphabetical order ignoring case, followed by references to the lines of
// the prepared book where it occurs.
#pragma once

#include "book/markup.h"

#include <string>
#include <vector>

namespace cadenzo::index {

struct IndexOptions {
    bool keepCommonWords = false; // "the", "and", "of" ... are left out unless kept
};

// A reference: "|", four hidden characters holding the number of the chapter
// the line stands in (0000 before the first chapter anchor), and the line
// number in five digits below 100,000, in six from there on.
std::string Reference(int chapter, int line);

// The index file's lines for a book in prepared form. Throws
// std::runtime_error for a book too long for six-digit references.
std::vector<std::string> BuildWordIndex(const BookLineList& prepared, const IndexOptions& options);

bool IsCommonWord(std::string_view lowerCaseWord);

} // namespace cadenzo::index
