/* Reads the name tip of quorvane's panel: the window of the tooltip class (its name may carry
 * the common controls' version before a '!') owned by the panel, the program's dialog-class
 * tool window. When it shows, prints its left and top, then its text in UTF-8: what it
 * answers to WM_GETTEXT, the text it draws, which the system carries across processes.
 * Exit code 0 with the tip shown, 1 with it hidden, 2 when there is none. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static BOOL CALLBACK FindTip(HWND window, LPARAM found)
{
    char name[128], ownerName[16] = "";
    HWND owner = GetWindow(window, GW_OWNER);
    GetClassNameA(window, name, sizeof name);
    GetClassNameA(owner, ownerName, sizeof ownerName);
    if (strstr(name, "tooltips_class32") == NULL || lstrcmpA(ownerName, "#32770") != 0 ||
        !(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    *(HWND*)found = window;
    return FALSE;
}

int main(void)
{
    HWND tip = NULL;
    wchar_t text[1024] = L"";
    char utf8[4096];
    RECT rect;
    EnumWindows(FindTip, (LPARAM)&tip);
    if (tip == NULL)
        return 2;
    if (!IsWindowVisible(tip) || !GetWindowRect(tip, &rect) ||
        !SendMessageTimeoutW(tip, WM_GETTEXT, 1024, (LPARAM)text, SMTO_NORMAL, 5000, NULL))
        return 1;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    printf("%ld %ld\n%s\n", rect.left, rect.top, utf8);
    return 0;
}
