// The page surface keeps drawing operations, not pixels: what it shows must
// be what painting the same calls straight onto an image shows, however the
// surface grew and whatever it dropped as covered.
#include "display/qt/qt_surface.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

namespace cadenzo {
namespace {

// Paints every call at once onto an image that grows the way the page does.
class ImageSurface : public DrawingSurface {
  public:
    void reset(int width, int height, QColor fill) {
        fill_ = fill;
        image_ = QImage(width, height, QImage::Format_RGB32);
        image_.fill(fill);
    }
    void ensureSize(int width, int height) {
        if (width <= image_.width() && height <= image_.height()) return;
        QImage grown(std::max(width, image_.width()), std::max(height, image_.height()), QImage::Format_RGB32);
        grown.fill(fill_);
        QPainter(&grown).drawImage(0, 0, image_);
        image_ = grown;
    }
    const QImage& image() const { return image_; }

    void setFontFace(FontFace) override {}
    void setFontSize(int points) override { font_.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0))); }
    void setFontStyle(FontStyle style) override {
        style_ = style;
        font_.setBold(style.bold);
        font_.setItalic(style.italic);
        font_.setUnderline(style.underline);
    }
    FontStyle fontStyle() const override { return style_; }
    void setTextColor(Color color) override { text_ = QColor::fromRgb(static_cast<QRgb>(color.rgb)); }
    void setBrushColor(Color color) override { brush_ = QColor::fromRgb(static_cast<QRgb>(color.rgb)); }
    void fillRect(int x1, int y1, int x2, int y2) override {
        if (x2 > x1 && y2 > y1) QPainter(&image_).fillRect(QRect(x1, y1, x2 - x1, y2 - y1), brush_);
    }
    int drawText(int x, int y, std::string_view text) override {
        const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        const QFontMetrics m(font_);
        QPainter p(&image_);
        p.fillRect(QRect(x, y, m.horizontalAdvance(s), m.height()), brush_);
        p.setFont(font_);
        p.setPen(text_);
        p.drawText(x, y + m.ascent(), s);
        return m.horizontalAdvance(s);
    }
    int textWidth(std::string_view text) override {
        return QFontMetrics(font_).horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    int textHeight(std::string_view) override { return QFontMetrics(font_).height(); }
    void drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) override {
        QPainter p(&image_);
        p.setPen(QPen(QColor::fromRgb(static_cast<QRgb>(color.rgb)), penWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(x1, y1, x2, y2);
    }

    ImageSurface() { font_.setFamily(QStringLiteral("Times New Roman")); }

  private:
    QImage image_;
    QColor fill_;
    QFont font_;
    FontStyle style_;
    QColor text_;
    QColor brush_;
};

// One scenario, run against both surfaces: `grow` stands for the page widget growing.
struct Scenario {
    const char* name;
    std::function<void(DrawingSurface&, const std::function<void(int, int)>& grow)> draw;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

void page(DrawingSurface& s, int width, int height, std::uint32_t background, int firstLine) {
    s.setBrushColor(Color::Rgb(background));
    s.fillRect(0, 0, width, height);
    s.setFontSize(15);
    s.setTextColor(Color::Rgb(0x202020));
    for (int y = 5, n = firstLine; y < height; y += 20, ++n)
        s.drawText(5 + (n % 4) * 9, y, "The tide came early " + std::to_string(n));
}

const Scenario kScenarios[] = {
    {"PagesDrawnOverEachOther",
     [](DrawingSurface& s, const auto&) {
         page(s, 320, 200, 0xE8D8C0, 0);
         s.setFontStyle({true, true, true});
         page(s, 320, 200, 0xD0E0F0, 7);
     }},
    {"ShrunkPageLinesRunningPastItsEdgeThenGrown",
     [](DrawingSurface& s, const auto& grow) {
         page(s, 320, 200, 0xE8D8C0, 0);
         page(s, 180, 120, 0xC0D0A0, 3); // the window made smaller: the rest of the surface keeps the old page
         s.setFontSize(30);
         s.drawText(150, 40, "a line running past the page's right edge");
         grow(420, 260); // what the surface gains shows the colour it started with
         page(s, 100, 60, 0xFFFFFF, 9);
     }},
    {"TwoColumnsAndTheRule",
     [](DrawingSurface& s, const auto&) {
         s.setBrushColor(Color::Rgb(0xF0F0F0));
         s.fillRect(0, 0, 163, 200);
         s.fillRect(163, 0, 320, 200);
         s.setFontSize(12);
         s.drawText(2, 5, "left column");
         s.drawText(165, 5, "right column");
         s.drawLine(157, 0, 157, 200, 6, Color::Rgb(0x808080));
     }},
    {"MeasuredAheadThenDrawnInAnotherStyleAndSize",
     [](DrawingSurface& s, const auto&) {
         // Widths measured ahead in one font are not taken for another.
         if (auto* kept = dynamic_cast<QtSurface*>(&s)) page(kept->measuringSurface(), 320, 200, 0xE8D8C0, 0);
         s.setFontStyle({true, false, false});
         page(s, 320, 200, 0xE8D8C0, 0);
         for (const int size : {15, 21}) {
             s.setFontSize(size);
             const int y = size * 6;
             s.drawText(4 + s.drawText(4, y, "The tide came early 3"), y, "|");
         }
     }},
    {"MeasuredAheadThenDrawnAsMeasured",
     [](DrawingSurface& s, const auto&) {
         // Glyphs laid out ahead are drawn where drawing the text puts them.
         auto* kept = dynamic_cast<QtSurface*>(&s);
         const FontStyle styles[] = {{}, {true, true, true}, {false, true, false}};
         for (int i = 0; i < 3; ++i) {
             s.setFontStyle(styles[i]);
             if (kept) page(kept->measuringSurface(), 320, 200, 0xE8D8C0, i * 3);
             page(s, 320, 200, 0xE8D8C0, i * 3);
         }
         for (const int size : {4, 6, 11, 23, 37, 40}) {
             s.setFontSize(size);
             const std::string text = "Fjord, \xE2\x80\x9Cwaves\xE2\x80\x9D & caf\xC3\xA9 " + std::to_string(size);
             if (kept) kept->measuringSurface().drawText(0, 0, text);
             s.drawText(size % 7, size * 4, text);
         }
     }},
    {"MoreOperationsThanAreKeptAsSuch",
     [](DrawingSurface& s, const auto&) {
         s.setFontSize(8);
         s.setBrushColor(Color::Rgb(0xFFFFE0));
         for (int i = 0; i < 5000; ++i) s.drawText((i * 37) % 300, (i * 13) % 190, "w");
         s.fillRect(40, 40, 80, 80);
     }},
};

class QtSurfaceDraws : public ::testing::TestWithParam<Scenario> {};

TEST_P(QtSurfaceDraws, WhatPaintingStraightOntoAnImageShows) {
    QtSurface kept;
    ImageSurface painted;
    const QColor silver(0xC0, 0xC0, 0xC0);
    kept.reset(320, 200, silver);
    painted.reset(320, 200, silver);
    kept.setFontFace(FontFace::TimesNewRoman);
    GetParam().draw(kept, [&](int w, int h) { kept.ensureSize(w, h); });
    GetParam().draw(painted, [&](int w, int h) { painted.ensureSize(w, h); });
    EXPECT_EQ(kept.width(), painted.image().width());
    EXPECT_EQ(kept.height(), painted.image().height());
    EXPECT_TRUE(kept.image() == painted.image());

    // A part painted onto a widget-sized image shows the same pixels there.
    const QRect part(30, 20, 150, 90);
    QImage shown(part.size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter p(&shown);
    p.translate(-part.topLeft());
    kept.paint(p, part);
    p.end();
    EXPECT_TRUE(shown == painted.image().copy(part));
}

// The measuring surface starts in the page surface's font state, measures as
// the page surface would, and draws nothing on it.
TEST(QtSurfaceMeasures, InThePageSurfacesFontAndDrawsNothing) {
    QtSurface kept;
    kept.reset(320, 200, QColor(0xC0, 0xC0, 0xC0));
    kept.setFontFace(FontFace::TimesNewRoman);
    page(kept, 320, 200, 0xE8D8C0, 0);
    kept.setFontSize(18);
    kept.setFontStyle({true, false, false});
    const QImage before = kept.image();

    ImageSurface fonts;
    fonts.setFontSize(18);
    const std::string text = "Wide tides, when she came";
    const int regular = fonts.textWidth(text);
    fonts.setFontStyle({true, false, false});
    const int bold = fonts.textWidth(text);
    ASSERT_NE(regular, bold);

    DrawingSurface& ahead = kept.measuringSurface();
    EXPECT_EQ(ahead.fontStyle(), (FontStyle{true, false, false}));
    EXPECT_EQ(ahead.drawText(10, 10, text), bold);
    EXPECT_EQ(ahead.textWidth(text), bold);
    ahead.setBrushColor(Color::Rgb(0x000000));
    ahead.fillRect(0, 0, 320, 200);
    ahead.drawLine(0, 0, 320, 200, 6, Color::Rgb(0x000000));
    EXPECT_TRUE(kept.image() == before);
    EXPECT_EQ(kept.textWidth(text), bold); // taken from what was measured, in the same font
    kept.setFontStyle({});
    EXPECT_EQ(kept.textWidth(text), regular);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, QtSurfaceDraws, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace cadenzo
