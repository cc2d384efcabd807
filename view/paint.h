// Painting the panel: the icons of the current page, and the clear before a new page.
#pragma once
#include "platform/win32.h"

// Fills the panel's client area with the menu colour.
void ClearPanel(HWND panel);

// Draws the icon of each entry of the current page at x 2, y row * ItemHeight + 2 (pixels
// at 100 %, scaled to the display): the system's small icon size (16 x 16 at 100 %) for
// IconType 0, its large one (32 x 32) otherwise. The icon is the file's own first one, else
// the one the shell shows for the entry (folder, document, shortcut with its arrow,
// address). A row whose entry names nothing is left as it was, and rows after the last
// entry are not touched.
void DrawPageIcons(HWND panel);
