#include "items/item_list.h"

#include <stdlib.h>
#include <string.h>

ItemList itemList = {nullptr, 0};

size_t TextLength(const char16_t* text)
{
    size_t length = 0;
    while (text[length] != u'\0')
        ++length;
    return length;
}

int StripTrailingNewline(char16_t* text)
{
    size_t length = TextLength(text);
    if (length == 0 || text[length - 1] != u'\n')
        return 0;
    text[length - 1] = u'\0';
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

void FreeItems(Item* item)
{
    while (item != nullptr) {
        Item* next = item->next;
        free(item->path);
        free(item);
        item = next;
    }
}

void TruncateItemList(int16_t count)
{
    Item* last = itemList.head;
    for (int16_t i = 0; i < count; ++i)
        last = last->next;
    FreeItems(last->next);
    last->next = nullptr;
    itemList.itemCount = count;
}

namespace {

int const CONTROL_Z = 26;
int const END = -1;

bool IsHighSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The text as a text-mode stream would deliver it: UTF-16 units from UTF-8 or UTF-16 text
// (ReadUnitPiece), bytes from code-page text (ReadBytePiece). Up to two units wait to be
// taken again: the second half of a pair decoded from UTF-8, and one read ahead.
struct TextReader {
    const unsigned char* at;
    const unsigned char* end;
    ListEncoding encoding;
    int waiting[2];
    int waitingCount;
    bool controlZ;
};

void PutBack(TextReader& reader, int unit)
{
    reader.waiting[reader.waitingCount++] = unit;
}

int NextUtf8Unit(TextReader& reader)
{
    if (*reader.at < 0x80)  // most of a list: ASCII, without the call
        return *reader.at++;
    unsigned point;
    reader.at += DecodeUtf8(reader.at, static_cast<size_t>(reader.end - reader.at), &point);
    if (point == UTF8_MALFORMED)
        return 0xFFFD;
    if (point < 0x10000)
        return static_cast<int>(point);
    PutBack(reader, static_cast<int>(0xDC00 + (point & 0x3FF)));
    return static_cast<int>(0xD800 + ((point - 0x10000) >> 10));
}

int NextUnit(TextReader& reader)
{
    if (reader.waitingCount > 0)
        return reader.waiting[--reader.waitingCount];
    if (reader.at == reader.end || reader.controlZ)
        return END;
    if (reader.encoding == ListEncoding::Utf8)
        return NextUtf8Unit(reader);
    if (reader.end - reader.at < 2) {  // an odd last byte is no unit
        reader.at = reader.end;
        return END;
    }
    bool big = reader.encoding == ListEncoding::Utf16BigEndian;
    int unit = reader.at[big ? 0 : 1] << 8 | reader.at[big ? 1 : 0];
    reader.at += 2;
    return unit;
}

int NextTextUnit(TextReader& reader)
{
    int unit = NextUnit(reader);
    if (unit == '\r') {
        int after = NextUnit(reader);
        if (after == '\n')
            return '\n';
        if (after != END)
            PutBack(reader, after);
    }
    if (unit == CONTROL_Z) {
        reader.controlZ = true;
        reader.waitingCount = 0;
        return END;
    }
    return unit;
}

// Reads up to and including the next line feed, at most ITEM_TEXT_MAX units; returns the
// number read, 0 at the end of the text. *full: the piece ended at its full length. The
// last place is not given to the first half of a pair.
size_t ReadUnitPiece(TextReader& reader, char16_t* piece, bool* full)
{
    size_t length = 0;
    *full = false;
    while (length < static_cast<size_t>(ITEM_TEXT_MAX)) {
        int unit = NextTextUnit(reader);
        if (unit == END)
            return length;
        if (length + 1 == ITEM_TEXT_MAX && IsHighSurrogate(unit)) {
            PutBack(reader, unit);
            break;
        }
        piece[length++] = static_cast<char16_t>(unit);
        if (unit == '\n')
            return length;
    }
    *full = true;
    return length;
}

// Code-page text: up to and including the next line feed, at most ITEM_TEXT_MAX bytes,
// straight from the block (the unit reader above, specialised: most lists are such text).
size_t ReadBytePiece(TextReader& reader, char* piece, bool* full)
{
    size_t length = 0;
    const unsigned char* at = reader.at;
    while (length < static_cast<size_t>(ITEM_TEXT_MAX) && at != reader.end) {
        unsigned char byte = *at++;
        if (byte == '\r' && at != reader.end && *at == '\n') {
            byte = '\n';
            ++at;
        } else if (byte == CONTROL_Z) {
            reader.controlZ = true;
            at = reader.end;
            break;
        }
        piece[length++] = static_cast<char>(byte);
        if (byte == '\n') {
            reader.at = at;
            *full = false;
            return length;
        }
    }
    reader.at = at;
    *full = length == static_cast<size_t>(ITEM_TEXT_MAX);
    return length;
}

// The next piece's entry text into text (ITEM_TEXT_MAX + 1 units): up to the piece's first
// zero, code-page bytes widened, a line feed at its end kept (NewItem takes it off).
// Returns the piece's length, 0 at the end of the text; *textLength gets the text's.
size_t ReadEntryText(TextReader& reader, char16_t* text, size_t* textLength, bool* full, CodePageWidener widen)
{
    if (reader.encoding != ListEncoding::CodePage) {
        size_t length = ReadUnitPiece(reader, text, full);
        size_t upToZero = 0;
        while (upToZero < length && text[upToZero] != u'\0')
            ++upToZero;
        *textLength = upToZero;
        return length;
    }
    char piece[ITEM_TEXT_MAX];
    size_t length = ReadBytePiece(reader, piece, full);
    const void* zero = memchr(piece, '\0', length);
    size_t bytes = zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - piece) : length;
    *textLength = bytes == 0 ? 0 : widen(piece, bytes, text);
    return length;
}

// A new entry holding the text, less one final line feed; none when memory is short.
Item* NewItem(const char16_t* text, size_t length)
{
    Item* item = static_cast<Item*>(malloc(sizeof(Item)));
    if (item == nullptr)
        return nullptr;
    item->path = static_cast<char16_t*>(malloc((length + 1) * sizeof(char16_t)));
    if (item->path == nullptr) {
        free(item);
        return nullptr;
    }
    memcpy(item->path, text, length * sizeof(char16_t));
    item->path[length] = u'\0';
    StripTrailingNewline(item->path);
    item->next = nullptr;
    return item;
}

}  // namespace

