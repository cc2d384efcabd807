// libFuzzer target for the list reader: any bytes as a list file must give entries of at
// most 259 bytes, at most 32,767 of them, with no read or write outside their blocks.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "items/item_list.h"
#include "tests/free_entries.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (itemList.head == nullptr)
        itemList.head = NewItemListHead();
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr)
        return 0;
    AppendItemsFromFile(file);
    fclose(file);

    int count = 0;
    for (Item* item = itemList.head->next; item != nullptr; item = item->next) {
        size_t length = strlen(item->path);
        if (length > static_cast<size_t>(ITEM_TEXT_MAX) || (length > 0 && item->path[length - 1] == '\n'))
            abort();
        ++count;
    }
    if (count != itemList.itemCount || count > ITEM_COUNT_MAX)
        abort();
    FreeEntries();
    return 0;
}
