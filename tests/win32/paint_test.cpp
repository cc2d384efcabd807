// Icons and the clear drawn onto a real window, read back pixel by pixel. The expected
// picture is drawn by hand with the same icon calls into a second window.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "panel_test_support.h"
#include "view/paint.h"

namespace {

int const PANEL_WIDTH = 60;
int const PANEL_HEIGHT = 400;
COLORREF const BACKGROUND = RGB(0x13, 0x57, 0x9B);

const char* const MISSING_FILE = "C:\\quorvane-no-such-folder\\missing.exe";

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programs_ = ProgramsWithIcons();
        ASSERT_GE(programs_.size(), 3u) << "the Wine prefix offers too few programs with icons";
        panel_.Fill(BACKGROUND);
        reference_.Fill(BACKGROUND);
    }

    // Draws into the reference window what the panel should show: each (icon, row) pair at
    // x 2, y row * itemHeight + 2; then destroys the icons.
    void DrawIcons(std::vector<std::pair<HICON, int>> const& icons, int itemHeight, bool large)
    {
        int size = large ? 32 : 16;
        HDC dc = GetDC(reference_.window());
        for (auto const& icon : icons) {
            EXPECT_NE(icon.first, nullptr) << "no reference icon for row " << icon.second;
            DrawIconEx(dc, 2, icon.second * itemHeight + 2, icon.first, size, size, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon.first);
        }
        ReleaseDC(reference_.window(), dc);
    }

    // The same, for (program file, row) pairs: each program's first icon.
    void DrawExpected(std::vector<std::pair<std::string, int>> const& programs, int itemHeight, bool large)
    {
        std::vector<std::pair<HICON, int>> icons;
        for (auto const& program : programs)
            icons.emplace_back(ExtractTestIcon(program.first.c_str(), large), program.second);
        DrawIcons(icons, itemHeight, large);
    }

    void ExpectPanelMatchesReference()
    {
        std::vector<COLORREF> actual = panel_.Capture();
        std::vector<COLORREF> expected = reference_.Capture();
        int mismatches = 0;
        for (int y = 0; y < PANEL_HEIGHT; ++y)
            for (int x = 0; x < PANEL_WIDTH; ++x) {
                size_t i = static_cast<size_t>(y) * PANEL_WIDTH + x;
                if (actual[i] != expected[i] && ++mismatches <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << actual[i]
                                  << ", expected " << expected[i];
            }
        EXPECT_EQ(mismatches, 0);
    }

    // How many pixels of a box differ from the background: an icon really landed there.
    int ChangedPixels(int left, int top, int size)
    {
        int changed = 0;
        for (int y = top; y < top + size && y < PANEL_HEIGHT; ++y)
            for (int x = left; x < left + size && x < PANEL_WIDTH; ++x)
                changed += panel_.Pixel(x, y) != BACKGROUND;
        return changed;
    }

    void ExpectUntouched()
    {
        std::vector<COLORREF> actual = panel_.Capture();
        int changed = 0;
        for (COLORREF pixel : actual)
            changed += pixel != BACKGROUND;
        EXPECT_EQ(changed, 0) << "pixels drawn where nothing should be";
    }

    std::vector<std::string> programs_;
    TestPanel panel_{100, 50, PANEL_WIDTH, PANEL_HEIGHT};
    TestPanel reference_{300, 50, PANEL_WIDTH, PANEL_HEIGHT};
};

TEST_F(PaintTest, DrawPageIcons_DrawsSmallIconOfEachEntryAtTwoPixelsIntoItsRow)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2]});
    settings.ItemHeight = 20;
    settings.IconType = 0;
    panelState.lastRowIndex = 19;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}, {programs_[2], 2}}, 20, false);
    ExpectPanelMatchesReference();
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(ChangedPixels(2, row * 20 + 2, 16), 16) << "no icon in row " << row;
    // Nothing to the left of or above the first icon, nor between the icons.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 2; ++x)
            ASSERT_EQ(panel_.Pixel(x, y), BACKGROUND) << x << ", " << y;
    for (int x = 0; x < PANEL_WIDTH; ++x) {
        EXPECT_EQ(panel_.Pixel(x, 1), BACKGROUND) << x;
        EXPECT_EQ(panel_.Pixel(x, 18), BACKGROUND) << x;
        EXPECT_EQ(panel_.Pixel(x, 60), BACKGROUND) << x;
    }
    for (int y = 0; y < 60; ++y)
        EXPECT_EQ(panel_.Pixel(18, y), BACKGROUND) << y;
}

