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

// Adds the icon of the tray record; true when it is there. When the shell cannot take it
// (at logon it may not be ready yet), the panel's retry timer tries again once a second,
// 120 times at most.
bool AddTrayIcon(HWND panel);

// A warning in a balloon of the tray icon, the text from the string table. Wide, in the
// record's second form, the first that holds a balloon. Nothing shows while the icon is not
// there.
void ShowTrayBalloon(UINT textId);

// One try of the retry timer; the timer stops once the icon is there (true) or the tries
// are spent.
bool RetryTrayIcon(HWND panel);

// Lets the shell's restart message through to the panel when the program runs elevated:
// the shell runs with less rights, and its messages are otherwise filtered out.
void AcceptShellMessage(HWND panel, UINT message);

// Opens the tray menu at the cursor for a left or right button press on our icon; any
// other tray message does nothing. With a dialog open, the press brings that dialog to
// the front instead of a menu. A chosen item reaches the panel as WM_COMMAND.
void ShowTrayMenu(HWND panel, WPARAM iconId, LPARAM mouseMessage);
