// The table of contents of an EPUB book: the navigation document of EPUB 3,
// else the NCX of EPUB 2, as the places in the spine's documents where a
// chapter starts and the chapter's name.
#pragma once

#include "epub_package.h"

#include <map>
#include <string>
#include <tuple>

namespace cadenzo::format::epub {

// Where a table-of-contents entry points: a document and an element id in it.
struct Target {
    std::string entry;
    std::string id; // empty: the document's start
    bool operator<(const Target& o) const { return std::tie(entry, id) < std::tie(o.entry, o.id); }
};

using Contents = std::map<Target, std::string>;

// Empty when the book has no table of contents pointing into its spine.
Contents readContents(ZipArchive& zip, const Package& package);

} // namespace cadenzo::format::epub
