// The page on screen as plain text: what "Save Screen as Text File" writes.
#pragma once

#include "book/markup.h"

#include <string>
#include <vector>

namespace cadenzo {

// A line without its markup: each bar goes with the two characters after it,
// an anchor tag ("|refpt001>") whole, through its ">".
std::string WithoutMarkup(std::string_view line);

// Lines `first` to `last` inclusive (those that exist), markup removed;
// paragraph and sentence markers and picture lines are left out.
std::vector<std::string> PageTextLines(const BookLineList& lines, int first, int last);

} // namespace cadenzo
