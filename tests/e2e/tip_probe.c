/* Reads the name tip that quorvane shows beside its panel: finds the window of the tooltip
 * class owned by the panel (the program's dialog-class tool window) and, when it shows,
 * prints its screen rectangle (left top right bottom) on the first line, then its text in
 * UTF-8. The text is what the tooltip answers to WM_GETTEXT, the text it draws, which the
 * system carries across processes (TTM_GETTEXT would hand over a pointer into this one).
 * Exit code 0 with the tip shown, 1 with the tip hidden, 2 when there is no tip. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static HWND tip;

/* The class may carry the version of the common controls before a '!'. */
static BOOL CALLBACK FindTip(HWND window, LPARAM unused)
{
    char name[128], ownerName[16];
    HWND owner = GetWindow(window, GW_OWNER);
    (void)unused;
    GetClassNameA(window, name, sizeof name);
    if (owner == NULL || strstr(name, "tooltips_class32") == NULL)
        return TRUE;
    GetClassNameA(owner, ownerName, sizeof ownerName);
    if (lstrcmpA(ownerName, "#32770") != 0 || !(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    tip = window;
    return FALSE;
}

int main(void)
{
    wchar_t text[1024];
    char utf8[4096];
    RECT rect;
    DWORD_PTR length = 0;
    EnumWindows(FindTip, 0);
    if (tip == NULL)
        return 2;
    if (!IsWindowVisible(tip))
        return 1;
    GetWindowRect(tip, &rect);
    if (!SendMessageTimeoutW(tip, WM_GETTEXT, 1024, (LPARAM)text, SMTO_NORMAL, 5000, &length))
        return 2;
    text[length < 1024 ? length : 1023] = L'\0';
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    printf("%ld %ld %ld %ld\n%s\n", rect.left, rect.top, rect.right, rect.bottom, utf8);
    return 0;
}
