// The page on screen as plain text: what "Save Screen as Text File" writes.
#pragma once

#include "base/unicode.h"
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

// Page text as the book's file held it: unchanged for a UTF-8 book, back in
// Windows-1252 (byte for byte what the file held) for a Windows-1252 book. A
// page holding a character that code page cannot hold stays UTF-8 whole.
std::vector<std::string> InBookEncoding(std::vector<std::string> lines, text::Encoding encoding);

} // namespace cadenzo
