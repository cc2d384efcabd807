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

void OnPollTick(HWND panel);
