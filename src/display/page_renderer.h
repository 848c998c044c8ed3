// Lays out and paints one page of prepared book lines, one book line to one
// screen line, and says where the following page begins.
#pragma once

#include "book/markup.h"
#include "display/color.h"
#include "display/surface.h"

#include <functional>
#include <string>

namespace cadenzo {

// The control-panel displays that every drawn page refreshes.
class PositionDisplay {
  public:
    virtual ~PositionDisplay() = default;
    virtual void setPrevEnabled(bool enabled) = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void setPositionText(const std::string& text) = 0;
    virtual void setProgress(int maximum, int position) = 0;
};

// What the renderer reads.
struct PageInputs {
    const BookLineList& BookLines;
    int PageFontSize = 15;
    const ColorTable& ColorSets;
    bool twoColumns = false;
    const std::string& ProgramDir;
    int width = 0;  // of Image1
    int height = 0; // of Image1
    std::function<bool(const std::string&)> fileExists;
};

// What the renderer writes; kept between calls.
struct PageState {
    int PageStart = 0;
    int LineHeight = 1;
    int ColumnRight = 0;
    int PageHeight = 0;
    std::string PageImageFile;
    int CurColorSet = 0;
};

inline constexpr int kTopMargin = 5;
inline constexpr int kMinFitSize = 8;
inline constexpr int kRuleWidth = 6;
inline constexpr std::uint32_t kRuleColor = 0x808080;

// Left column's right edge, right column's left edge and the rule's centre
// for a surface `width` pixels wide.
struct TwoColumnGeometry {
    int leftColumnRight, rightColumnLeft, ruleX;
};
TwoColumnGeometry TwoColumns(int width);

// The place of the page that begins at `start` in a book of `lineCount` lines,
// as every drawn page shows it.
void ShowPosition(int start, int lineCount, PositionDisplay& display);

// Draws the page that begins at `start`; returns the first line not drawn.
int ShowPage(int start, const PageInputs& in, PageState& state, DrawingSurface& surface, PositionDisplay& display);

} // namespace cadenzo
