// Plain-text and EPUB books opened from "Open File", the command line, a drop
// or their catalogue node: laid out by the formatter's library, then read like
// any book file.
#include "app/book_maker.h"
#include "base/errors.h"
#include "book_file.h"
#include "formatter.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::ReadFile;
using test::WriteFile;

const char* const kCafe =
    "THE CAFÉ AT THE QUAY\n\nby Héloïse Marchand\n\n\n"
    "CHAPTER I.\nThe Storm\n\n"
    "“It’s late,” said the clerk — and it was. Émile kept the café open until midnight.\n\n"
    "‘Not yet,’ she answered. Noël counted the boats twice.\n\n\n"
    "CHAPTER II.\nLow Water\n\n"
    "The harbour master wrote the hours in a green ledger. The façade stood dark.\n";

bool holds(const BookLineList& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](std::string_view l) { return Contains(l, text); });
}

class OutsideBooks : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.platform.bookMaker = FormatterBookMaker();
        rig.reset();
        cafe = rig.folder.path("books/Café.TXT");
        WriteFile(cafe, kCafe);
        rig.start();
        catalogueNodes = rig.window.tree.size();
    }
    Reader& r() { return *rig.reader; }
    void openFile(const std::string& path) {
        rig.window.openAnswers.push_back(path);
        r().OpenLITItemClick();
    }
    void clickNode(int number) {
        rig.window.selected = number;
        r().TOCTreeViewClick();
    }
    ReaderRig rig;
    std::string cafe;
    std::size_t catalogueNodes = 0;
};

TEST_F(OutsideBooks, OpenFileLaysOutThePlainTextAndAddsItsNode) {
    openFile(cafe);
    EXPECT_EQ(r().state().BookFileName, cafe);
    EXPECT_EQ(r().state().BookKey, "Café");
    EXPECT_TRUE(holds(r().state().BookLines, "Émile kept the café open"));
    EXPECT_EQ(r().state().BookLines.back(), " "); // prepared as every book is
    EXPECT_EQ(rig.window.caption, "Cadenzo -- THE CAFÉ AT THE QUAY");
    EXPECT_EQ(rig.window.frontPage, "Reading");
    EXPECT_TRUE(rig.window.bookmarksMenuVisible);
    EXPECT_TRUE(rig.window.indexTabVisible);
    EXPECT_EQ(rig.window.indexView, IndexView::Unloaded);
    EXPECT_EQ(r().state().IndexPath, "");
    ASSERT_EQ(rig.window.tree.size(), catalogueNodes + 3);
    const auto& title = rig.window.tree[catalogueNodes];
    EXPECT_EQ(title.text, "THE CAFÉ AT THE QUAY");
    EXPECT_EQ(title.parent, -1);
    EXPECT_EQ(title.number, static_cast<int>(catalogueNodes));
    EXPECT_EQ(rig.window.tree[catalogueNodes + 2].parent, title.number);
    EXPECT_TRUE(Contains(rig.window.tree[catalogueNodes + 2].text, "Low Water"));
    // Nothing is written beside the user's file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.folder.path("books")), {}), 1);
    // The page saved as text keeps its characters, in UTF-8.
    rig.window.saveAnswers.push_back(rig.folder.path("page.txt"));
    r().SaveScreenItemClick();
    EXPECT_TRUE(Contains(ReadFile(rig.folder.path("page.txt")), "\u201CIt\u2019s late,\u201D said \r\n"))
        << ReadFile(rig.folder.path("page.txt"));
}

