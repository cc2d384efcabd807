// Adding a dropped name at the end of the list file: whether it may be added, the bytes that
// go at the end of the file, and what the list reader will make of them at the next start.
// The rule behind each decision: after a drop, the entries in memory are those that reading
// the file at the next start gives. Portable: no <windows.h>.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "items/item_list.h"
#include "items/list_encoding.h"
#include "platform/path.h"

// When the list file was last written, and its size, as the system reports them.
struct ListFileStamp {
    uint64_t writeTime;
    uint64_t size;
};

// What the list file was found to be when it was last read; the drops since keep it up to
// date.
struct ListFileFacts {
    ListTextKind kind;
    // Nothing but bytes below 0x80: such a file is valid UTF-8 as well as code-page text.
    bool asciiOnly;
    // A line added at the end would never be read: the text holds a control-Z (the reader
    // stops there), or UTF-16 text has an odd last byte (every unit after it would be cut
    // in the wrong place).
    bool endUnread;
    // The text ends in a line without a line feed whose length is a whole number of pieces
    // (259, 518, ... units): a line feed after it makes the reader give an empty entry.
    bool lastLineFull;
    ListFileStamp stamp;
};

// Reads the list file's bytes (mark and all) into list, after its last entry, and returns
// what the file was found to be; the stamp is left for the caller.
ListFileFacts ReadListText(ItemList* list, const unsigned char* bytes, size_t size, CodePageWidener widen);

// What one attribute query finds of the list file now.
struct ListFileQuery {
    bool found;   // a file is there (not a folder), whose attributes could be read
    ListFileStamp stamp;
};

// Whether the list file must be read again: it is there and its write time or size differ
// from those it had when it was last read. A file that is gone, or cannot be seen, keeps
// the entries read before.
bool ListFileChanged(ListFileStamp const& lastRead, ListFileQuery const& now);

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
    Duplicate,        // the list holds the same entry, letter case ignored
    TooLong,          // the entry would not fit in one row
    OutsideCodePage,  // an ANSI list cannot hold some character of it
    ReadAsOtherText,  // the file would then read as UTF-8 or with a byte-order mark
    EndUnread,        // see ListFileFacts::endUnread
    ListFull,         // at the entry cap: the reader would stop before it
    WriteFailed,      // the file could not be written: decided by the writer, not here
};

// Whether two texts name the same entry: equal with letter case folded as the system
// folds it for file names (CompareStringOrdinal ignoring case, at the Win32 edge).
using SameTextTest = bool (*)(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength);

// Whether the name may be added to itemList and its file; for a duplicate, the position of
// the entry already there goes to *position.
DropVerdict DecideDrop(ListFileFacts const& facts, DroppedName const& name, SameTextTest same, int32_t* position);

// The bytes appended for the longest name: a line ending before it and after it, in UTF-16,
// and three bytes of UTF-8 for each unit.
size_t const APPENDED_BYTES_MAX = 8 + 3 * DROPPED_NAME_MAX;

struct AppendedLine {
    unsigned char bytes[APPENDED_BYTES_MAX];  // for the end of the file
    size_t size;
    // The reader makes the new entries of the bytes from here on: a line ending that only
    // ends the file's last line is skipped.
    size_t textOffset;
    int entries;  // the entries the reader makes of them: the name's, after an empty one
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
