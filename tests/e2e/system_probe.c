/* Started through the panel: placed by the WOW64 test in a Wine prefix's system folders, and
 * by the Unicode test in a folder whose name no code page holds. Writes into
 * <%QUORVANE_PROBE_DIR%>\<its own file name>.txt its width in bits (how it was built) and the
 * folder it was started in (UTF-8), one per line; through a temporary name, so that a test
 * never reads half a file. Built for 64 and for 32 bits, with an icon. */
#include <windows.h>
#include <stdio.h>
#include <wchar.h>

int main(void)
{
    wchar_t dir[MAX_PATH], self[MAX_PATH], cwd[MAX_PATH], out[3 * MAX_PATH], temporary[3 * MAX_PATH + 4];
    char cwdUtf8[4 * MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"QUORVANE_PROBE_DIR", dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || GetModuleFileNameW(NULL, self, MAX_PATH) == 0 ||
        GetCurrentDirectoryW(MAX_PATH, cwd) == 0 || wcsrchr(self, L'\\') == NULL ||
        WideCharToMultiByte(CP_UTF8, 0, cwd, -1, cwdUtf8, sizeof cwdUtf8, NULL, NULL) == 0)
        return 1;
    _snwprintf(out, 3 * MAX_PATH, L"%ls\\%ls.txt", dir, wcsrchr(self, L'\\') + 1);
    _snwprintf(temporary, 3 * MAX_PATH + 4, L"%ls.tmp", out);
    FILE* file = _wfopen(temporary, L"wb");
    if (file == NULL)
        return 1;
    fprintf(file, "%d\n%s\n", (int)(sizeof(void*) * 8), cwdUtf8);
    if (fclose(file) != 0)
        return 1;
    return MoveFileW(temporary, out) ? 0 : 1;
}