TEST_F(OutsideBooks, NodesOpenChaptersAndStayOneABook) {
    openFile(cafe);
    const std::string other = rig.folder.path("books/other.txt");
    WriteFile(other, "A SHORT ONE\n\nOnly one paragraph of text stands here.\n");
    openFile(other);
    openFile(cafe);
    r().OpenOutsideBook(cafe, " "); // the same file again
    ASSERT_EQ(rig.window.tree.size(), catalogueNodes + 3 + 2);
    EXPECT_EQ(r().state().OutsideBooks.size(), 2u);
    // A chapter node opens at the line after its anchor; the title node at
    // the beginning.
    struct Case {
        int node;
        std::string path;
        std::string lineBefore;
    };
    const int first = static_cast<int>(catalogueNodes);
    for (const Case& c : {Case{first + 2, cafe, "|refpt002>"}, Case{first + 1, cafe, "|refpt001>"},
                          Case{first + 3, other, ""}, Case{first + 2, cafe, "|refpt002>"}}) {
        clickNode(c.node);
        EXPECT_EQ(r().state().BookFileName, c.path) << c.node;
        if (c.lineBefore.empty()) {
            EXPECT_EQ(r().PageStart(), 0);
        } else {
            ASSERT_GT(r().PageStart(), 0);
            EXPECT_TRUE(Contains(r().state().BookLines[static_cast<std::size_t>(r().PageStart() - 1)], c.lineBefore));
        }
    }
    EXPECT_EQ(rig.window.caption, "Cadenzo -- THE CAFÉ AT THE QUAY");
    // A node past the outside books' is no book.
    clickNode(first + 5);
    EXPECT_EQ(rig.window.messages, (std::vector<std::string>{"Not here yet"}));
    // Opening a catalogue file keeps the books' nodes after its own.
    WriteFile(rig.folder.path("app/shelf.toc"), "Shelf<<0none\r\nMine<<1mine\r\n");
    rig.window.openAnswers.push_back(rig.folder.path("app/shelf.toc"));
    r().OpenTOCItemClick();
    ASSERT_EQ(rig.window.tree.size(), 2u + 5u);
    EXPECT_EQ(rig.window.tree[2].text, "THE CAFÉ AT THE QUAY");
    clickNode(4);
    EXPECT_TRUE(Contains(r().state().BookLines[static_cast<std::size_t>(r().PageStart() - 1)], "|refpt002>"));
}

TEST_F(OutsideBooks, BookFilesOpenAsBefore) {
    openFile(cafe);
    const std::string lit = rig.folder.path("app/mybook.lit");
    WriteFile(lit, test::StoredBookText(1, 3));
    openFile(lit);
    EXPECT_EQ(r().state().BookKey, "mybook");
    EXPECT_FALSE(rig.window.bookmarksMenuVisible);
    EXPECT_EQ(rig.window.caption, "Cadenzo -- THE CAFÉ AT THE QUAY"); // the caption stays
    EXPECT_EQ(rig.window.tree.size(), catalogueNodes + 3);
    // A drop opens as Open File does.
    r().BookFileDropped(cafe);
    EXPECT_EQ(r().state().BookFileName, cafe);
    EXPECT_TRUE(rig.window.bookmarksMenuVisible);
    r().BookFileDropped(lit);
    EXPECT_EQ(r().state().BookFileName, lit);
    EXPECT_FALSE(rig.window.bookmarksMenuVisible);
    EXPECT_EQ(rig.window.openDialogFileName, lit);
    // The names of the reader's own pages choose no built-in page for them.
    const std::string title = rig.folder.path("books/title.txt");
    WriteFile(title, "NOTES\n\nThese are my own notes on the harbour.\n");
    openFile(title);
    EXPECT_TRUE(holds(r().state().BookLines, "my own notes"));
    EXPECT_FALSE(holds(r().state().BookLines, "This is a list"));
}

