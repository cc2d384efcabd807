// The settings dialog, opened from the tray menu.
#pragma once
#include "platform/win32.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the record's values in the dialog's controls. Returns 0.
int SettingsToDialog(HWND dialog);

// Stores the controls' values straight into the record, unchecked. Returns 0.
int SettingsFromDialog(HWND dialog);
