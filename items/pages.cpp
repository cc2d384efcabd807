#include "items/pages.h"

#include "settings/settings.h"

PanelState panelState = {0, 0, 0};

int32_t RowHeightInPixels()
{
    return ScaleToDisplay(settings.ItemHeight);
}

bool RowHeightUsable()
{
    return RowHeightInPixels() >= 1;
}

void ComputeLastRowIndex(int32_t clientHeight)
{
    int32_t rowHeight = RowHeightInPixels();
    if (rowHeight == 0) {
        panelState.lastRowIndex = -1;
        return;
    }
    panelState.lastRowIndex = LowWordAsSigned(static_cast<uint32_t>(clientHeight / rowHeight - 1));
}

int16_t RowFromY(int32_t y)
{
    int32_t rowHeight = RowHeightInPixels();
    if (rowHeight == 0)
        return -1;
    return LowWordAsSigned(static_cast<uint32_t>(y / rowHeight));
}

Item* FirstItemOfPage()
{
    int32_t start = int32_t{panelState.pageIndex} * (panelState.lastRowIndex + 1);
    Item* item = itemList.head != nullptr ? itemList.head->next : nullptr;
    for (int32_t i = 0; i < start && item != nullptr; ++i)
        item = item->next;
    return item;
}

Item* ItemAtRow(int16_t row)
{
    if (!RowHeightUsable() || row < 0 || row > panelState.lastRowIndex)
        return nullptr;
    Item* item = FirstItemOfPage();
    for (int16_t i = 0; i < row && item != nullptr; ++i)
        item = item->next;
    return item;
}

void CyclePage()
{
    int32_t rows = panelState.lastRowIndex + 1;
    bool nextHoldsAnEntry = RowHeightUsable() && rows >= 1 &&
                            (int32_t{panelState.pageIndex} + 1) * rows < itemList.itemCount;
    panelState.pageIndex = nextHoldsAnEntry ? static_cast<int16_t>(panelState.pageIndex + 1) : 0;
}

void TurnToPageOf(int32_t position)
{
    int32_t rows = panelState.lastRowIndex + 1;
    panelState.pageIndex = RowHeightUsable() && rows >= 1 ? static_cast<int16_t>(position / rows) : 0;
}
