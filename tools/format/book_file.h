// Any book file laid out in phrase lines: the one entry that the tool and the
// reader share. A file is read by its kind (the manuscript format, everyday
// plain text, EPUB) into the one book model, and laid out by the default mode.
#pragma once

#include "formatter.h"
#include "manuscript.h"
#include "text_book.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo::format {

enum class BookKind { Manuscript, PlainText, Epub };

// A file's kind: ".epub" (any letter case) is an EPUB; other files are in the
// manuscript format when looksLikeManuscript says so, else plain text.
BookKind bookKindOf(const std::string& name, std::string_view bytes);

// Whether this build reads EPUB files (it needs minizip and expat).
bool readsEpub();

struct LaidOutChapter {
    std::string caption;  // "Chapter One — The Storm"
    std::string anchor;   // "refpt001"
    std::size_t line = 0; // index of its anchor line in `lines` (0 in a first part)
};

struct LaidOutBook {
    BookKind kind = BookKind::PlainText;
    std::string title;
    std::string author;
    std::string year;
    std::vector<std::string> lines; // the stored form, banner first, as the tool writes it
    std::vector<LaidOutChapter> chapters;
};

// The file's bytes as the model. `name` is what errors name (the file's path);
// errors are FormatError "NAME: line N: reason" or "NAME: entry E: reason".
Manuscript readBook(std::string_view bytes, const std::string& name, std::optional<BookKind> kind = std::nullopt);

// readBook, then the default layout.
LaidOutBook layOutBook(std::string_view bytes, const std::string& name, std::optional<BookKind> kind = std::nullopt);

// What a caller hears of a book file's layout as it goes, on the layout's
// thread: the formatter's progress, and the book's first part (its title,
// chapters and first lines) as soon as it is written.
struct BookLayoutWatch {
    std::function<void(double done)> progress;
    std::function<void(const LaidOutBook& firstPart)> firstPart;
};

// The same for a file; an unreadable file is a FormatError naming it.
// `besideThread` as for formatBook.
LaidOutBook layOutBookFile(const std::string& path, std::optional<BookKind> kind = std::nullopt,
                           bool besideThread = false, const BookLayoutWatch& watch = {});

// A whole file's bytes; FormatError when it cannot be read or is a folder.
std::string readBookFileBytes(const std::string& path);

// The everyday readers' book made to fit the book's rules: blanks for tabs and
// other spaces, control characters dropped, "¦" for the markup's bar, a
// zero-width space breaking the letter groups the reader takes for markers,
// words over 40 characters cut, sentences too long for the lines between two
// markers cut after a comma or at a word, empty chapters dropped, headings
// and the title block cut to their lines. `fallbackTitle` names a book that
// names itself nowhere. Throws FormatError when no text is left.
Manuscript bookFromText(TextBook book, const std::string& fallbackTitle);

} // namespace cadenzo::format
