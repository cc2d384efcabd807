// Opening the entry of a row with the shell.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// Opens the entry of the row under client y with the "open" verb, in the entry's own
// folder (empty for a bare name, none for an address); under WOW64 a program in System32
// as the 64-bit program (see EntryShellName). A row without an entry opens nothing.
void LaunchItemAt(int32_t x, int32_t y, HWND panel);
