// The edge style of the highlighted row. Portable: no <windows.h>.
#pragma once
#include <stdint.h>

// The values of MK_LBUTTON, BDR_SUNKENOUTER and BDR_RAISEDINNER, checked against
// <windows.h> where the edge is drawn.
uint32_t const KEY_LEFT_BUTTON = 0x0001;
unsigned const EDGE_SUNKEN_OUTER = 0x0002;
unsigned const EDGE_RAISED_INNER = 0x0004;

// Sunken while the left button alone is held; raised for anything else, so a press with
// Shift, Control or another button held stays raised.
unsigned EdgeStyleForKeys(uint32_t keyFlags);
