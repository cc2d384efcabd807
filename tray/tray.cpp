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
    // The system's small icon size: 16 x 16 at 100 %; larger scales get the best image
    // of the group rather than a stretched 16 x 16 one.
    data->hIcon = static_cast<HICON>(LoadImageA(appInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                LR_DEFAULTCOLOR));
    lstrcpynA(data->szTip, "quorvane", 64);
}

void ShowTrayMenu(HWND panel, WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != TRAY_ICON_ID || (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN))
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
