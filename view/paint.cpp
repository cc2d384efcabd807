#include "view/paint.h"

#include "items/pages.h"
#include "settings/settings.h"
#include "view/entry_shell.h"

namespace {

// How far the icon stands from its row's top and from the panel's left, at 100 %.
int32_t const ICON_INSET = 2;

}  // namespace

void ClearPanel(HWND panel)
{
    HDC dc = GetDC(panel);
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_MENU + 1));
    ReleaseDC(panel, dc);
}

void DrawPageIcons(HWND panel)
{
    HDC dc = GetDC(panel);
    bool large = settings.IconType != 0;
    // The system's icon sizes: 16 and 32 pixels at 100 %, more at a larger display scale.
    int width = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    int32_t rowHeight = RowHeightInPixels();
    int32_t inset = ScaleToDisplay(ICON_INSET);
    int16_t row = 0;
    // A row height below 1 leaves the panel without rows, and so without icons.
    Item* item = RowHeightUsable() ? FirstItemOfPage() : nullptr;
    for (; item != nullptr && row <= panelState.lastRowIndex; item = item->next, ++row) {
        HICON icon = EntryIcon(item->path, large);
        if (icon == nullptr)
            continue;  // the row stays as it was; the next entry takes the next row
        DrawIconEx(dc, inset, row * rowHeight + inset, icon, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    ReleaseDC(panel, dc);
}
