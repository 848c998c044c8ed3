// The About page's picture: a page of phrase lines cascading down a sheet,
// 200 x 200 pixels in 256 colours.
#pragma once

#include <QImage>

namespace cadenzo {

QImage MakeAboutPicture();

} // namespace cadenzo
