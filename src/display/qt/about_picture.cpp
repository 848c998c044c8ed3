#include "display/qt/about_picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace cadenzo {

namespace {

// Assistive technology is told the picture is a graphic, as for an image control.
QAccessibleInterface* accessiblePicture(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<AboutPictureView*>(object)) return new QAccessibleWidget(view, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void paintAboutPicture(QPainter& p, QSize size) {
    if (size.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 200.0, size.height() / 200.0);

    // Evening sky over the sea, with the tide line below.
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0.0, QColor(0x39, 0x2F, 0x46));
    sky.setColorAt(0.55, QColor(0x38, 0x45, 0x45));
    sky.setColorAt(1.0, QColor(0x1F, 0x2A, 0x33));
    p.fillRect(QRect(0, 0, 200, 200), sky);
    p.setPen(QPen(QColor(0xA4, 0xBE, 0xDB), 2));
    for (int i = 0; i < 4; ++i) {
        QPainterPath wave;
        const int y = 168 + i * 8;
        wave.moveTo(0, y);
        for (int x = 0; x <= 200; x += 25) wave.quadTo(x + 6, y - 4, x + 12, y);
        p.drawPath(wave);
    }

    // A tilted page whose two shades alternate by paragraph.
    p.translate(100, 88);
    // Turned 6 degrees back, as a fixed matrix (cos 6°, sin 6°): rotate()
    // would take the sine from the maths library, and keep its tables in
    // memory at every start for this one picture.
    p.setTransform(
        QTransform(0.99452189536827329, -0.10452846326765347, 0.10452846326765347, 0.99452189536827329, 0, 0), true);
    const QRect sheet(-62, -74, 124, 148);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(0xE3, 0xBC, 0x9F));
    p.drawRect(sheet);
    p.fillRect(QRect(-61, -20, 123, 40), QColor(0xDD, 0xC2, 0xA6));

    // Phrase lines: a sentence starts at the margin and cascades inward.
    const int indents[] = {4, 14, 26, 18, 34, 8, 4, 20, 30, 12, 24, 40, 4, 16, 28, 10};
    const int widths[] = {70, 56, 60, 48, 50, 66, 62, 54, 44, 70, 52, 40, 68, 58, 46, 64};
    const QColor highlight[] = {QColor(0x00, 0x62, 0x00), QColor(0x97, 0x00, 0x00), QColor(0x00, 0x00, 0x6C),
                                QColor(0x4A, 0x00, 0x4A)};
    for (int i = 0; i < 16; ++i) {
        const int y = -66 + i * 9;
        const int x = -56 + indents[i];
        p.fillRect(QRect(x, y, widths[i], 3), QColor(0x20, 0x1A, 0x14));
        if (i % 3 == 1) p.fillRect(QRect(x + widths[i] / 3, y, widths[i] / 4, 3), highlight[i % 4]);
    }
    p.restore();
}

QImage makeAboutPicture(int side) {
    QImage art(side, side, QImage::Format_RGB32);
    QPainter p(&art);
    paintAboutPicture(p, art.size());
    return art;
}

AboutPictureView::AboutPictureView(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(accessiblePicture), true);
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
}

void AboutPictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintAboutPicture(p, size());
}

} // namespace cadenzo
