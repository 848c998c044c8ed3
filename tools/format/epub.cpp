#include "epub.h"

#include "epub_navigation.h"
#include "epub_package.h"
#include "epub_text.h"

namespace cadenzo::format {

TextBook readEpub(std::string_view bytes) {
    epub::ZipArchive zip(bytes);
    const epub::Package package = epub::readPackage(zip);
    const epub::Contents contents = epub::readContents(zip, package);
    TextBook book;
    book.title = package.title;
    book.author = package.author;
    book.year = package.year;
    book.chapters = epub::readChapters(zip, package.spine, contents);
    return book;
}

} // namespace cadenzo::format
