// The program's BookMaker: the formatter's library lays out plain-text and
// EPUB books, the index builder makes their word index as cadenzo-index does.
#pragma once

#include "app/outside_books.h"

namespace cadenzo {

// `progress`, when given, hears how far a layout has come (0 to 1), on the
// layout's thread.
BookMaker FormatterBookMaker(std::function<void(double done)> progress = {});

// The formatter's reason for refusing a file without the file's name, which
// the reader's message gives already: a leading "FILE: " is dropped, a quoted
// 'FILE' becomes "it".
std::string ReasonWithoutFileName(const std::string& message, const std::string& path);

} // namespace cadenzo
