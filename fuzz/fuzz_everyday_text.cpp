// Everyday plain text of any bytes: the reader finds title, headings and
// paragraphs or names what it cannot use, and the book it lays out prepares,
// every phrase at most 40 characters, every marker four characters.
#include "book_file.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    format::LaidOutBook book;
    try {
        book = format::layOutBook(in.rest(), "fuzz.txt", format::BookKind::PlainText);
    } catch (const format::FormatError& e) {
        Expect(std::string(e.what()).rfind("fuzz.txt: ", 0) == 0);
        return 0;
    }
    try {
        PrepareBookLines(book.lines);
    } catch (const ReaderError&) {
        Expect(false);
    }
    for (std::size_t i = 1; i < book.lines.size(); ++i) {
        const std::string& line = book.lines[i];
        Expect(!line.empty());
        if (line[0] == 'p' || line[0] == 's') {
            Expect(line.size() == 4 || (line.size() == 5 && line[4] == ' '));
            continue;
        }
        Expect(line[0] == 'l');
        std::string text = RemoveTagsAsThreeChars(line.substr(3));
        while (!text.empty() && text.back() == ' ') text.pop_back();
        std::size_t characters = 0;
        for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        Expect(characters <= 40 || line.rfind("l00|refpt", 0) == 0);
        if (line.rfind("l00|refpt", 0) != 0) Expect(line.find("refp") == std::string::npos);
    }
    return 0;
}
