// The panel as a drop target: files, folders and shortcuts from Explorer or the desktop, and
// addresses from a browser, each added at the end of the list (items/item_file.h).
#pragma once
#include "platform/win32.h"

// Before the panel first shows: a drag looks up a window's drop target as the pointer comes
// onto it, and the panel appears under a pointer that is already at the edge. Loads OLE,
// which the start then does not wait for. Later calls do nothing.
void PrepareDropTarget(HWND panel);

// At shut-down, while the panel still exists.
void RevokeDropTarget(HWND panel);

// WM_DROPDONE, posted by a drop, which only copied the names: adds them (the list file opened
// once, read again first when it changed since it was last read), turns to the page of the
// first entry added (else of the first dropped entry already in the list) and says what
// could not be added, and why. Here, not in the drop, since the drag's source waits until
// the drop returns.
void OnDropDone(HWND panel);