TEST_F(OutsideBooks, FilesThatCannotBeLaidOutLeaveTheOpenBook) {
    openFile(cafe);
    r().NextPage();
    const BookLineList lines = r().state().BookLines;
    const int start = r().PageStart();
    struct Case {
        std::string name;
        std::string bytes; // nothing written when empty
        std::string reason;
    };
    const Case cases[] = {
        {"missing.txt", "", "no such file"},
        {"blank.txt", " \n\n \t\n", "the input is empty"},
        {"broken.epub", "PK\x03\x04 not a zip at all", format::readsEpub() ? "" : "cannot read EPUB"},
        {"folder.txt/x.txt", "x", "it is a folder"},
    };
    for (const Case& c : cases) {
        std::string path = rig.folder.path("books/" + c.name);
        if (!c.bytes.empty()) WriteFile(path, c.bytes);
        if (c.name == "folder.txt/x.txt") path = rig.folder.path("books/folder.txt");
        try {
            openFile(path);
            ADD_FAILURE() << c.name << " opened";
        } catch (const ReaderError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("Cannot open the book " + path + ": ", 0), 0u) << message;
            EXPECT_TRUE(Contains(message, c.reason)) << message;
            // The reason names the file once, in front.
            EXPECT_EQ(message.find(path, 22), std::string::npos) << message;
        }
        EXPECT_EQ(r().state().BookFileName, cafe);
        EXPECT_EQ(r().state().BookLines, lines);
        EXPECT_EQ(r().PageStart(), start);
        EXPECT_EQ(rig.window.tree.size(), catalogueNodes + 3);
        EXPECT_EQ(rig.window.caption, "Cadenzo -- THE CAFÉ AT THE QUAY");
    }
}

// A short book named on the command line is laid out before the window and
// given to the reader once; a long, large or unreadable one is not, or is
// given as its error.
TEST_F(OutsideBooks, CommandLineBookLaidOutBeforeTheWindowIsGivenOnce) {
    const std::shared_ptr<EarlyLayout> early = LayOutBeforeWindow(cafe);
    ASSERT_TRUE(early && early->layout);
    WriteFile(cafe, std::string(kCafe).replace(0, 21, "THE OTHER QUAY"));
    rig.platform.bookMaker = WithEarlyLayout(FormatterBookMaker(), early);
    rig.platform.commandLineBook = cafe;
    rig.reset();
    rig.start();
    EXPECT_EQ(rig.window.caption, "Cadenzo -- THE CAFÉ AT THE QUAY"); // as laid out before the file changed
    EXPECT_TRUE(holds(r().state().BookLines, "Émile kept the café open"));
    const std::string other = rig.folder.path("books/other.txt");
    WriteFile(other, "A SHORT ONE\n\nIt ends here.\n");
    openFile(other);
    openFile(cafe); // laid out anew
    EXPECT_TRUE(holds(r().state().BookLines, "THE OTHER QUAY"));

    const std::string blank = rig.folder.path("books/blank.txt");
    WriteFile(blank, " \n\n");
    rig.platform.bookMaker = WithEarlyLayout(FormatterBookMaker(), LayOutBeforeWindow(blank));
    rig.platform.commandLineBook = blank;
    rig.reset();
    rig.start();
    ASSERT_EQ(rig.window.errors.size(), 1u);
    EXPECT_EQ(rig.window.errors[0].rfind("Cannot open the book " + blank + ": the input is empty", 0), 0u);

    std::string longBook = "GO\n\n";
    for (std::size_t i = 0; i < format::kFirstPartFromSentences + 10; ++i)
        longBook += i % 50 == 49 ? "Go.\n\n" : "Go. ";
    const std::string large(kEarlyLayoutMaxBytes + 1, 'a');
    for (const auto& [name, text] : {std::pair{"long.txt", longBook}, {"large.txt", large}, {"book.lit", "x"}}) {
        const std::string path = rig.folder.path(std::string("books/") + name);
        WriteFile(path, text);
        EXPECT_EQ(LayOutBeforeWindow(path), nullptr) << name;
    }
}

