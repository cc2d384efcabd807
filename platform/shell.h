// What the calls into the shell need: COM on the calling thread, and the name under which
// this process reaches what an entry names.
#pragma once
#include "platform/win32.h"

// Before the first shell call that may run shell extensions (icons of documents and
// shortcuts, opening an entry or an address): initialises COM for this thread, once.
void PrepareShellCalls();

// The Windows folder when this process is a 32-bit one under WOW64, where System32 means
// the 32-bit system folder; empty everywhere else. Found at the first call.
const wchar_t* Wow64WindowsFolder();

// Writes into out (size units, at least the entry's length and its terminator) the name
// under which the entry is shown and opened. Given the Windows folder of a WOW64 process,
// an entry in System32 whose twin in the 64-bit system folder (Sysnative) is a file that is
// a program, or that this process cannot see under its own name, becomes that twin: the
// program Explorer would start. Folders, and documents seen under their own name, keep it:
// the 64-bit programs that open them (Explorer, most editors) cannot see Sysnative.
void EntryShellName(wchar_t* out, size_t size, const char16_t* entry, const wchar_t* wow64WindowsFolder);

// Whether the shell hands addresses of the scheme (ASCII, without its ':') to a program: its
// key under HKEY_CLASSES_ROOT has a value named "URL Protocol". Asked at the time of a drop.
bool IsRegisteredScheme(const char* scheme);
