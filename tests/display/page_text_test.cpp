#include "display/page_text.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(PageText, MarkupAndMarkersAreLeftOut) {
    const BookLineList lines = {
        "|refpt001> ",                                        // anchor line: one blank
        "|b>I|n> ",                                           // "I "
        "p000 ",                                              // marker: left out
        "|p> ",                                               // " "
        "             was|9> flushed|4> and|9> animated|4>. ", // four tags
        "s000 ",
        "     before|image>map.png",                          // picture line: left out
        "p999",
        "        END OF FILE",
        " ",
    };
    const std::vector<std::string> expected = {" ", "I ", " ", "             was flushed and animated. ",
                                               "        END OF FILE", " "};
    EXPECT_EQ(PageTextLines(lines, 0, 9), expected);
    // Only lines that exist; the range's last line is included.
    EXPECT_EQ(PageTextLines(lines, 8, 40), (std::vector<std::string>{"        END OF FILE", " "}));
    EXPECT_EQ(PageTextLines(lines, -3, 1), (std::vector<std::string>{" ", "I "}));
    EXPECT_EQ(WithoutMarkup("x|refpt012>y|"), "xy");
    // A four-character text beginning with "p" that is no marker is kept only
    // when it is indented: markers are tested on the line's first character.
    EXPECT_EQ(PageTextLines({"plan", " plan"}, 0, 1), (std::vector<std::string>{" plan"}));
}

} // namespace
} // namespace cadenzo
