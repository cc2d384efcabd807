// Started by the launch tests through the shell. Writes, into "cwd.txt" beside its own
// exe, the folder it was started in (first line) and the number of parameters it got on
// its command line (second line). The text goes to a temporary name first and is renamed
// at the end, so a test never reads half a file.
#include <windows.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char**)
{
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return 1;
    char* lastSeparator = strrchr(folder, '\\');
    if (lastSeparator == nullptr)
        return 1;
    lastSeparator[1] = '\0';

    char current[MAX_PATH];
    if (GetCurrentDirectoryA(sizeof current, current) == 0)
        return 1;

    char temporary[MAX_PATH + 16];
    char final[MAX_PATH + 16];
    snprintf(temporary, sizeof temporary, "%scwd.tmp", folder);
    snprintf(final, sizeof final, "%scwd.txt", folder);
    FILE* out = fopen(temporary, "wb");
    if (out == nullptr)
        return 1;
    fprintf(out, "%s\n%d\n", current, argc - 1);
    fclose(out);
    return MoveFileA(temporary, final) ? 0 : 1;
}
