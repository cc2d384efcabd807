#include "view/paint.h"

#include <limits.h>

#include "items/pages.h"
#include "settings/settings.h"

namespace {

// Room for any entry text (at most 259 bytes) with its terminator.
int const ICON_PATH_SIZE = 264;
// How far the icon stands from its row's top and from the panel's left, at 100 %.
int32_t const ICON_INSET = 2;

// The file's first icon at the size IconType asks for, or none. Under some shells a
// failed extraction leaves the output slot as it was, so it starts as none, and only a
// call that reports an icon and gives a handle counts.
HICON ExtractFirstIcon(const char* path, bool large)
{
    char file[ICON_PATH_SIZE];
    lstrcpynA(file, path, sizeof file);
    HICON icon = nullptr;
    UINT extracted = ExtractIconExA(file, 0, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    if (extracted == 0 || extracted == UINT_MAX)
        return nullptr;
    return icon;
}

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
        HICON icon = ExtractFirstIcon(item->path, large);
        if (icon == nullptr)
            continue;  // the row stays as it was; the next entry takes the next row
        DrawIconEx(dc, inset, row * rowHeight + inset, icon, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    ReleaseDC(panel, dc);
}
