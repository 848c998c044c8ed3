// The page surface on a QImage. The font state lives here, not in a painter,
// so it lasts from one page drawing to the next.
#pragma once

#include "display/surface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <optional>

namespace cadenzo {

// Draws the reader's text, which is UTF-8.
class QtSurface : public DrawingSurface {
  public:
    QtSurface();

    // A new image of the given size, filled with `fill`.
    void reset(int width, int height, QColor fill);
    // Grows the image (never shrinks it) to hold at least this size; what it
    // adds is filled with the colour of the last reset.
    void ensureSize(int width, int height);
    const QImage& image() const { return image_; }
    // Where the desktop's colours come from for the Windows scheme.
    void setPalette(const QPalette& palette) { palette_ = palette; }

    void beginDraw() override;
    void endDraw() override;
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
    QColor resolve(Color color) const;
    const QFontMetrics& metrics();
    void fontChanged();
    QPainter& painter();

    QImage image_;
    QColor fill_;
    QPainter painter_;
    QPalette palette_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    FontFace face_ = FontFace::Default;
    FontStyle style_;
    int points_ = 15;
    Color text_ = Color::Rgb(0);
    Color brush_ = Color::Rgb(0xFFFFFF);
};

} // namespace cadenzo
