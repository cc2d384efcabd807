// The About dialog, opened from the tray menu.
#pragma once
#include "platform/win32.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
