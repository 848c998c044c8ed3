#include "display/page_text.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(PageText, MarkupAndMarkersAreLeftOut) {
    const BookLineList lines = {
        "|refpt001> ",                                         // anchor line: one blank
        "|b>I|n> ",                                            // "I "
        "p000 ",                                               // marker: left out
        "|p> ",                                                // " "
        "             was|9> flushed|4> and|9> animated|4>. ", // four tags
        "s000 ",
        "     before|image>map.png", // picture line: left out
        "p999",
        "        END OF FILE",
        " ",
    };
    const std::vector<std::string> expected = {
        " ", "I ", " ", "             was flushed and animated. ", "        END OF FILE", " "};
    EXPECT_EQ(PageTextLines(lines, 0, 9), expected);
    // Only lines that exist; the range's last line is included.
    EXPECT_EQ(PageTextLines(lines, 8, 40), (std::vector<std::string>{"        END OF FILE", " "}));
    EXPECT_EQ(PageTextLines(lines, -3, 1), (std::vector<std::string>{" ", "I "}));
    EXPECT_EQ(WithoutMarkup("x|refpt012>y|"), "xy");
    // A four-character text beginning with "p" that is no marker is kept only
    // when it is indented: markers are tested on the line's first character.
    EXPECT_EQ(PageTextLines({"plan", " plan"}, 0, 1), (std::vector<std::string>{" plan"}));
}

// A tag's two characters after the bar are characters, not bytes: a
// multi-byte one goes whole and the text after it is kept whole.
TEST(PageText, TagsAndMarkersCountCharactersNotBytes) {
    const std::string e = "\xC3\xA9", quote = "\xE2\x80\x9D";
    struct Case {
        std::string line, plain;
    };
    const Case cases[] = {
        {"caf|9> " + e + "|4>", "caf " + e},
        {"a|" + e + ">b", "ab"},    // the tag's code is é: the bar, é and ">" go
        {"a|" + e + e + "b", "ab"}, // bar + two characters
        {"x|" + quote, "x"},        // a tag cut off at the line's end
        {"|" + e, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithoutMarkup(c.line), c.plain) << c.line;
        EXPECT_EQ(RemoveTagsAsThreeChars(c.line), c.plain) << c.line;
    }
    // A marker is four characters, however many bytes they take.
    EXPECT_EQ(PageTextLines({"p" + e + "ab", "p" + e + "a", "s" + e + e + e + " "}, 0, 2),
              (std::vector<std::string>{"p" + e + "a"}));
}

} // namespace
} // namespace cadenzo
