// A drawing surface with fixed, predictable metrics that logs what is drawn.
// A character is size/2 pixels wide (whole line rounded down); a line is
// size + 5 pixels high, so capacities are easy to set up.
#pragma once

#include "display/surface.h"

#include <string>
#include <vector>

namespace cadenzo::test {

struct DrawnText {
    int x, y;
    std::string text;
    int size;
    FontFace face;
    FontStyle style;
    Color color, background;
    friend bool operator==(const DrawnText&, const DrawnText&) = default;
};

struct FilledRect {
    int x1, y1, x2, y2;
    Color color;
};

class FakeSurface : public DrawingSurface {
  public:
    static int lineHeightFor(int size) { return size + 5; }

    void setFontFace(FontFace face) override { face_ = face; }
    void setFontSize(int points) override { size_ = points; }
    void setFontStyle(FontStyle style) override { style_ = style; }
    FontStyle fontStyle() const override { return style_; }
    void setTextColor(Color color) override { text_ = color; }
    void setBrushColor(Color color) override { brush_ = color; }
    void fillRect(int x1, int y1, int x2, int y2) override;
    int drawText(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) override;

    void clearLog();
    // Texts drawn on the row starting at y left of xEnd, joined.
    std::string rowText(int y, int xEnd = 1 << 30) const;

    std::vector<DrawnText> texts;
    std::vector<FilledRect> fills;
    struct Line {
        int x1, y1, x2, y2, width;
        Color color;
    };
    std::vector<Line> lines;
    int size_ = 15;

  private:
    FontFace face_ = FontFace::Default;
    FontStyle style_;
    Color text_;
    Color brush_;
};

} // namespace cadenzo::test
