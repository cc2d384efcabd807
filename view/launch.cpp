#include "view/launch.h"

#include "items/pages.h"
#include "platform/shell.h"

void LaunchItemAt(int32_t, int32_t y, HWND panel)
{
    Item const* entry = ItemAtRow(RowFromY(y));
    if (entry == nullptr)
        return;
    wchar_t path[MAX_PATH];
    EntryShellName(path, MAX_PATH, entry->path, Wow64WindowsFolder());
    // The folder part exactly as written: a program starts in its own folder, and a 64-bit
    // program started from Sysnative sees the System32 of the entry as its own. An address
    // opens with none, as About opens its address.
    char16_t workingDirectory[ITEM_TEXT_MAX + 1];
    const char16_t* folder = EntryWorkingFolder(workingDirectory, ITEM_TEXT_MAX + 1, entry->path);
    PrepareShellCalls();
    ShellExecuteW(panel, L"open", path, nullptr, folder == nullptr ? nullptr : AsWide(folder), SW_SHOWNORMAL);
}
