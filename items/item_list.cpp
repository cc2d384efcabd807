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

// The units of the text as a text-mode stream would deliver them: bytes of code-page text,
// or UTF-16 units. Up to two units wait to be taken again: the second half of a pair
// decoded from UTF-8, and one read ahead.
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
    if (reader.encoding == ListEncoding::CodePage)
        return *reader.at++;
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
// number read, 0 at the end of the text. *full: the piece ended at its full length. In
// UTF-16 the last place is not given to the first half of a pair.
size_t ReadPiece(TextReader& reader, char16_t* piece, bool* full)
{
    size_t length = 0;
    *full = false;
    while (length < static_cast<size_t>(ITEM_TEXT_MAX)) {
        int unit = NextTextUnit(reader);
        if (unit == END)
            return length;
        if (length + 1 == ITEM_TEXT_MAX && reader.encoding != ListEncoding::CodePage && IsHighSurrogate(unit)) {
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

// The piece's text up to its first zero: code-page bytes are widened, after their line feed
// is taken off (no code page has 0x0A in a character of two bytes). Returns its length.
size_t EntryText(char16_t* piece, size_t length, ListEncoding encoding, CodePageWidener widen)
{
    size_t text = 0;
    while (text < length && piece[text] != u'\0')
        ++text;
    if (encoding != ListEncoding::CodePage)
        return text;
    if (text > 0 && piece[text - 1] == u'\n')
        --text;
    char bytes[ITEM_TEXT_MAX];
    for (size_t i = 0; i < text; ++i)
        bytes[i] = static_cast<char>(piece[i]);
    return text == 0 ? 0 : widen(bytes, text, piece);
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
    bool full = false;
    for (size_t length; list->itemCount < ITEM_COUNT_MAX && (length = ReadPiece(reader, piece, &full)) > 0;) {
        end.lastPieceFull = full;
        Item* item = NewItem(piece, EntryText(piece, length, encoding, widen));
        if (item == nullptr)
            break;
        tail->next = item;
        tail = item;
        ++list->itemCount;
    }
    end.controlZ = reader.controlZ;
    return end;
}
