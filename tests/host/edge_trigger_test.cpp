// The poll tick's decision (hide, nothing, show), the usable screen height in 16 bits, which
// hits on the panel's frame count as its rows, and the style of the highlighted row's edge.
#include "app/edge_trigger.h"

#include <gtest/gtest.h>

#include "view/row_edge.h"

namespace {

EdgeInputs AwayFromEdge(int32_t x, int32_t right)
{
    // Heights and ChangeSize set so that they would block a show: they must not matter here.
    return EdgeInputs{x, right, 700, 757, 1};
}

EdgeInputs AtEdge(int16_t height, int16_t startupHeight, int16_t changeSize)
{
    return EdgeInputs{0, -100, height, startupHeight, changeSize};
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
    EXPECT_EQ(DecideEdge(EdgeInputs{0, 0, 757, 757, 0}), EdgeAction::Show);
    EXPECT_EQ(DecideEdge(EdgeInputs{0, 26, 757, 757, 0}), EdgeAction::Show);
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
