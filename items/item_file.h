// The list file beside the executable.
#pragma once
#include "platform/win32.h"

// The executable's folder with its trailing separator; empty when it cannot be known.
extern char moduleFolder[MAX_PATH];

char const ITEM_FILE_NAME[] = "quorvane.cfg";

// Fills buffer (MAX_PATH bytes) with the executable's folder, trailing separator included.
// A path too long for the buffer leaves it empty: no data file is then found there.
void GetModuleFolder(char* buffer);

// Reads the list file in the folder into itemList. Returns 1 when the file was opened,
// also when it holds no entry; shows the missing-list message and returns 0 when it
// cannot be opened.
int LoadItemList(const char* folder);
