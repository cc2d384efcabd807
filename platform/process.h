// Process-wide state that every part of the program reads, and the start-up step that
// makes the process safe before anything else runs.
#pragma once
#include "platform/win32.h"

// The program's instance: its dialogs, menu and icon are loaded from it.
extern HINSTANCE appInstance;
// The executable's folder with its trailing separator; empty when it cannot be known.
// The data files live there.
extern char moduleFolder[MAX_PATH];
// The one cursor point, written by the poll tick and by the tray menu.
extern POINT cursorPos;

// Fills buffer (MAX_PATH bytes) with the executable's folder, trailing separator included.
// A path too long for the buffer leaves it empty: no data file is then found there.
void GetModuleFolder(char* buffer);

// First thing at start, before any window exists: stores the instance and limits the DLL
// search to the system folder.
void StartProcess(HINSTANCE instance);

// Loads the common controls, which only the settings dialog needs (its up-down arrows),
// and registers their up-down class: at its first opening, not at start. They stay loaded.
// Returns 0 when they cannot be loaded; the dialog then opens without its arrows.
int LoadCommonControls();
