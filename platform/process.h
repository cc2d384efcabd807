// Process-wide state that every part of the program reads, and the start-up step that
// makes the process safe before anything else runs.
#pragma once
#include "platform/win32.h"

// The program's instance: its dialogs, menu and icon are loaded from it.
extern HINSTANCE appInstance;
// The executable's folder with its trailing separator; empty when it cannot be known.
// The data files live there. Wide: a folder name may hold characters that the system's
// code page lacks, and the ANSI text would then name another folder, or none.
extern wchar_t moduleFolder[MAX_PATH];
// The one cursor point, written by the poll tick and by the tray menu.
extern POINT cursorPos;
// The settings or About dialog while it is open, else none: one dialog at a time. Each
// dialog records itself when it starts; whoever opened it clears the record when it ends.
extern HWND openDialog;

// Fills buffer (MAX_PATH wide characters) with the executable's folder, trailing separator
// included. A path too long for the buffer leaves it empty: no data file is then found there.
void GetModuleFolder(wchar_t* buffer);

// Brings the open dialog to the front and returns true; false when none is open.
bool RaiseOpenDialog();

// A call of a system DLL looked up at run time, for one that older systems lack; through
// the one function pointer type that compilers let any other be cast to and back.
template <typename Call>
Call FindCall(HMODULE module, const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// First thing at start, before any window exists: stores the instance and limits the DLL
// search to the system folder.
void StartProcess(HINSTANCE instance);

// Loads the common controls, which the settings dialog (its up-down arrows, its hot-key
// field) and the panel's name tip need, and registers their up-down, hot-key and tooltip
// classes: when the program is first idle after start, or when first needed, not at start. They stay loaded. Returns 0 when they cannot be loaded; the dialog then opens
// without its arrows, and the panel shows no tips.
int LoadCommonControls();
