#include "app/qt/page_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace cadenzo {

PageView::PageView(QtSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Focus comes with the Reading tab, not with a click on the page: a click
    // on the page enters nothing.
    setFocusPolicy(Qt::TabFocus);
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    surface_.paint(p, event->rect());
}

void PageView::resizeEvent(QResizeEvent*) { noteSize(); }

void PageView::follow(QSize size) {
    if (size == this->size()) return;
    resize(size);
    noteSize();
}

void PageView::noteSize() {
    if (size() == reported_) return;
    reported_ = size();
    surface_.ensureSize(width(), height());
    if (onResize) onResize();
}

} // namespace cadenzo
