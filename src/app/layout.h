// Where the main window's parts go for a given client size.
#pragma once

namespace cadenzo {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr int kControlPanelWidth = 200;
inline constexpr int kOkButtonWidth = 75;
inline constexpr int kOkButtonHeight = 25;
inline constexpr int kBookTitleLabelWidth = 265;
inline constexpr int kMinWindowWidth = 400;
inline constexpr int kMinWindowHeight = 450;
// The largest window coordinate or size taken from the settings file (X11's
// coordinates are 16-bit; anything larger is a damaged file).
inline constexpr int kMaxWindowCoordinate = 32767;

// The window manager's frame around the client area.
struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The window's left, top, width and height are those of its outer (frame)
// rectangle; the toolkit places and sizes the client area inside it.
Rect ClientRectOf(const Rect& outer, const FrameMargins& frame);
Rect OuterRectOf(const Rect& client, const FrameMargins& frame);
// The smallest client area that keeps the outer size at least 400 x 450.
Rect MinimumClientSize(const FrameMargins& frame);

struct MainLayout {
    Rect pageControl1; // page area at the left
    Rect pageControl2; // control panel at the right
    Rect programIcon;  // about picture: the left half of the About page, square
    Rect memo1;        // about text: the right half, square
    Rect okButton;     // straddles the line between picture and text
    Rect bookTitleLabel;
};

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, bool controlPanelShown);

} // namespace cadenzo
