// Opening plain-text and EPUB books: laid out by the formatter when opened,
// then read like any book file; their catalogue nodes and word index.
#include "app/outside_books.h"
#include "app/reader.h"
#include "base/checked.h"
#include "base/errors.h"
#include "search/word_index.h"

#include <algorithm>
#include <cctype>

namespace cadenzo {

namespace {

std::string lowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

} // namespace

bool IsOutsideBookFile(const std::string& path) {
    const std::string ext = lowerExtension(path);
    return ext == ".txt" || ext == ".epub";
}

bool IsBookFile(const std::string& path) { return IsOutsideBookFile(path) || lowerExtension(path) == ".lit"; }

std::vector<CatalogueNode> OutsideCatalogueNodes(const OutsideBook& book, int first) {
    std::vector<CatalogueNode> nodes;
    nodes.push_back(CatalogueNode{book.title, -1, first, -1});
    for (std::size_t k = 0; k < book.chapters.size(); ++k)
        nodes.push_back(CatalogueNode{book.chapters[k].caption, first, first + 1 + static_cast<int>(k), -1});
    return nodes;
}

std::optional<OutsideNodeTarget> OutsideNodeAt(const std::vector<OutsideBook>& books, int first, int number) {
    if (number < first) return std::nullopt;
    long long at = static_cast<long long>(number) - first;
    for (std::size_t b = 0; b < books.size(); ++b) {
        const auto size = static_cast<long long>(books[b].chapters.size()) + 1;
        if (at < size) return OutsideNodeTarget{b, static_cast<int>(at) - 1};
        at -= size;
    }
    return std::nullopt;
}

// ---- The reader's side ------------------------------------------------------

BookLineList Reader::outsideBookSource(const std::string& fileName, text::Encoding& encoding) {
    if (!platform_.bookMaker.layOut) throw ReaderError("this build of Cadenzo cannot lay out books");
    OutsideLayout laidOut = platform_.bookMaker.layOut(fileName);
    if (laidOut.lines.empty()) throw ReaderError("the book has no text");
    encoding = text::Encoding::Utf8; // the formatter writes UTF-8
    LaidOutBook = OutsideBook{fileName, laidOut.title, std::move(laidOut.chapters)};
    OpeningRest = std::move(laidOut.rest);
    return std::move(laidOut.lines);
}

void Reader::completeBook() {
    if (!PendingBook) return;
    const std::shared_ptr<LayoutRest> rest = PendingBook->rest;
    rest->wait();
    // While it waited, the window may have completed the book already.
    if (!PendingBook || PendingBook->rest != rest) return;
    const std::size_t ready = std::min(PendingBook->readyLines, BookLines.size());
    PendingBook.reset();
    // The whole book takes the place of its first part; what follows that part
    // (the welcome page added at start-up) stays after it.
    BookLineList whole;
    std::string failure;
    try {
        whole = rest->take();
    } catch (const ReaderError& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        // The part shown stays, ended where the layout stopped.
        whole.append(BookLines, 0, ready);
        const BookLineList ending = BookEndLines(ready > 0);
        whole.append(ending);
    }
    whole.append(BookLines, ready, BookLines.size());
    BookLines = std::move(whole);
    if (!failure.empty()) throw ReaderError("Cannot open the book " + BookFileName + ": " + failure);
}

void Reader::OutsideLayoutFinished() {
    if (!PendingBook || !PendingBook->rest->finished()) return;
    completeBook();
    // The page shown stays; its place is now told in the whole book.
    const int count = static_cast<int>(BookLines.size());
    if (page.PageStart < count - 2) {
        ShowPosition(page.PageStart, count, win_);
        win_.setNextEnabled(NextPageStart < count - 2);
    }
}

void Reader::appendOutsideNodes(std::vector<CatalogueNode>& tree) {
    OutsideNodeStart = static_cast<int>(tree.size());
    for (const OutsideBook& book : OutsideBooks) {
        std::vector<CatalogueNode> nodes = OutsideCatalogueNodes(book, static_cast<int>(tree.size()));
        tree.insert(tree.end(), nodes.begin(), nodes.end());
    }
}

void Reader::OpenOutsideBook(const std::string& path, const std::string& anchor) {
    const bool different = path != BookFileName;
    LaidOutBook.reset();
    OpenBook(path, anchor); // a book that cannot be laid out leaves the open one as it was
    if (different) {
        // Its index is built in memory, nothing is written beside the file.
        IndexPath.clear();
        win_.setIndexTabVisible(true);
        win_.setIndexView(IndexView::Unloaded);
    }
    if (LaidOutBook) {
        const auto known = std::find_if(OutsideBooks.begin(), OutsideBooks.end(),
                                        [&](const OutsideBook& book) { return book.path == path; });
        if (known == OutsideBooks.end()) {
            int number = OutsideNodeStart;
            for (const OutsideBook& book : OutsideBooks) number += static_cast<int>(book.chapters.size()) + 1;
            OutsideBooks.push_back(std::move(*LaidOutBook));
            // Before the catalogue is built (a book on the command line) the
            // build adds the node.
            if (!CatalogueLines.empty()) win_.appendCatalogueNodes(OutsideCatalogueNodes(OutsideBooks.back(), number));
        }
        LaidOutBook.reset();
    }
    const auto book =
        std::find_if(OutsideBooks.begin(), OutsideBooks.end(), [&](const OutsideBook& b) { return b.path == path; });
    if (book != OutsideBooks.end()) {
        BookTitle = book->title;
        win_.setCaption("Cadenzo -- " + BookTitle);
    }
}

void Reader::OpenOutsideFile(const std::string& path) {
    OpenOutsideBook(path, " ");
    win_.showReadingTab();
    win_.setBookmarksMenuVisible(true); // its bookmarks are kept as any book's
}

void Reader::BookFileDropped(const std::string& path) {
    if (path.empty()) return;
    OpenDialogFileName = path;
    win_.setOpenDialogFileName(path);
    if (IsOutsideBookFile(path)) {
        OpenOutsideFile(path);
        return;
    }
    win_.showReadingTab();
    win_.setBookmarksMenuVisible(false);
    OpenBook(path, " ");
}

bool Reader::OutsideNodeClick(int number) {
    const auto target = OutsideNodeAt(OutsideBooks, OutsideNodeStart, number);
    if (!target) return false;
    const OutsideBook& book = checkedAt(OutsideBooks, target->book);
    const std::string path = book.path;
    BookAnchor = target->chapter >= 0 ? checkedAt(book.chapters, target->chapter).anchor : "00000";
    OpenDialogFileName = path;
    win_.setOpenDialogFileName(path);
    OpenOutsideBook(path, BookAnchor);
    win_.showReadingTab();
    return true;
}

bool Reader::LoadOutsideIndex() {
    const bool outside = std::any_of(OutsideBooks.begin(), OutsideBooks.end(),
                                     [&](const OutsideBook& book) { return book.path == BookFileName; });
    if (!outside || !platform_.bookMaker.buildIndex) return false;
    completeBook(); // the index is of the whole book
    win_.setIndexLoading(true);
    std::vector<std::string> lines;
    try {
        lines = platform_.bookMaker.buildIndex(BookLines);
    } catch (const std::exception& error) {
        win_.setIndexLoading(false);
        throw ReaderError("Cannot build the index of " + BookFileName + ": " + error.what());
    }
    showIndex(std::move(lines));
    return true;
}

} // namespace cadenzo
