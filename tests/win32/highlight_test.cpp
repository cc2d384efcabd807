// The row edge and the erase outlines drawn onto a real window, read back pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "panel_test_support.h"
#include "view/highlight.h"

namespace {

int const PANEL_WIDTH = 50;
int const ROW_HEIGHT = 20;
int const WHOLE_ROWS = 10;
// Ten whole rows and a strip of 10 pixels below them.
int const PANEL_HEIGHT = WHOLE_ROWS * ROW_HEIGHT + 10;
COLORREF const BACKGROUND = RGB(0xC8, 0x1E, 0x5A);

class HighlightTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.ItemHeight = ROW_HEIGHT;
        panelState.lastRowIndex = WHOLE_ROWS - 1;
        panelState.hoverRow = 0;
        light_ = GetSysColor(COLOR_BTNHIGHLIGHT);
        dark_ = GetSysColor(COLOR_BTNSHADOW);
        face_ = GetSysColor(COLOR_BTNFACE);
        ASSERT_NE(light_, dark_);
        ASSERT_NE(light_, BACKGROUND);
        ASSERT_NE(dark_, BACKGROUND);
        ASSERT_NE(face_, BACKGROUND);
        panel_.Fill(BACKGROUND);
    }

    void Move(int y, WPARAM keys = 0, int x = 10)
    {
        UpdateRowHighlight(x, y, keys, panel_.window(), panelState.hoverRow);
        pixels_ = panel_.Capture();
    }

    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y) * PANEL_WIDTH + x]; }

    // The outermost pixels of a row's band, corners left out: the two edge styles differ in
    // which side gets which colour, and the corners belong to either side.
    void ExpectEdge(int row, COLORREF topLeft, COLORREF bottomRight) const
    {
        int top = row * ROW_HEIGHT;
        int bottom = top + ROW_HEIGHT - 1;
        int right = PANEL_WIDTH - 1;
        for (int x = 2; x <= right - 2; ++x) {
            ASSERT_EQ(At(x, top), topLeft) << "top side of row " << row << " at x " << x;
            ASSERT_EQ(At(x, bottom), bottomRight) << "bottom side of row " << row << " at x " << x;
        }
        for (int y = top + 2; y <= bottom - 2; ++y) {
            ASSERT_EQ(At(0, y), topLeft) << "left side of row " << row << " at y " << y;
            ASSERT_EQ(At(right, y), bottomRight) << "right side of row " << row << " at y " << y;
        }
        ExpectInsideUntouched(row);
    }

    void ExpectRaised(int row) const { ExpectEdge(row, light_, dark_); }
    void ExpectSunken(int row) const { ExpectEdge(row, dark_, light_); }

    // Every outermost pixel of the band, corners included, in one colour.
    void ExpectOutline(int row, COLORREF colour) const
    {
        int top = row * ROW_HEIGHT;
        int bottom = top + ROW_HEIGHT - 1;
        for (int x = 0; x < PANEL_WIDTH; ++x) {
            ASSERT_EQ(At(x, top), colour) << "row " << row << " x " << x;
            ASSERT_EQ(At(x, bottom), colour) << "row " << row << " x " << x;
        }
        for (int y = top; y <= bottom; ++y) {
            ASSERT_EQ(At(0, y), colour) << "row " << row << " y " << y;
            ASSERT_EQ(At(PANEL_WIDTH - 1, y), colour) << "row " << row << " y " << y;
        }
        ExpectInsideUntouched(row);
    }

    // Outlines and edges are one pixel wide: the inside of the band keeps its pixels.
    void ExpectInsideUntouched(int row) const
    {
        for (int y = row * ROW_HEIGHT + 1; y < (row + 1) * ROW_HEIGHT - 1; ++y)
            for (int x = 1; x < PANEL_WIDTH - 1; ++x)
                ASSERT_EQ(At(x, y), BACKGROUND) << "inside row " << row << " at " << x << ", " << y;
    }

    void ExpectStripUntouched() const
    {
        for (int y = WHOLE_ROWS * ROW_HEIGHT; y < PANEL_HEIGHT; ++y)
            for (int x = 0; x < PANEL_WIDTH; ++x)
                ASSERT_EQ(At(x, y), BACKGROUND) << "strip at " << x << ", " << y;
    }

    void ExpectAllUntouched() const
    {
        for (size_t i = 0; i < pixels_.size(); ++i)
            ASSERT_EQ(pixels_[i], BACKGROUND) << "pixel " << i % PANEL_WIDTH << ", " << i / PANEL_WIDTH;
    }

    ScopedPanelData data_{std::vector<std::string>{}};
    TestPanel panel_{120, 60, PANEL_WIDTH, PANEL_HEIGHT};
    std::vector<COLORREF> pixels_;
    COLORREF light_ = 0;
    COLORREF dark_ = 0;
    COLORREF face_ = 0;
};

