#include "app/poll_tick.h"

#include "app/drop_target.h"
#include "app/edge_trigger.h"
#include "app/panel_host.h"
#include "items/item_file.h"
#include "items/pages.h"
#include "platform/process.h"
#include "settings/settings.h"
#include "view/name_tip.h"
#include "view/paint.h"

int16_t currentScreenHeight;
RECT panelRect;
bool showingAtEdge;

int16_t ReadUsableScreenHeight()
{
    return UsableScreenHeight(GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CYCAPTION));
}

// Whether what only the shown panel needs has been set up.
static bool preparedForShow;

void PrepareShow(HWND panel)
{
    if (preparedForShow)
        return;
    preparedForShow = true;
    CreateNameTip(panel);
    PrepareDropTarget(panel);
}

namespace {

// SHQueryUserNotificationState came with Vista: looked up, not imported.
using QueryNotificationStateCall = HRESULT(WINAPI*)(int* state);
int const QUNS_BUSY_STATE = 2;          // a full-screen program that is not Direct3D
int const QUNS_PRESENTATION_STATE = 4;  // 3 between: Direct3D full-screen

QueryNotificationStateCall queryNotificationState;
bool notificationStateLookedUp;

// Whether the shell says the user is busy with a full-screen program, a Direct3D one or a
// presentation. Wine always answers that notifications are welcome.
bool ShellSaysFullScreen()
{
    if (!notificationStateLookedUp) {
        notificationStateLookedUp = true;
        queryNotificationState = FindCall<QueryNotificationStateCall>(GetModuleHandleA("shell32.dll"),
                                                                      "SHQueryUserNotificationState");
    }
    int state = 0;
    return queryNotificationState != nullptr && queryNotificationState(&state) == S_OK &&
           state >= QUNS_BUSY_STATE && state <= QUNS_PRESENTATION_STATE;
}

ScreenRect FromRect(RECT const& rect)
{
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// Explorer's desktop: besides the shell's window, the window behind the desktop icons, in
// front after a click on the desktop or after Windows + D. Both lack a caption and cover the
// screen, yet they are the desktop, not a program in its way.
bool IsExplorerDesktop(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"WorkerW") == 0 || lstrcmpW(name, L"Progman") == 0;
}

// Whether a full-screen program is in front: the foreground window (not the panel, the
// desktop or the shell's window) covers the primary monitor without a caption, or the shell
// says so.
bool FullScreenProgramInFront(HWND panel)
{
    HWND front = GetForegroundWindow();
    // The panel in front is the panel shown: nothing to keep out of the way of.
    if (front == panel)
        return false;
    if (front != nullptr && front != GetDesktopWindow() && front != GetShellWindow()) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        RECT window;
        if (GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONULL), &monitor) &&
            GetWindowRect(front, &window) &&
            IsFullScreenWindow(static_cast<uint32_t>(GetWindowLongPtrA(front, GWL_STYLE)), FromRect(window),
                               FromRect(monitor.rcMonitor), (monitor.dwFlags & MONITORINFOF_PRIMARY) != 0) &&
            !IsExplorerDesktop(front))
            return true;
    }
    return ShellSaysFullScreen();
}

}  // namespace

void ShowPanelAtEdge(HWND panel)
{
    // Done when the program was first idle; a show that comes before does it here.
    PrepareShow(panel);
    // The list follows its file: an edit shows at this reveal, from the first page.
    bool readAgain = ReadItemListIfChanged(moduleFolder);
    showingAtEdge = true;
    MoveWindow(panel, 0, 0, ScaleToDisplay(settings.WindowWidth), currentScreenHeight, TRUE);
    ShowWindow(panel, SW_SHOW);
    showingAtEdge = false;
    RECT client;
    GetClientRect(panel, &client);
    ComputeLastRowIndex(client.bottom);
    // Drawn over what the panel shows: nothing is cleared first, unless the list is new.
    if (readAgain) {
        HideNameTip();
        ClearPanel(panel);
    }
    DrawPageIcons(panel);
}

void OnPollTick(HWND panel)
{
    GetCursorPos(&cursorPos);
    EdgeInputs inputs = {cursorPos.x, 0, 0, startupScreenHeight, settings.ChangeSize, false};
    if (cursorPos.x != 0) {
        // Away from the edge a tick costs the cursor read and this one rectangle read.
        GetWindowRect(panel, &panelRect);
        inputs.panelRight = panelRect.right;
    } else {
        currentScreenHeight = ReadUsableScreenHeight();
        inputs.screenHeight = currentScreenHeight;
        // Only here: the window in front is asked about only with the cursor at the edge.
        inputs.fullScreenInFront = settings.FullScreen != 0 && FullScreenProgramInFront(panel);
    }
    switch (DecideEdge(inputs)) {
    case EdgeAction::Hide:
        ShowWindow(panel, SW_HIDE);
        break;
    case EdgeAction::Show:
        ShowPanelAtEdge(panel);
        break;
    case EdgeAction::Nothing:
        break;
    }
}
