// The About page's picture: a page of phrase lines cascading down a sheet,
// 200 x 200 pixels in 256 colours.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace cadenzo {

QImage makeAboutPicture();

// The picture stretched smoothly to `size`, ready to be shown as it is: the
// control showing it then keeps this one copy only.
QPixmap aboutPictureAt(const QImage& picture, QSize size);

} // namespace cadenzo
