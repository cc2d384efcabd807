// The one way into the Win32 headers, so that every file sees the same definitions.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/path.h"

// Lead bytes of the system's ANSI code page, which all path texts are written in.
bool IsAnsiLeadByte(unsigned char byte);

// Moves the window, keeping its size, to the centre of the primary screen.
void CenterWindowOnScreen(HWND window);

// The system DPI (the screen's LOGPIXELSX): 96 at 100 % display scale, 144 at 150 %.
// The program is DPI-aware through its manifest, so this is the real figure.
int ReadSystemDpi();
