// The name tip: the common controls' tooltip beside the row the pointer rests on, with the
// name of that row's entry. It stands right of the panel (over it only when a panel about as
// wide as the screen leaves no room there), always on the screen, and takes no focus.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// When the program is first idle, or at the panel's first show, not at start: loads the
// common controls and makes the tip, hidden. Without them the panel shows no tips. A second call does nothing.
void CreateNameTip(HWND panel);

// The pointer moved over the panel to client y: from here the system reports when it
// rests (hover) or leaves. While the tip is up it follows at once to the row at y, or goes
// when that row holds no entry.
void FollowNameTip(HWND panel, int32_t y);

// The pointer rested at client y: the tip shows the name of that row's entry, if it holds
// one. The shell is asked only when the row's entry differs from the one the tip shows.
void ShowNameTip(HWND panel, int32_t y);

// The pointer left the panel, the panel hides, a click opens an entry or a page turns.
void HideNameTip();
