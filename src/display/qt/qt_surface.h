// The page surface. It keeps what was drawn as a list of drawing operations
// and paints them onto the page widget when that is shown: a page drawn
// behind another tab costs no rasterizing, and no page-sized image is held.
// The font state lives here, not in a painter, so it lasts from one page
// drawing to the next.
#pragma once

#include "display/surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPalette>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace cadenzo {

// Draws the reader's text, which is UTF-8.
class QtSurface : public DrawingSurface {
  public:
    QtSurface();

    // A new surface of the given size, filled with `fill`.
    void reset(int width, int height, QColor fill);
    // Grows the surface (never shrinks it) to hold at least this size; what it
    // adds is filled with the colour of the last reset.
    void ensureSize(int width, int height);
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    // Paints the part `area` of the surface at the same place on `painter`.
    void paint(QPainter& painter, const QRect& area) const;
    // The whole surface as an image.
    QImage image() const;
    // Where the desktop's colours come from for the Windows scheme.
    void setPalette(const QPalette& palette) { palette_ = palette; }
    // A surface in this one's font and colour state that keeps nothing drawn
    // on it and shares what this one measured: text measured there ahead of
    // time (widths and glyphs) is not measured again here. Each call starts a
    // new measure, dropping what the last one kept.
    QtSurface& measuringSurface();

    void setFontFace(FontFace face) override;
    void setFontSize(int points) override;
    void setFontStyle(FontStyle style) override;
    FontStyle fontStyle() const override { return style_; }
    void setTextColor(Color color) override { text_ = color; }
    void setBrushColor(Color color) override { brush_ = color; }
    void fillRect(int x1, int y1, int x2, int y2) override;
    int drawText(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) override;

  private:
    struct Operation {
        enum class Kind { Fill, Text, Line } kind;
        QColor color;
        QRect rect;              // Fill: the area; Line: from top-left to bottom-right
        QFont font;              // Text
        QPoint at;               // Text: the baseline's start
        QString text;            // Text
        QList<QGlyphRun> glyphs; // Text, when laid out ahead
        QPointF glyphsAt;        // Text: where the glyphs' line begins, its baseline at `at`
        int penWidth = 0;
    };
    QColor resolve(Color color) const;
    const QFontMetrics& metrics();
    // Text measured in a font and, when measured ahead, its glyphs laid out
    // on a line whose baseline is `ascent` below its top.
    struct Measured {
        int width = 0;
        QList<QGlyphRun> glyphs;
        qreal ascent = 0;
    };
    // `text` in the current font, measured once per measure; with its glyphs
    // laid out when `withGlyphs`.
    Measured measure(const QString& text, bool withGlyphs);
    void fontChanged();
    void addFill(const QRect& rect, const QColor& color);
    // `bounds`: every pixel the operation may touch.
    void add(Operation op, const QRect& bounds);
    void replay(QPainter& painter, const Operation& op) const;
    void flatten();

    QSize size_;
    QColor fill_;
    // What was drawn, oldest first, over `base_` when that is not null. An
    // operation wholly covered by a later fill is dropped (see addFill).
    std::vector<Operation> operations_;
    // The bounds of each operation, side by side: every fill is checked
    // against all of them, and a page draws hundreds of fills.
    std::vector<QRect> bounds_;
    QImage base_;
    QPalette palette_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    // Texts measured, by font (fontKey_) and text, shared with the measuring surface.
    using MeasuredTexts = QHash<std::pair<quint64, QString>, Measured>;
    std::shared_ptr<MeasuredTexts> measured_ = std::make_shared<MeasuredTexts>();
    quint64 fontKey_ = 0; // everything that makes font_, in one number
    std::unique_ptr<QtSurface> measuring_;
    bool keepsNothing_ = false;
    FontFace face_ = FontFace::Default;
    FontStyle style_;
    int points_ = 15;
    Color text_ = Color::Rgb(0);
    Color brush_ = Color::Rgb(0xFFFFFF);
};

} // namespace cadenzo
