// Book line markup: the stored form a book arrives in, and the prepared form
// the reader draws, searches and saves.
#pragma once

#include "base/text.h"
#include "book/book_lines.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

// Indentation codes above this give this many blanks.
inline constexpr int kMaxIndent = 52;

// A book's lines in stored form as a file or the formatter gives them.
using StoredLines = std::vector<std::string>;

// Line `index` of a list of stored lines, of whatever kind.
using StoredLineAt = std::function<std::string_view(std::size_t index)>;

// Turns a stored book into its prepared form: trailing blank lines removed,
// "p999" appended, the banner line dropped, the end lines appended, and every
// phrase line's "lNN" code turned into NN leading blanks. A line that cannot
// be prepared throws; the stored lines are never changed.
BookLineList PrepareStoredLines(std::size_t count, const StoredLineAt& line);
// The first part of a book whose rest is still being laid out, prepared as the
// whole book will be: the banner dropped, the phrase lines unfolded, no end.
BookLineList PrepareStoredStart(std::size_t count, const StoredLineAt& line);

// The same for any list of lines that can be viewed as text (strings, views,
// a BookLineList): the prepared list is the only copy made.
template <class Lines> BookLineList PrepareBookLines(const Lines& stored) {
    return PrepareStoredLines(stored.size(), [&](std::size_t i) { return std::string_view(stored[i]); });
}
inline BookLineList PrepareBookLines(const BookLineList& stored) { return PrepareBookLines<BookLineList>(stored); }
template <class Lines> BookLineList PrepareBookStart(const Lines& stored) {
    return PrepareStoredStart(stored.size(), [&](std::size_t i) { return std::string_view(stored[i]); });
}

// The lines that end every prepared book, after its last: "p999" (when the
// book has lines), "END OF FILE" and a blank.
BookLineList BookEndLines(bool afterLines);

// Where the three-character tag whose bar stands at `bar` ends: after the bar
// and the two characters that follow it, whole characters even when one of
// them takes several bytes (the end of the text at most).
std::size_t TagEnd(std::string_view text, std::size_t bar);

// Removes, while a bar remains, the first bar and the two characters after it.
std::string RemoveTagsAsThreeChars(std::string_view text);

bool Contains(std::string_view text, std::string_view part);

} // namespace cadenzo
