#include "app/layout.h"

namespace cadenzo {

MainLayout ComputeMainLayout(int W, int H, bool controlPanelShown) {
    MainLayout l;
    if (controlPanelShown) {
        l.pageControl1 = {0, 0, W - kControlPanelWidth, H};
        l.pageControl2 = {W - kControlPanelWidth, 0, kControlPanelWidth, H};
    } else {
        l.pageControl1 = {0, 0, W, H};
        l.pageControl2 = {W, 0, 0, H};
    }
    const int P = l.pageControl1.width;
    l.programIcon = {0, 0, P / 2, P / 2};
    l.bookTitleLabel = {(P - kBookTitleLabelWidth) / 2,
                        l.programIcon.height + kOkButtonHeight + 57, kBookTitleLabelWidth, 0};
    l.memo1 = {l.programIcon.width, 0, l.programIcon.width, l.programIcon.width};
    l.okButton = {l.memo1.left - kOkButtonWidth / 2, l.memo1.height + 8, kOkButtonWidth,
                  kOkButtonHeight};
    return l;
}

} // namespace cadenzo