TEST_F(PaintTest, DrawPageIcons_SmallIconsReachTwoPixelsIntoTheNextBandAtRowHeight16)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2]});
    settings.ItemHeight = 16;
    settings.IconType = 0;
    panelState.lastRowIndex = 9;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}, {programs_[2], 2}}, 16, false);
    ExpectPanelMatchesReference();
}

class PaintLargeIconTest : public PaintTest, public ::testing::WithParamInterface<int16_t> {};

TEST_P(PaintLargeIconTest, DrawPageIcons_DrawsLargeIconsAt32PixelsForAnyNonZeroIconType)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2]});
    settings.ItemHeight = 40;
    settings.IconType = GetParam();
    panelState.lastRowIndex = 9;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}, {programs_[2], 2}}, 40, true);
    ExpectPanelMatchesReference();
    // Pixels of the 32 x 32 box that a 16 x 16 icon would not reach.
    EXPECT_GT(ChangedPixels(18, 18, 16), 0);
}

INSTANTIATE_TEST_SUITE_P(PaintIconTypes, PaintLargeIconTest, ::testing::Values(int16_t{1}, int16_t{2}, int16_t{-1}));

TEST_F(PaintTest, DrawPageIcons_LargeIconsOverlapTheNextBandInRowOrder)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2]});
    settings.ItemHeight = 20;
    settings.IconType = 1;
    panelState.lastRowIndex = 19;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}, {programs_[2], 2}}, 20, true);
    ExpectPanelMatchesReference();
}

// Which icon each kind of entry shows: a program its own first icon; a folder and a document
// the icon the shell gives for them, and a shortcut that with the shortcut arrow; an address
// that of the internet-shortcut type; an entry that names nothing, or is empty, none, and its
// row is used up all the same.
TEST_F(PaintTest, DrawPageIcons_ShowsForEachKindOfEntryTheIconExplorerShows)
{
    ScopedEntryFiles files(programs_[2]);
    ASSERT_FALSE(files.shortcut().empty()) << "the shell made no shortcut";
    std::string const folder = "C:\\windows";
    std::string const address = "https://example.org/";
    ScopedPanelData data({programs_[0], folder, files.document(), files.shortcut(), address,
                          "mailto:someone@example.org", MISSING_FILE, "", programs_[1]});
    panelState.lastRowIndex = 19;
    for (bool large : {false, true}) {
        int height = large ? 40 : 20;
        settings.ItemHeight = static_cast<int16_t>(height);
        settings.IconType = large ? 1 : 0;
        panel_.Fill(BACKGROUND);
        reference_.Fill(BACKGROUND);

        DrawPageIcons(panel_.window());

        DrawIcons({{ExtractTestIcon(programs_[0].c_str(), large), 0},
                   {ShellTestIcon(folder.c_str(), large), 1},
                   {ShellTestIcon(files.document().c_str(), large), 2},
                   {ShellTestIcon(files.shortcut().c_str(), large, 0, SHGFI_LINKOVERLAY), 3},
                   {ShellTestIcon(".url", large, FILE_ATTRIBUTE_NORMAL), 4},
                   {ShellTestIcon(".url", large, FILE_ATTRIBUTE_NORMAL), 5},
                   {ExtractTestIcon(programs_[1].c_str(), large), 8}},
                  height, large);
        ExpectPanelMatchesReference();
        int size = large ? 32 : 16;
        for (int row : {0, 1, 2, 3, 4, 5, 8})
            EXPECT_GT(ChangedPixels(2, row * height + 2, size), 16) << "no icon in row " << row << ", large " << large;
    }
}

TEST_F(PaintTest, DrawPageIcons_DrawsSecondPageFromPositionRowsPerPage)
{
    // Three rows per page: page 1 holds the entries at positions 3 and 4.
    ScopedPanelData data({programs_[2], programs_[2], programs_[2], programs_[0], programs_[1]});
    settings.ItemHeight = 20;
    settings.IconType = 0;
    panelState.lastRowIndex = 2;
    panelState.pageIndex = 1;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}}, 20, false);
    ExpectPanelMatchesReference();
}

