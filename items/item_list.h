// The entries of the list file, in file order. Portable: no <windows.h>.
#pragma once
#include <stdint.h>
#include <stdio.h>

struct Item {
    char* path;  // owned; at most ITEM_TEXT_MAX bytes and a terminator; may be empty
    Item* next;  // the next entry in file order, or none for the last
};

// A sentinel head whose next is the first entry; the head's own path is never used.
struct ItemList {
    Item* head;
    int16_t itemCount;
};

extern ItemList itemList;

// A line is read in pieces of at most this many bytes, each piece an entry of its own.
int const ITEM_TEXT_MAX = 259;
// itemCount is 16-bit signed: the reading stops at this many entries.
int16_t const ITEM_COUNT_MAX = 32767;

// When the text ends in a line feed, replaces it by the terminator and returns 1;
// otherwise returns 0. At most one line feed is removed.
int StripTrailingNewline(char* text);

// Allocates a sentinel head with no next entry; none when memory is short.
Item* NewItemListHead();

// Detaches every entry from the head and returns 1; returns 0 when given no head.
// The entries live until the process ends.
int ReleaseItemList(Item* head);

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

// Reads an opened file, opened in binary mode, into a block that grows as needed, to its
// end or to limit bytes, whichever comes first. A read error, or a block that cannot grow,
// ends the reading early and keeps what was read, like a short read.
FileBytes ReadListBytes(FILE* file, size_t limit = LIST_READ_MAX);

// Reads the entries of the list file's text, in the system's code page, and appends them
// to itemList after its last entry. The text-mode rules are applied here, the same on
// every C runtime: a carriage return directly before a line feed is dropped, and the
// first control-Z ends the text. Stops early, keeping what was read, when memory is short
// or at ITEM_COUNT_MAX entries.
void AppendItemsFromText(const char* text, size_t size);
