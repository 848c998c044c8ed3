// Books as people have them: plain text with its title and chapter headings in
// the usual forms, typographic punctuation, the public-domain library's marks,
// Windows-1252 bytes, books of thousands of paragraphs, and the library entry
// the reader opens them by.
#include "book_file.h"
#include "book_writer.h"
#include "cli.h"
#include "format_book_lines.h"
#include "formatter.h"
#include "plain_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace cadenzo::format::test {
namespace {

const std::string kStorm =
    "The wind rose before dawn. Nobody on the quay had seen such a sky.\n\n"
    "By noon the boats were in, and Mara counted them twice.\n";
const std::string kCalm = "The calm came after, grey and long.\n";

std::vector<std::string> captions(const LaidOutBook& book) {
    std::vector<std::string> out;
    for (const LaidOutChapter& c : book.chapters) out.push_back(c.caption);
    return out;
}

TEST(EverydayText, FindsChaptersInEachHeadingStyle) {
    const struct {
        const char* style;
        std::string text;
        std::vector<std::string> captions;
        std::string numberLine; // the first chapter's number line
    } cases[] = {
        {"CHAPTER I.",
         "CHAPTER I.\n\n" + kStorm + "\nCHAPTER II.\n\n" + kCalm,
         {"CHAPTER I", "CHAPTER II"},
         "l00|b>CHAPTER I.|n> "},
        {"Chapter 1",
         "Chapter 1\n\n" + kStorm + "\n\nChapter 2\n\n" + kCalm,
         {"Chapter 1", "Chapter 2"},
         "l00|b>Chapter 1|n> "},
        {"Chapter One with a title line",
         "Chapter One\nThe Storm\n\n" + kStorm + "\nChapter Twenty-Two\n\nTHE CALM\n\n" + kCalm,
         {"Chapter One \u2014 The Storm", "Chapter Twenty-Two \u2014 THE CALM"},
         "l00|b>Chapter One|n> "},
        {"title on the heading's line",
         "CHAPTER 1: The Storm\n\n" + kStorm + "\nCHAPTER 2. The Calm\n\n" + kCalm,
         {"CHAPTER 1 \u2014 The Storm", "CHAPTER 2 \u2014 The Calm"},
         "l00|b>CHAPTER 1:|n> "},
        {"a numeral alone", "I.\n\n" + kStorm + "\nII.\n\n" + kCalm, {"I", "II"}, "l00|b>I.|n> "},
        {"BOOK and PART above chapters",
         "BOOK II\n\nCHAPTER I\n\n" + kStorm + "\nPART 3\n\nChapter 4\n\n" + kCalm,
         {"BOOK II \u2014 CHAPTER I", "PART 3 \u2014 Chapter 4"},
         "l00|b>BOOK II \u2014 CHAPTER I|n> "},
        {"no headings", kStorm + "\n" + kCalm, {"Untitled Tale"}, ""},
    };
    for (const auto& c : cases) {
        const LaidOutBook book = layOutBook(c.text, "Untitled Tale.txt");
        EXPECT_EQ(book.kind, BookKind::PlainText) << c.style;
        EXPECT_EQ(captions(book), c.captions) << c.style;
        const auto problems = ruleProblems(book.lines);
        EXPECT_TRUE(problems.empty()) << c.style << ": " << problems.front();
        ASSERT_FALSE(book.chapters.empty()) << c.style;
        const std::size_t anchor = book.chapters[0].line;
        ASSERT_LT(anchor + 1, book.lines.size());
        EXPECT_EQ(book.lines[anchor], "l00|refpt001> ") << c.style;
        if (!c.numberLine.empty()) {
            EXPECT_EQ(book.lines[anchor + 1], c.numberLine) << c.style;
        }
        // Every word of the text comes back, in order, and no heading among them.
        const auto words = sentenceWords(book.lines);
        EXPECT_EQ(words, wordsOf(kStorm + " " + kCalm)) << c.style;
    }
}

TEST(EverydayText, ReadsTheLibrarysMarksTitleAndAuthor) {
    const std::string text =
        "\xEF\xBB\xBFThe Project Gutenberg eBook of Harbour Tales\r\n\r\n"
        "This eBook is for the use of anyone anywhere.\r\n\r\n"
        "Title: Harbour Tales\r\nAuthor: Jane Quill\r\nRelease date: March 3, 2004 [eBook #1234]\r\n"
        "Language: English\r\n\r\n"
        "*** START OF THE PROJECT GUTENBERG EBOOK HARBOUR TALES ***\r\n\r\n"
        "HARBOUR TALES\r\n\r\nby Jane Quill\r\n\r\nCONTENTS\r\n\r\nCHAPTER I. The Storm\r\n\r\n"
        "CHAPTER II. The Calm\r\n\r\n\r\nCHAPTER I. The Storm\r\n\r\n" +
        kStorm + "\r\nCHAPTER II. The Calm\r\n\r\n" + kCalm +
        "\r\n*** END OF THE PROJECT GUTENBERG EBOOK HARBOUR TALES ***\r\n\r\n"
        "Section 1. General Terms of Use and Redistributing Project Gutenberg electronic works.\r\n";
    const LaidOutBook book = layOutBook(text, "pg1234.txt");
    EXPECT_EQ(book.title, "Harbour Tales");
    EXPECT_EQ(book.author, "Jane Quill");
    EXPECT_EQ(book.year, "2004");
    EXPECT_EQ(captions(book), (std::vector<std::string>{"CHAPTER I \u2014 The Storm", "CHAPTER II \u2014 The Calm"}));
    EXPECT_EQ(book.lines[1], "l00|b>Harbour Tales, by  ");
    EXPECT_EQ(book.lines[3], "l08[2004]|n> ");
    // The licence, the title page and the contents are not the book's text.
    EXPECT_EQ(sentenceWords(book.lines), wordsOf(kStorm + " " + kCalm));
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(EverydayText, TakesTheTitleAndByLineAtTheTop) {
    const TextBook book = readPlainText("The Salt Road\n\nBY ANNA VELL\n\n" + kStorm);
    EXPECT_EQ(book.title, "The Salt Road");
    EXPECT_EQ(book.author, "ANNA VELL");
    ASSERT_EQ(book.chapters.size(), 1u);
    EXPECT_EQ(book.chapters[0].paragraphs.size(), 2u);
    // A first paragraph is not taken for a title.
    const TextBook plain = readPlainText(kStorm);
    EXPECT_TRUE(plain.title.empty());
    ASSERT_EQ(plain.chapters.size(), 1u);
    EXPECT_EQ(plain.chapters[0].paragraphs.size(), 2u);
}

TEST(EverydayText, KeepsTypographicPunctuationAndEndsSentencesAfterIt) {
    const std::string text =
        "\u201CIt\u2019s late,\u201D said \u00C9mile \u2014 and the caf\u00E9 was shut\u2026 "
        "She left. \u2018Night,\u2019 he said. \u201CWhere?\u201D \u00C0 bient\u00F4t. "
        "(It rained.) Then it stopped. Words of forty-one characters: "
        "aaaaaaaaaabbbbbbbbbbccccccccccdddddddddd\u00E9 end.\n";
    const LaidOutBook book = layOutBook(text, "t.txt");
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
    int sentences = 1;
    for (const std::string& line : book.lines) sentences += line == "s000 ";
    // Ends after "shut…", "left." (before ‘), "said." (before “), "?”", "rained.)" and
    // "stopped."; not after "bientôt." before the bracket, as in plain ASCII.
    EXPECT_EQ(sentences, 7);
    std::string all;
    for (const std::string& word : sentenceWords(book.lines)) all += word + " ";
    for (const char* kept : {"\u201CIt\u2019s", "\u00C9mile", "\u2014", "caf\u00E9", "shut\u2026", "\u2018Night,\u2019",
                             "\u00C0", "bient\u00F4t."})
        EXPECT_NE(all.find(kept), std::string::npos) << kept;
    // A word over 40 characters is cut at 40 characters, never inside a character.
    EXPECT_NE(all.find(" aaaaaaaaaabbbbbbbbbbccccccccccdddddddddd \u00E9 "), std::string::npos);
}

TEST(EverydayText, ReadsWindows1252AndMakesMarkupCharactersHarmless) {
    // 0x93 0x94 are curly quotes, 0xE9 is é in Windows-1252.
    const std::string text =
        "\x93"
        "Caf\xE9 |refpt001> s000\x94 she said.\x07 Done.\n";
    const LaidOutBook book = layOutBook(text, "w.txt");
    std::string all;
    for (const std::string& word : sentenceWords(book.lines)) all += word + " ";
    EXPECT_NE(all.find("\u201CCaf\u00E9"), std::string::npos) << all;
    EXPECT_NE(all.find("\u00A6ref\u200Bpt001>"), std::string::npos) << all;
    EXPECT_NE(all.find("s\u200B000\u201D"), std::string::npos) << all;
    EXPECT_EQ(all.find('\x07'), std::string::npos);
    // No book line but the anchor holds the reader's anchor or marker letters.
    for (std::size_t i = 1; i < book.lines.size(); ++i) {
        const std::string& line = book.lines[i];
        if (line.rfind("l00|refpt", 0) == 0) continue;
        EXPECT_EQ(line.find("refp"), std::string::npos) << line;
        if (line != "s000 ") {
            EXPECT_EQ(line.find("s000"), std::string::npos) << line;
        }
    }
}

TEST(EverydayText, CutsSentencesTooLongForTheLinesBetweenMarkers) {
    std::string sentence = "It went on";
    for (int i = 0; i < 120; ++i) sentence += i % 7 == 6 ? " and on," : " and on";
    const LaidOutBook book = layOutBook(sentence + " to the end.\n", "long.txt");
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(sentenceWords(book.lines), wordsOf(sentence + " to the end."));
}

TEST(EverydayText, NumbersThousandsOfParagraphsWithFourCharacterMarkers) {
    std::string text = "Chapter 1\n\n";
    for (int p = 0; p < 3000; ++p) {
        if (p == 1500) text += "Chapter 2\n\n";
        text += "Paragraph " + std::to_string(p) + " starts here. It has two sentences.\n\n";
    }
    const LaidOutBook book = layOutBook(text, "long.txt");
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
    std::vector<std::string> markers;
    for (const std::string& line : book.lines)
        if (line[0] == 'p' && line != "p999") markers.push_back(line.substr(0, 4));
    ASSERT_EQ(markers.size(), 3001u); // one a paragraph and the book's last
    EXPECT_EQ(markers[998], "p998");
    EXPECT_EQ(markers[999], "pa00");
    EXPECT_EQ(markers[3000], expectedMarker(3000));
    for (std::size_t i = 1; i < markers.size(); ++i)
        EXPECT_LT(markers[i - 1], markers[i]) << "markers sort in book order at " << i;
    EXPECT_EQ(book.chapters.size(), 2u);
    // Its 6,000 sentences are laid out in batches on two threads: the same
    // book as on one.
    // Both report how far they have come, in order, up to the whole book; a
    // book this short hands over no first part.
    const Manuscript model = readBook(text, "long.txt");
    for (const bool beside : {false, true}) {
        std::vector<double> heard;
        int parts = 0;
        const auto lines = formatBook(
            model, beside,
            {[&heard](double done) { heard.push_back(done); }, [&parts](const std::vector<std::string>&) { ++parts; }});
        EXPECT_EQ(lines, book.lines);
        EXPECT_EQ(parts, 0);
        ASSERT_GE(heard.size(), 20u) << beside;
        EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end())) << beside;
        EXPECT_GT(heard.front(), 0.0);
        EXPECT_EQ(heard.back(), 1.0);
    }
}

