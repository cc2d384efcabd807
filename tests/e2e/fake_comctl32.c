/* Stands in for a comctl32.dll dropped beside the program: when loaded, it leaves the
 * file comctl32.loaded beside itself. It exports the one call the program once imported,
 * so that a program importing it would start and show the load. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID unused)
{
    char path[MAX_PATH + 16];
    DWORD n;
    (void)unused;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    n = GetModuleFileNameA(self, path, MAX_PATH);
    while (n > 0 && path[n - 1] != '\\')
        n--;
    lstrcpyA(path + n, "comctl32.loaded");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void* controls)
{
    (void)controls;
    return TRUE;
}
