/* What the shell and the session do to a running tray program, one step per run:
 *   shell_restart lose        the icon of the quorvane panel (id 1000) is gone
 *   shell_restart announce    the new shell broadcasts "TaskbarCreated"
 *   shell_restart close       a polite close: WM_CLOSE, as taskkill without /F sends it
 *   shell_restart endsession  the session ends: WM_ENDSESSION with wParam TRUE, and the
 *                             process is ended as soon as the handler returns; exit code
 *                             3 when the handler had not taken its icon out of the tray
 *   shell_restart foreground  exit code 1 when the foreground window is the program's
 *   shell_restart busy        a shell not ready yet: a tray window in front of the real one
 *                             refuses every icon until it has refused three, then goes;
 *                             it creates busy.ready in the current folder once it is there
 * The panel is the program's dialog-class tool window. Exit code 0 on success. */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>

static HWND panel;
static int refused;
static int deleted;

static BOOL CALLBACK FindPanel(HWND window, LPARAM unused)
{
    char name[64];
    (void)unused;
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        panel = window;
        return FALSE;
    }
    return TRUE;
}

static LRESULT CALLBACK BusyTray(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    if (++refused == 3)
        PostQuitMessage(0);
    return FALSE;
}

/* Shell_NotifyIcon hands the icon to the first top-level window of this class: a tray window
 * of ours in front of the real one gets every call of the program. */
static HWND FrontTray(WNDPROC procedure)
{
    WNDCLASSA tray = {0};
    tray.lpfnWndProc = procedure;
    tray.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&tray);
    return CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
}

static int BeBusyTray(void)
{
    HWND window = FrontTray(BusyTray);
    if (window == NULL)
        return 2;
    FILE* ready = fopen("busy.ready", "w");
    if (ready == NULL)
        return 2;
    fclose(ready);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(window);
    return 0;
}

/* Wine's shell sends each call as WM_COPYDATA with the icon's window in wParam and the
 * NIM_ message in dwData. */
static LRESULT CALLBACK WatchingTray(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    if ((HWND)wParam == panel && ((COPYDATASTRUCT*)lParam)->dwData == NIM_DELETE)
        deleted = 1;
    return TRUE;
}

/* Windows may end a process as soon as its WM_ENDSESSION handler returns, so the icon must be
 * out of the tray by then. While this thread waits for the handler it takes the program's calls
 * to the shell; what the program would do after the handler (its WM_DESTROY) never comes, as
 * the process is ended before this thread reads another message. */
static int EndSession(void)
{
    DWORD id = 0;
    GetWindowThreadProcessId(panel, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    HWND tray = FrontTray(WatchingTray);
    if (process == NULL || tray == NULL)
        return 2;
    BOOL sent = SendMessageTimeoutA(panel, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, NULL) != 0;
    int removed = deleted;
    TerminateProcess(process, 0);
    BOOL ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    DestroyWindow(tray);
    if (!sent || !ended)
        return 2;
    return removed ? 0 : 3;
}

static int Step(const char* step)
{
    if (lstrcmpA(step, "announce") == 0)
        return !PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    if (lstrcmpA(step, "busy") == 0)
        return BeBusyTray();
    EnumWindows(FindPanel, 0);
    if (panel == NULL)
        return 2;
    if (lstrcmpA(step, "close") == 0)
        return !PostMessageA(panel, WM_CLOSE, 0, 0);
    if (lstrcmpA(step, "endsession") == 0)
        return EndSession();
    if (lstrcmpA(step, "foreground") == 0) {
        DWORD ours = 0, front = 0;
        GetWindowThreadProcessId(panel, &ours);
        GetWindowThreadProcessId(GetForegroundWindow(), &front);
        return front == ours;
    }
    NOTIFYICONDATAA data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = panel;
    data.uID = 1000;
    return !Shell_NotifyIconA(NIM_DELETE, &data);
}

int main(int argc, char** argv)
{
    return Step(argc > 1 ? argv[1] : "lose");
}
