#include "support/fake_surface.h"

#include "base/unicode.h"

namespace cadenzo::test {

void FakeSurface::fillRect(int x1, int y1, int x2, int y2) { fills.push_back({x1, y1, x2, y2, brush_}); }

int FakeSurface::drawText(int x, int y, std::string_view text) {
    texts.push_back({x, y, std::string(text), size_, face_, style_, text_, brush_});
    return textWidth(text);
}

int FakeSurface::textWidth(std::string_view text) {
    // Half the point size per character, however many bytes it takes.
    return static_cast<int>(text::characterCount(text)) * size_ / 2;
}

int FakeSurface::textHeight(std::string_view) { return lineHeightFor(size_); }

void FakeSurface::drawLine(int x1, int y1, int x2, int y2, int penWidth, Color color) {
    lines.push_back({x1, y1, x2, y2, penWidth, color});
}

void FakeSurface::clearLog() {
    texts.clear();
    fills.clear();
    lines.clear();
}

std::string FakeSurface::rowText(int y, int xEnd) const {
    std::string row;
    for (const DrawnText& t : texts)
        if (t.y == y && t.x < xEnd) row += t.text;
    return row;
}

} // namespace cadenzo::test
