// The entries of the list file, in file order. Portable: no <windows.h>.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "items/list_encoding.h"

struct Item {
    char16_t* path;  // owned UTF-16 text, terminated; at most ITEM_TEXT_MAX units; may be empty
    Item* next;      // the next entry in file order, or none for the last
};

// A sentinel head whose next is the first entry; the head's own path is never used.
struct ItemList {
    Item* head;
    int16_t itemCount;
};

extern ItemList itemList;

// A line is read in pieces of at most this many bytes (code-page text) or UTF-16 units
// (UTF-8 and UTF-16 text), each piece an entry of its own.
int const ITEM_TEXT_MAX = 259;
// itemCount is 16-bit signed: the reading stops at this many entries.
int16_t const ITEM_COUNT_MAX = 32767;

// When the text ends in a line feed, replaces it by the terminator and returns 1;
// otherwise returns 0. At most one line feed is removed.
int StripTrailingNewline(char16_t* text);

// The length of a terminated UTF-16 text, in units.
size_t TextLength(const char16_t* text);

// Allocates a sentinel head with no next entry; none when memory is short.
Item* NewItemListHead();

// Detaches every entry from the head and returns 1; returns 0 when given no head.
int ReleaseItemList(Item* head);

// Frees the entry and every entry after it.
void FreeItems(Item* first);

// Keeps the first count entries and frees the rest: undoes an append that could not be
// completed.
void TruncateItemList(int16_t count);

// The whole content of a file in one heap block, which the holder frees with free().
struct FileBytes {
    char* bytes;  // none when nothing was read
    size_t size;
};

// The most of a list file that is read. ITEM_COUNT_MAX entries take at most 260 bytes of
// code-page text each (259 and a dropped carriage return), and no character of UTF-8 or
// UTF-16 text takes more than four bytes per code-page byte: the rest of a longer file
// could never become an entry, and reading it would only cost time and memory.
size_t const LIST_READ_MAX = 64u << 20;

// Reads up to size bytes of an opened file into into; returns the bytes read, fewer than
// size only at the end of the file or on a read error.
using ReadCall = size_t (*)(void* file, char* into, size_t size);

// Reads an opened file through read into a block that grows as needed, to its end or to
// limit bytes, whichever comes first. A read error, or a block that cannot grow, ends the
// reading early and keeps what was read, like a short read.
FileBytes ReadListBytes(ReadCall read, void* file, size_t limit = LIST_READ_MAX);

// Widens a piece of code-page text (size bytes, no zero byte among them) into out, which
// has room for size units: no code page gives more than one UTF-16 unit per byte. Returns
// the units written. The system's own conversion at the Win32 edge; a small one in tests.
using CodePageWidener = size_t (*)(const char* bytes, size_t size, char16_t* out);

// What the reader found at the end of the text.
struct ListTextEnd {
    bool controlZ;       // a control-Z ended the text: nothing after it is ever read
    bool lastPieceFull;  // the text ends in a piece cut at its full length, with no line feed
};

// Reads the entries of text (no byte-order mark) in the given encoding and appends them to
// list after its last entry. The text-mode rules apply, the same on every C runtime: a
// carriage return directly before a line feed is dropped, and the first control-Z ends the
// text. Code-page text is cut into pieces of ITEM_TEXT_MAX bytes, each widened through
// widen; UTF-8 (malformed sequences become U+FFFD) and UTF-16 (an odd last byte dropped)
// into pieces of ITEM_TEXT_MAX units, a surrogate pair never cut in two. A zero ends an
// entry's text within its piece. Stops early, keeping what was read, when memory is short
// or at ITEM_COUNT_MAX entries.
ListTextEnd AppendItemsFromText(ItemList* list, const unsigned char* text, size_t size, ListEncoding encoding,
                                CodePageWidener widen);
