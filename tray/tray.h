// The tray icon and its menu.
#pragma once
#include "platform/win32.h"

extern NOTIFYICONDATAA trayIconData;
// Valid only while ShowTrayMenu runs.
extern HMENU trayMenu;
extern HMENU trayPopup;

// Loads the 16 x 16 application icon and fills the tray record for the panel. The icon
// belongs to the record and lives as long as the process.
void FillTrayIconData(HWND panel, NOTIFYICONDATAA* data);

// Opens the tray menu at the cursor for a left or right button press on our icon; any
// other tray message does nothing. With a dialog open, the press brings that dialog to
// the front instead of a menu. A chosen item reaches the panel as WM_COMMAND.
void ShowTrayMenu(HWND panel, WPARAM iconId, LPARAM mouseMessage);
