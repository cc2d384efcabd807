// The system's own conversions and comparison for the list's text: code-page pieces widened,
// dropped names narrowed for an ANSI list, and entries compared as file names.
#pragma once
#include "items/list_append.h"
#include "platform/win32.h"

// Widens a piece of the list's code-page text as the system's ANSI calls widen a name
// (CodePageWidener).
size_t WidenCodePage(const char* bytes, size_t size, char16_t* out);

// Converts wide text to the code page; returns the bytes written (none when out is too
// small). *lost: some character has no equivalent there and became the default character.
// Where the code page is UTF-8 nothing is lost.
int CodePageFromWide(const WCHAR* wide, int count, char* out, int size, bool* lost);

// Whether two entries name the same thing: equal with letter case folded for every letter
// the system folds in file names (SameTextTest).
bool SameEntryText(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength);
