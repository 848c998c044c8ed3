// Files the reader reads are UTF-8 or Windows-1252 and become UTF-8 inside;
// what it writes keeps the characters: bookmarks in UTF-8, a saved page in
// the encoding its book came in.
#include "support/reader_rig.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;
using test::WriteFile;

// A book of one sentence; `quote` and `word` are spliced in as raw bytes.
std::string bookBytes(const std::string& bom, const std::string& quote, const std::string& word) {
    return bom + "banner\r\nl00|b>Title, by  \r\np000 \r\nl05The " + quote + "Keeper" + quote + " said|9> " + word +
           "|4> \r\nl08and went. \r\np001 \r\nl05Last words. \r\np002 \r\n";
}

struct Opened {
    ReaderRig rig;
    std::string saved; // the first page saved as text
};

void openAndSave(Opened& o, const std::string& bytes) {
    const std::string book = o.rig.folder.path("books/mine.lit");
    WriteFile(book, bytes);
    o.rig.window.setCapacity(20);
    o.rig.start();
    o.rig.window.openAnswers = {book};
    o.rig.reader->OpenLITItemClick();
    o.rig.window.saveAnswers = {o.rig.folder.path("page.txt")};
    o.rig.reader->SaveScreenItemClick();
    o.saved = ReadFile(o.rig.folder.path("page.txt"));
}

TEST(Encoding, BooksAreReadAsUtf8OrWindows1252AndSavedAsTheyCame) {
    const std::string utf8Quote = "\xE2\x80\x99", utf8Word = "caf\xC3\xA9";
    struct Case {
        const char* name;
        std::string bytes;
        std::string savedSentence; // the saved file's line for the sentence's first phrase line
    };
    const Case cases[] = {
        {"UTF-8", bookBytes("", utf8Quote, utf8Word), "     The \xE2\x80\x99Keeper\xE2\x80\x99 said caf\xC3\xA9 \r\n"},
        {"UTF-8 with a byte order mark", bookBytes("\xEF\xBB\xBF", utf8Quote, utf8Word),
         "     The \xE2\x80\x99Keeper\xE2\x80\x99 said caf\xC3\xA9 \r\n"},
        // The same text in Windows-1252 is saved back byte for byte.
        {"Windows-1252", bookBytes("", "\x92", "caf\xE9"), "     The \x92Keeper\x92 said caf\xE9 \r\n"},
        // A byte the code page leaves undefined survives the round trip too.
        {"Windows-1252, undefined byte", bookBytes("", "\x81", "caf\xE9"), "     The \x81Keeper\x81 said caf\xE9 \r\n"},
    };
    for (const Case& c : cases) {
        Opened o;
        openAndSave(o, c.bytes);
        const Reader& r = *o.rig.reader;
        ASSERT_EQ(r.state().BookKey, "mine") << c.name;
        // Inside, the line is UTF-8 whatever the file held.
        ASSERT_GE(r.state().BookLines.size(), 4u) << c.name;
        EXPECT_TRUE(text::isValidUtf8(r.state().BookLines[2])) << c.name;
        EXPECT_EQ(r.state().BookLines[0], "|b>Title, by  ")
            << c.name << ": the byte order mark is no part of the banner";
        EXPECT_NE(o.saved.find(c.savedSentence), std::string::npos) << c.name << "\n" << o.saved;
        // The drawn page holds the characters, not their bytes one by one.
        bool drawn = false;
        for (const auto& t : o.rig.window.surface.texts) drawn |= t.text == " caf\xC3\xA9";
        EXPECT_TRUE(drawn) << c.name;
    }
}

TEST(Encoding, BookmarkIndexAndCatalogueFilesInWindows1252BecomeUtf8) {
    ReaderRig rig;
    WriteFile(rig.folder.path("app/Reader.toc"),
              "Caf\xE9 Shelf <<0none\r\nMy B\xF6ok<<1mybook\r\nOne<<2mybook@refpt001\r\n");
    WriteFile(rig.folder.path("app/mybook.lit"), test::StoredBookText(1, 6));
    WriteFile(rig.folder.path("app/mybook.lix"), "\xC9t\xE9|000100012\r\nzoo|000100020\r\n");
    rig.window.setCapacity(10);
    rig.start();
    Reader& r = *rig.reader;
    EXPECT_EQ(rig.window.applicationTitle, "Caf\xC3\xA9 Shelf");
    WriteFile(r.state().BookmarkPath, "<<none\r\n<<mybook\r\n#7 Cl\xF4tur\xE9\r\nend\r\n");

    rig.window.selectLine(1);
    rig.window.yesNoAnswers = {false};
    r.TOCTreeViewClick();
    EXPECT_EQ(rig.window.caption, "Cadenzo -- My B\xC3\xB6ok");
    ASSERT_EQ(rig.window.questions.size(), 1u);
    EXPECT_EQ(rig.window.questions[0].first, "Cl\xC3\xB4tur\xC3\xA9"); // the resume offer names it readably

    // A name typed with accents is written in UTF-8, and the whole file with it.
    r.BMMenuClick();
    rig.window.bookmarkNames = {"\xC3\xA9t\xC3\xA9"};
    r.BMAddItemClick();
    EXPECT_EQ(ReadFile(r.state().BookmarkPath),
              "<<none\r\n<<mybook\r\n#0 \xC3\xA9t\xC3\xA9\r\n#7 Cl\xC3\xB4tur\xC3\xA9\r\nend\r\n");

    r.IndexLoadButtonClick();
    std::vector<std::string> shown(rig.window.indexTree.text.begin(), rig.window.indexTree.text.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"Index", "e", "\xC3\x89t\xC3\xA9", "  00012", "z", "zoo", "  00020"}));
}

} // namespace
} // namespace cadenzo
