// The list file beside the executable: read at start, read again whenever it changed, and
// written at its end by drops.
#pragma once
#include "items/list_append.h"
#include "platform/win32.h"

char const ITEM_FILE_NAME[] = "quorvane.cfg";

// What the list file was found to be when it was last read, kept up to date by the drops.
extern ListFileFacts listFileFacts;

// Reads the list file in the (wide) folder into itemList; the file's bytes are read as
// they are. Returns 1 when the file was opened, also when it holds no entry; shows the
// missing-list message and returns 0 when it cannot be opened.
int LoadItemList(const wchar_t* folder);

// Before the panel shows: when the list file's write time or size differ from those it had
// when it was last read (one attribute query), reads it again with the rules of the start
// and puts the new entries in place of the old ones, which are freed, from page 0. A file
// that is gone, locked or unreadable keeps the entries, with no message. True when the
// entries were replaced: whatever pointed at an entry points at nothing now.
bool ReadItemListIfChanged(const wchar_t* folder);

// The list file opened for one drop, shared for reading only from the check to the last
// write: no other program can change it in between.
struct DropFile {
    HANDLE handle;  // INVALID_HANDLE_VALUE when it could not be opened or read
    DWORD error;    // then: the system's error code
    bool readAgain; // the file had changed since it was last read, and the entries were replaced
    bool written;
};

// Opens the list file in the folder for a drop; when it changed since it was last read,
// reads it again through the same handle (as ReadItemListIfChanged does).
DropFile OpenListForDrop(const wchar_t* folder);

struct DropResult {
    DropVerdict verdict;
    int32_t position;  // Add: the new entry's; Duplicate: the one already there
    DWORD error;       // WriteFailed: the system's error code
};

// Adds a dropped name (length wide characters) at the end of itemList and of the list file,
// in the encoding the file has now, as DecideDrop allows: both or neither.
DropResult AddDroppedName(DropFile* file, const wchar_t* name, size_t length);

// Closes the file of a drop; after a write, notes its write time and size as read.
void CloseListForDrop(const wchar_t* folder, DropFile* file);
