#include "app/panel_host.h"

#include <stdlib.h>

#include "app/drop_target.h"
#include "app/edge_trigger.h"
#include "app/hot_key.h"
#include "app/poll_tick.h"
#include "items/item_file.h"
#include "items/item_list.h"
#include "items/pages.h"
#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "settings/settings_dialog.h"
#include "settings/settings_store.h"
#include "tray/about_dialog.h"
#include "tray/tray.h"
#include "view/highlight.h"
#include "view/launch.h"
#include "view/name_tip.h"
#include "view/paint.h"

int16_t startupScreenHeight;

namespace {

// Explorer broadcasts this after it restarts; the tray then holds none of the old icons.
UINT taskbarCreatedMessage;

// How long after the tray icon is up the idle set-up waits at least: the rest of the start
// (the panel's dialog loop, the system's drawing of the icon) goes first.
UINT const IDLE_SETUP_DELAY = 200;

// The tray icon is up, at start or later: the set-up that the shown panel needs is armed
// (a timer message comes only when the queue is empty, so it runs when the program is idle),
// and a hot key refused at start is said.
void OnTrayIconUp(HWND panel)
{
    SetTimer(panel, IDLE_SETUP_TIMER_ID, IDLE_SETUP_DELAY, nullptr);
    SayHotKeyRefusal();
}

void StartPanel(HWND panel)
{
    GetModuleFolder(moduleFolder);
    // Once: when the scale changes, Windows tells a program that is only system-DPI-aware
    // nothing. It keeps the DPI it started with, and Windows stretches its windows as bitmaps.
    displayDpi = ReadSystemDpi();
    startupScreenHeight = ReadUsableScreenHeight();
    FillTrayIconData(panel, &trayIconData);
    bool trayIconUp = AddTrayIcon(panel);
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    AcceptShellMessage(panel, taskbarCreatedMessage);
    itemList.head = NewItemListHead();
    LoadSettings(moduleFolder);
    StartHotKey(panel);
    if (trayIconUp)
        OnTrayIconUp(panel);
    // Without a head there is nowhere to put the entries: end as for a missing list, but
    // without its message, which would name the wrong cause.
    if (itemList.head == nullptr || !LoadItemList(moduleFolder))
        EndDialog(panel, 0);
    // No focus and no activation: the window the user was typing in keeps the keyboard.
    SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE);
    // The interval takes Timer's bits: 0 stays 0, -1 becomes the largest interval.
    SetTimer(panel, POLL_TIMER_ID, static_cast<UINT>(static_cast<INT>(settings.Timer)), nullptr);
}

void StopPanel(HWND panel)
{
    RevokeDropTarget(panel);
    ChangeHotKey(panel, 0);
    ReleaseItemList(itemList.head);
    free(itemList.head);
    itemList.head = nullptr;
    Shell_NotifyIconA(NIM_DELETE, &trayIconData);
    KillTimer(panel, POLL_TIMER_ID);
    KillTimer(panel, TRAY_RETRY_TIMER_ID);
    KillTimer(panel, IDLE_SETUP_TIMER_ID);
    PostQuitMessage(0);
}

// Ends the program as Exit does. A dialog running inside the panel's loop would hold that
// loop until the dialog ends, so it is ended first.
void EndPanel(HWND panel)
{
    if (openDialog != nullptr)
        EndDialog(openDialog, 0);
    EndDialog(panel, 0);
}

// One dialog at a time: a second would open over the first, and ending it would enable the
// panel under the first. The dialog records itself in openDialog when it starts.
void RunDialog(HWND panel, int templateId, DLGPROC procedure)
{
    if (RaiseOpenDialog())
        return;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), panel, procedure, 0);
    openDialog = nullptr;
}

void OnPanelCommand(HWND panel, WPARAM command)
{
    // The whole wParam is compared: a menu command has 0 in its high half.
    switch (command) {
    case IDM_EXIT:
        EndPanel(panel);
        break;
    case IDM_ABOUT:
        RunDialog(panel, IDD_ABOUT, AboutDialogProc);
        break;
    case IDM_SETTINGS:
        // Without them the dialog still opens, without its arrows.
        LoadCommonControls();
        RunDialog(panel, IDD_SETTINGS, SettingsDialogProc);
        break;
    default:
        break;
    }
}

// Every timer but the tray icon's retry and the idle set-up runs the poll tick.
void OnPanelTimer(HWND panel, WPARAM timerId)
{
    if (timerId == TRAY_RETRY_TIMER_ID) {
        if (RetryTrayIcon(panel))
            OnTrayIconUp(panel);
    } else if (timerId == IDLE_SETUP_TIMER_ID) {
        KillTimer(panel, IDLE_SETUP_TIMER_ID);
        PrepareShow(panel);
    } else {
        OnPollTick(panel);
    }
}

// The session ends (sign-out, shut-down, or an installer's restart manager closing us).
void OnEndSession(HWND panel, WPARAM ending)
{
    if (!ending)
        return;
    // The process may be ended as soon as this returns, before WM_DESTROY: a tray icon left
    // behind would stay until the pointer passes over it.
    Shell_NotifyIconA(NIM_DELETE, &trayIconData);
    EndPanel(panel);
}

