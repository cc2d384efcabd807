#include "items/item_list.h"

#include <stdlib.h>
#include <string.h>

ItemList itemList = {nullptr, 0};

int StripTrailingNewline(char* text)
{
    size_t length = strlen(text);
    if (length == 0 || text[length - 1] != '\n')
        return 0;
    text[length - 1] = '\0';
    return 1;
}

Item* NewItemListHead()
{
    Item* head = static_cast<Item*>(malloc(sizeof(Item)));
    if (head != nullptr) {
        head->path = nullptr;
        head->next = nullptr;
    }
    return head;
}

int ReleaseItemList(Item* head)
{
    if (head == nullptr)
        return 0;
    head->next = nullptr;
    return 1;
}

void TruncateItemList(int16_t count)
{
    Item* last = itemList.head;
    for (int16_t i = 0; i < count; ++i)
        last = last->next;
    for (Item* item = last->next; item != nullptr;) {
        Item* next = item->next;
        free(item->path);
        free(item);
        item = next;
    }
    last->next = nullptr;
    itemList.itemCount = count;
}

namespace {

int const CONTROL_Z = 26;

// The bytes of the text as a text-mode stream would deliver them.
struct TextReader {
    const unsigned char* at;
    const unsigned char* end;
};

int NextTextByte(TextReader& reader)
{
    if (reader.at == reader.end)
        return EOF;
    int c = *reader.at++;
    if (c == '\r' && reader.at != reader.end && *reader.at == '\n') {
        ++reader.at;
        return '\n';
    }
    if (c == CONTROL_Z) {
        reader.at = reader.end;
        return EOF;
    }
    return c;
}

// Reads up to and including the next line feed, at most ITEM_TEXT_MAX bytes; returns the
// number of bytes read, 0 at the end of the text. piece holds ITEM_TEXT_MAX + 1 bytes.
int ReadPiece(TextReader& reader, char* piece)
{
    int length = 0;
    while (length < ITEM_TEXT_MAX) {
        int c = NextTextByte(reader);
        if (c == EOF)
            break;
        piece[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    piece[length] = '\0';
    return length;
}

// A new entry holding the piece up to its first zero byte, less one final line feed;
// none when memory is short.
Item* NewItem(const char* piece)
{
    Item* item = static_cast<Item*>(malloc(sizeof(Item)));
    if (item == nullptr)
        return nullptr;
    size_t size = strlen(piece) + 1;
    item->path = static_cast<char*>(malloc(size));
    if (item->path == nullptr) {
        free(item);
        return nullptr;
    }
    memcpy(item->path, piece, size);
    StripTrailingNewline(item->path);
    item->next = nullptr;
    return item;
}

}  // namespace

static_assert(LIST_READ_MAX >= size_t{4} * ITEM_COUNT_MAX * (ITEM_TEXT_MAX + 1) + 3,
              "the read limit must hold every entry the reader can take, mark included");

FileBytes ReadListBytes(FILE* file, size_t limit)
{
    FileBytes read = {nullptr, 0};
    size_t capacity = 0;
    while (read.size < limit) {
        if (read.size == capacity) {
            // Doubling keeps the number of copies small for a file of any size.
            size_t larger = capacity == 0 ? 4096 : capacity * 2;
            char* grown = larger > capacity ? static_cast<char*>(realloc(read.bytes, larger)) : nullptr;
            if (grown == nullptr)
                return read;
            read.bytes = grown;
            capacity = larger;
        }
        size_t wanted = (capacity < limit ? capacity : limit) - read.size;
        size_t got = fread(read.bytes + read.size, 1, wanted, file);
        read.size += got;
        if (got < wanted)  // the end of the file, or a read error
            return read;
    }
    return read;
}

void AppendItemsFromText(const char* text, size_t size)
{
    Item* tail = itemList.head;
    if (tail == nullptr)
        return;
    while (tail->next != nullptr)
        tail = tail->next;

    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    TextReader reader = {bytes, bytes + size};
    char piece[ITEM_TEXT_MAX + 1];
    while (itemList.itemCount < ITEM_COUNT_MAX && ReadPiece(reader, piece) > 0) {
        Item* item = NewItem(piece);
        if (item == nullptr)
            return;
        tail->next = item;
        tail = item;
        ++itemList.itemCount;
    }
}
