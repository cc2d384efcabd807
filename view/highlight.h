// The edge around the row under the cursor: raised, or sunken while the left button alone
// is held.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// x and y are client coordinates (0 to 65535); only y picks the row. When the row differs
// from hoverRow, the outlines of all rows are first painted out in the button-face colour.
// hoverRow then holds the row, whether or not it got an edge.
void UpdateRowHighlight(int32_t x, int32_t y, WPARAM keyFlags, HWND panel, int16_t& hoverRow);
