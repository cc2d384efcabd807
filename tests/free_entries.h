// The program never frees list entries (they live until it ends); tests, the fuzz target
// and the benchmark read many lists in one process and free them here.
#pragma once
#include <stdlib.h>

#include "items/item_list.h"

inline void FreeEntriesAfter(Item* item)
{
    while (item != nullptr) {
        Item* next = item->next;
        free(item->path);
        free(item);
        item = next;
    }
}

// Empties itemList, keeping its head.
inline void FreeEntries()
{
    FreeEntriesAfter(itemList.head->next);
    itemList.head->next = nullptr;
    itemList.itemCount = 0;
}
