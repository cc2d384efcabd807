// The hot key of the settings: it brings the panel at once, whatever program is in front,
// and hides it again.
#pragma once
#include <stdint.h>

#include "platform/win32.h"

// The id of our one hot key, as WM_HOTKEY's wParam carries it.
int const PANEL_HOT_KEY_ID = 1;

// Registers the key of the setting's word for the window, in place of the one registered
// before; a word without a virtual key only frees that one. False when the system refuses
// the key (another program holds it): the former key then stays registered.
bool ChangeHotKey(HWND window, int16_t hotKey);

// At start: registers the HotKey setting for the panel. A key that another program holds
// is said once in a balloon of the tray icon, by SayHotKeyRefusal; the program works on
// without it.
void StartHotKey(HWND panel);

// Once the tray icon is up (at start, or later when the shell was not ready): the balloon
// for a key refused at start, if one is owed. Later calls do nothing.
void SayHotKeyRefusal();

// The key was pressed. With the panel hidden, the pointer moves to the left column at its
// height and the panel shows at once: the key is an explicit request, which the guards of
// the edge (ChangeSize, FullScreen) do not hold back. With the panel shown, the pointer goes
// back where it was before the key brought the panel (just right of the panel when the
// edge brought it), and the panel hides.
void OnPanelHotKey(HWND panel);

// The panel hid: a later key has no place to put the pointer back to.
void ForgetHotKeyReturn();
