// The panel's pages and rows over the item list. Portable: no <windows.h>.
#pragma once
#include <stdint.h>

#include "items/item_list.h"

struct PanelState {
    int16_t pageIndex;     // the current page, from 0; changed only by CyclePage
    int16_t lastRowIndex;  // rows per page - 1; -1 or less when no whole row fits
    int16_t hoverRow;      // the row of the latest mouse message over the panel
};

extern PanelState panelState;

// The height of one row on the display: ItemHeight scaled from 100 % to the display's DPI.
// Every row band, lookup and edge uses it.
int32_t RowHeightInPixels();

// A row height below 1 gives a panel with no rows: nothing is drawn, highlighted or
// opened there. A negative height follows the row formulas, which give no row anyway;
// this test also covers a lastRowIndex left over from an earlier, usable height.
bool RowHeightUsable();

// Sets lastRowIndex from the client height: client height / row height - 1; -1 (no
// row) when the row height is 0, which cannot divide.
void ComputeLastRowIndex(int32_t clientHeight);

// The row that a client y coordinate (0 to 65535) falls in: y / row height; -1 (no row)
// when the row height is 0.
int16_t RowFromY(int32_t y);

// The first entry of the current page, or none when the page is empty.
Item* FirstItemOfPage();

// The entry that a row of the current page shows, or none.
Item* ItemAtRow(int16_t row);

// Moves to the next page when it holds an entry, otherwise back to page 0.
void CyclePage();

// Moves to the page that shows the entry at this position (from 0); page 0 when the panel
// has no row.
void TurnToPageOf(int32_t position);
