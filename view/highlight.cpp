#include "view/highlight.h"

#include "items/pages.h"
#include "view/row_edge.h"

static_assert(KEY_LEFT_BUTTON == MK_LBUTTON, "key flag differs from the platform's");
static_assert(EDGE_SUNKEN_OUTER == BDR_SUNKENOUTER, "edge style differs from the platform's");
static_assert(EDGE_RAISED_INNER == BDR_RAISEDINNER, "edge style differs from the platform's");

// Outlines every row's band in the button-face colour, over whatever edge it carries.
static void EraseRowOutlines(HDC dc, RECT const& client, int32_t rowHeight)
{
    for (int32_t i = 0; i <= panelState.lastRowIndex; ++i)
        Rectangle(dc, 0, i * rowHeight, client.right, (i + 1) * rowHeight);
}

void UpdateRowHighlight(int32_t, int32_t y, WPARAM keyFlags, HWND panel, int16_t& hoverRow)
{
    int16_t row = RowFromY(y);
    int32_t rowHeight = RowHeightInPixels();
    // A row height below 1 leaves the panel without rows: nothing to outline or edge.
    bool haveRows = RowHeightUsable();
    HDC dc = GetDC(panel);
    RECT client;
    GetClientRect(panel, &client);

    HPEN erasePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ previousPen = SelectObject(dc, erasePen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (haveRows && row != hoverRow)
        EraseRowOutlines(dc, client, rowHeight);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(erasePen);

    if (haveRows && row <= panelState.lastRowIndex) {
        RECT band = {client.left, row * rowHeight, client.right, (row + 1) * rowHeight};
        DrawEdge(dc, &band, EdgeStyleForKeys(static_cast<uint32_t>(keyFlags)), BF_RECT);
    }
    hoverRow = row;
    ReleaseDC(panel, dc);
}
