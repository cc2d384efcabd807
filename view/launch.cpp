#include "view/launch.h"

#include "items/pages.h"
#include "platform/shell.h"

void LaunchItemAt(int32_t, int32_t y, HWND panel)
{
    Item const* entry = ItemAtRow(RowFromY(y));
    if (entry == nullptr)
        return;
    char path[MAX_PATH];
    EntryShellName(path, sizeof path, entry->path, Wow64WindowsFolder());
    // The folder part exactly as written: a program starts in its own folder, and a 64-bit
    // program started from Sysnative sees the System32 of the entry as its own. An address
    // opens with none, as About opens its address.
    char workingDirectory[ITEM_TEXT_MAX + 1];
    const char* folder = EntryWorkingFolder(workingDirectory, sizeof workingDirectory, entry->path, IsAnsiLeadByte);
    PrepareShellCalls();
    ShellExecuteA(panel, "open", path, nullptr, folder, SW_SHOWNORMAL);
}
