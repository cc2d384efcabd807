// libFuzzer target for the list reader: any bytes as a list file are read whole, their
// encoding is told, and the text after any byte-order mark is read as entries. The
// entries must be at most 259 units, at most 32,767 of them, with no read or write
// outside their blocks.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "items/item_list.h"
#include "items/list_append.h"
#include "items/list_encoding.h"
#include "tests/free_entries.h"

namespace {

// What the encoding check must hold to: a mark is the bytes that start the file, and
// only text with a byte of 0x80 or above is ever taken for anything but the code page.
void CheckKind(const uint8_t* data, size_t size, ListTextKind kind)
{
    static const char* const MARKS[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    const char* mark = MARKS[static_cast<int>(kind.encoding)];
    if (kind.markLength > size || (kind.markLength > 0 && (kind.markLength != strlen(mark) ||
                                                           memcmp(data, mark, kind.markLength) != 0)))
        abort();
    bool beyondAscii = false;
    for (size_t i = 0; i < size; ++i)
        beyondAscii = beyondAscii || data[i] >= 0x80;
    if (kind.encoding != ListEncoding::CodePage && !beyondAscii)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (itemList.head == nullptr)
        itemList.head = NewItemListHead();
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr)
        return 0;
    FileBytes read = ReadListBytes(ReadStdio, file);
    fclose(file);
    if (read.size != size || (size > 0 && memcmp(read.bytes, data, size) != 0))
        abort();

    ListTextKind kind = DetectListEncoding(data, size);
    CheckKind(data, size, kind);
    ReadListText(&itemList, reinterpret_cast<unsigned char*>(read.bytes), read.size, WidenLatin1);
    free(read.bytes);

    int count = 0;
    for (Item* item = itemList.head->next; item != nullptr; item = item->next) {
        size_t length = TextLength(item->path);
        if (length > static_cast<size_t>(ITEM_TEXT_MAX) || (length > 0 && item->path[length - 1] == '\n'))
            abort();
        ++count;
    }
    if (count != itemList.itemCount || count > ITEM_COUNT_MAX)
        abort();
    FreeEntries();
    return 0;
}
