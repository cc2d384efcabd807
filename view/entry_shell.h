// What the shell says about an entry of the list: the icon it shows for it.
#pragma once
#include "platform/win32.h"

// The icon for an entry, as Explorer shows it: the file's own first icon at the size asked
// for (the system's large or small one), else the one the shell shows for the entry
// (folder, document, shortcut, address); none for an entry that names nothing. The caller
// destroys it.
HICON EntryIcon(const char* path, bool large);
