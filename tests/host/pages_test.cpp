// Pages and rows over the item list: rows per page from the client height, the row under a
// y coordinate, the entry a row shows, and page cycling on a right-click.
#include "items/pages.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "settings/settings.h"

namespace {

class Pages : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSettings = settings;
        savedState = panelState;
        savedList = itemList;
        settings = DEFAULT_SETTINGS;
        panelState = {0, 0, 0};
        itemList.head = &head;
        itemList.itemCount = 0;
    }
    void TearDown() override
    {
        settings = savedSettings;
        panelState = savedState;
        itemList = savedList;
    }

    // A list whose entry at position i reads as the number i.
    void MakeList(int count)
    {
        entries.resize(count);
        texts.resize(count);
        for (int i = 0; i < count; ++i) {
            std::string number = std::to_string(i);
            texts[i].assign(number.begin(), number.end());
            entries[i].path = &texts[i][0];
            entries[i].next = i + 1 < count ? &entries[i + 1] : nullptr;
        }
        head.next = count > 0 ? &entries[0] : nullptr;
        itemList.itemCount = static_cast<int16_t>(count);
    }

    static int Position(Item* item)
    {
        return item == nullptr ? -1 : atoi(std::string(item->path, item->path + TextLength(item->path)).c_str());
    }

    // The pages visited by successive right-clicks from page 0.
    static std::vector<int> Cycle(int clicks)
    {
        std::vector<int> pages;
        for (int i = 0; i < clicks; ++i) {
            CyclePage();
            pages.push_back(panelState.pageIndex);
        }
        return pages;
    }

    Settings savedSettings{};
    PanelState savedState{};
    ItemList savedList{};
    Item head = {nullptr, nullptr};
    std::vector<Item> entries;
    std::vector<std::u16string> texts;
};

using PageSeq = std::vector<int>;

TEST_F(Pages, CyclePage_AlternatesBetweenTwoFullPages)
{
    MakeList(10);
    panelState.lastRowIndex = 4;
    EXPECT_EQ(Cycle(4), (PageSeq{1, 0, 1, 0}));
}

TEST_F(Pages, CyclePage_VisitsPartialLastPageThenReturnsToFirst)
{
    MakeList(11);
    panelState.lastRowIndex = 4;
    EXPECT_EQ(Cycle(4), (PageSeq{1, 2, 0, 1}));
}

TEST_F(Pages, CyclePage_StaysOnOnlyPage)
{
    MakeList(5);
    panelState.lastRowIndex = 4;
    EXPECT_EQ(Cycle(2), (PageSeq{0, 0}));
}

TEST_F(Pages, CyclePage_StaysOnFirstPageOfEmptyList)
{
    panelState.lastRowIndex = 4;
    EXPECT_EQ(Cycle(2), (PageSeq{0, 0}));
}

TEST_F(Pages, CyclePage_WalksEntriesOneByOneWithOneRow)
{
    MakeList(3);
    panelState.lastRowIndex = 0;
    EXPECT_EQ(Cycle(4), (PageSeq{1, 2, 0, 1}));
}

TEST_F(Pages, CyclePage_StaysOnFirstPageWithNoRow)
{
    MakeList(10);
    panelState.lastRowIndex = -1;
    EXPECT_EQ(Cycle(2), (PageSeq{0, 0}));
}

TEST_F(Pages, ComputeLastRowIndex_CountsWholeRowsOnly)
{
    struct Case { int32_t clientHeight; int16_t lastRow; };
    for (Case c : {Case{700, 34}, Case{710, 34}, Case{39, 0}, Case{20, 0}, Case{19, -1}, Case{0, -1}}) {
        panelState.lastRowIndex = 99;
        ComputeLastRowIndex(c.clientHeight);
        EXPECT_EQ(panelState.lastRowIndex, c.lastRow) << "client height " << c.clientHeight;
    }
}

TEST_F(Pages, ComputeLastRowIndex_KeepsLow16Bits)
{
    settings.ItemHeight = 1;
    ComputeLastRowIndex(70000);  // 70000 rows - 1 = 69999 -> 4463
    EXPECT_EQ(panelState.lastRowIndex, 4463);
}

TEST_F(Pages, RowFromY_UsesRowBands)
{
    struct Case { int32_t y; int16_t row; };
    for (Case c : {Case{0, 0}, Case{19, 0}, Case{20, 1}, Case{39, 1}, Case{699, 34}, Case{705, 35}})
        EXPECT_EQ(RowFromY(c.y), c.row) << "y " << c.y;
    settings.ItemHeight = 1;
    EXPECT_EQ(RowFromY(65535), -1);  // kept as 16 bits
}

