// The poll tick's decision (hide, nothing, show), the full-screen test of the window in
// front, the usable screen height in 16 bits, which hits on the panel's frame count as its
// rows, and the style of the highlighted row's edge.
#include "app/edge_trigger.h"

#include <gtest/gtest.h>

#include "view/row_edge.h"

namespace {

EdgeInputs AwayFromEdge(int32_t x, int32_t right)
{
    // Heights, ChangeSize and a full-screen program set so that they would block a show:
    // they must not matter here, neither for a hide.
    return EdgeInputs{x, right, 700, 757, 1, true};
}

EdgeInputs AtEdge(int16_t height, int16_t startupHeight, int16_t changeSize, bool fullScreenInFront = false)
{
    return EdgeInputs{0, -100, height, startupHeight, changeSize, fullScreenInFront};
}

TEST(DecideEdge, CursorOnFirstColumnPastPanelKeepsItShown)
{
    EXPECT_EQ(DecideEdge(AwayFromEdge(26, 26)), EdgeAction::Nothing);
    EXPECT_EQ(DecideEdge(AwayFromEdge(25, 26)), EdgeAction::Nothing);
}

TEST(DecideEdge, CursorOneColumnFurtherHidesPanel)
{
    EXPECT_EQ(DecideEdge(AwayFromEdge(27, 26)), EdgeAction::Hide);
    EXPECT_EQ(DecideEdge(AwayFromEdge(1, 0)), EdgeAction::Hide);  // the hidden 0 x 0 panel
}

TEST(DecideEdge, NegativeCursorXNeitherShowsNorHides)
{
    EXPECT_EQ(DecideEdge(AwayFromEdge(-1, 0)), EdgeAction::Nothing);
    EXPECT_EQ(DecideEdge(AwayFromEdge(-1600, 26)), EdgeAction::Nothing);
}

TEST(DecideEdge, RightEdgeComparesAsSigned)
{
    EXPECT_EQ(DecideEdge(AwayFromEdge(-1, -5)), EdgeAction::Hide);
    EXPECT_EQ(DecideEdge(AwayFromEdge(-5, -1)), EdgeAction::Nothing);
}

TEST(DecideEdge, CursorOnColumnZeroShowsWhateverThePanelRect)
{
    EXPECT_EQ(DecideEdge(EdgeInputs{0, 0, 757, 757, 0, false}), EdgeAction::Show);
    EXPECT_EQ(DecideEdge(EdgeInputs{0, 26, 757, 757, 0, false}), EdgeAction::Show);
}

TEST(DecideEdge, ChangeSizeOneBlocksShowOnlyWhileHeightDiffers)
{
    EXPECT_EQ(DecideEdge(AtEdge(800, 757, 1)), EdgeAction::Nothing);
    EXPECT_EQ(DecideEdge(AtEdge(757, 757, 1)), EdgeAction::Show);
}

TEST(DecideEdge, OtherChangeSizeValuesShowAtAnyHeight)
{
    for (int16_t changeSize : {int16_t{0}, int16_t{2}, int16_t{7}, int16_t{-1}, int16_t{257}})
        EXPECT_EQ(DecideEdge(AtEdge(800, 757, changeSize)), EdgeAction::Show) << "ChangeSize " << changeSize;
}

TEST(DecideEdge, FullScreenProgramInFrontBlocksShowWhateverTheOtherGuard)
{
    EXPECT_EQ(DecideEdge(AtEdge(757, 757, 0, true)), EdgeAction::Nothing);
    EXPECT_EQ(DecideEdge(AtEdge(757, 757, 1, true)), EdgeAction::Nothing);
    EXPECT_EQ(DecideEdge(AtEdge(800, 757, 0, true)), EdgeAction::Nothing);
}

TEST(IsFullScreenWindow, CaptionlessWindowCoveringThePrimaryMonitor)
{
    uint32_t const popup = 0x90000000;                     // WS_POPUP | WS_VISIBLE
    uint32_t const captioned = 0x10000000 | CAPTION_STYLE;  // a title bar: both bits
    uint32_t const dialogFrame = 0x90400000;               // WS_DLGFRAME alone: no caption
    ScreenRect const screen = {0, 0, 1024, 768};
    ScreenRect const second = {-1280, 0, 0, 1024};
    struct Case { uint32_t style; ScreenRect window; ScreenRect monitor; bool primary; bool full; const char* what; };
    for (Case c : {Case{popup, {0, 0, 1024, 768}, screen, true, true, "borderless, covering"},
                   Case{popup, {-8, -8, 1032, 776}, screen, true, true, "borderless, larger than the screen"},
                   Case{dialogFrame, {0, 0, 1024, 768}, screen, true, true, "a frame but no title bar"},
                   Case{captioned, {-8, -8, 1032, 776}, screen, true, false, "maximized with a caption"},
                   Case{popup, {0, 0, 1024, 767}, screen, true, false, "one row short of the bottom"},
                   Case{popup, {1, 0, 1024, 768}, screen, true, false, "one column short on the left"},
                   Case{popup, {0, 0, 800, 600}, screen, true, false, "borderless, smaller than the screen"},
                   Case{popup, {-1280, 0, 0, 1024}, second, false, false, "covering another monitor"},
                   Case{popup & ~0x10000000u, {0, 0, 1024, 768}, screen, true, false, "hidden"},
                   Case{popup, {0, 0, 1024, 768}, {0, 0, 0, 0}, true, false, "no monitor rectangle read"}})
        EXPECT_EQ(IsFullScreenWindow(c.style, c.window, c.monitor, c.primary), c.full) << c.what;
}

TEST(UsableScreenHeight, AddsCaptionIn16BitArithmetic)
{
    EXPECT_EQ(UsableScreenHeight(738, 19), 757);
    EXPECT_EQ(UsableScreenHeight(32767, 20), -32749);  // wraps instead of widening
    EXPECT_EQ(UsableScreenHeight(70000, 19), 4483);    // 70000 keeps its low 16 bits, 4464
    EXPECT_EQ(UsableScreenHeight(0x7FFFFFFF, 20), 19);  // taken as 16 bits first: -1 + 20
}

TEST(FrameHitIsClient, SideFrameBesideTheRowsCountsTopAndBottomFramesDoNot)
{
    // The client area's rows from screen y 3 up to, not including, 760.
    struct Case { bool onFrame; int32_t y; bool client; const char* what; };
    for (Case c : {Case{true, 3, true, "beside the first client line"}, Case{true, 400, true, "beside a row"},
                   Case{true, 759, true, "beside the last client line"}, Case{true, 760, false, "bottom frame"},
                   Case{true, 2, false, "top frame"}, Case{true, -5, false, "above the panel"},
                   Case{false, 400, false, "not the frame: the platform's answer stands"}})
        EXPECT_EQ(FrameHitIsClient(c.onFrame, c.y, 3, 760), c.client) << c.what;
}

TEST(EdgeStyleForKeys, SunkenOnlyForLeftButtonAlone)
{
    EXPECT_EQ(EdgeStyleForKeys(1), 2u);
    struct Case { uint32_t keys; const char* what; };
    for (Case c : {Case{0, "no key"}, Case{5, "left button and Shift"}, Case{3, "left and right buttons"},
                   Case{0x11, "left and middle buttons"}, Case{0x10001, "left button, high bits set"},
                   Case{2, "right button"}})
        EXPECT_EQ(EdgeStyleForKeys(c.keys), 4u) << c.what;
}

}  // namespace
