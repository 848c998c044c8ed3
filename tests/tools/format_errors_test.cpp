// Bad input of every kind gives a clear message and a non-zero exit, through
// the command line as a user runs it.
#include "cli.h"
#include "format_sample.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace cadenzo::format::test {
namespace {

namespace fs = std::filesystem;

class FormatterErrors : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& content) const {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Runs the tool; returns the exit code and keeps what it printed.
    int run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return runFormatter(args, out_, err_);
    }

    ::cadenzo::test::TempFolder temp_;
    const fs::path& folder_ = temp_.root();
    std::ostringstream out_, err_;
};

const std::string kHeader = "Title: T\nAuthor: A\nYear: 1900\n\n";

TEST_F(FormatterErrors, BadManuscriptsNameTheProblemAndTheLine) {
    const std::string longWord(41, 'w');
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        {"empty file", "", "the input is empty"},
        {"only blanks", "  \n\t\n\n", "the input is empty"},
        {"no title", "Author: A\nYear: 1900\nChapter: I\n\nText.\n", "no 'Title:' line"},
        {"no author", "Title: T\nYear: 1900\nChapter: I\n\nText.\n", "no 'Author:' line"},
        {"no chapter", kHeader, "no 'Chapter:' line"},
        {"text before chapters", kHeader + "Stray words.\n", "line 5: text before the first"},
        {"chapter without text", kHeader + "Chapter: I\n\nText.\n\nChapter: II\n\n", "line 9: chapter II has no text"},
        {"bad numeral", kHeader + "Chapter: 4\n\nText.\n", "line 5: chapter number '4'"},
        // Found by fuzzing: a numeral too long for its line of 40 characters.
        {"numeral over 40", kHeader + "Chapter: " + std::string(41, 'X') + "\n\nText.\n",
         "line 5: 'Chapter:' text is too long"},
        {"word over 40", kHeader + "Chapter: I\n\nA " + longWord + " word.\n",
         "line 7: the word 'wwwwwwwwwwwwwwwwwwww...' has 41 characters"},
        {"control character", kHeader + "Chapter: I\n\nA bell\x07.\n", "line 7: character 0x07"},
        // UTF-8 text is read (a dash is kept); a C1 control character cannot be shown.
        {"C1 control", kHeader + "Chapter: I\n\nA \xC2\x85 next.\n", "line 7: character U+0085"},
        {"markup bar", kHeader + "Chapter: I\n\nA|b.\n", "line 7: the character '|' is reserved"},
        {"anchor letters", kHeader + "Chapter: I\n\nA refpt word.\n", "line 7: the letters 'refp'"},
        {"marker letters", kHeader + "Chapter: I\n\nCode s000.\n", "line 7: the letters 's000'"},
        {"text after closing", kHeader + "Chapter: I\n\nText.\n\nClosing: END\nMore.\n",
         "line 10: text after the 'Closing:' line"},
        {"title too long", "Title: " + std::string(37, 't') + "\n", "line 1: 'Title:' text is too long"},
        {"author with >", "Title: T\nAuthor: A>B\n", "line 2: 'Author:' text must not contain '>'"},
        {"title twice", "Title: T\nTitle: U\n", "line 2: a second 'Title:' line"},
    };
    for (const auto& c : cases) {
        const std::string input = write("book.txt", c.text);
        EXPECT_EQ(run({input}), kExitInputError) << c.name;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << c.name << ": " << err_.str();
        EXPECT_TRUE(out_.str().empty()) << c.name;
    }
}

TEST_F(FormatterErrors, BadShapesNameTheProblem) {
    const std::string input = write("book.txt", kSampleBook);
    const std::string highlights = "highlights |9> 1\nhighlights |7> 1\nhighlights |8> 1\nhighlights |6> 1\n";
    const struct {
        const char* name;
        std::string shape;
        const char* message;
    } cases[] = {
        {"unknown setting", "colour 3\n", "shape line 1: unknown setting 'colour'"},
        {"not a number", "lines many\n", "shape line 1: 'many' is not a number"},
        {"negative", "lines -4\n", "'-4' is not a number"},
        {"backward range", "no-marker-at 9-3\n", "range '9-3' runs backwards"},
        {"unknown colour", "highlights |5> 3\n", "'|5>' is not a highlight colour"},
        {"missing colour", "lines 50\nanchors 4 30\nhighlights |9> 1\n", "for each of |6> |7> |8> |9>"},
        {"anchors fall", "lines 50\nanchors 4 30 20\n" + highlights, "must rise"},
        {"pin both ways", "lines 50\nanchors 4 30\nmarker-at 9\nno-marker-at 8-10\n" + highlights,
         "a marker and for none at reader line 9"},
        {"chapter count", "lines 90\nanchors 4\n" + highlights, "the text has 2 chapters"},
        {"first anchor", "lines 90\nanchors 5 40\n" + highlights, "first anchor at line 5"},
        {"too few lines", "lines 40\nanchors 4 12\n" + highlights, "cannot meet chapter I's 8 lines"},
        {"paragraphs", "lines 90\nanchors 4 40\nfirst-paragraph-markers 0 3\n" + highlights,
         "first paragraph marker p3 of chapter II: the chapters before it have 2"},
        {"sentences", "lines 90\nanchors 4 40\nsentence-markers 4\n" + highlights, "cannot meet 4 sentence markers"},
    };
    for (const auto& c : cases) {
        const std::string shape = write("book.shape", c.shape);
        EXPECT_EQ(run({"--fit", shape, input, "-o", (folder_ / "out.lit").string()}), kExitInputError) << c.name;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << c.name << ": " << err_.str();
        EXPECT_FALSE(fs::exists(folder_ / "out.lit")) << c.name;
    }
}

TEST_F(FormatterErrors, CommandLineProblemsShowTheUsage) {
    const std::string input = write("book.txt", kSampleBook);
    const struct {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{}, kExitUsage, "no input file"},
        {{"--bogus", input}, kExitUsage, "unknown option '--bogus'"},
        {{input, "-o"}, kExitUsage, "-o needs a file name"},
        {{"--fit"}, kExitUsage, "--fit needs a shape file"},
        {{input, input}, kExitUsage, "more than one input file"},
        {{(folder_ / "missing.txt").string()}, kExitInputError, "cannot read"},
        {{folder_.string()}, kExitInputError, "it is a folder"},
        {{"--fit", (folder_ / "none.shape").string(), input}, kExitInputError, "none.shape"},
        {{input, "-o", (folder_ / "no" / "such" / "dir.lit").string()}, kExitInputError, "cannot create"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.code) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        if (c.code == kExitUsage) {
            EXPECT_NE(err_.str().find("Usage:"), std::string::npos);
        }
    }
    EXPECT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out_.str().find("--fit SHAPE"), std::string::npos);
    EXPECT_EQ(run({"--version"}), kExitOk);
    EXPECT_EQ(out_.str(), std::string("cadenzo-format ") + kToolVersion + "\n");
}

} // namespace
} // namespace cadenzo::format::test
