// When the poll tick shows or hides the panel. Portable: no <windows.h>.
#pragma once
#include <stdint.h>

enum class EdgeAction { Nothing, Hide, Show };

// What one tick sees. panelRight is needed only away from column 0; the heights,
// changeSize and fullScreenInFront only at column 0.
struct EdgeInputs {
    int32_t cursorX;
    int32_t panelRight;           // the first screen column past the panel
    int16_t screenHeight;         // the usable screen height now
    int16_t startupScreenHeight;  // the usable screen height at start
    int16_t changeSize;           // the ChangeSize setting
    bool fullScreenInFront;       // a full-screen program is in front and FullScreen is not 0
};

// Away from column 0 the panel hides once the cursor is past its right edge; a cursor at
// column 0 shows it, unless ChangeSize is 1 and the screen height has changed since start,
// or a full-screen program is in front (and FullScreen asks to keep out of its way).
// A negative x (a screen left of the primary one) neither shows nor hides it.
EdgeAction DecideEdge(EdgeInputs const& inputs);

// A rectangle in screen pixels, right and bottom exclusive, as Windows gives them.
struct ScreenRect {
    int32_t left, top, right, bottom;
};

// WS_CAPTION is two style bits (WS_BORDER | WS_DLGFRAME); WS_VISIBLE one.
uint32_t const CAPTION_STYLE = 0x00C00000;
uint32_t const VISIBLE_STYLE = 0x10000000;

// Whether the window in front is a full-screen program: shown, without a caption (a
// maximized window with a title bar also covers the screen, its frame lying outside), and
// covering the whole of the monitor that holds it, which is the primary one, where the
// panel lives. An empty monitor rectangle (none could be read) holds no full-screen window.
bool IsFullScreenWindow(uint32_t style, ScreenRect const& window, ScreenRect const& monitor, bool primaryMonitor);

// The usable screen height: the full-screen client height plus one caption, each taken
// as 16 bits and added in 16-bit arithmetic.
int16_t UsableScreenHeight(int32_t fullScreenHeight, int32_t captionHeight);

// Whether a hit on the panel's frame counts as one inside its rows: the cursor pushed
// against the screen's edge rests on the left frame, and a click there must open the row
// beside it. The side frames count at any y within the client area's rows, y from
// clientTop up to but not including clientBottom (screen pixels); the top and bottom
// frames, and anything but the frame, keep the platform's answer.
bool FrameHitIsClient(bool onFrame, int32_t y, int32_t clientTop, int32_t clientBottom);
