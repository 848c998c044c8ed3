#include "display/qt/qt_surface.h"

#include "base/qt/qt_text.h"

#include <QApplication>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
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

// Whether `fill` hides all of `bounds` that lies on the surface `whole`;
// plain arithmetic on the corners, as it runs for every operation kept at
// every fill.
inline bool hides(const QRect& fill, const QRect& bounds, const QRect& whole) {
    const int left = std::max(bounds.left(), whole.left());
    const int right = std::min(bounds.right(), whole.right());
    const int top = std::max(bounds.top(), whole.top());
    const int bottom = std::min(bounds.bottom(), whole.bottom());
    if (left > right || top > bottom) return false; // off the surface: nothing of it shows anyway
    return fill.left() <= left && right <= fill.right() && fill.top() <= top && bottom <= fill.bottom();
}

} // namespace

// Beyond this many operations that no fill has covered (a window made
// smaller and lines running past its edge, page after page), what was drawn
// is kept as an image instead.
constexpr std::size_t kMostOperations = 4096;
// How many of the last operations a low fill checks for what it hides.
constexpr std::size_t kLineLookBack = 64;
// Texts kept measured at most between two measures ahead: two columns of small type.
constexpr qsizetype kMostMeasured = 2048;

QtSurface::QtSurface() { fontChanged(); }

void QtSurface::reset(int width, int height, QColor fill) {
    fill_ = fill;
    size_ = QSize(std::max(1, width), std::max(1, height));
    operations_.clear();
    bounds_.clear();
    base_ = QImage();
    addFill(QRect(QPoint(0, 0), size_), fill);
}

void QtSurface::ensureSize(int width, int height) {
    const QSize old = size_;
    if (width <= old.width() && height <= old.height()) return;
    size_ = size_.expandedTo(QSize(width, height));
    // What the surface gains shows the colour of the last reset.
    addFill(QRect(old.width(), 0, size_.width() - old.width(), size_.height()), fill_);
    addFill(QRect(0, old.height(), old.width(), size_.height() - old.height()), fill_);
}

void QtSurface::paint(QPainter& painter, const QRect& area) const {
    const QRect shown = area & QRect(QPoint(0, 0), size_);
    if (shown.isEmpty()) return;
    painter.save();
    painter.setClipRect(shown, Qt::IntersectClip);
    if (!base_.isNull()) painter.drawImage(shown.topLeft(), base_, shown);
    for (std::size_t i = 0; i < operations_.size(); ++i)
        if (bounds_[i].intersects(shown)) replay(painter, operations_[i]);
    painter.restore();
}

QImage QtSurface::image() const {
    if (size_.isEmpty()) return QImage();
    QImage image(size_, QImage::Format_RGB32);
    image.fill(fill_);
    QPainter painter(&image);
    paint(painter, image.rect());
    return image;
}

