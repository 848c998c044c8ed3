#include "display/qt/qt_surface.h"

#include <QApplication>
#include <QPen>

#include <cmath>

namespace cadenzo {

namespace {

QString familyOf(FontFace face) {
    switch (face) {
    case FontFace::TimesNewRoman: return QStringLiteral("Times New Roman");
    case FontFace::CourierNew: return QStringLiteral("Courier New");
    case FontFace::Default: break;
    }
    return QApplication::font().family();
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

QtSurface::QtSurface() { fontChanged(); }

void QtSurface::reset(int width, int height, QColor fill) {
    if (painter_.isActive()) painter_.end();
    fill_ = fill;
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.fill(fill);
}

void QtSurface::ensureSize(int width, int height) {
    if (width <= image_.width() && height <= image_.height()) return;
    if (painter_.isActive()) painter_.end();
    QImage grown(std::max(width, image_.width()), std::max(height, image_.height()), QImage::Format_RGB32);
    grown.fill(fill_);
    QPainter copy(&grown);
    copy.drawImage(0, 0, image_);
    copy.end();
    image_ = std::move(grown);
}

void QtSurface::beginDraw() {
    if (!painter_.isActive() && !image_.isNull()) painter_.begin(&image_);
}

void QtSurface::endDraw() {
    if (painter_.isActive()) painter_.end();
}

QPainter& QtSurface::painter() {
    beginDraw();
    return painter_;
}

void QtSurface::fontChanged() {
    font_.setFamily(familyOf(face_));
    // Points at 96 pixels per inch, the same on every platform and screen.
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(points_ * 96.0 / 72.0))));
    font_.setBold(style_.bold);
    font_.setItalic(style_.italic);
    font_.setUnderline(style_.underline);
    metrics_.reset();
}

const QFontMetrics& QtSurface::metrics() {
    if (!metrics_) metrics_.emplace(font_);
    return *metrics_;
}

void QtSurface::setFontFace(FontFace face) {
    if (face == face_) return;
    face_ = face;
    fontChanged();
}

void QtSurface::setFontSize(int points) {
    if (points == points_) return;
    points_ = points;
    fontChanged();
}

void QtSurface::setFontStyle(FontStyle style) {
    if (style == style_) return;
    style_ = style;
    fontChanged();
}

QColor QtSurface::resolve(Color color) const {
    switch (color.system) {
    case SystemColor::Window: return palette_.color(QPalette::Active, QPalette::Base);
    case SystemColor::WindowText: return palette_.color(QPalette::Active, QPalette::Text);
    case SystemColor::GrayText: return palette_.color(QPalette::Disabled, QPalette::Text);
    case SystemColor::None: break;
    }
    return QColor::fromRgb(static_cast<QRgb>(color.rgb));
}

void QtSurface::fillRect(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    painter().fillRect(QRect(x1, y1, x2 - x1, y2 - y1), resolve(brush_));
}

int QtSurface::drawText(int x, int y, std::string_view text) {
    if (text.empty()) return 0;
    const QString s = fromUtf8(text);
    const QFontMetrics& m = metrics();
    const int width = m.horizontalAdvance(s);
    QPainter& p = painter();
    p.fillRect(QRect(x, y, width, m.height()), resolve(brush_));
    p.setFont(font_);
    p.setPen(resolve(text_));
    p.drawText(x, y + m.ascent(), s);
    return width;
}

int QtSurface::textWidth(std::string_view text) {
    return text.empty() ? 0 : metrics().horizontalAdvance(fromUtf8(text));
}

int QtSurface::textHeight(std::string_view) { return metrics().height(); }

void QtSurface::drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) {
    QPainter& p = painter();
    p.setPen(QPen(resolve(color), penWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(x1, y1, x2, y2);
}

} // namespace cadenzo
