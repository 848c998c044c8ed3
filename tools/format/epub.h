// EPUB 2 and 3 books: the zip container (minizip), the package file's
// metadata, manifest and spine, the table of contents (the navigation
// document, or the NCX of EPUB 2, or else the documents' headings) and the
// paragraphs of the XHTML documents in reading order, with scripts, styles,
// pictures and note markers left out (the XML read by expat).
#pragma once

#include "text_book.h"

#include <string_view>

namespace cadenzo::format {

// Throws FormatError naming the entry and the reason for a broken book, a zip
// that is no EPUB, and a book encrypted against copying (DRM).
TextBook readEpub(std::string_view bytes);

} // namespace cadenzo::format
