#include "app/qt/outer_frame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace cadenzo {

namespace {

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
Rect toRect(const QRect& r) { return Rect{r.x(), r.y(), r.width(), r.height()}; }
FrameMargins toFrameMargins(const QMargins& m) { return {m.left(), m.top(), m.right(), m.bottom()}; }

} // namespace

OuterFrame::OuterFrame(QWidget* window, bool keepMinimum)
    : QObject(window), window_(window), keepMinimum_(keepMinimum) {
    window_->installEventFilter(this);
    if (keepMinimum_) window_->setMinimumSize(kMinWindowWidth, kMinWindowHeight);
}

// The frame as the window manager draws it now; while the window is hidden,
// the frame it had when last shown.
QMargins OuterFrame::margins() const {
    const QWindow* handle = window_->windowHandle();
    const QMargins now = handle && handle->handle() ? handle->frameMargins() : QMargins();
    return window_->isVisible() && !now.isNull() ? now : known_;
}

void OuterFrame::place(const QRect& outer) {
    wanted_ = outer;
    placed_ = true;
    apply();
}

QRect OuterFrame::outer() const { return toQRect(OuterRectOf(toRect(window_->geometry()), toFrameMargins(margins()))); }

void OuterFrame::apply() {
    const QMargins m = margins();
    applied_ = m;
    // Until the frame is known, the window is placed as if it had none; the
    // frame's first appearance places it again.
    pending_ = m.isNull();
    const FrameMargins frame = toFrameMargins(m);
    if (keepMinimum_) {
        const Rect least = MinimumClientSize(frame);
        window_->setMinimumSize(least.width, least.height);
    }
    Rect outer = toRect(wanted_);
    if (wanted_.isEmpty()) {
        // Position only: the window keeps its size, its natural one when it
        // has none yet.
        if (!window_->testAttribute(Qt::WA_Resized)) window_->adjustSize();
        const Rect now = OuterRectOf(toRect(window_->geometry()), frame);
        outer.width = now.width;
        outer.height = now.height;
    }
    window_->setGeometry(toQRect(ClientRectOf(outer, frame)));
}

bool OuterFrame::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // The frame is drawn once the window is mapped, which the window's
        // surface learns through its first expose.
        if (!watchingSurface_ && window_->windowHandle()) {
            window_->windowHandle()->installEventFilter(this);
            watchingSurface_ = true;
        }
        [[fallthrough]];
    case QEvent::Expose:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate: {
        if (!window_->isVisible()) break;
        const QWindow* handle = window_->windowHandle();
        const QMargins now = handle && handle->handle() ? handle->frameMargins() : QMargins();
        if (now.isNull()) break;
        known_ = now;
        const bool plain = !(window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        if (placed_ && pending_ && now != applied_ && plain) apply();
        break;
    }
    default: break;
    }
    return false;
}

} // namespace cadenzo