static_assert(LIST_READ_MAX >= size_t{4} * ITEM_COUNT_MAX * (ITEM_TEXT_MAX + 1) + 3,
              "the read limit must hold every entry the reader can take, mark included");

FileBytes ReadListBytes(ReadCall read, void* file, size_t limit)
{
    FileBytes got = {nullptr, 0};
    size_t capacity = 0;
    while (got.size < limit) {
        if (got.size == capacity) {
            // Doubling keeps the number of copies small for a file of any size.
            size_t larger = capacity == 0 ? 4096 : capacity * 2;
            char* grown = larger > capacity ? static_cast<char*>(realloc(got.bytes, larger)) : nullptr;
            if (grown == nullptr)
                return got;
            got.bytes = grown;
            capacity = larger;
        }
        size_t wanted = (capacity < limit ? capacity : limit) - got.size;
        size_t count = read(file, got.bytes + got.size, wanted);
        got.size += count;
        if (count < wanted)  // the end of the file, or a read error
            return got;
    }
    return got;
}

ListTextEnd AppendItemsFromText(ItemList* list, const unsigned char* text, size_t size, ListEncoding encoding,
                                CodePageWidener widen)
{
    ListTextEnd end = {false, false};
    Item* tail = list->head;
    if (tail == nullptr)
        return end;
    while (tail->next != nullptr)
        tail = tail->next;

    TextReader reader = {text, text + size, encoding, {0, 0}, 0, false};
    char16_t piece[ITEM_TEXT_MAX + 1];
    size_t textLength = 0;
    bool full = false;
    while (list->itemCount < ITEM_COUNT_MAX && ReadEntryText(reader, piece, &textLength, &full, widen) > 0) {
        end.lastPieceFull = full;
        Item* item = NewItem(piece, textLength);
        if (item == nullptr)
            break;
        tail->next = item;
        tail = item;
        ++list->itemCount;
    }
    end.controlZ = reader.controlZ;
    return end;
}
