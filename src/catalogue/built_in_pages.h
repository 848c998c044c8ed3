// The four pages built into the reader, in stored form, each beginning with
// its banner line.
#pragma once

#include "book/markup.h"

namespace cadenzo {

BookLineList CollectionWelcomePage();
BookLineList TitleListPage();
BookLineList AuthorListPage();
BookLineList AuthorEntryPage();

} // namespace cadenzo
