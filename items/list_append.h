// Adding a dropped name at the end of the list file: whether it may be added, the bytes that
// go at the end of the file, and what the list reader will make of them at the next start.
// The rule behind each decision: after a drop, the entries in memory are those that reading
// the file at the next start gives. Portable: no <windows.h>.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "items/list_encoding.h"
#include "platform/path.h"

// What the list file was found to be at start; the drops since keep it up to date.
struct ListFileFacts {
    ListTextKind kind;
    // Nothing but bytes below 0x80: such a file is valid UTF-8 as well as code-page text.
    bool asciiOnly;
    // A line added at the end would never be read: the text holds a control-Z (the reader
    // stops there), or UTF-16 text has an odd last byte (every unit after it would be cut
    // in the wrong place).
    bool endUnread;
    // The text ends in a line without a line feed whose length is a whole number of pieces
    // (259, 518, ... bytes): a line feed after it makes the reader give an empty entry.
    bool lastLineFull;
};

// From the file's bytes as read, before any conversion.
ListFileFacts FindListFileFacts(const unsigned char* bytes, size_t size);
// From the text the reader reads (in the code page): control-Z and the last line.
void NoteListText(ListFileFacts* facts, const char* text, size_t size);

// A name longer than this many UTF-16 units cannot fit in a row: every unit, or pair of
// them, gives at least one byte of code-page text.
size_t const DROPPED_NAME_MAX = 2 * 259;

struct DroppedName {
    const char16_t* wide;  // the name as dropped, not terminated
    size_t length;         // its units
    const char* entry;     // the name in the code page, terminated; read only when length fits
    bool lossy;            // the code page lacks some character of the name
};

enum class DropVerdict {
    Add,
    Duplicate,        // the list holds the same entry, ASCII letter case ignored
    TooLong,          // the entry would not fit in one row
    OutsideCodePage,  // an ANSI list cannot hold some character of it
    ReadAsOtherText,  // the file would then read as UTF-8 or with a byte-order mark
    EndUnread,        // see ListFileFacts::endUnread
    ListFull,         // at the entry cap: the reader would stop before it
    WriteFailed,      // the file could not be written: decided by the writer, not here
};

// Whether the name may be added to itemList and its file; for a duplicate, the position of
// the entry already there goes to *position. isLeadByte: the code page's lead bytes, whose
// trail bytes are compared exactly (a trail byte may look like an ASCII letter).
DropVerdict DecideDrop(ListFileFacts const& facts, DroppedName const& name, LeadByteTest isLeadByte,
                       int32_t* position);

// The bytes appended for the longest name: a line ending before it and after it, in UTF-16,
// and three bytes of UTF-8 for each unit.
size_t const APPENDED_BYTES_MAX = 8 + 3 * DROPPED_NAME_MAX;

struct AppendedLine {
    unsigned char bytes[APPENDED_BYTES_MAX];  // for the end of the file
    size_t size;
    char text[2 + 259];  // what the reader will read of them, for AppendItemsFromText
    size_t textSize;
    int entries;  // the entries the reader makes of text: the name's, after an empty one
};

// For a name DecideDrop lets add. tail: the file's last bytes now, up to two; fileSize: its
// size now. A line ending goes first when the file's text (after its mark) is not empty and
// does not end in a line feed; the name follows in the file's encoding, then CR LF.
void MakeAppendedLine(AppendedLine* line, ListFileFacts const& facts, const unsigned char* tail, size_t tailSize,
                      uint64_t fileSize, DroppedName const& name);

// After the line was written: the file now ends in a line ending and holds the name.
void NoteAppended(ListFileFacts* facts, DroppedName const& name);

// Whether the system hands addresses of this scheme (ASCII, terminated, no ':') to a program
// of their own: asked only of a scheme that is neither always opened nor never added.
using SchemeTest = bool (*)(const char* scheme);

// A name dragged as text (a browser's address): the text less a leading U+FEFF and the white
// space at either end goes to *start and *length. True when that is one address: a scheme
// ("https:") that the shell opens, then no white space and no control character. Always
// opened: http, https, ftp, mailto and file; never: javascript and vbscript, which would run
// what follows them; any other when isRegisteredScheme says so.
bool FindDroppedAddress(const char16_t* text, size_t size, SchemeTest isRegisteredScheme, size_t* start,
                        size_t* length);
