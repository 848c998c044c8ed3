// Places a top-level window by its outer rectangle, the window manager's
// frame included, as the reader's window left, top, width and height are.
// Qt knows a window's frame only once the window manager has framed it: until
// then the rectangle is applied as if there were no frame, and it is applied
// again when the frame appears.
#pragma once

#include "app/layout.h"

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace cadenzo {

class OuterFrame : public QObject {
  public:
    // keepMinimum: the window's outer size may not go below 400 x 450.
    OuterFrame(QWidget* window, bool keepMinimum);

    // The outer rectangle to take; with an empty size only the position.
    void place(const QRect& outer);
    // The window's outer rectangle as it stands.
    QRect outer() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMargins margins() const;
    void apply();

    QWidget* window_;
    bool keepMinimum_;
    QRect wanted_;
    bool placed_ = false;
    // The frame the rectangle was last applied with, and whether it is to be
    // applied again when the frame first becomes known.
    QMargins applied_;
    bool pending_ = false;
    // The frame last seen while the window was shown: a hidden window has none.
    QMargins known_;
    bool watchingSurface_ = false;
};

} // namespace cadenzo
