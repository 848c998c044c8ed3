// Fit mode on the sample book: a shape that asks for more lines than the
// natural layout, set highlight counts and a pinned page break is met
// exactly, with every rule of the book form kept; a shape the text cannot
// meet is refused with the number it misses.
#include "format_book_lines.h"
#include "format_sample.h"
#include "formatter.h"
#include "manuscript.h"
#include "shape.h"

#include <gtest/gtest.h>

#include <map>

namespace cadenzo::format::test {
namespace {

struct Natural {
    std::size_t lines = 0;
    int secondAnchor = 0;
    int firstSentenceEnd = 0; // reader line of the marker after the first sentence
};

Natural naturalLayout() {
    const auto lines = formatBook(parseManuscript(kSampleBook));
    Natural n;
    n.lines = lines.size();
    for (std::size_t i = 5; i < lines.size(); ++i)
        if (lines[i].find("|refpt002>") != std::string::npos) n.secondAnchor = static_cast<int>(i);
    for (std::size_t i = 8; i < lines.size() && n.firstSentenceEnd == 0; ++i)
        if (isMarker(lines[i])) n.firstSentenceEnd = static_cast<int>(i) - 1;
    return n;
}

// Two lines more for chapter I, one for chapter II; the first sentence one
// line longer than it would be; exact highlight counts.
std::string shapeFor(const Natural& n, bool pinned = true) {
    const int pin = n.firstSentenceEnd + 1;
    std::string shape = "lines " + std::to_string(n.lines + 3) + "\nanchors 4 " + std::to_string(n.secondAnchor + 2) +
                        "\nfirst-paragraph-markers 0 2\nsentence-markers 5\n"
                        "highlights |9> 4\nhighlights |7> 3\nhighlights |8> 2\nhighlights |6> 2\n"
                        "two-word-highlights 1\nthree-word-highlights 0\n"
                        "sentence-opening-highlights 1\n";
    if (pinned) shape += "marker-at " + std::to_string(pin) + "\nno-marker-at 7-" + std::to_string(pin - 1) + "\n";
    return shape;
}

TEST(FitMode, MeetsLineCountsHighlightCountsAndPins) {
    const Natural natural = naturalLayout();
    ASSERT_GT(natural.secondAnchor, 0);
    ASSERT_GT(natural.firstSentenceEnd, 7);
    const Manuscript book = parseManuscript(kSampleBook);
    const auto lines = fitBook(book, parseShape(shapeFor(natural)));

    ASSERT_EQ(lines.size(), natural.lines + 3);
    EXPECT_EQ(lines[static_cast<std::size_t>(natural.secondAnchor) + 2], "l00|refpt002> ");
    std::vector<int> covers;
    const auto problems = ruleProblems(lines, &covers);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(covers.size(), 11u);
    EXPECT_EQ(std::count(covers.begin(), covers.end(), 2), 1);

    std::map<char, int> colours;
    int opening = 0;
    for (const std::string& line : lines) {
        for (std::size_t i = line.find('|'); i != std::string::npos; i = line.find('|', i + 1))
            if (i + 1 < line.size()) ++colours[line[i + 1]];
        opening += line.size() > 4 && line.compare(0, 4, "l00|") == 0 && line[4] >= '6' && line[4] <= '9';
    }
    EXPECT_EQ(colours['9'], 4);
    EXPECT_EQ(colours['7'], 3);
    EXPECT_EQ(colours['8'], 2);
    EXPECT_EQ(colours['6'], 2);
    EXPECT_EQ(colours['4'], 11);
    EXPECT_EQ(opening, 1);

    // Reader line = file line - 1: the pin moved the first marker one line down.
    const int pin = natural.firstSentenceEnd + 1;
    EXPECT_TRUE(isMarker(lines[static_cast<std::size_t>(pin) + 1]));
    for (int reader = 7; reader < pin; ++reader)
        EXPECT_FALSE(isMarker(lines[static_cast<std::size_t>(reader) + 1])) << reader;

    std::string text;
    for (const char* paragraph : kSampleParagraphs) text += std::string(paragraph) + " ";
    EXPECT_EQ(sentenceWords(lines), wordsOf(text));
    EXPECT_EQ(fitBook(book, parseShape(shapeFor(natural))), lines) << "not deterministic";
}

TEST(FitMode, RefusesAShapeTheTextCannotMeet) {
    const Natural natural = naturalLayout();
    const Manuscript book = parseManuscript(kSampleBook);
    const struct {
        std::string extra;
        const char* message;
    } cases[] = {
        {"marker-at 7\n", "cannot meet the page-break pins in chapter I"},
        {"marker-at 3\n", "cannot meet a marker at reader line 3"},
        {"no-marker-at 5\n", "cannot keep markers away from reader line 5"},
        {"marker-at 900\n", "cannot meet a pin at reader line 900"},
        {"three-word-highlights 5\n", "cannot meet 5 three-word highlights"},
        {"sentence-opening-highlights 9\n", "cannot meet 9 sentence-opening highlights"},
        {"max-lines-between-markers 2\n", "lines between markers"},
        {"max-lines-between-markers 10000000\n", "must be between 1 and 1000"},
    };
    for (const auto& c : cases) {
        // A setting given twice is an error of its own, so each case replaces the line it names.
        std::string shape = shapeFor(natural, false);
        const std::string key = c.extra.substr(0, c.extra.find(' '));
        if (const std::size_t at = shape.find(key + " "); at != std::string::npos)
            shape.erase(at, shape.find('\n', at) - at + 1);
        try {
            fitBook(book, parseShape(shape + c.extra));
            ADD_FAILURE() << "no error for " << c.extra;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    // More names than the text holds.
    std::string greedy = shapeFor(natural);
    greedy.replace(greedy.find("highlights |7> 3"), 16, "highlights |7> 40");
    EXPECT_THROW(fitBook(book, parseShape(greedy)), FormatError);
}

} // namespace
} // namespace cadenzo::format::test