TEST_F(PaintTest, DrawPageIcons_StopsAtTheLastRowOfThePage)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2], programs_[0]});
    settings.ItemHeight = 20;
    settings.IconType = 0;
    panelState.lastRowIndex = 1;

    DrawPageIcons(panel_.window());

    DrawExpected({{programs_[0], 0}, {programs_[1], 1}}, 20, false);
    ExpectPanelMatchesReference();
}

TEST_F(PaintTest, DrawPageIcons_PageStartingBeyondTheListDrawsNothing)
{
    ScopedPanelData data({programs_[0], programs_[1], programs_[2]});
    settings.ItemHeight = 20;
    panelState.lastRowIndex = 4;
    panelState.pageIndex = 1;

    DrawPageIcons(panel_.window());

    ExpectUntouched();
}

TEST_F(PaintTest, DrawPageIcons_PanelLowerThanOneRowDrawsNothing)
{
    ScopedPanelData data({programs_[0], programs_[1]});
    settings.ItemHeight = 20;
    panelState.lastRowIndex = -1;

    DrawPageIcons(panel_.window());

    ExpectUntouched();
}

TEST_F(PaintTest, DrawPageIcons_RowHeightBelowOneDrawsNothing)
{
    ScopedPanelData data({programs_[0], programs_[1]});
    panelState.lastRowIndex = 4;
    for (int16_t height : {int16_t{0}, int16_t{-20}}) {
        settings.ItemHeight = height;
        DrawPageIcons(panel_.window());
        ExpectUntouched();
    }
}

TEST_F(PaintTest, DrawPageIcons_EmptyListDrawsNothing)
{
    ScopedPanelData data(std::vector<std::string>{});
    settings.ItemHeight = 20;
    panelState.lastRowIndex = 9;
    DrawPageIcons(panel_.window());
    ExpectUntouched();

    itemList.head = nullptr;
    DrawPageIcons(panel_.window());
    ExpectUntouched();
}

TEST_F(PaintTest, ClearPanel_FillsTheWholeClientWithTheMenuColour)
{
    ScopedPanelData data({programs_[0], programs_[1]});
    settings.ItemHeight = 20;
    panelState.lastRowIndex = 19;
    DrawPageIcons(panel_.window());

    COLORREF menu = GetSysColor(COLOR_MENU);
    ASSERT_NE(menu, BACKGROUND);
    if (menu == GetSysColor(COLOR_BTNFACE))
        RecordProperty("note", "COLOR_MENU equals COLOR_BTNFACE in this theme");

    ClearPanel(panel_.window());

    std::vector<COLORREF> pixels = panel_.Capture();
    int wrong = 0;
    for (int y = 0; y < PANEL_HEIGHT; ++y)
        for (int x = 0; x < PANEL_WIDTH; ++x)
            if (pixels[static_cast<size_t>(y) * PANEL_WIDTH + x] != menu && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") not in the menu colour";
    EXPECT_EQ(wrong, 0);
}

TEST_F(PaintTest, ClearPanel_ThenDrawPageIconsShowsIconsOnTheMenuColour)
{
    ScopedPanelData data({MISSING_FILE, programs_[1]});
    settings.ItemHeight = 20;
    panelState.lastRowIndex = 19;

    ClearPanel(panel_.window());
    DrawPageIcons(panel_.window());

    reference_.Fill(GetSysColor(COLOR_MENU));
    DrawExpected({{programs_[1], 1}}, 20, false);
    ExpectPanelMatchesReference();
}

// The panel's layout scales to the pixel as Windows' MulDiv(value, dpi, 96) would, for the
// values a setting can hold and the display scales Windows offers (100 % to 400 %).
TEST(ScaleToDisplayTest, MatchesMulDivAtEveryDisplayScale)
{
    int32_t const saved = displayDpi;
    for (int dpi : {96, 120, 144, 168, 192, 216, 240, 288, 336, 384}) {
        displayDpi = dpi;
        for (int value = -32768; value <= 32767; value += value >= -300 && value < 300 ? 1 : 97)
            ASSERT_EQ(ScaleToDisplay(value), MulDiv(value, dpi, 96)) << value << " at " << dpi << " DPI";
    }
    displayDpi = saved;
}

}  // namespace
