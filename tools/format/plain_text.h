// Everyday plain-text books: a title (and "by Author") at the top, chapter
// headings in the usual forms ("CHAPTER I.", "Chapter 1", "Chapter One",
// "I.", "BOOK II" or "PART 3" above chapters, a title line after a heading),
// paragraphs between blank lines, and the public-domain library conventions
// (the licence outside the "*** START OF" and "*** END OF" lines dropped, the
// "Title:", "Author:" and "Release date:" lines used).
#pragma once

#include "text_book.h"

#include <string_view>

namespace cadenzo::format {

// `text` is UTF-8. A text without recognisable chapters is one chapter. Never
// throws for any text; an empty result has no chapters.
TextBook readPlainText(std::string_view text);

} // namespace cadenzo::format
