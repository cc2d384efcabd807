// Path texts: entries are UTF-16 (char16_t here, wchar_t at the Win32 edge), the program's
// own folder is wide, the data files' names are ASCII. Portable: no <windows.h>.
#pragma once
#include <stddef.h>

// The lead bytes of code page 932 (Japanese): a byte that opens a character of two bytes,
// whose second byte may be a backslash (0x5C). For tests that read code-page text.
bool IsCp932LeadByte(unsigned char byte);

// Where the final component of the path starts: the unit after the last separator ('\\',
// '/' or the ':' of a drive), or 0 when there is none. The final component is taken exactly
// as written: extension included, nothing hidden. In UTF-16 no unit of a character other
// than those three can be taken for one.
size_t FinalComponentOffset(const char16_t* path);
size_t FinalComponentOffset(const wchar_t* path);

// Writes folder followed by name into out (format "%s%s") and returns 1; returns 0 and
// leaves out empty when the joined text does not fit in size bytes with its terminator,
// or when the folder is empty (the program's folder could not be found).
int JoinPath(char* out, size_t size, const char* folder, const char* name);
// The same for a wide folder; the name is ASCII (a data file of the program), one wide
// character per byte. Sizes count wide characters.
int JoinPath(wchar_t* out, size_t size, const wchar_t* folder, const char* name);

// Writes the ASCII text into out, one wide character per byte, and returns 1; returns 0
// and leaves out empty when it does not fit in size wide characters with its terminator.
int WidenAscii(wchar_t* out, size_t size, const char* ascii);

// Writes the folder part of the path (everything before its final component, separator
// included; empty for a bare name) into out and returns 1; returns 0 and leaves out
// empty when it does not fit in size units.
int CopyFolderPart(char16_t* out, size_t size, const char16_t* path);

// The working folder an entry opens in: its folder part as written (see CopyFolderPart),
// written into out, which is returned; none (null) for an address, which names no folder
// ("https://example.org/" would name one that does not exist).
const char16_t* EntryWorkingFolder(char16_t* out, size_t size, const char16_t* entry);

// Whether an entry is an address rather than a path: a scheme, that is a letter followed by
// letters, digits, '+', '-' or '.', two characters or more in all, then ':' ("https:",
// "mailto:", "ms-settings:"). A drive ("C:") has a one-letter name, so it is never an address.
bool IsAddress(const char* entry);
bool IsAddress(const char16_t* entry);

// A 32-bit program under WOW64 sees the 32-bit system folder wherever <Windows>\System32\ is
// written; <Windows>\Sysnative\ reaches the 64-bit one. When path starts with windowsFolder
// (as the system gives it: no trailing separator except at a root), a separator, "System32",
// a separator and at least one byte more (ASCII case ignored, '/' taken as '\'), writes the
// path with "System32" replaced by "Sysnative" into out and returns 1. Otherwise, or when the
// result does not fit in size units with its terminator, returns 0 and leaves out empty.
int MapToSysnative(char16_t* out, size_t size, const char16_t* path, const char16_t* windowsFolder);
