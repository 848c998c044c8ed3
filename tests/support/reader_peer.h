// The tests' one way into the reader's state, to set up a case the handlers
// would take many steps to reach. Tests read the state through state().
#pragma once

#include "app/reader.h"

#include <string>
#include <utility>

namespace cadenzo {

struct ReaderPeer {
    static ReaderState& state(Reader& reader) { return reader; }

    // Puts a prepared book of lines into BookLines (the page is not drawn).
    static void setBookLines(Reader& reader, BookLineList lines) { state(reader).BookLines = std::move(lines); }
    // Appends `text` to a line of BookLines, to mark it for a test (checked).
    static void markBookLine(Reader& reader, std::size_t line, std::string_view text) {
        BookLineList& lines = state(reader).BookLines;
        lines.replace(line, std::string(lines.at(line)).append(text));
    }
    // Draws the page from `line`, as a find hit, an index entry or a bookmark does.
    static void showPageFrom(Reader& reader, int line) { state(reader).NextPageStart = reader.ShowPage(line); }
    // Puts a prepared book of lines into BookLines and shows it from line 0.
    static void open(Reader& reader, BookLineList lines) {
        setBookLines(reader, std::move(lines));
        showPageFrom(reader, 0);
    }
    static void setIndexPath(Reader& reader, std::string path) { state(reader).IndexPath = std::move(path); }
    static void setCurColorSet(Reader& reader, int set) { state(reader).page.CurColorSet = set; }
    static void setPageTurned(Reader& reader, bool turned) { state(reader).PageTurned = turned; }
    static void setShippedBook(Reader& reader, ShippedLineList lines) { state(reader).ShippedBook = std::move(lines); }
};

} // namespace cadenzo
