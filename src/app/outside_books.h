// Books from outside the catalogue: plain-text and EPUB files the user opens
// from "Open File", the command line or a drop on the window. The formatter
// lays such a file out in phrase lines when it is opened; its chapters get
// catalogue nodes after the catalogue's own for as long as the program runs,
// and its word index is built in memory on "Load Index".
#pragma once

#include "book/markup.h"
#include "catalogue/catalogue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cadenzo {

struct OutsideChapter {
    std::string caption; // "Chapter One — The Storm"
    std::string anchor;  // "refpt001"
};

// The rest of a book whose first part is open, still being laid out on a
// thread of its own.
class LayoutRest {
  public:
    virtual ~LayoutRest() = default; // a layout not finished is abandoned
    // Whether the layout has ended, laid out or failed.
    virtual bool finished() const = 0;
    // Waits until it has ended; the user is shown that the book is still
    // being laid out.
    virtual void wait() = 0;
    // Once ended: the whole book's lines in prepared form, given once;
    // ReaderError with the reason when it could not be laid out.
    virtual BookLineList take() = 0;
};

// A book laid out from a file: its lines in prepared form, the whole book
// (ended as every prepared book is), or the first part (no end) while `rest`
// lays out the others.
struct OutsideLayout {
    BookLineList lines;
    std::string title;
    std::vector<OutsideChapter> chapters;
    std::shared_ptr<LayoutRest> rest;
};

// An outside book the reader has opened: it keeps a catalogue node.
struct OutsideBook {
    std::string path;
    std::string title;
    std::vector<OutsideChapter> chapters;
};

// How outside books are made, given by the program (the formatter and the
// index builder are linked there). layOut throws ReaderError with the reason
// a file cannot be read or laid out; buildIndex gives a word index's lines for
// a book in prepared form.
struct BookMaker {
    std::function<OutsideLayout(const std::string& path)> layOut;
    std::function<std::vector<std::string>(const BookLineList& prepared)> buildIndex;
};

// True for the files the formatter lays out when opened: ".txt" and ".epub",
// in any letter case. Book files (".lit") and all others are read as today.
bool IsOutsideBookFile(const std::string& path);

// True for the files a user may open as a book or drop on the window: book
// files (".lit") and outside books.
bool IsBookFile(const std::string& path);

// The catalogue nodes of an outside book, numbered from `first`: the title,
// then its chapters as its children. Their parents are given by number.
std::vector<CatalogueNode> OutsideCatalogueNodes(const OutsideBook& book, int first);

// What a node number names among the outside books' nodes that begin at
// `first`: the book, and its chapter or -1 for the title node. Nothing when
// the number names no outside node.
struct OutsideNodeTarget {
    std::size_t book = 0;
    int chapter = -1;
};
std::optional<OutsideNodeTarget> OutsideNodeAt(const std::vector<OutsideBook>& books, int first, int number);

} // namespace cadenzo
