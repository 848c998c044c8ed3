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
    for (std::size_t i = 1; i < book.size(); ++i) {
        const std::string& line = book[i];
        if (line.empty() || line[0] != 'l') continue;
        std::string text = RemoveTagsAsThreeChars(line.substr(3));
        while (!text.empty() && text.back() == ' ') text.pop_back();
        std::size_t characters = 0;
        for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        Expect(characters <= 40 || line.rfind("l00|refpt", 0) == 0);
    }
    return 0;
}
