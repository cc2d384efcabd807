#include "settings/settings_dialog.h"

#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

struct NumberField {
    int editId;
    int16_t Settings::*field;
};

// In the order the fields are filled and read back.
NumberField const NUMBER_FIELDS[] = {
    {IDC_WIDTH_EDIT, &Settings::WindowWidth},
    {IDC_HEIGHT_EDIT, &Settings::ItemHeight},
    {IDC_TIMER_EDIT, &Settings::Timer},
};

void SetSpinRange(HWND dialog, int spinId, int lowest, int highest)
{
    SendMessageA(GetDlgItem(dialog, spinId), UDM_SETRANGE32, static_cast<WPARAM>(lowest),
                 static_cast<LPARAM>(highest));
}

}  // namespace

int SettingsToDialog(HWND dialog)
{
    // The ranges bind the arrows only; a typed value outside them is stored as it is.
    SetSpinRange(dialog, IDC_WIDTH_SPIN, 16, 160);
    SetSpinRange(dialog, IDC_HEIGHT_SPIN, 16, 50);
    for (NumberField const& number : NUMBER_FIELDS) {
        // Shown unsigned: a negative value reads as a large number, and stores back as itself.
        UINT shown = static_cast<UINT>(static_cast<INT>(settings.*number.field));
        SetDlgItemInt(dialog, number.editId, shown, FALSE);
    }
    CheckDlgButton(dialog, settings.IconType == 1 ? IDC_ICON_LARGE : IDC_ICON_SMALL, BST_CHECKED);
    if (settings.ChangeSize == 1)
        CheckDlgButton(dialog, IDC_CHANGESIZE, BST_CHECKED);
    return 0;
}

int SettingsFromDialog(HWND dialog)
{
    for (NumberField const& number : NUMBER_FIELDS)
        settings.*number.field = LowWordAsSigned(GetDlgItemInt(dialog, number.editId, nullptr, FALSE));
    settings.IconType = IsDlgButtonChecked(dialog, IDC_ICON_LARGE) == BST_CHECKED ? 1 : 0;
    settings.ChangeSize = IsDlgButtonChecked(dialog, IDC_CHANGESIZE) == BST_CHECKED ? 1 : 0;
    return 0;
}

static void OnSettingsCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_OK:
        SettingsFromDialog(dialog);
        SaveSettings(moduleFolder);
        EndDialog(dialog, 0);
        break;
    case IDC_APPLY:
        SettingsFromDialog(dialog);
        SaveSettings(moduleFolder);
        break;
    case IDC_CANCEL:
        EndDialog(dialog, 0);
        break;
    default:
        // IDCANCEL from the Escape key lands here too: Escape leaves the dialog open.
        break;
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        SettingsToDialog(dialog);
        openDialog = dialog;
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        OnSettingsCommand(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