void QtSurface::replay(QPainter& painter, const Operation& op) const {
    switch (op.kind) {
    case Operation::Kind::Fill: painter.fillRect(op.rect, op.color); break;
    case Operation::Kind::Text:
        painter.setPen(op.color);
        if (!op.glyphs.isEmpty()) {
            for (const QGlyphRun& run : op.glyphs) painter.drawGlyphRun(op.glyphsAt, run);
            break;
        }
        painter.setFont(op.font);
        painter.drawText(op.at, op.text);
        break;
    case Operation::Kind::Line:
        painter.setPen(QPen(op.color, op.penWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(op.rect.topLeft(), op.rect.bottomRight());
        break;
    }
}

void QtSurface::addFill(const QRect& rect, const QColor& color) {
    const QRect whole(QPoint(0, 0), size_);
    const QRect covered = rect & whole;
    if (covered.isEmpty()) return;
    // Whatever lies wholly under the fill can no longer be seen.
    if (covered == whole) {
        operations_.clear();
        bounds_.clear();
        base_ = QImage();
    } else {
        // A fill lower than a quarter of the surface is a line's or a run's
        // and can hide only what was drawn on that line, just before it; it
        // looks that far back only, as a page draws hundreds of them. A
        // taller fill, a column's, looks at everything kept.
        const bool low = covered.height() * 4 < whole.height();
        const std::size_t first = low && bounds_.size() > kLineLookBack ? bounds_.size() - kLineLookBack : 0;
        std::size_t kept = first;
        for (std::size_t i = first; i < bounds_.size(); ++i) {
            if (hides(covered, bounds_[i], whole)) continue;
            if (kept != i) {
                operations_[kept] = std::move(operations_[i]);
                bounds_[kept] = bounds_[i];
            }
            ++kept;
        }
        operations_.erase(operations_.begin() + static_cast<std::ptrdiff_t>(kept), operations_.end());
        bounds_.erase(bounds_.begin() + static_cast<std::ptrdiff_t>(kept), bounds_.end());
    }
    add(Operation{Operation::Kind::Fill, color, covered, {}, {}, {}, {}, {}, 0}, covered);
}

void QtSurface::add(Operation op, const QRect& bounds) {
    operations_.push_back(std::move(op));
    bounds_.push_back(bounds);
    if (operations_.size() > kMostOperations) flatten();
}

void QtSurface::flatten() {
    QImage image = this->image();
    operations_.clear();
    bounds_.clear();
    base_ = std::move(image);
}

QtSurface& QtSurface::measuringSurface() {
    if (!measuring_) {
        measuring_ = std::make_unique<QtSurface>();
        measuring_->measured_ = measured_;
        measuring_->keepsNothing_ = true;
    }
    QtSurface& m = *measuring_;
    m.face_ = face_;
    m.points_ = points_;
    m.style_ = style_;
    m.text_ = text_;
    m.brush_ = brush_;
    m.fontChanged();
    measured_->clear();
    return m;
}

QtSurface::Measured QtSurface::measure(const QString& text, bool withGlyphs) {
    const std::pair<quint64, QString> key(fontKey_, text);
    const auto found = measured_->constFind(key);
    if (found != measured_->cend() && (!withGlyphs || !found->glyphs.isEmpty())) return *found;
    Measured measured{found != measured_->cend() ? found->width : metrics().horizontalAdvance(text), {}, 0};
    if (withGlyphs) {
        QTextLayout layout(text, font_);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        measured.glyphs = layout.glyphRuns();
        measured.ascent = line.ascent();
    }
    if (measured_->size() < kMostMeasured) measured_->insert(key, measured);
    return measured;
}

void QtSurface::fontChanged() {
    fontKey_ = quint64(static_cast<unsigned>(points_)) << 8 | quint64(static_cast<unsigned>(face_)) << 3 |
               quint64(style_.bold) << 2 | quint64(style_.italic) << 1 | quint64(style_.underline);
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
    if (keepsNothing_ || x2 <= x1 || y2 <= y1) return;
    addFill(QRect(x1, y1, x2 - x1, y2 - y1), resolve(brush_));
}

int QtSurface::drawText(int x, int y, std::string_view text) {
    if (text.empty()) return 0;
    QString s = toQString(text);
    Measured measured = measure(s, keepsNothing_);
    if (keepsNothing_) return measured.width;
    const QFontMetrics& m = metrics();
    const int height = m.height();
    const QRect box(x, y, measured.width, height);
    addFill(box, resolve(brush_));
    // Glyphs may reach past their advance and line box; an em on every side holds them.
    const QPoint baseline(x, y + m.ascent());
    add(Operation{Operation::Kind::Text,
                  resolve(text_),
                  {},
                  font_,
                  baseline,
                  std::move(s),
                  std::move(measured.glyphs),
                  QPointF(baseline) - QPointF(0, measured.ascent),
                  0},
        box.adjusted(-height, -height, height, height));
    return measured.width;
}

int QtSurface::textWidth(std::string_view text) { return text.empty() ? 0 : measure(toQString(text), false).width; }

int QtSurface::textHeight(std::string_view) { return metrics().height(); }

void QtSurface::drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) {
    if (keepsNothing_) return;
    const QRect ends = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    const QRect bounds = ends.adjusted(-penWidth, -penWidth, penWidth, penWidth);
    add(
        Operation{
            Operation::Kind::Line, resolve(color), QRect(QPoint(x1, y1), QPoint(x2, y2)), {}, {}, {}, {}, {}, penWidth},
        bounds);
}

} // namespace cadenzo
