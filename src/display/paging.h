// Where pages begin and end: the rules paging forward and paging back follow.
// The renderer draws what these choose; the reader's PrevPage asks where the
// previous page begins.
#pragma once

#include "book/markup.h"

namespace cadenzo {

// Paging forward: how many lines a column that begins at `start` shows when it
// has room for `capacity` lines. The last line of the book is never shown;
// the column ends just before the last page-end break after its first line,
// or shows all it has room for when there is none.
int columnLineCount(const BookLineList& lines, int start, int capacity);

// Paging back: the line where the page before the page at `pageStart` begins,
// `linesPerPage` lines earlier and then forward to the next page-back break,
// unless that break is at or past `pageStart`. 0 when fewer lines are above.
int pageBackStart(const BookLineList& lines, int pageStart, int linesPerPage);

// Opening at an anchor: the line after the first line (all but the last line
// searched) that carries "|<anchor>>"; 0 when none does.
int anchorPageStart(const BookLineList& lines, const std::string& anchor);

// True when a line from `first` through `last` (those that exist) switches to
// the Courier face ("|f>"), so the page drawn from `first` starts in the
// Times face.
bool switchesToCourier(const BookLineList& lines, int first, int last);

} // namespace cadenzo
