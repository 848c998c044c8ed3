#include "base/errors.h"
#include "book/markup.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

const std::string kBanner = "Tidal Type(r) banner";

TEST(PrepareBookLines, AppendsEndLinesDropsBannerAndUnfoldsIndentation) {
    const BookLineList stored = {
        kBanner, "l00|b>Title, by  ", "p000 ", "l05The sea came in. ", "s000 ", "l60x", "l00|p> ", "p001", "   ", ""};
    const BookLineList prepared = PrepareBookLines(stored);
    const BookLineList expected = {
        "|b>Title, by  ", "p000 ", "     The sea came in. ", "s000 ", std::string(52, ' ') + "x", "|p> ",
        "p001",           "p999",  "        END OF FILE",    " "};
    EXPECT_EQ(prepared, expected);
    // Eight stored lines once the trailing blank ones are gone: N + 2 prepared lines.
    EXPECT_EQ(prepared.size(), 8u + 2u);
}

TEST(PrepareBookLines, EdgeListsStillEndWithTheEndLines) {
    const BookLineList endLines = {"        END OF FILE", " "};
    EXPECT_EQ(PrepareBookLines({}), endLines);
    EXPECT_EQ(PrepareBookLines({"  ", ""}), endLines);
    EXPECT_EQ(PrepareBookLines({kBanner}), (BookLineList{"p999", "        END OF FILE", " "}));
    // A phrase line of indentation 0 whose text begins with "p" prepares to a paragraph-like line.
    EXPECT_EQ(PrepareBookLines({kBanner, "l00plain"})[0], "plain");
    // A two-character line keeps its one digit; a bare "l" has no number at all.
    EXPECT_EQ(PrepareBookLines({kBanner, "l3"})[0], "   ");
}

TEST(PrepareBookLines, BadIndentationNamesTheTwoCharacters) {
    try {
        PrepareBookLines({kBanner, "l05fine ", "lx5broken "});
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x5' is not a valid integer value");
    }
    EXPECT_THROW(PrepareBookLines({kBanner, "l"}), ConversionError);
}

TEST(RemoveTagsAsThreeChars, RemovesEachBarWithTheTwoCharactersAfterIt) {
    EXPECT_EQ(RemoveTagsAsThreeChars("was|9> flushed|4> and|9> animated|4>. "), "was flushed and animated. ");
    EXPECT_EQ(RemoveTagsAsThreeChars("end|"), "end");
}

} // namespace
} // namespace cadenzo
