// The list file beside the executable.
#pragma once
#include "items/list_append.h"
#include "platform/win32.h"

char const ITEM_FILE_NAME[] = "quorvane.cfg";

// What the list file was found to be when it was read, kept up to date by the drops.
extern ListFileFacts listFileFacts;

// Reads the list file in the (wide) folder into itemList; the file's bytes are read as
// they are. Returns 1 when the file was opened, also when it holds no entry; shows the
// missing-list message and returns 0 when it cannot be opened.
int LoadItemList(const wchar_t* folder);

struct DropResult {
    DropVerdict verdict;
    int32_t position;  // Add: the new entry's; Duplicate: the one already there
    DWORD error;       // WriteFailed: the system's error code
};

// Adds a dropped name (length wide characters) at the end of itemList and of the list file
// in the folder, as DecideDrop allows: both or neither.
DropResult AddDroppedName(const wchar_t* folder, const wchar_t* name, size_t length);
