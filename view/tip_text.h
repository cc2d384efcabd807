// The text of the name tip beside a row: which lines it shows for an entry. Portable: no
// <windows.h>; wide text, whatever the width of wchar_t.
#pragma once
#include <stddef.h>

// Room for a display name (the shell gives at most 259 characters), the line break, an
// entry (at most 259) and the terminator.
size_t const TIP_TEXT_SIZE = 2 * 260 + 2;

// What is known of an entry when its tip is asked for.
struct TipFacts {
    const wchar_t* entry;        // the entry as written in the list
    const wchar_t* displayName;  // the shell's display name; empty when it gave none
    bool address;                // an address, not a path: it has no display name
    bool exists;                 // the path names a file or folder
};

// Writes the tip's text into out (size wide characters, at least 1) and returns its
// length: for an entry that exists, the shell's display name, a line break ("\r\n") and the
// entry as written; for an address, for an entry that names nothing, or where the shell
// gave no name or one that reads as the entry itself, the entry alone. An empty entry gives
// an empty text: its row shows no tip. Text beyond size is cut off.
size_t ComposeTipText(wchar_t* out, size_t size, TipFacts const& facts);
