// The formatter's pieces on small inputs: sentence splitting, line breaking,
// the indentation cascade and the writing of highlight tags.
#include "book_writer.h"
#include "cascade.h"
#include "format_book_lines.h"
#include "line_breaker.h"
#include "manuscript.h"

#include <gtest/gtest.h>

namespace cadenzo::format::test {
namespace {

std::vector<WordInfo> describe(const std::string& text) {
    std::vector<WordInfo> words;
    for (const std::string& word : wordsOf(text)) words.push_back(describeWord(word));
    return words;
}

std::vector<std::string> linesOf(const std::vector<WordInfo>& words, const std::vector<int>& starts) {
    std::vector<std::string> lines;
    for (std::size_t l = 0; l < starts.size(); ++l) {
        const std::size_t end = l + 1 < starts.size() ? static_cast<std::size_t>(starts[l + 1]) : words.size();
        std::string line;
        for (auto w = static_cast<std::size_t>(starts[l]); w < end; ++w)
            line += (line.empty() ? "" : " ") + words[w].text;
        lines.push_back(line);
    }
    return lines;
}

// The rule the writers counted sentences by.
TEST(SplitSentences, EndsAtAStopBeforeACapitalOrAnOpeningQuote) {
    const struct {
        const char* paragraph;
        std::size_t sentences;
    } cases[] = {
        {"She went. He stayed.", 2},
        {"\"Come in,\" she said.", 1},
        {"\"Who is there?\" Nell asked.", 2},      // ? then a capital
        {"\"Who is there?\" she asked.", 1},       // ? then lower case
        {"It rained. \"Again,\" he said.", 2},     // opening quote
        {"He left (at last.) Then she slept.", 2}, // closing bracket after the stop
        {"She said 'no.' Then it rained.", 2},     // closing single quote
        {"Mr Crane came at four. It was late", 2}, // no stop at the paragraph's end
        {"The tide was 1 in 3. or so", 1},         // a stop before a lower-case word
        {"Wait! Wait? Go.", 3},
    };
    for (const auto& c : cases) EXPECT_EQ(splitSentences(wordsOf(c.paragraph)).size(), c.sentences) << c.paragraph;
}

TEST(SentenceBreaker, EveryLineCountGivesThatManyLinesOfAtMostFortyCharacters) {
    const char* sentences[] = {
        "She had been on the road since before dawn, out past the last hedged farms and across a "
        "flat country of reeds and ditches where the wind never stopped.",
        "Yes.",
        "abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi abcdefghi "
        "abcdefghi abcdefghi abcdefghi abcdefghi",
        "A forty-character-word-is-the-longest-ok and a short tail.",
    };
    for (const char* text : sentences) {
        const auto words = describe(text);
        const SentenceBreaker breaker(words, 33);
        ASSERT_LE(breaker.minLines(), breaker.bestLines()) << text;
        ASSERT_LE(breaker.bestLines(), breaker.maxLines()) << text;
        EXPECT_EQ(breaker.maxLines(), std::min<int>(33, static_cast<int>(words.size())));
        EXPECT_EQ(breaker.cost(breaker.minLines() - 1), kInfeasible);
        for (int k = breaker.minLines(); k <= breaker.maxLines(); ++k) {
            const auto starts = breaker.breakInto(k);
            ASSERT_EQ(starts.size(), static_cast<std::size_t>(k)) << text;
            EXPECT_EQ(starts.front(), 0);
            for (const std::string& line : linesOf(words, starts)) EXPECT_LE(line.size(), 40u) << line;
        }
    }
    // Twelve nine-letter words: four fit a line of 39 characters, five would not.
    const auto nine = describe(sentences[2]);
    EXPECT_EQ(SentenceBreaker(nine, 33).minLines(), 3);
    // The cap counts: a sentence that needs more lines than allowed has none.
    const SentenceBreaker capped(nine, 2);
    EXPECT_GT(capped.minLines(), capped.maxLines());
    EXPECT_TRUE(capped.breakInto(2).empty());
}

TEST(SentenceBreaker, BreaksAtPhraseBoundaries) {
    const struct {
        const char* sentence;
        std::vector<std::string> lines;
    } cases[] = {
        {"She trimmed the wick at dusk, polished the brass at noon, and wrote the hours down.",
         {"She trimmed the wick at dusk,", "polished the brass at noon,", "and wrote the hours down."}},
        {"The quay was a single street of grey houses facing the sea.",
         {"The quay was a single street", "of grey houses facing the sea."}},
        {"She stood by her trunk and looked at it for some time.",
         {"She stood by her trunk", "and looked at it", "for some time."}},
    };
    for (const auto& c : cases) {
        const auto words = describe(c.sentence);
        const SentenceBreaker breaker(words, 33);
        EXPECT_EQ(linesOf(words, breaker.breakInto(breaker.bestLines())), c.lines) << c.sentence;
    }
    // Forced to many lines, still no line ends on an article, a possessive or "of".
    const auto words = describe(
        "The keeper of the tower wrote the height of the tide in his book "
        "every evening for the rest of his long life.");
    const SentenceBreaker breaker(words, 33);
    for (int k = breaker.bestLines(); k <= breaker.bestLines() + 3; ++k)
        for (const std::string& line : linesOf(words, breaker.breakInto(k))) {
            const std::string last = line.substr(line.rfind(' ') + 1);
            EXPECT_TRUE(last != "the" && last != "his" && last != "of") << k << " lines: " << line;
        }
}

TEST(Cascade, StepsOutForConjunctionsAndInForSubordinateAndPrepositionalPhrases) {
    const auto words = describe(
        "The sea came in over the sands, slowly, and the bell rang "
        "because the keeper was awake; nobody slept.");
    // The sea came in | over the sands, | slowly, | and the bell rang | because the keeper was
    // awake; | nobody slept.
    const std::vector<int> starts = {0, 4, 7, 8, 12, 17};
    const auto indents = cascadeIndents(words, starts);
    ASSERT_EQ(indents.size(), starts.size());
    EXPECT_EQ(indents[0], 5);
    EXPECT_GT(indents[1], indents[0]); // a prepositional phrase steps in
    EXPECT_LT(indents[3], indents[2]); // "and" steps back out
    EXPECT_LT(indents[3], indents[0]);
    EXPECT_GT(indents[4], indents[3]); // "because" steps in
    EXPECT_LT(indents[5], indents[4]); // after ";" a new clause steps out
    for (std::size_t i = 1; i < indents.size(); ++i) {
        EXPECT_GE(indents[i], 2);
        EXPECT_LE(indents[i], 32);
    }
    // However deep the phrases nest, the cascade stays within 02-32.
    const auto deep = describe("a b c d e f g h i j k l m n o p q r s t u v w x y z");
    std::vector<int> each(deep.size());
    for (std::size_t i = 0; i < each.size(); ++i) each[i] = static_cast<int>(i);
    for (int indent : cascadeIndents(deep, each)) EXPECT_LE(indent, 32);
}

TEST(SentenceLines, PutsTagsAfterTheWordBeforeAndClosesBeforePunctuation) {
    const std::vector<std::string> words = {"His", "grey", "clerks'", "saw",  "the",
                                            "old", "tide", "books,",  "\"at", "four.\""};
    SentenceLayout layout;
    layout.lineStarts = {0, 4};
    layout.indents = {5, 8};
    layout.highlights = {{0, 1, Colour::Name}, {2, 1, Colour::Key}, {6, 2, Colour::Key}, {9, 1, Colour::Number}};
    EXPECT_EQ(sentenceLines(words, layout),
              (std::vector<std::string>{"l00|7>His|4> grey|9> clerks'|4> saw ",
                                        "l08the old|9> tide books|4>, \"at|8> four|4>.\" "}));

    // A highlight may not open a continuation line: there is no word before it there.
    layout.highlights = {{4, 1, Colour::Key}};
    EXPECT_THROW(sentenceLines(words, layout), std::logic_error);
    layout.highlights = {{9, 2, Colour::Key}};
    EXPECT_THROW(sentenceLines(words, layout), std::logic_error);
}

} // namespace
} // namespace cadenzo::format::test
