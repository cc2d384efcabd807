// The list file beside the executable.
#pragma once
#include "platform/win32.h"

char const ITEM_FILE_NAME[] = "quorvane.cfg";

// Reads the list file in the (wide) folder into itemList; the file's bytes are read as
// they are. Returns 1 when the file was opened, also when it holds no entry; shows the
// missing-list message and returns 0 when it cannot be opened.
int LoadItemList(const wchar_t* folder);
