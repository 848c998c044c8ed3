// The shipped book: made by the formatter from the manuscript and its shape,
// and holding every number the reader's built-in book is known by.
#include "book/markup.h"
#include "cli.h"
#include "display/paging.h"
#include "format_book_lines.h"
#include "formatter.h"
#include "manuscript.h"
#include "shape.h"

#include <gtest/gtest.h>

#include <map>

namespace cadenzo::format::test {
namespace {

const std::vector<std::string>& shippedLines() {
    static const std::vector<std::string> lines = splitLines(ReadFile(CADENZO_SHIPPED_LIT));
    return lines;
}

int count(const std::vector<std::string>& lines, bool (*match)(const std::string&)) {
    int n = 0;
    for (const std::string& line : lines) n += match(line) ? 1 : 0;
    return n;
}

TEST(ShippedBook, IsTheFormatterOutputOfTheManuscriptByteForByte) {
    const std::string expected = ReadFile(CADENZO_SHIPPED_LIT);
    ASSERT_FALSE(expected.empty()) << CADENZO_SHIPPED_LIT;
    const Manuscript book = parseManuscript(ReadFile(CADENZO_MANUSCRIPT));
    const Shape shape = parseShape(ReadFile(CADENZO_SHAPE));
    const std::string made = joinBookLines(fitBook(book, shape));
    EXPECT_TRUE(made == expected) << "regenerate src/book/vestaria.lit with cadenzo-format --fit";
}

TEST(ShippedBook, HasItsFrameTitleBlockAnchorsAndEnd) {
    const auto& lines = shippedLines();
    ASSERT_EQ(lines.size(), 11821u);
    EXPECT_EQ(lines[1], "l00|b>Vestaria, by  ");
    EXPECT_EQ(lines[2], "l08Penwright  ");
    EXPECT_EQ(lines[3], "l08[1911]|n> ");

    struct Anchor {
        std::size_t line;
        const char* numeral;
        const char* marker;
    };
    const Anchor anchors[] = {{4, "I", "p000"},      {1167, "II", "p077"},   {1940, "III", "p100"},
                              {2692, "IV", "p114"},  {4086, "V", "p146"},    {6446, "VI", "p187"},
                              {7218, "VII", "p200"}, {8147, "VIII", "p216"}, {9049, "IX", "p230"},
                              {10006, "X", "p247"},  {10411, "XI", "p261"},  {11082, "XII", "p273"}};
    int chapter = 0;
    for (const Anchor& a : anchors) {
        char name[16];
        std::snprintf(name, sizeof name, "refpt%03d", ++chapter);
        EXPECT_EQ(lines[a.line], "l00|" + std::string(name) + "> ");
        EXPECT_EQ(lines[a.line + 1], "l00|b>" + std::string(a.numeral) + "|n> ");
        EXPECT_EQ(lines[a.line + 2], std::string(a.marker) + " ");
        EXPECT_EQ(lines[a.line + 3], "l00|p> ");
    }
    int anchorLines = 0;
    for (const std::string& line : lines) anchorLines += line.find("refp") != std::string::npos;
    EXPECT_EQ(anchorLines, 12);

    EXPECT_EQ(lines[11818], "p306 ");
    EXPECT_EQ(lines[11819], "l27THE TIDE BOOKS ");
    EXPECT_EQ(lines[11820], "p307");
}

TEST(ShippedBook, KeepsEveryLineRule) {
    std::vector<int> covers;
    const auto problems = ruleProblems(shippedLines(), &covers);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first: " << problems.front();

    std::map<int, int> byCover;
    for (int c : covers) ++byCover[c];
    EXPECT_EQ(byCover, (std::map<int, int>{{1, 6277}, {2, 18}, {3, 3}}));
}

TEST(ShippedBook, CountsItsLinesMarkersAndTags) {
    const auto& lines = shippedLines();
    EXPECT_EQ(count(lines, isPhrase), 9888);
    EXPECT_EQ(count(lines, [](const std::string& l) { return isMarker(l) && l[0] == 'p'; }), 308);
    EXPECT_EQ(count(lines, [](const std::string& l) { return isMarker(l) && l[0] == 's'; }), 1624);

    std::map<std::string, int> tags;
    for (const std::string& line : lines)
        for (std::size_t i = line.find('|'); i != std::string::npos; i = line.find('|', i + 1)) {
            const std::size_t close = line.find('>', i);
            ASSERT_NE(close, std::string::npos) << line;
            const std::string code = line.substr(i + 1, close - i - 1);
            ++tags[code.rfind("refpt", 0) == 0 ? "anchor" : code];
        }
    const std::map<std::string, int> expected = {{"4", 6298}, {"9", 4182}, {"7", 944}, {"8", 897},    {"6", 275},
                                                 {"b", 13},   {"n", 13},   {"p", 12},  {"anchor", 12}};
    EXPECT_EQ(tags, expected);
}

TEST(ShippedBook, StartsSentencesAfterMarkersAtFiveWithFifteenExceptions) {
    const auto& lines = shippedLines();
    int followed = 0, atFive = 0, chapterOpenings = 0, closing = 0, highlighted = 0;
    int phraseBetween = 0, gaps = 0, run = 0;
    bool seenMarker = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isMarker(lines[i])) {
            run += isPhrase(lines[i]) ? 1 : 0;
            continue;
        }
        if (seenMarker) {
            phraseBetween += run;
            ++gaps;
        }
        seenMarker = true;
        run = 0;
        if (i + 1 == lines.size()) continue;
        ++followed;
        const std::string& next = lines[i + 1];
        if (next.rfind("l05", 0) == 0)
            ++atFive;
        else if (next == "l00|p> ")
            ++chapterOpenings;
        else if (next.rfind("l27", 0) == 0)
            ++closing;
        else if (next.size() > 7 && next.rfind("l00|", 0) == 0 && next[4] >= '6' && next[4] <= '9' &&
                 next.find("|4>") != std::string::npos &&
                 next.substr(7, next.find("|4>") - 7).find(' ') == std::string::npos)
            ++highlighted;
    }
    EXPECT_EQ(followed, 1931);
    EXPECT_EQ(atFive, 1903);
    EXPECT_EQ(chapterOpenings, 12);
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(highlighted, 15);
    // 1 to 33 between markers is checked line by line; on average about 5.
    ASSERT_GT(gaps, 0);
    const double average = static_cast<double>(phraseBetween) / gaps;
    EXPECT_GE(average, 4.5);
    EXPECT_LT(average, 5.5);
}

