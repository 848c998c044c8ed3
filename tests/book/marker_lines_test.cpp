#include "book/marker_lines.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

// The four rules differ on purpose; each row pins where they part.
TEST(MarkerLines, EachRuleAnswersItsOwnQuestion) {
    struct Case {
        const char* line;
        bool pageEnd, pageBack, markerText, indexMarker;
    };
    const Case cases[] = {
        {"p000", true, true, true, true},
        {"p000 ", true, true, true, true},
        {"s000", true, true, true, true},
        {"s012", true, true, true, false},
        {"s000\t", true, true, false, true},
        {"r|refpt001>", true, false, false, false},
        {"pa", true, true, false, false},
        {"x", true, true, false, false},
        {"", true, true, false, false},
        {"ab", true, false, false, false},
        {"   The sea", false, false, false, false},
        {"  p000", false, false, false, false},
        {"paragraph", true, true, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isPageEndBreak(c.line), c.pageEnd) << '"' << c.line << '"';
        EXPECT_EQ(isPageBackBreak(c.line), c.pageBack) << '"' << c.line << '"';
        EXPECT_EQ(isMarkerText(c.line), c.markerText) << '"' << c.line << '"';
        EXPECT_EQ(isIndexMarkerLine(c.line), c.indexMarker) << '"' << c.line << '"';
    }
}

} // namespace
} // namespace cadenzo
