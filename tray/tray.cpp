#include "tray/tray.h"

#include "platform/process.h"
#include "res/resource.h"

NOTIFYICONDATAA trayIconData;
HMENU trayMenu;
HMENU trayPopup;

void FillTrayIconData(HWND panel, NOTIFYICONDATAA* data)
{
    ZeroMemory(data, sizeof *data);
    // The first form of the record, understood by every shell; its tooltip holds 64 bytes.
    data->cbSize = NOTIFYICONDATAA_V1_SIZE;
    data->hWnd = panel;
    data->uID = TRAY_ICON_ID;
    data->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data->uCallbackMessage = WM_TRAYNOTIFY;
    data->hIcon = static_cast<HICON>(
        LoadImageA(appInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    lstrcpynA(data->szTip, "quorvane", 64);
}

void ShowTrayMenu(HWND panel, WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != TRAY_ICON_ID || (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN))
        return;
    // A menu now would let Settings open over the dialog, or Exit wait behind it.
    if (RaiseOpenDialog())
        return;
    GetCursorPos(&cursorPos);
    trayMenu = LoadMenuA(appInstance, MAKEINTRESOURCEA(IDR_TRAYMENU));
    trayPopup = GetSubMenu(trayMenu, 0);
    // The menu closes on a click elsewhere only if our window is in the foreground.
    SetForegroundWindow(panel);
    TrackPopupMenu(trayPopup, TPM_BOTTOMALIGN, cursorPos.x, cursorPos.y, 0, panel, nullptr);
    // Without a message after the menu, the next opening may close at once.
    PostMessageA(panel, WM_NULL, 0, 0);
    DestroyMenu(trayMenu);
    trayMenu = nullptr;
    trayPopup = nullptr;
}
