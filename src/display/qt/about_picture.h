// The About page's picture: a page of phrase lines cascading down a sheet,
// drawn on a 200 x 200 canvas and stretched to whatever size it is shown at.
#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

namespace cadenzo {

// Paints the picture stretched onto the rectangle (0, 0, size).
void paintAboutPicture(QPainter& painter, QSize size);

// The picture as an image of `side` x `side` pixels (the program's icon).
QImage makeAboutPicture(int side);

// Shows the picture stretched over the whole control. It is painted anew
// at the control's size, so no copy of it is kept between paints.
class AboutPictureView final : public QWidget {
  public:
    explicit AboutPictureView(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace cadenzo
