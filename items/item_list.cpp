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

namespace {

int const CONTROL_Z = 26;

// The bytes of the file as a text-mode stream would deliver them.
struct TextReader {
    FILE* file;
    bool ended;  // control-Z or a read error seen: nothing more is read
};

int NextTextByte(TextReader& reader)
{
    if (reader.ended)
        return EOF;
    int c = getc(reader.file);
    if (c == '\r') {
        int following = getc(reader.file);
        if (following == '\n')
            return '\n';
        if (following != EOF)
            ungetc(following, reader.file);
    }
    if (c == CONTROL_Z || c == EOF) {
        reader.ended = true;
        return EOF;
    }
    return c;
}

// Reads up to and including the next line feed, at most ITEM_TEXT_MAX bytes; returns the
// number of bytes read, 0 at the end of the file. piece holds ITEM_TEXT_MAX + 1 bytes.
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

void AppendItemsFromFile(FILE* file)
{
    Item* tail = itemList.head;
    if (tail == nullptr)
        return;
    while (tail->next != nullptr)
        tail = tail->next;

    TextReader reader = {file, false};
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
