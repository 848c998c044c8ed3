// The four pages built into the reader, in stored form, each beginning with
// its banner line.
#pragma once

#include "book/markup.h"

namespace cadenzo {

BookLineList CollectionWelcomePage();
BookLineList TitleListPage();
BookLineList AuthorListPage();
BookLineList AuthorEntryPage();

// The page shown at start-up before any book is chosen. Unlike the four
// above it is already in prepared form (no banner line): it is appended to
// the prepared lines as they stand.
BookLineList StartupWelcomePage();

} // namespace cadenzo
