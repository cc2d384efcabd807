// The poll timer's tick: shows the panel at the left screen edge and hides it away from it.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// The usable screen height seen by the latest tick at column 0.
extern int16_t currentScreenHeight;
// The panel's window rectangle as read by the latest tick away from column 0.
extern RECT panelRect;
// True only while a tick shows the panel at the edge: the one moment it may be shown and
// activated (see the panel's WM_WINDOWPOSCHANGING).
extern bool showingAtEdge;

// The usable screen height now: the full-screen client height plus one caption, in 16 bits.
int16_t ReadUsableScreenHeight();

// What only the shown panel needs (the common controls, the name tip, the drop target):
// set up when the program is first idle after start, so that neither the start nor the
// first show waits for it, or by a show that comes earlier. Later calls do nothing.
void PrepareShow(HWND panel);

// Shows the panel at the left edge at the usable height of the latest reading
// (currentScreenHeight), works out its rows and draws the page: the one way the panel
// shows, whether the edge or the hot key asks for it.
void ShowPanelAtEdge(HWND panel);

void OnPollTick(HWND panel);
