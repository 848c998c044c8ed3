// The package of an EPUB book: the check that the zip archive is an EPUB
// book open to read, the container's pointer to the package file, and that
// file's metadata, manifest and spine (the reading order).
#pragma once

#include "epub_zip.h"

#include <map>
#include <string>
#include <vector>

namespace cadenzo::format::epub {

struct ManifestItem {
    std::string entry; // resolved name in the archive
    std::string mediaType;
    std::string properties;
};

struct Package {
    std::string title;
    std::string author;
    std::string year;
    std::map<std::string, ManifestItem> manifest; // by id
    std::string ncxId;                            // the manifest id of the EPUB 2 table of contents
    std::vector<std::string> spine;               // the documents to read, in order, as entry names
};

// Throws FormatError naming the entry for a zip that is no EPUB, a book
// locked against copying, and a package that names no documents to read.
Package readPackage(ZipArchive& zip);

} // namespace cadenzo::format::epub
