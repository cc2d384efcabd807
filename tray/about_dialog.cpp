#include "tray/about_dialog.h"

#include "platform/process.h"
#include "platform/shell.h"
#include "res/resource.h"

static void OnAboutCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_URL:
        PrepareShellCalls();
        ShellExecuteA(dialog, "open", QUORVANE_HOME_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDC_OK:
        EndDialog(dialog, 0);
        break;
    default:
        // IDCANCEL from the Escape key lands here too: Escape leaves the dialog open.
        break;
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        openDialog = dialog;
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        OnAboutCommand(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