TEST_F(OutsideBooks, IndexIsBuiltInMemoryAndFindsAccentedWords) {
    openFile(cafe);
    r().IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexView, IndexView::Loaded);
    EXPECT_EQ(rig.window.indexLoadingShown, 1);
    EXPECT_FALSE(rig.window.indexLoading);
    const IndexTree& tree = rig.window.indexTree;
    const auto word = std::find(tree.text.begin(), tree.text.end(), "Émile");
    ASSERT_NE(word, tree.text.end());
    const int node = static_cast<int>(word - tree.text.begin());
    ASSERT_GT(tree.childCount[static_cast<std::size_t>(node)], 0);
    const int reference = tree.child(node, 0);
    rig.window.indexSelected = reference;
    r().InxTreeViewClick();
    const int line = std::stoi(tree.text[static_cast<std::size_t>(reference)]);
    EXPECT_EQ(r().PageStart(), std::max(0, line - 5));
    EXPECT_TRUE(Contains(r().state().BookLines[static_cast<std::size_t>(line)], "Émile"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.folder.path("books")), {}), 1);
    // A book file opened after it leaves the index page to the catalogue.
    const std::string lit = rig.folder.path("app/mybook.lit");
    WriteFile(lit, test::StoredBookText(1, 3));
    openFile(lit);
    rig.window.indexView = IndexView::Unloaded;
    r().IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexView, IndexView::Unloaded);
}

TEST_F(OutsideBooks, BookmarksAndTheResumeOfferUseItsKey) {
    rig.platform.commandLineBook = cafe;
    rig.reset();
    rig.start();
    EXPECT_EQ(r().state().BookFileName, cafe);
    ASSERT_EQ(rig.window.tree.size(), catalogueNodes + 3); // the command line's book has its node
    rig.window.setCapacity(4);
    r().RedrawPage();
    r().NextPage();
    const int start = r().PageStart();
    ASSERT_GT(start, 0);
    r().FormClose();
    EXPECT_TRUE(
        Contains(ReadFile(r().state().BookmarkPath), "<<Café\r\n#" + std::to_string(start) + " Closed book at "));
    // Next start: the resume offer takes the reader back.
    rig.reset();
    rig.window.yesNoAnswers = {true};
    rig.start();
    ASSERT_EQ(rig.window.questions.size(), 1u);
    EXPECT_EQ(rig.window.questions[0].second, kResumeQuestion);
    EXPECT_EQ(r().PageStart(), start);
}

// The rest of a book as a layout thread hands it over: finished when the
// test says, or when the reader waits for it.
class FakeRest : public LayoutRest {
  public:
    explicit FakeRest(const std::vector<std::string>& whole) : whole_(PrepareBookLines(whole)) {}
    bool finished() const override { return done; }
    void wait() override {
        if (!done) ++waits;
        done = true;
    }
    BookLineList take() override {
        if (!failure.empty()) throw ReaderError(failure);
        return std::move(whole_);
    }
    bool done = false;
    int waits = 0;
    std::string failure;

  private:
    BookLineList whole_;
};

// A long book opens at its first part while the rest is laid out: pages
// within that part are drawn at once, a page, a chapter or a search past it
// waits for the rest, and the whole book then takes the part's place.
class BookStillBeingLaidOut : public OutsideBooks {
  protected:
    void SetUp() override {
        std::string text = "THE LONG SHORE\n\n";
        for (int c = 1; c <= 3; ++c) {
            text += "CHAPTER " + std::to_string(c) + "\n\n";
            for (int p = 0; p < 700; ++p) text += "The tide came in at " + std::to_string(p) + " past the hour.\n\n";
        }
        text += "The last word is quiet.\n";
        whole = format::layOutBook(text, "long.txt").lines;
        ASSERT_GT(whole.size(), 3 * kPart);
        OutsideBooks::SetUp();
        longBook = rig.folder.path("books/long.txt");
        WriteFile(longBook, text);
        rig.platform.bookMaker.layOut = [this](const std::string& path) {
            OutsideLayout first = FormatterBookMaker().layOut(path);
            if (path != longBook) return first;
            first.lines = BookLineList(first.lines.begin(), first.lines.begin() + (kPart - 1)); // no banner
            rest = std::make_shared<FakeRest>(whole);
            first.rest = rest;
            return first;
        };
        rig.reset();
        rig.start();
    }
    void startWith(const std::string& book) {
        rig.platform.commandLineBook = book;
        rig.reset();
        rig.start();
    }
    static constexpr std::size_t kPart = 1200;
    std::vector<std::string> whole;
    std::string longBook;
    std::shared_ptr<FakeRest> rest;
};