TEST_F(Pages, ItemAtRow_StripBelowLowestRowHasNoEntry)
{
    MakeList(100);
    ComputeLastRowIndex(710);
    ASSERT_EQ(panelState.lastRowIndex, 34);
    EXPECT_EQ(Position(ItemAtRow(RowFromY(699))), 34);
    EXPECT_EQ(ItemAtRow(RowFromY(705)), nullptr);
}

TEST_F(Pages, ItemAtRow_ShowsEntryAtPageStartPlusRow)
{
    MakeList(12);
    panelState.lastRowIndex = 4;
    panelState.pageIndex = 1;
    EXPECT_EQ(Position(FirstItemOfPage()), 5);
    EXPECT_EQ(Position(ItemAtRow(3)), 8);
    EXPECT_EQ(Position(ItemAtRow(0)), 5);
    EXPECT_EQ(Position(ItemAtRow(4)), 9);
    panelState.pageIndex = 2;
    EXPECT_EQ(Position(ItemAtRow(1)), 11);
    EXPECT_EQ(ItemAtRow(2), nullptr);  // past the last entry
}

TEST_F(Pages, ItemAtRow_RowsOutsideThePageHaveNoEntry)
{
    MakeList(20);
    panelState.lastRowIndex = 4;
    EXPECT_EQ(ItemAtRow(-1), nullptr);
    EXPECT_EQ(ItemAtRow(5), nullptr);  // the list has an entry there, the page has no such row
}

TEST_F(Pages, FirstItemOfPage_EmptyListHasNoEntry)
{
    panelState.lastRowIndex = 4;
    EXPECT_EQ(FirstItemOfPage(), nullptr);
    EXPECT_EQ(ItemAtRow(0), nullptr);
}

TEST_F(Pages, PageBeyondEndAfterRowsGrewIsEmptyAndNextClickReturnsToFirst)
{
    MakeList(10);
    panelState.lastRowIndex = 2;
    panelState.pageIndex = 3;
    EXPECT_EQ(Position(FirstItemOfPage()), 9);
    panelState.lastRowIndex = 4;
    EXPECT_EQ(FirstItemOfPage(), nullptr);
    EXPECT_EQ(ItemAtRow(0), nullptr);
    CyclePage();
    EXPECT_EQ(panelState.pageIndex, 0);
}

TEST_F(Pages, TurnToPageOf_ShowsTheEntryOnItsPageOrPage0WithoutRows)
{
    MakeList(12);
    panelState.lastRowIndex = 4;
    TurnToPageOf(11);
    EXPECT_EQ(Position(FirstItemOfPage()), 10);
    TurnToPageOf(4);
    EXPECT_EQ(panelState.pageIndex, 0);
    panelState.pageIndex = 2;
    panelState.lastRowIndex = -1;
    TurnToPageOf(11);
    EXPECT_EQ(panelState.pageIndex, 0);
}

TEST_F(Pages, ZeroRowHeight_GivesNoRowsAndNoDivision)
{
    MakeList(100);
    panelState.lastRowIndex = 34;  // left over from a usable height
    settings.ItemHeight = 0;
    EXPECT_EQ(RowFromY(100), -1);
    EXPECT_EQ(ItemAtRow(0), nullptr);
    EXPECT_EQ(ItemAtRow(3), nullptr);
    CyclePage();
    EXPECT_EQ(panelState.pageIndex, 0);
    panelState.pageIndex = 1;
    CyclePage();
    EXPECT_EQ(panelState.pageIndex, 0);
    ComputeLastRowIndex(700);
    EXPECT_EQ(panelState.lastRowIndex, -1);
}

TEST_F(Pages, NegativeRowHeight_FollowsFormulasAndGivesNoRows)
{
    MakeList(100);
    settings.ItemHeight = -20;
    ComputeLastRowIndex(700);
    EXPECT_EQ(panelState.lastRowIndex, -36);
    EXPECT_EQ(RowFromY(100), -5);
    for (int16_t row : {int16_t{-5}, int16_t{0}, int16_t{5}})
        EXPECT_EQ(ItemAtRow(row), nullptr) << "row " << row;
    panelState.pageIndex = 2;  // page start at or below 0 means the first entry
    EXPECT_EQ(Position(FirstItemOfPage()), 0);
    panelState.pageIndex = 0;
    EXPECT_EQ(Cycle(2), (PageSeq{0, 0}));
}

}  // namespace
