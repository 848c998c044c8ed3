// The default mode on text the formatter has never seen: every rule of the
// book form holds, the words come back in order, and the natural highlights
// fall on the words of their kind.
#include "cli.h"
#include "format_book_lines.h"
#include "format_sample.h"
#include "formatter.h"
#include "manuscript.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace cadenzo::format::test {
namespace {

std::vector<std::string> formattedSample() { return formatBook(parseManuscript(kSampleBook)); }

TEST(DefaultMode, KeepsEveryRuleOfTheBookForm) {
    const auto lines = formattedSample();
    const auto problems = ruleProblems(lines);
    EXPECT_TRUE(problems.empty()) << problems.front();

    // Two chapters of two paragraphs, and the closing: p000-p003, p004 and the last p005.
    int paragraphs = 0, sentences = 0;
    for (const std::string& line : lines) {
        paragraphs += isMarker(line) && line[0] == 'p';
        sentences += isMarker(line) && line[0] == 's';
    }
    EXPECT_EQ(paragraphs, 6);
    EXPECT_EQ(sentences, kSampleSentences - 4);
    EXPECT_EQ(lines[1], "l00|b>Harbour Lights, by  ");
    EXPECT_EQ(lines[lines.size() - 2], "l27AFTERWORD ");
    EXPECT_EQ(lines.back(), "p005");
}

TEST(DefaultMode, GivesBackTheWordsInOrder) {
    std::string text;
    for (const char* paragraph : kSampleParagraphs) text += std::string(paragraph) + " ";
    EXPECT_EQ(sentenceWords(formattedSample()), wordsOf(text));
}

// Finds the colour of the highlight that covers `word`, or '-' if none does.
char colourOf(const std::vector<std::string>& lines, const std::string& word) {
    for (const std::string& line : lines) {
        for (std::size_t tag = line.find('|'); tag != std::string::npos; tag = line.find('|', tag + 1)) {
            const char code = tag + 1 < line.size() ? line[tag + 1] : ' ';
            if (code < '6' || code > '9') continue;
            const std::size_t close = line.find("|4>", tag);
            if (close == std::string::npos) continue;
            for (const std::string& covered : wordsOf(line.substr(tag + 3, close - tag - 3)))
                if (covered == word) return code;
        }
    }
    return '-';
}

TEST(DefaultMode, HighlightsNamesNumbersAndNegationsByKind) {
    const auto lines = formattedSample();
    const struct {
        const char* word;
        char colour;
    } cases[] = {
        {"Reed", '7'},  {"Ellery", '7'},    {"1887", '8'}, {"eleven", '8'},
        {"never", '6'}, {"boathouse", '9'}, {"the", '-'},  {"and", '-'},
    };
    for (const auto& c : cases) EXPECT_EQ(colourOf(lines, c.word), c.colour) << c.word;
}

TEST(DefaultMode, CommandLineWritesTheSameBookToAFile) {
    const ::cadenzo::test::TempFolder temp;
    const std::filesystem::path& folder = temp.root();
    const std::string input = (folder / "sample.txt").string();
    const std::string output = (folder / "sample.lit").string();
    { std::ofstream(input, std::ios::binary) << kSampleBook; }
    std::ostringstream out, err;
    EXPECT_EQ(runFormatter({input, "-o", output}, out, err), kExitOk) << err.str();
    EXPECT_EQ(ReadFile(output), joinBookLines(formattedSample()));
    // Nothing beside the book: the temporary file it was written through is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);

    // Without -o the book goes to standard output, the same bytes again.
    std::ostringstream stdoutText;
    EXPECT_EQ(runFormatter({input}, stdoutText, err), kExitOk);
    EXPECT_EQ(stdoutText.str(), ReadFile(output));
}

} // namespace
} // namespace cadenzo::format::test
