#include "view/launch.h"

#include "items/pages.h"

void LaunchItemAt(int32_t, int32_t y, HWND panel)
{
    Item const* entry = ItemAtRow(RowFromY(y));
    if (entry == nullptr)
        return;
    char path[ITEM_TEXT_MAX + 1];
    lstrcpynA(path, entry->path, sizeof path);
    // The folder part exactly as written: a program starts in its own folder.
    char workingDirectory[ITEM_TEXT_MAX + 1];
    CopyFolderPart(workingDirectory, sizeof workingDirectory, path, IsAnsiLeadByte);
    ShellExecuteA(panel, "open", path, nullptr, workingDirectory, SW_SHOWNORMAL);
}
