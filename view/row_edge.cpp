#include "view/row_edge.h"

unsigned EdgeStyleForKeys(uint32_t keyFlags)
{
    return keyFlags == KEY_LEFT_BUTTON ? EDGE_SUNKEN_OUTER : EDGE_RAISED_INNER;
}
