// The list file's text in the system's ANSI code page, whichever of Notepad's encodings
// it was saved in.
#pragma once
#include "items/item_list.h"
#include "items/list_encoding.h"
#include "platform/win32.h"

// Takes over the file's bytes, whose encoding is kind (DetectListEncoding), and returns the
// text to read, in the code page (the same block, or a new one after freeing the old). Text
// in the code page stays as it is. UTF-8 and UTF-16 text is converted, its mark dropped; a
// character the code page lacks becomes its default character, so that its entry names no
// file. When memory is short for the whole text, as much of its start as fits is converted,
// like a short read.
FileBytes TextInCodePage(FileBytes file, ListTextKind kind);

// Converts wide text to the code page as the list's text is converted; returns the bytes
// written (none when out is too small). *lost: some character has no equivalent there and
// became the default character. Where the code page is UTF-8 nothing is lost.
int CodePageFromWide(const WCHAR* wide, int count, char* out, int size, bool* lost);
