// Book line markup: the stored form a book arrives in, and the prepared form
// the reader draws, searches and saves.
#pragma once

#include "base/text.h"

#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

using BookLineList = std::vector<std::string>;

// Indentation codes above this give this many blanks.
inline constexpr int kMaxIndent = 52;

// Turns a stored book into its prepared form: trailing blank lines removed,
// "p999" appended, the banner line dropped, the end lines appended, and every
// phrase line's "lNN" code turned into NN leading blanks. All or nothing: a
// line that cannot be prepared throws and the input is not touched.
BookLineList PrepareBookLines(const BookLineList& stored);
// The same, reusing the stored lines' memory (for long books), with room for
// `room` lines more.
BookLineList PrepareBookLines(BookLineList&& stored, std::size_t room = 0);
// The first part of a book whose rest is still being laid out, prepared as the
// whole book will be: the banner dropped, the phrase lines unfolded, no end.
BookLineList PrepareBookStart(BookLineList&& stored);
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
