// The panel: the program's one window, and the router of every message it receives.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// The usable screen height when the panel started; the edge trigger compares against it.
extern int16_t startupScreenHeight;

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
