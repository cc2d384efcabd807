/* A window of another program in front of quorvane's panel, for the full-screen and hot-key
 * tests:
 *   front_probe full     a window without a caption covering the screen, as a full-screen
 *                        game or video player makes one
 *   front_probe window   an ordinary window with a caption
 *   front_probe desktop  the same as full, of the class of the window behind Explorer's
 *                        desktop icons (WorkerW), which is in front after Windows + D
 * It takes the foreground, is named "quorvane-front-probe", and ends when a file named
 * "stop" appears in its current folder. */
#include <windows.h>

static LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && GetFileAttributesA("stop") != INVALID_FILE_ATTRIBUTES)
        DestroyWindow(window);
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv)
{
    int desktop = argc > 1 && lstrcmpA(argv[1], "desktop") == 0;
    int full = desktop || (argc > 1 && lstrcmpA(argv[1], "full") == 0);
    WNDCLASSA type = {0};
    type.lpfnWndProc = ProbeProc;
    type.hInstance = GetModuleHandleA(NULL);
    type.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    type.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    type.lpszClassName = desktop ? "WorkerW" : "front_probe";
    RegisterClassA(&type);
    HWND window = full ? CreateWindowExA(0, type.lpszClassName, "quorvane-front-probe", WS_POPUP, 0, 0,
                                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                         type.hInstance, NULL)
                       : CreateWindowExA(0, "front_probe", "quorvane-front-probe", WS_OVERLAPPEDWINDOW, 300, 200,
                                         300, 200, NULL, NULL, type.hInstance, NULL);
    if (window == NULL)
        return 1;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetTimer(window, 1, 50, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
