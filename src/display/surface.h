// The drawing surface the page is painted on. Its font state (face, size,
// style, colour) persists between calls, as a real surface's does.
#pragma once

#include "display/color.h"

#include <string_view>

namespace cadenzo {

enum class FontFace { Default, TimesNewRoman, CourierNew };

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // Brackets one page drawing, so a surface can hold its painter open.
    virtual void beginDraw() {}
    virtual void endDraw() {}

    virtual void setFontFace(FontFace face) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontStyle(FontStyle style) = 0;
    virtual FontStyle fontStyle() const = 0;
    virtual void setTextColor(Color color) = 0;
    // Colour for fills and for the opaque background of drawn text.
    virtual void setBrushColor(Color color) = 0;

    // Fills x1 <= x < x2, y1 <= y < y2 with the brush colour.
    virtual void fillRect(int x1, int y1, int x2, int y2) = 0;
    // Draws text with its top-left at (x, y), opaque on the brush colour, and
    // returns its width.
    virtual int drawText(int x, int y, std::string_view text) = 0;
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) = 0;
};

} // namespace cadenzo
