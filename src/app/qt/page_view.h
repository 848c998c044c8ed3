// Image1: shows the top-left part of the page surface that fits the widget.
#pragma once

#include "display/qt/qt_surface.h"

#include <QWidget>

#include <functional>

namespace cadenzo {

class PageView : public QWidget {
    Q_OBJECT
  public:
    explicit PageView(QtSurface& surface, QWidget* parent = nullptr);
    std::function<void()> onResize;
    // Takes the Reading page's size while that page is hidden: Qt lays out
    // only the tab in front, and pages drawn behind it must have the size
    // they will be seen at.
    void follow(QSize size);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Reports a size once: the resize Qt delivers when the page is shown
    // after follow() changes nothing, so the page is not drawn twice.
    void noteSize();
    QtSurface& surface_;
    QSize reported_;
};

} // namespace cadenzo
