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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QtSurface& surface_;
};

} // namespace cadenzo