// The frame covers the screen's first columns, where the cursor rests after it was pushed
// against the edge: beside the rows it answers as the rows do.
LRESULT PanelHitTest(HWND panel, LPARAM lParam)
{
    LRESULT hit = DefWindowProcA(panel, WM_NCHITTEST, 0, lParam);
    RECT client;
    GetClientRect(panel, &client);
    POINT clientTop = {0, 0};
    ClientToScreen(panel, &clientTop);
    int32_t y = static_cast<int16_t>(HIWORD(lParam));
    return FrameHitIsClient(hit == HTBORDER, y, clientTop.y, clientTop.y + client.bottom) ? HTCLIENT : hit;
}

// The modal loop shows the panel once its queue first runs empty, and a placement without
// SWP_NOACTIVATE activates it. Only the tick at the edge may show it: until then nothing of
// it appears, and the window the user is typing in keeps the keyboard.
void KeepHiddenUntilEdge(WINDOWPOS* position)
{
    if (showingAtEdge)
        return;
    position->flags &= ~SWP_SHOWWINDOW;
    position->flags |= SWP_NOACTIVATE;
}

// Client coordinates of a mouse message, each half of lParam taken as unsigned.
int32_t MouseX(LPARAM lParam) { return LOWORD(lParam); }
int32_t MouseY(LPARAM lParam) { return HIWORD(lParam); }

void OnMouseMove(HWND panel, WPARAM keys, LPARAM lParam)
{
    UpdateRowHighlight(MouseX(lParam), MouseY(lParam), keys, panel, panelState.hoverRow);
    FollowNameTip(panel, MouseY(lParam));
}

void OnLeftButtonUp(HWND panel, WPARAM keys, LPARAM lParam)
{
    // Gone before the entry opens, which may take a while.
    HideNameTip();
    UpdateRowHighlight(MouseX(lParam), MouseY(lParam), keys, panel, panelState.hoverRow);
    LaunchItemAt(MouseX(lParam), MouseY(lParam), panel);
    ShowWindow(panel, SW_HIDE);
}

void OnRightButtonDown(HWND panel, LPARAM lParam)
{
    HideNameTip();
    CyclePage();
    ClearPanel(panel);
    DrawPageIcons(panel);
    // A rest where the pointer is shows the name of the new page's entry.
    FollowNameTip(panel, MouseY(lParam));
}

}  // namespace

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        StartPanel(panel);
        return TRUE;
    case WM_DESTROY:
        StopPanel(panel);
        return TRUE;
    case WM_COMMAND:
        OnPanelCommand(panel, wParam);
        return TRUE;
    case WM_TIMER:
        OnPanelTimer(panel, wParam);
        return TRUE;
    case WM_NCHITTEST:
        // A dialog procedure hands a message's result over through DWLP_MSGRESULT.
        SetWindowLongPtrA(panel, DWLP_MSGRESULT, PanelHitTest(panel, lParam));
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        KeepHiddenUntilEdge(reinterpret_cast<WINDOWPOS*>(lParam));
        return FALSE;  // the platform still places the window, with these flags
    case WM_SYSCOMMAND:
        // Alt+F4 and the system menu's Close do nothing, as Escape does: the panel is the
        // active window whenever the edge shows it, and unseen after Settings or About
        // closes; closing what one takes for the window in front must not end the launcher.
        // WM_CLOSE alone (taskkill without /F) still ends it.
        return (wParam & 0xFFF0) == SC_CLOSE;
    case WM_CLOSE:
        EndPanel(panel);
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(panel, wParam);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(panel, wParam, lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
        UpdateRowHighlight(MouseX(lParam), MouseY(lParam), wParam, panel, panelState.hoverRow);
        return TRUE;
    case WM_LBUTTONUP:
        OnLeftButtonUp(panel, wParam, lParam);
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRightButtonDown(panel, lParam);
        return TRUE;
    case WM_MOUSEHOVER:
        ShowNameTip(panel, MouseY(lParam));
        return TRUE;
    case WM_MOUSELEAVE:
        HideNameTip();
        return TRUE;
    case WM_SHOWWINDOW:
        // However the panel hides (away from the edge, after a click), its tip goes too,
        // and a later key has no pointer position to put back.
        if (wParam == FALSE) {
            HideNameTip();
            ForgetHotKeyReturn();
        }
        return FALSE;
    case WM_HOTKEY:
        if (wParam == PANEL_HOT_KEY_ID)
            OnPanelHotKey(panel);
        return TRUE;
    case WM_TRAYNOTIFY:
        ShowTrayMenu(panel, wParam, lParam);
        return TRUE;
    case WM_DROPDONE:
        OnDropDone(panel);
        return TRUE;
    default:
        if (message == taskbarCreatedMessage && message != 0) {
            // The same record as before: same window, id, icon and tip.
            AddTrayIcon(panel);
            return TRUE;
        }
        return FALSE;
    }
}