TEST_F(BookStillBeingLaidOut, PagesWithinThePartAreDrawnAtOnceAndPastItWait) {
    startWith(longBook);
    // The command line's book, then the welcome page added at start-up.
    const BookLineList welcome(r().state().BookLines.begin() + kPart - 1, r().state().BookLines.end());
    ASSERT_FALSE(welcome.empty());
    ASSERT_EQ(rig.window.tree.size(), catalogueNodes + 4); // all three chapters have their nodes
    rig.window.setCapacity(100);
    r().RedrawPage();
    int turns = 0;
    while (rest->waits == 0 && turns < 100) {
        r().NextPage();
        ++turns;
    }
    // Pages of at most 100 lines: about the tenth reaches past the 1,199
    // lines laid out.
    EXPECT_GE(turns, 8);
    EXPECT_GT(r().PageStart() + 2 * 108, 1199);
    EXPECT_LT(r().PageStart(), 1199);
    BookLineList expected = PrepareBookLines(whole);
    expected.append(welcome);
    EXPECT_EQ(r().state().BookLines, expected);
    EXPECT_FALSE(r().state().PendingBook);
    EXPECT_EQ(rig.window.positionText,
              std::to_string(r().PageStart() / 100) + " of " + std::to_string(expected.size() / 100) + " panels");
}

TEST_F(BookStillBeingLaidOut, ChaptersSearchesAndTheIndexWaitForTheWholeBook) {
    const std::vector<std::function<void()>> needsTheWholeBook = {
        [&] { clickNode(static_cast<int>(catalogueNodes) + 6); }, // its third chapter, after the café's nodes
        [&] {
            rig.window.find.text = "quiet"; // in the book's last sentence
            r().FindDialog1Find();
        },
        [&] { r().IndexLoadButtonClick(); },
    };
    const std::vector<std::function<bool()>> done = {
        [&] { return Contains(r().state().BookLines[static_cast<std::size_t>(r().PageStart() - 1)], "|refpt003>"); },
        [&] { return Contains(r().state().BookLines[static_cast<std::size_t>(r().state().FindHitLine)], "quiet"); },
        [&] { return rig.window.indexView == IndexView::Loaded; },
    };
    for (std::size_t k = 0; k < needsTheWholeBook.size(); ++k) {
        openFile(cafe); // another book first
        openFile(longBook);
        ASSERT_TRUE(r().state().PendingBook);
        ASSERT_EQ(rest->waits, 0);
        needsTheWholeBook[k]();
        EXPECT_EQ(rest->waits, 1) << k;
        EXPECT_EQ(r().state().BookLines, PrepareBookLines(whole)) << k;
        EXPECT_TRUE(done[k]()) << k;
    }
}

TEST_F(BookStillBeingLaidOut, RestLaidOutJoinsThePartWithoutWaitingAndAFailureKeepsThePart) {
    openFile(longBook);
    r().OutsideLayoutFinished(); // a late notice of a book not finished yet
    EXPECT_TRUE(r().state().PendingBook);
    rest->done = true;
    r().OutsideLayoutFinished();
    EXPECT_EQ(rest->waits, 0);
    EXPECT_EQ(r().state().BookLines, PrepareBookLines(whole));
    EXPECT_EQ(rig.window.positionText, "0 of " + std::to_string(r().state().BookLines.size() / 100) + " panels");
    // A book whose rest cannot be laid out ends where its part ends.
    openFile(cafe);
    openFile(longBook);
    const BookLineList part = r().state().BookLines;
    rest->failure = "there is not enough memory to lay it out";
    rest->done = true;
    try {
        r().OutsideLayoutFinished();
        ADD_FAILURE() << "no error";
    } catch (const ReaderError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open the book " + longBook + ": there is not enough memory to lay it out");
    }
    BookLineList ended = part;
    for (std::string_view line : BookEndLines(true)) ended.push_back(line);
    EXPECT_EQ(r().state().BookLines, ended);
    EXPECT_FALSE(r().state().PendingBook);
}

} // namespace
} // namespace cadenzo
