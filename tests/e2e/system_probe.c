/* Placed by the WOW64 test in a Wine prefix's system folders and started through the panel.
 * Writes into <%QUORVANE_PROBE_DIR%>\<its own file name>.txt its width in bits (how it was
 * built) and the folder it was started in, one per line; through a temporary name, so that a
 * test never reads half a file. Built for 64 and for 32 bits, with an icon. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(void)
{
    char dir[MAX_PATH], self[MAX_PATH], cwd[MAX_PATH], out[3 * MAX_PATH], temporary[3 * MAX_PATH + 4];
    DWORD length = GetEnvironmentVariableA("QUORVANE_PROBE_DIR", dir, sizeof dir);
    if (length == 0 || length >= sizeof dir || GetModuleFileNameA(NULL, self, sizeof self) == 0 ||
        GetCurrentDirectoryA(sizeof cwd, cwd) == 0 || strrchr(self, '\\') == NULL)
        return 1;
    snprintf(out, sizeof out, "%s\\%s.txt", dir, strrchr(self, '\\') + 1);
    snprintf(temporary, sizeof temporary, "%s.tmp", out);
    FILE* file = fopen(temporary, "wb");
    if (file == NULL)
        return 1;
    fprintf(file, "%d\n%s\n", (int)(sizeof(void*) * 8), cwd);
    if (fclose(file) != 0)
        return 1;
    return MoveFileA(temporary, out) ? 0 : 1;
}
