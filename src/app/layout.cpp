#include "app/layout.h"

namespace cadenzo {

Rect ClientRectOf(const Rect& outer, const FrameMargins& frame) {
    const int width = outer.width - frame.left - frame.right;
    const int height = outer.height - frame.top - frame.bottom;
    return {outer.left + frame.left, outer.top + frame.top, width > 0 ? width : 0, height > 0 ? height : 0};
}

Rect OuterRectOf(const Rect& client, const FrameMargins& frame) {
    return {client.left - frame.left, client.top - frame.top, client.width + frame.left + frame.right,
            client.height + frame.top + frame.bottom};
}

Rect MinimumClientSize(const FrameMargins& frame) {
    const int width = kMinWindowWidth - frame.left - frame.right;
    const int height = kMinWindowHeight - frame.top - frame.bottom;
    return {0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

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
    l.bookTitleLabel = {(P - kBookTitleLabelWidth) / 2, l.programIcon.height + kOkButtonHeight + 57,
                        kBookTitleLabelWidth, 0};
    l.memo1 = {l.programIcon.width, 0, l.programIcon.width, l.programIcon.width};
    l.okButton = {l.memo1.left - kOkButtonWidth / 2, l.memo1.height + 8, kOkButtonWidth, kOkButtonHeight};
    return l;
}

} // namespace cadenzo
