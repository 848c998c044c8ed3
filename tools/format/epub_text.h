// The text of an EPUB book's XHTML documents: their paragraphs in reading
// order, with scripts, styles, pictures and note markers left out, gathered
// into chapters where the table of contents points, or, for a book without
// one, at the documents' highest headings.
#pragma once

#include "epub_navigation.h"
#include "text_book.h"

#include <string>
#include <vector>

namespace cadenzo::format::epub {

// The chapters that have text; throws FormatError naming a document that is
// not well-formed.
std::vector<TextChapter> readChapters(ZipArchive& zip, const std::vector<std::string>& spine, const Contents& contents);

} // namespace cadenzo::format::epub