// Page starts when paging forward from the first line with room for
// `capacity` lines a page, by the reader's own rule.
std::vector<int> pagesForward(const BookLineList& prepared, int capacity, int pages) {
    std::vector<int> starts;
    int p = 0;
    for (int page = 0; page < pages; ++page) {
        starts.push_back(p);
        p += columnLineCount(prepared, p, capacity);
    }
    return starts;
}

TEST(ShippedBook, OpeningPagesBreakWhereTheReaderBreaksThem) {
    const auto& stored = shippedLines();
    ASSERT_EQ(stored.size(), 11821u);
    const BookLineList prepared = PrepareBookLines(stored);
    ASSERT_EQ(prepared.size(), stored.size() + 2);

    auto isMarkerAt = [&](int i) {
        const std::string_view line = prepared[static_cast<std::size_t>(i)];
        return line[0] == 'p' || line[0] == 's';
    };
    for (int i : {5, 13, 18, 28, 39, 52, 62, 85}) EXPECT_TRUE(isMarkerAt(i)) << "reader line " << i;
    EXPECT_EQ(prepared[5], "p000 ");
    EXPECT_EQ(prepared[6], "|p> ");
    const std::pair<int, int> noMarker[] = {{10, 12}, {14, 17}, {19, 27}, {29, 30}, {34, 38},
                                            {40, 45}, {53, 56}, {63, 63}, {86, 86}};
    for (const auto& [first, last] : noMarker)
        for (int i = first; i <= last; ++i) EXPECT_FALSE(isMarkerAt(i)) << "reader line " << i;

    // Only markers are break points: every phrase line keeps at least 3 characters.
    for (std::size_t i = 1; i < stored.size(); ++i)
        if (isPhrase(stored[i])) {
            EXPECT_GE(prepared[i - 1].size(), 3u) << "reader line " << i - 1;
        }

    EXPECT_EQ(pagesForward(prepared, 18, 5), (std::vector<int>{0, 13, 28, 39, 52}));
    EXPECT_EQ(pagesForward(prepared, 25, 5), (std::vector<int>{0, 18, 39, 62, 85}));
    std::vector<int> back;
    for (int start = 52; start > 0;) back.push_back(start = pageBackStart(prepared, start, 18));
    EXPECT_EQ(back, (std::vector<int>{39, 28, 13, 0}));
}

} // namespace
} // namespace cadenzo::format::test
