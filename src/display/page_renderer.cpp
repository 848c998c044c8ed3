#include "display/page_renderer.h"

#include "base/checked.h"
#include "base/unicode.h"
#include "display/paging.h"

#include <algorithm>
#include <string_view>

namespace cadenzo {

namespace {

constexpr std::string_view kFiveBlanks = "     ";

class PagePainter {
  public:
    PagePainter(const PageInputs& in, PageState& state, DrawingSurface& surface)
        : in_(in), st_(state), surface_(surface) {}

    int drawColumns(int start, int lineCount, bool twoColumns);

  private:
    const ColorSet& current() const { return checkedAt(in_.ColorSets, st_.CurColorSet); }
    void toggleColorSet();
    void drawLine(std::string_view line, int left, int& x, int& y);
    void applyTag(std::string& rest, char code, std::size_t bar, int& y);
    void fillStripFrom(int x, int y, bool always = false);
    int drawRun(int x, int y, std::string_view text);
    void setBrush(Color color) {
        brush_ = color;
        surface_.setBrushColor(color);
    }

    const PageInputs& in_;
    PageState& st_;
    DrawingSurface& surface_;
    Color brush_;
    Color columnFill_;
};

void PagePainter::toggleColorSet() {
    st_.CurColorSet = st_.CurColorSet == 0 ? 1 : 0;
    setBrush(current().slot[1]);
    surface_.setTextColor(current().slot[4]);
}

void PagePainter::fillStripFrom(int x, int y, bool always) {
    // The column's own fill already shows the brush colour there.
    if (!always && brush_ == columnFill_) return;
    if (x < st_.ColumnRight) surface_.fillRect(x, y, st_.ColumnRight, y + st_.LineHeight);
}

int PagePainter::drawColumns(int start, int lineCount, bool twoColumns) {
    const int W = in_.width;
    const int H = in_.height;
    int p = start;
    for (int column = 0; column < (twoColumns ? 2 : 1); ++column) {
        int left = 0;
        if (column == 1) {
            if (p >= lineCount - 1) break;
            left = TwoColumns(W).rightColumnLeft;
            st_.ColumnRight = W;
        }
        surface_.setFontSize(in_.PageFontSize);
        surface_.setTextColor(current().slot[4]);
        st_.LineHeight = std::max(1, surface_.textHeight("X"));

        // A surface lower than one line still shows one line, so paging always moves on.
        const int shown = columnLineCount(in_.BookLines, p, std::max(1, H / st_.LineHeight));

        // The first column's fill spans the whole width; when a right column
        // will follow, its own fill covers that half, so it is not painted twice.
        const bool rightColumnFollows = twoColumns && column == 0 && p + shown < lineCount - 1;
        setBrush(current().slot[1]);
        columnFill_ = brush_;
        surface_.fillRect(left, 0, rightColumnFollows ? TwoColumns(W).rightColumnLeft : W, H);

        int y = kTopMargin;
        int x = left;
        for (int i = 0; i < shown; ++i) {
            drawLine(checkedAt(in_.BookLines, p), left, x, y);
            x = left;
            y += st_.LineHeight;
            ++p;
            if (y >= st_.PageHeight || p >= lineCount - 1) break;
        }
    }
    return p;
}

void PagePainter::drawLine(std::string_view line, int left, int& x, int& y) {
    surface_.setFontSize(in_.PageFontSize);
    std::string d(line);
    d += ' ';

    if (d[0] == 'p') {
        d = kFiveBlanks;
        toggleColorSet();
    } else if (std::size_t anchor = d.find("refp"); anchor != std::string::npos) {
        std::size_t close = d.find('>', anchor);
        d.erase(0, close == std::string::npos ? d.size() : close + 1);
        // Fewer than five characters left (five take at least five bytes, at most twenty).
        if (d.size() < 5 || (d.size() < 20 && text::characterCount(d) < 5)) d += kFiveBlanks;
        toggleColorSet();
    } else if (Contains(d, "s000")) {
        d = kFiveBlanks;
    }

    // Too wide for the column: shrink this line alone, down to 8 points.
    int size = in_.PageFontSize;
    if (size > kMinFitSize) {
        std::string plain = RemoveTagsAsThreeChars(d);
        const int room = st_.ColumnRight - left;
        // Only the characters that could fit matter for whether the line fits;
        // the cut falls between characters, never inside one.
        if (plain.size() > static_cast<std::size_t>(room) + 1)
            plain.resize(text::bytesOfCharacters(plain, static_cast<std::size_t>(room) + 1));
        bool shrunk = false;
        while (size > kMinFitSize && surface_.textWidth(plain) > room) {
            --size;
            surface_.setFontSize(size);
            shrunk = true;
        }
        // The smaller text leaves part of the line's strip to fill.
        if (shrunk) fillStripFrom(x, y, true);
    }

    for (std::size_t bar = d.find('|'); bar != std::string::npos; bar = d.find('|')) {
        x += drawRun(x, y, std::string_view(d.data(), bar));
        setBrush(current().slot[1]);
        const char code = bar + 1 < d.size() ? d[bar + 1] : '\0';
        applyTag(d, code, bar, y);
    }
    x += drawRun(x, y, d);
    fillStripFrom(x, y);
}

// Draws a run of text. Text past the surface's right edge cannot be seen, and
// every character is at least a pixel wide, so a run of more characters than
// the room left is cut there, between two characters (a line of a megabyte is
// not laid out whole).
int PagePainter::drawRun(int x, int y, std::string_view run) {
    const int room = in_.width - x;
    if (room <= 0) return 0;
    if (run.size() > static_cast<std::size_t>(room)) {
        const std::size_t fits = text::bytesOfCharacters(run, static_cast<std::size_t>(room));
        if (fits < run.size()) {
            surface_.drawText(x, y, run.substr(0, fits));
            return room;
        }
    }
    return surface_.drawText(x, y, run);
}

// Applies the tag whose bar stands at `bar` and removes the text before it
// together with the tag's three characters.
void PagePainter::applyTag(std::string& d, char code, std::size_t bar, int& y) {
    const char next = bar + 2 < d.size() ? d[bar + 2] : '\0';
    FontStyle style = surface_.fontStyle();
    bool picture = false;
    switch (code) {
    case 'f': surface_.setFontFace(FontFace::CourierNew); break;
    case 'a': surface_.setFontFace(FontFace::TimesNewRoman); break;
    case 'b':
        style.bold = true;
        surface_.setFontFace(FontFace::TimesNewRoman);
        surface_.setFontStyle(style);
        break;
    case 'u':
        style.underline = true;
        surface_.setFontFace(FontFace::TimesNewRoman);
        surface_.setFontStyle(style);
        break;
    case 'n':
        surface_.setFontFace(FontFace::TimesNewRoman);
        surface_.setFontStyle(FontStyle{});
        break;
    case 'i':
        if (next == '>') {
            style.italic = true;
            surface_.setFontFace(FontFace::TimesNewRoman);
            surface_.setFontStyle(style);
        } else if (next == 'm') {
            picture = true;
        }
        break;
    default:
        // Colour codes 1..9 pick a slot of the set in use; "|0>" has no slot and does nothing.
        if (code >= '1' && code <= '9') surface_.setTextColor(current().slot[static_cast<std::size_t>(code - '0')]);
        break;
    }

    if (!picture) {
        d.erase(0, TagEnd(d, bar));
        return;
    }
    if (st_.PageImageFile.empty()) {
        std::size_t gt = d.find('>');
        std::string name = gt == std::string::npos ? std::string() : d.substr(gt + 1);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        st_.PageImageFile = in_.ProgramDir + name;
        const bool exists = in_.fileExists && in_.fileExists(st_.PageImageFile);
        d = exists ? "  [image]" : "";
    } else {
        // A second picture on one page ends its column at this line.
        d.clear();
        y = st_.PageHeight - st_.LineHeight + 1;
    }
}

} // namespace

TwoColumnGeometry TwoColumns(int width) { return {width / 2 - 2, width / 2 + 3, width / 2 - 3}; }

void ShowPosition(int start, int lineCount, PositionDisplay& display) {
    display.setPositionText(std::to_string(start / 100) + " of " + std::to_string(lineCount / 100) + " panels");
    display.setProgress(lineCount, start);
}

int ShowPage(int start, const PageInputs& in, PageState& state, DrawingSurface& surface, PositionDisplay& display) {
    if (start < 0) start = 0;
    state.PageStart = start;
    display.setPrevEnabled(start != 0);
    if (start == 0) state.CurColorSet = 0;
    state.PageImageFile.clear();

    const int lineCount = static_cast<int>(in.BookLines.size());
    if (start >= lineCount - 2) return start;

    ShowPosition(start, lineCount, display);

    const int W = in.width;
    const int H = in.height;
    state.PageHeight = H;
    state.ColumnRight = in.twoColumns ? TwoColumns(W).leftColumnRight : W;

    surface.beginDraw();
    PagePainter painter(in, state, surface);
    const int p = painter.drawColumns(start, lineCount, in.twoColumns);
    if (in.twoColumns) {
        const int rule = TwoColumns(W).ruleX;
        surface.drawLine(rule, 0, rule, H, kRuleWidth, Color::Rgb(kRuleColor));
    }
    surface.endDraw();

    display.setNextEnabled(p < lineCount - 2);
    return p;
}

} // namespace cadenzo
