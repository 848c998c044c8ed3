// The rules that pick out paragraph ("p000"), sentence ("s000") and anchor
// lines among prepared book lines. Paging, saving a page as text and building
// the word index each ask a slightly different question; each rule is named
// after the question it answers, so the differences stay visible.
#pragma once

#include <string_view>

namespace cadenzo {

// Paging forward: a page may end just before such a line. Lines shorter than
// three characters, and lines starting with 'p', 'r' (an anchor line) or 's'.
bool isPageEndBreak(std::string_view line);

// Paging back: a page may begin at such a line. Lines shorter than two
// characters, and lines starting with 'p' or 's' (anchor lines do not count).
bool isPageBackBreak(std::string_view line);

// Saving a page as text: a line left out as a marker. Four characters once
// blanks are trimmed from both ends, starting with 'p' or 's'.
bool isMarkerText(std::string_view line);

// Building the word index: a line counted as a marker, not as text. Four
// characters once blanks and control characters are trimmed, starting with
// 'p' or with "s000" exactly (other sentence codes are text).
bool isIndexMarkerLine(std::string_view line);

} // namespace cadenzo