TEST_F(HighlightTest, FirstMoveOverRowZero_DrawsRaisedEdgeWithoutErasePass)
{
    Move(5);

    ExpectRaised(0);
    for (int row = 1; row < WHOLE_ROWS; ++row)
        ExpectOutline(row, BACKGROUND);
    ExpectStripUntouched();
    EXPECT_EQ(panelState.hoverRow, 0);
}

TEST_F(HighlightTest, RaisedAndSunkenEdgesSwapLightAndDarkSides)
{
    Move(45, 0);
    ExpectRaised(2);
    EXPECT_EQ(At(5, 40), light_);
    EXPECT_EQ(At(5, 59), dark_);

    Move(45, MK_LBUTTON);
    ExpectSunken(2);
    EXPECT_EQ(At(5, 40), dark_);
    EXPECT_EQ(At(5, 59), light_);
}

TEST_F(HighlightTest, MovingToAnotherRow_PaintsOutEveryOutlineThenEdgesTheNewRow)
{
    Move(5);  // an edge on row 0, to be painted out
    panel_.Fill(BACKGROUND);
    Move(5);
    ExpectRaised(0);

    Move(3 * ROW_HEIGHT + 7);

    for (int row = 0; row < WHOLE_ROWS; ++row)
        if (row != 3)
            ExpectOutline(row, face_);
    ExpectRaised(3);
    ExpectStripUntouched();
    EXPECT_EQ(panelState.hoverRow, 3);
}

TEST_F(HighlightTest, MovingToAnotherRow_PaintsOutThePreviousEdge)
{
    Move(5);
    ExpectRaised(0);
    Move(ROW_HEIGHT * 5 + 1);
    ExpectOutline(0, face_);
}

TEST_F(HighlightTest, StayingInTheSameRow_DrawsNoErasePass)
{
    panelState.hoverRow = 3;

    Move(3 * ROW_HEIGHT + 1);
    Move(3 * ROW_HEIGHT + 18);

    for (int row = 0; row < WHOLE_ROWS; ++row)
        if (row != 3)
            ExpectOutline(row, BACKGROUND);
    ExpectRaised(3);
    EXPECT_EQ(panelState.hoverRow, 3);
}

TEST_F(HighlightTest, PressingInTheSameRow_DrawsSunkenOverTheRaisedEdge)
{
    panelState.hoverRow = 3;
    Move(3 * ROW_HEIGHT + 5);
    ExpectRaised(3);

    Move(3 * ROW_HEIGHT + 5, MK_LBUTTON);

    ExpectSunken(3);
    ExpectOutline(2, BACKGROUND);
    ExpectOutline(4, BACKGROUND);
}

TEST_F(HighlightTest, DraggingToTheNextRow_ErasesThenDrawsSunken)
{
    panelState.hoverRow = 3;
    Move(3 * ROW_HEIGHT + 5, MK_LBUTTON);
    ExpectSunken(3);

    Move(4 * ROW_HEIGHT + 5, MK_LBUTTON);

    ExpectOutline(3, face_);
    ExpectSunken(4);
    EXPECT_EQ(panelState.hoverRow, 4);
}

