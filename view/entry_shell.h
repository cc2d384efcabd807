// What the shell says about an entry of the list: the icon it shows for it, and its name.
#pragma once
#include "platform/win32.h"

// The icon for an entry, as Explorer shows it: the file's own first icon at the size asked
// for (the system's large or small one), else the one the shell shows for the entry
// (folder, document, shortcut with its arrow, address); none for an entry that names
// nothing. The caller destroys it.
HICON EntryIcon(const char16_t* path, bool large);

// Writes into out (TIP_TEXT_SIZE wide characters) the text of the entry's name tip: the
// name Explorer shows for it (the shell's display name: a shortcut without its extension,
// extensions as the user has Explorer show them, a special folder under its shown name) and
// the entry as written, or the entry alone (see ComposeTipText).
void EntryTipText(wchar_t* out, const char16_t* path);
