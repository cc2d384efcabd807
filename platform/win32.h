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

// The portable core holds text as char16_t; the wide calls take wchar_t, the same 16-bit
// units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text on Windows is UTF-16");
inline const wchar_t* AsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* AsUtf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
inline char16_t* AsUtf16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }

// Moves the window, keeping its size, to the centre of the primary screen.
void CenterWindowOnScreen(HWND window);

// The system DPI (the screen's LOGPIXELSX): 96 at 100 % display scale, 144 at 150 %.
// The program is DPI-aware through its manifest, so this is the real figure.
int ReadSystemDpi();