// A long book hands over its first lines once, early, and every later line
// follows them unchanged.
TEST(EverydayText, LongBookHandsOverItsFirstPartBeforeTheRest) {
    std::string text = "THE LONG SHORE\n\n";
    for (std::size_t p = 0; p < kFirstPartFromSentences + 100; ++p)
        text += "The tide came in at " + std::to_string(p) + " past the hour.\n\n";
    const Manuscript model = readBook(text, "long.txt");
    std::vector<std::vector<std::string>> parts;
    double heardAtPart = -1, heard = 0;
    const auto lines = formatBook(model, false,
                                  {[&heard](double done) { heard = done; },
                                   [&](const std::vector<std::string>& part) {
                                       parts.push_back(part);
                                       heardAtPart = heard;
                                   }});
    ASSERT_EQ(parts.size(), 1u);
    ASSERT_GE(parts[0].size(), kFirstPartLines);
    ASSERT_LT(parts[0].size(), lines.size());
    EXPECT_TRUE(std::equal(parts[0].begin(), parts[0].end(), lines.begin()));
    EXPECT_LT(heardAtPart, 0.5) << "the first part comes before the rest is laid out";
}

// More chapters than anchors can number: the book opens, every word kept,
// the chapters past the last anchor running on in the last chapter.
TEST(EverydayText, ChaptersPastTheLastAnchorRunOnInTheLastChapter) {
    std::string text, sentences;
    for (int c = 1; c <= 1002; ++c) {
        const std::string n = std::to_string(c);
        text += "Chapter " + n + "\n\nWords of part " + n + ".\n\n";
        sentences += (c > 999 ? "Chapter " + n + " " : "") + "Words of part " + n + ". ";
    }
    const LaidOutBook book = layOutBook(text, "many.txt");
    ASSERT_EQ(book.chapters.size(), 999u);
    EXPECT_EQ(book.chapters.back().caption, "Chapter 999");
    EXPECT_EQ(sentenceWords(book.lines), wordsOf(sentences));
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(EverydayText, ParagraphMarkersKeepFourCharactersAndNeverReadP999) {
    const struct {
        std::size_t number;
        const char* marker;
    } cases[] = {{0, "p000"},        {998, "p998"},      {999, "pa00"},         {1000, "pa01"},
                 {999 + 35, "pa0z"}, {999 + 36, "pa10"}, {999 + 33695, "pzzz"}, {999 + 33696, "pa00"}};
    for (const auto& c : cases) EXPECT_EQ(paragraphMarker(c.number), c.marker) << c.number;
}

TEST(EverydayText, LaysOutFilesByTheirKindAndNamesTheFileInErrors) {
    const auto folder = std::filesystem::temp_directory_path() / "cadenzo_format_everyday";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string text = (folder / "tale.txt").string();
    std::ofstream(text, std::ios::binary) << "Chapter 1\n\n" << kStorm;
    const std::string manuscript = (folder / "m.txt").string();
    std::ofstream(manuscript, std::ios::binary) << "Title: T\nAuthor: A\nYear: 1900\n\nChapter: I\n\n" << kCalm;
    const std::string empty = (folder / "empty.txt").string();
    std::ofstream(empty, std::ios::binary) << "\n \n";

    const LaidOutBook tale = layOutBookFile(text);
    EXPECT_EQ(tale.kind, BookKind::PlainText);
    EXPECT_EQ(tale.title, "tale"); // the file's name when the text names no title
    const LaidOutBook m = layOutBookFile(manuscript);
    EXPECT_EQ(m.kind, BookKind::Manuscript);
    EXPECT_EQ(m.chapters.size(), 1u);
    EXPECT_EQ(m.chapters[0].anchor, "refpt001");
    EXPECT_EQ(m.lines, formatBook(parseManuscript("Title: T\nAuthor: A\nYear: 1900\n\nChapter: I\n\n" + kCalm)));

    const struct {
        std::string path;
        std::string message;
    } errors[] = {{(folder / "missing.txt").string(), "missing.txt': no such file"},
                  {empty, empty + ": the input is empty"},
                  {folder.string(), "it is a folder"}};
    for (const auto& e : errors) {
        try {
            layOutBookFile(e.path);
            ADD_FAILURE() << e.path << " laid out";
        } catch (const FormatError& error) {
            EXPECT_NE(std::string(error.what()).find(e.message), std::string::npos) << error.what();
        }
    }
    // A shape fixes a manuscript's frame; other books are refused, not laid out wrong.
    std::ostringstream out, err;
    EXPECT_EQ(runFormatter({"--fit", manuscript, text}, out, err), kExitInputError);
    EXPECT_NE(err.str().find("tale.txt: --fit lays out manuscripts only"), std::string::npos) << err.str();
    if (!readsEpub()) {
        EXPECT_THROW(layOutBook("PK", "book.epub"), FormatError);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace cadenzo::format::test
