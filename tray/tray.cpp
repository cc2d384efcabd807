#include "tray/tray.h"

#include "platform/process.h"
#include "res/resource.h"

NOTIFYICONDATAA trayIconData;
HMENU trayMenu;
HMENU trayPopup;

namespace {

UINT const TRAY_RETRY_INTERVAL = 1000;
int const TRAY_RETRY_TRIES = 120;
// How many more times the retry timer tries the icon; 0 while no retry runs.
int trayRetriesLeft;

// Both looked up: the window's filter came with Windows 7, the process's with Vista.
using ChangeWindowMessageFilterExCall = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* status);
using ChangeWindowMessageFilterCall = BOOL(WINAPI*)(UINT message, DWORD action);
DWORD const FILTER_ALLOW = 1;  // MSGFLT_ALLOW for a window, MSGFLT_ADD for the process

}  // namespace

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

bool AddTrayIcon(HWND panel)
{
    if (Shell_NotifyIconA(NIM_ADD, &trayIconData))
        return true;
    trayRetriesLeft = TRAY_RETRY_TRIES;
    SetTimer(panel, TRAY_RETRY_TIMER_ID, TRAY_RETRY_INTERVAL, nullptr);
    return false;
}

void ShowTrayBalloon(UINT textId)
{
    NOTIFYICONDATAW balloon;
    ZeroMemory(&balloon, sizeof balloon);
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.hWnd = trayIconData.hWnd;
    balloon.uID = TRAY_ICON_ID;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    lstrcpynW(balloon.szInfoTitle, L"quorvane", 64);
    LoadStringW(appInstance, textId, balloon.szInfo, 256);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

bool RetryTrayIcon(HWND panel)
{
    // A shell that was too slow to answer may have added the icon all the same: then it
    // refuses a second add and takes a modify.
    bool there = Shell_NotifyIconA(NIM_ADD, &trayIconData) || Shell_NotifyIconA(NIM_MODIFY, &trayIconData);
    if (there || --trayRetriesLeft <= 0) {
        trayRetriesLeft = 0;
        KillTimer(panel, TRAY_RETRY_TIMER_ID);
    }
    return there;
}

void AcceptShellMessage(HWND panel, UINT message)
{
    HMODULE user = GetModuleHandleA("user32.dll");
    auto forWindow = FindCall<ChangeWindowMessageFilterExCall>(user, "ChangeWindowMessageFilterEx");
    if (forWindow != nullptr) {
        forWindow(panel, message, FILTER_ALLOW, nullptr);
        return;
    }
    auto forProcess = FindCall<ChangeWindowMessageFilterCall>(user, "ChangeWindowMessageFilter");
    if (forProcess != nullptr)
        forProcess(message, FILTER_ALLOW);
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
