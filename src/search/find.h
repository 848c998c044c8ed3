// Text search through the prepared book lines, as the find dialog asks for it.
#pragma once

#include "book/markup.h"

#include <optional>
#include <string>

namespace cadenzo {

struct FindQuery {
    std::string text;
    bool matchCase = false;
    bool wholeWord = false;
};

// Searches lines `first` to `last` (inclusive; either direction). Each line
// is searched for the query's key word, its text up to the first space; a
// query holding a space is then checked as a phrase against that line joined
// with the next, both trimmed, with their tags taken out. Returns the hit line.
std::optional<int> SearchLines(const BookLineList& lines, int first, int last, const FindQuery& query);

// Where `pattern` occurs in `text`; with `foldCase`, letters match without case; with
// `wholeWord`, only where no letter or digit stands right before or after it.
// Both cover every script: "CAFÉ" finds "café"; "né" is no whole word in "née".
bool Occurs(std::string_view text, std::string_view pattern, bool foldCase, bool wholeWord);

// The first line of the page that shows a hit: the paragraph line above the
// hit, unless that lies at or before the search's origin.
int FindHitPageStart(const BookLineList& lines, int hit, int origin);

} // namespace cadenzo
