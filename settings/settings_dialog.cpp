#include "settings/settings_dialog.h"

#include "app/hot_key.h"
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
    if (settings.FullScreen != 0)
        CheckDlgButton(dialog, IDC_FULLSCREEN, BST_CHECKED);
    // The control's word is the setting's: the virtual key low, the HOTKEYF_ flags high.
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, static_cast<uint16_t>(settings.HotKey), 0);
    return 0;
}

// Without the common controls the dialog opens without its hot-key field: the key stays.
static int16_t HotKeyInDialog(HWND dialog)
{
    HWND field = GetDlgItem(dialog, IDC_HOTKEY);
    if (field == nullptr)
        return settings.HotKey;
    return LowWordAsSigned(static_cast<uint32_t>(SendMessageA(field, HKM_GETHOTKEY, 0, 0)));
}

int SettingsFromDialog(HWND dialog)
{
    for (NumberField const& number : NUMBER_FIELDS)
        settings.*number.field = LowWordAsSigned(GetDlgItemInt(dialog, number.editId, nullptr, FALSE));
    settings.IconType = IsDlgButtonChecked(dialog, IDC_ICON_LARGE) == BST_CHECKED ? 1 : 0;
    settings.ChangeSize = IsDlgButtonChecked(dialog, IDC_CHANGESIZE) == BST_CHECKED ? 1 : 0;
    settings.FullScreen = IsDlgButtonChecked(dialog, IDC_FULLSCREEN) == BST_CHECKED ? 1 : 0;
    settings.HotKey = HotKeyInDialog(dialog);
    return 0;
}

// OK and Apply: the hot key is registered for the panel (the dialog's owner) first. A key
// that another program holds is said, the focus goes to its field, and nothing is stored or
// saved: the record, the file and the registered key stay as they were. False then.
static bool StoreAndSave(HWND dialog)
{
    if (!ChangeHotKey(GetWindow(dialog, GW_OWNER), HotKeyInDialog(dialog))) {
        wchar_t text[256];
        LoadStringW(appInstance, IDS_HOTKEY_TAKEN, text, 256);
        MessageBoxW(dialog, text, L"quorvane", MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, IDC_HOTKEY));
        return false;
    }
    SettingsFromDialog(dialog);
    SaveSettings(moduleFolder);
    return true;
}

static void OnSettingsCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_OK:
        if (StoreAndSave(dialog))
            EndDialog(dialog, 0);
        break;
    case IDC_APPLY:
        StoreAndSave(dialog);
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