struct KeyCase {
    WPARAM keys;
    bool sunken;
};

class HighlightKeyTest : public HighlightTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(HighlightKeyTest, EdgeIsSunkenOnlyForTheLeftButtonAlone)
{
    panelState.hoverRow = 6;
    Move(6 * ROW_HEIGHT + 10, GetParam().keys);
    if (GetParam().sunken)
        ExpectSunken(6);
    else
        ExpectRaised(6);
}

INSTANTIATE_TEST_SUITE_P(HighlightKeys, HighlightKeyTest,
                         ::testing::Values(KeyCase{0, false}, KeyCase{MK_LBUTTON, true},
                                           KeyCase{MK_LBUTTON | MK_SHIFT, false},
                                           KeyCase{MK_LBUTTON | MK_CONTROL, false},
                                           KeyCase{MK_LBUTTON | MK_RBUTTON, false}, KeyCase{MK_RBUTTON, false},
                                           KeyCase{MK_SHIFT, false}));

TEST_F(HighlightTest, RowIsChosenByYAlone)
{
    panelState.hoverRow = 2;
    Move(2 * ROW_HEIGHT + 3, 0, PANEL_WIDTH - 1);
    ExpectRaised(2);
    Move(2 * ROW_HEIGHT + 3, 0, 65535);
    ExpectRaised(2);
    ExpectOutline(1, BACKGROUND);
    EXPECT_EQ(panelState.hoverRow, 2);
}

TEST_F(HighlightTest, StripBelowTheLastWholeRow_ErasesButDrawsNoEdge)
{
    Move(WHOLE_ROWS * ROW_HEIGHT + 5);

    for (int row = 0; row < WHOLE_ROWS; ++row)
        ExpectOutline(row, face_);
    ExpectStripUntouched();
    EXPECT_EQ(panelState.hoverRow, WHOLE_ROWS);
}

TEST_F(HighlightTest, StripAgain_DrawsNothing)
{
    panelState.hoverRow = WHOLE_ROWS;
    Move(WHOLE_ROWS * ROW_HEIGHT + 9);
    ExpectAllUntouched();
    EXPECT_EQ(panelState.hoverRow, WHOLE_ROWS);
}

TEST_F(HighlightTest, PanelLowerThanOneRow_DrawsNothingButHoverRowFollows)
{
    panelState.lastRowIndex = -1;

    Move(2 * ROW_HEIGHT + 5);
    ExpectAllUntouched();
    EXPECT_EQ(panelState.hoverRow, 2);

    Move(5, MK_LBUTTON);
    ExpectAllUntouched();
    EXPECT_EQ(panelState.hoverRow, 0);
}

TEST_F(HighlightTest, RowHeightBelowOne_DrawsNothing)
{
    for (int16_t height : {int16_t{0}, int16_t{-20}}) {
        settings.ItemHeight = height;
        panelState.hoverRow = 0;
        Move(45);
        ExpectAllUntouched();
        Move(0, MK_LBUTTON);
        ExpectAllUntouched();
    }
}

TEST_F(HighlightTest, EraseAfterClearLeavesButtonFaceOutlinesOnTheMenuColour)
{
    panelState.hoverRow = 1;
    panel_.Fill(GetSysColor(COLOR_MENU));
    UpdateRowHighlight(0, 5, 0, panel_.window(), panelState.hoverRow);
    pixels_ = panel_.Capture();

    for (int y = ROW_HEIGHT; y < 2 * ROW_HEIGHT; ++y)
        ASSERT_EQ(At(0, y), face_) << y;
    EXPECT_EQ(At(PANEL_WIDTH / 2, ROW_HEIGHT + 5), GetSysColor(COLOR_MENU));
}

}  // namespace
