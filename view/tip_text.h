// The text of the name tip beside a row: which lines it shows for an entry. Portable: no
// <windows.h>; wide text, whatever the width of wchar_t.
#pragma once
#include <stddef.h>
#include <stdint.h>

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

// Where the tip stands across the screen, in pixels: its left edge and the widest its lines
// may be before they wrap (the tip adds its frame around them).
struct TipPlacement {
    int32_t x;
    int32_t maxWidth;
};

// The tip's sizes at the display's scale: the gap to the panel and to the pointer (whose
// arrow reaches right of its point), its widest line, the narrowest line it is placed right
// of the panel with, and its frame with some air.
struct TipSizes {
    int32_t gap;
    int32_t pointerGap;
    int32_t widest;
    int32_t narrowest;
    int32_t frame;
};

// Right of the panel while at least the narrowest line fits there before the screen's right
// edge; otherwise (a panel about as wide as the screen) beside the pointer, on the side with
// more room: over the panel's right part or left of the pointer. Either way the tip stays on
// the screen, and its width is at least 1, so that its lines always wrap.
TipPlacement PlaceTipBeside(int32_t panelRight, int32_t pointerX, int32_t screenWidth, TipSizes const& sizes);
