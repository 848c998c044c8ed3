#include "app/layout.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

// The main window's parts for a few client sizes, with and without the
// control panel: what must hold whatever the size.
TEST(ComputeMainLayout, SplitsTheWindowAndCentresTheAboutPage) {
    for (const bool shown : {true, false}) {
        for (const auto& [w, h] : {std::pair{800, 600}, std::pair{400, 450}, std::pair{1921, 1081}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (shown ? " panel" : ""));
            const MainLayout l = ComputeMainLayout(w, h, shown);
            // Page area and panel share the width without gap or overlap, full height.
            EXPECT_EQ(l.pageControl1.left, 0);
            EXPECT_EQ(l.pageControl2.left, l.pageControl1.width);
            EXPECT_EQ(l.pageControl1.width + l.pageControl2.width, w);
            EXPECT_EQ(l.pageControl2.width, shown ? kControlPanelWidth : 0);
            EXPECT_EQ(l.pageControl1.height, h);
            EXPECT_EQ(l.pageControl2.height, h);
            // About page: a square picture at the left, the text square beside it.
            const int half = l.pageControl1.width / 2;
            EXPECT_EQ(l.programIcon, (Rect{0, 0, half, half}));
            EXPECT_EQ(l.memo1, (Rect{half, 0, half, half}));
            // The OK button straddles the line between them, below the text.
            EXPECT_EQ(l.okButton.left + l.okButton.width / 2, half);
            EXPECT_GT(l.okButton.top, l.memo1.height);
            EXPECT_EQ(l.okButton.width, kOkButtonWidth);
            // The title label is centred in the page area, below the button.
            EXPECT_LE(std::abs(2 * l.bookTitleLabel.left + l.bookTitleLabel.width - l.pageControl1.width), 1);
            EXPECT_GT(l.bookTitleLabel.top, l.okButton.top + l.okButton.height);
        }
    }
}

} // namespace
} // namespace cadenzo
