// The list file's text in the system's ANSI code page, whichever of Notepad's encodings
// it was saved in.
#pragma once
#include "items/item_list.h"

// Takes over the file's bytes and returns the text to read, in the code page (the same
// block, or a new one after freeing the old). Text in the code page stays as it is.
// UTF-8 and UTF-16 text, told by its byte-order mark or, for UTF-8, by its validity, is
// converted, its mark dropped; a character the code page lacks becomes its default
// character, so that its entry names no file. When memory is short for the whole text,
// as much of its start as fits is converted, like a short read.
FileBytes TextInCodePage(FileBytes file);
