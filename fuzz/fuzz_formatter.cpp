// The formatter on text of any bytes: it either says what it cannot use, or
// writes a book the reader can prepare, every phrase at most 40 characters
// (UTF-8 characters: a manuscript in Windows-1252 is read as UTF-8).
#include "formatter.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    std::vector<std::string> book;
    try {
        book = format::formatBook(format::parseManuscript(in.rest()));
    } catch (const format::FormatError&) {
        return 0;
    }
    Expect(book.size() >= 5);
    BookLineList prepared;
    try {
        prepared = PrepareBookLines(book);
    } catch (const ReaderError&) {
        Expect(false); // the formatter's own output always prepares
    }
    ExpectPhrasesFit(book);
    return 0;
}
