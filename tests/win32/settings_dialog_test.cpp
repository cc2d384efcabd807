// The settings and About dialogs, built from the real templates and driven with
// messages: what they show, what OK, Apply, Cancel, Escape and the close box store, and
// how the templates lay out their controls.
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "app/hot_key.h"
#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings_dialog.h"
#include "settings_test_support.h"
#include "tray/about_dialog.h"

using settings_test::FileExists;
using settings_test::MakeSettings;
using settings_test::NonEmptyLines;
using settings_test::ProfileInt;
using settings_test::ReadFileText;
using settings_test::RecordGuard;
using settings_test::TempFolder;
using settings_test::WriteFileText;

namespace {

// Handles every message still queued for this thread, a bounded number of them.
void PumpMessages()
{
    MSG message;
    for (int i = 0; i < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ItemText(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::wstring WindowTextW(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

// Sends a command as a click on the control would, unless another notification is asked for.
void Command(HWND dialog, int id, WORD notification = BN_CLICKED)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A key press as the dialog manager sees it in the message loop, aimed at the focus.
BOOL PressKey(HWND dialog, HWND target, WPARAM key)
{
    MSG message = {};
    message.hwnd = target;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    return IsDialogMessageA(dialog, &message);
}

// Class names come back in whatever letter case the system registered them.
bool SameClass(std::string const& actual, char const* expected)
{
    return lstrcmpiA(actual.c_str(), expected) == 0;
}

class DialogTest : public ::testing::Test {
protected:
    // The program's own steps: the up-down class comes from the common controls it loads
    // at run time when Settings first opens, not from a link of this test program.
    static void SetUpTestSuite()
    {
        StartProcess(GetModuleHandleA(nullptr));
        ASSERT_EQ(1, LoadCommonControls());
    }

    void SetUp() override
    {
        ASSERT_TRUE(temp.ok());
        lstrcpynW(moduleFolder, temp.wideFolder(), MAX_PATH);
        settings = MakeSettings(26, 20, 1000, 0, 0);
        // Away from the top-left corner, so that a dialog left where the template puts
        // it (relative to its owner) is not mistaken for a centred one.
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 300, 200, 40, 30, nullptr, nullptr,
                                appInstance, nullptr);
        ASSERT_NE(nullptr, owner);
    }

    void TearDown() override
    {
        ChangeHotKey(owner, 0);
        for (HWND dialog : opened)
            if (IsWindow(dialog))
                DestroyWindow(dialog);
        if (owner != nullptr)
            DestroyWindow(owner);
        PumpMessages();
    }

    HWND Open(int templateId, DLGPROC procedure)
    {
        HWND dialog = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
        if (dialog != nullptr) {
            opened.push_back(dialog);
            ShowWindow(dialog, SW_SHOW);
            PumpMessages();
        }
        return dialog;
    }
    HWND OpenSettings() { return Open(IDD_SETTINGS, SettingsDialogProc); }
    HWND OpenAbout() { return Open(IDD_ABOUT, AboutDialogProc); }

    // The dialogs are modal in the program; opened modeless here, EndDialog shows as the
    // dialog being hidden.
    static bool Ended(HWND dialog) { return !IsWindowVisible(dialog); }

    UINT IniInt(char const* key) { return ProfileInt(temp.iniPath(), key, -12345); }

    RecordGuard guard;
    TempFolder temp;
    HWND owner = nullptr;
    std::vector<HWND> opened;
};

using SettingsDialogTest = DialogTest;
using AboutDialogTest = DialogTest;

void ExpectCentredOnScreen(HWND dialog)
{
    RECT rect;
    ASSERT_TRUE(GetWindowRect(dialog, &rect));
    int centreX = (rect.left + rect.right) / 2;
    int centreY = (rect.top + rect.bottom) / 2;
    EXPECT_LE(abs(centreX - GetSystemMetrics(SM_CXSCREEN) / 2), 1) << "left " << rect.left << ", right " << rect.right;
    EXPECT_LE(abs(centreY - GetSystemMetrics(SM_CYSCREEN) / 2), 1) << "top " << rect.top << ", bottom " << rect.bottom;
}

// ---- What the settings dialog shows ---------------------------------------------------

// The hot-key control's word: the virtual key low, the HOTKEYF_ flags high.
LRESULT HotKeyShown(HWND dialog)
{
    return SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0);
}

WORD const CTRL_ALT_Q = 1617;

TEST_F(SettingsDialogTest, Open_WithDefaults_ShowsValuesSmallIconsAndGuardOff)
{
    settings = DEFAULT_SETTINGS;
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_FULLSCREEN));
    EXPECT_EQ(0, HotKeyShown(dialog));

    EXPECT_EQ("26", ItemText(dialog, IDC_WIDTH_EDIT));
    EXPECT_EQ("20", ItemText(dialog, IDC_HEIGHT_EDIT));
    EXPECT_EQ("1000", ItemText(dialog, IDC_TIMER_EDIT));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_ICON_SMALL));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_ICON_LARGE));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_CHANGESIZE));
}

TEST_F(SettingsDialogTest, Open_ShowsRecordValuesLargeIconsAndGuardOn)
{
    settings = MakeSettings(48, 32, 250, 1, 1, 0, CTRL_ALT_Q);

    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_FULLSCREEN));
    EXPECT_EQ(CTRL_ALT_Q, HotKeyShown(dialog));

    EXPECT_EQ("48", ItemText(dialog, IDC_WIDTH_EDIT));
    EXPECT_EQ("32", ItemText(dialog, IDC_HEIGHT_EDIT));
    EXPECT_EQ("250", ItemText(dialog, IDC_TIMER_EDIT));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_ICON_LARGE));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_ICON_SMALL));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_CHANGESIZE));
}

TEST_F(SettingsDialogTest, Open_ValuesOtherThanOne_ShowSmallIconsAndGuardOff)
{
    settings = MakeSettings(26, 20, 1000, 2, 2, -3);

    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    // FullScreen is the one kept out of the way by any value but 0.
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_FULLSCREEN));

    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_ICON_SMALL));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_ICON_LARGE));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_CHANGESIZE));
}

TEST_F(SettingsDialogTest, Open_NegativeValues_ShowAsUnsigned32BitNumbers)
{
    settings = MakeSettings(-25536, -1, -32768, 0, 0);

    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ("4294941760", ItemText(dialog, IDC_WIDTH_EDIT));
    EXPECT_EQ("4294967295", ItemText(dialog, IDC_HEIGHT_EDIT));
    EXPECT_EQ("4294934528", ItemText(dialog, IDC_TIMER_EDIT));
}

TEST_F(SettingsDialogTest, Open_SetsArrowRangesAndBuddiesEachToItsEdit)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    struct Spin {
        int spinId, editId, lowest, highest;
    } const spins[] = {{IDC_WIDTH_SPIN, IDC_WIDTH_EDIT, 16, 160}, {IDC_HEIGHT_SPIN, IDC_HEIGHT_EDIT, 16, 50}};

    for (Spin const& spin : spins) {
        SCOPED_TRACE(spin.spinId);
        HWND control = GetDlgItem(dialog, spin.spinId);
        ASSERT_NE(nullptr, control);
        int lowest = -1, highest = -1;
        SendMessageA(control, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
        EXPECT_EQ(spin.lowest, lowest);
        EXPECT_EQ(spin.highest, highest);
        EXPECT_EQ(reinterpret_cast<LRESULT>(GetDlgItem(dialog, spin.editId)), SendMessageA(control, UDM_GETBUDDY, 0, 0));
    }
}

TEST_F(SettingsDialogTest, Open_CentresOnScreenWhereverTheOwnerIs)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    ExpectCentredOnScreen(dialog);
}

TEST_F(SettingsDialogTest, Open_PutsFocusOnWidthField)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(GetDlgItem(dialog, IDC_WIDTH_EDIT), GetFocus());
}

// ---- What OK and Apply store ------------------------------------------------------------

TEST_F(SettingsDialogTest, Ok_StoresAndSavesWidthBeyondArrowRange)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "200");

    Command(dialog, IDC_OK);

    EXPECT_EQ(200, settings.WindowWidth);
    EXPECT_EQ(200u, IniInt("WindowWidth"));
    EXPECT_TRUE(Ended(dialog));
}

TEST_F(SettingsDialogTest, Apply_StoresZeroForEmptiedFieldAndStaysOpen)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_HEIGHT_EDIT, "");

    Command(dialog, IDC_APPLY);

    EXPECT_EQ(0, settings.ItemHeight);
    EXPECT_EQ(0u, IniInt("ItemHeight"));
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(SettingsDialogTest, Apply_StoresEveryControlIntoItsOwnField)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "31");
    SetDlgItemTextA(dialog, IDC_HEIGHT_EDIT, "17");
    SetDlgItemTextA(dialog, IDC_TIMER_EDIT, "333");
    CheckRadioButton(dialog, IDC_ICON_LARGE, IDC_ICON_SMALL, IDC_ICON_LARGE);
    CheckDlgButton(dialog, IDC_CHANGESIZE, BST_CHECKED);
    CheckDlgButton(dialog, IDC_FULLSCREEN, BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, CTRL_ALT_Q, 0);

    Command(dialog, IDC_APPLY);

    EXPECT_EQ(MakeSettings(31, 17, 333, 1, 1, 0, CTRL_ALT_Q), settings);
    std::vector<std::string> expected = {"[quorvane]", "WindowWidth=31", "ItemHeight=17", "Timer=333",
                                         "IconType=1", "ChangeSize=1",   "FullScreen=0",  "HotKey=1617"};
    EXPECT_EQ(expected, NonEmptyLines(ReadFileText(temp.iniPath())));
    // The key is ours now: nobody else can have it.
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, 'Q'));
}

// Closes the message box that the settings dialog opens over itself, from a timer that
// the box's own loop dispatches, and keeps the text it said.
std::wstring messageSeen;

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || GetDlgItem(window, IDC_WIDTH_EDIT) != nullptr)
        return TRUE;
    wchar_t text[512] = L"";
    GetDlgItemTextW(window, 0xFFFF, text, 512);
    messageSeen = text;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseMessageBoxTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
}

TEST_F(SettingsDialogTest, OkAndApply_KeyHeldElsewhere_SayItAndKeepDialogRecordAndFile)
{
    // Held by a window of its own, as another program would hold it.
    ASSERT_TRUE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, 'Q'));
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "99");
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, CTRL_ALT_Q, 0);
    UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMessageBoxTimer);

    for (int command : {IDC_OK, IDC_APPLY}) {
        SCOPED_TRACE(command);
        messageSeen.clear();
        Command(dialog, command);

        EXPECT_FALSE(messageSeen.empty());
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetDlgItem(dialog, IDC_HOTKEY), GetFocus());
        EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
        EXPECT_FALSE(FileExists(temp.iniPath()));
    }
    KillTimer(nullptr, timer);
    UnregisterHotKey(nullptr, 78);

    // Once free, the same key is taken.
    Command(dialog, IDC_OK);
    EXPECT_TRUE(Ended(dialog));
    EXPECT_EQ(CTRL_ALT_Q, settings.HotKey);
}

TEST_F(SettingsDialogTest, Apply_UnchecksBackToSmallIconsAndGuardOff)
{
    settings = MakeSettings(26, 20, 1000, 1, 1);
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    CheckRadioButton(dialog, IDC_ICON_LARGE, IDC_ICON_SMALL, IDC_ICON_SMALL);
    CheckDlgButton(dialog, IDC_CHANGESIZE, BST_UNCHECKED);

    Command(dialog, IDC_APPLY);

    EXPECT_EQ(0, settings.IconType);
    EXPECT_EQ(0, settings.ChangeSize);
}

TEST_F(SettingsDialogTest, Command_IgnoresNotificationCode)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_TIMER_EDIT, "300");

    // The high word of an accelerator's command is 1.
    Command(dialog, IDC_APPLY, 1);

    EXPECT_EQ(300, settings.Timer);
}

TEST_F(SettingsDialogTest, Ok_KeepsLow16BitsOfLargeNumbers)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "40000");
    SetDlgItemTextA(dialog, IDC_HEIGHT_EDIT, "65535");
    SetDlgItemTextA(dialog, IDC_TIMER_EDIT, "70000");

    Command(dialog, IDC_OK);

    EXPECT_EQ(MakeSettings(-25536, -1, 4464, 0, 0), settings);
    EXPECT_EQ(static_cast<UINT>(-25536), IniInt("WindowWidth"));
    EXPECT_EQ(static_cast<UINT>(-1), IniInt("ItemHeight"));
    EXPECT_EQ(4464u, IniInt("Timer"));
}

TEST_F(SettingsDialogTest, Ok_NegativeWidthShownUnsignedStoresBackUnchanged)
{
    HWND first = OpenSettings();
    ASSERT_NE(nullptr, first);
    SetDlgItemTextA(first, IDC_WIDTH_EDIT, "40000");
    Command(first, IDC_OK);
    ASSERT_EQ(-25536, settings.WindowWidth);

    HWND second = OpenSettings();
    ASSERT_NE(nullptr, second);
    EXPECT_EQ("4294941760", ItemText(second, IDC_WIDTH_EDIT));
    Command(second, IDC_OK);

    EXPECT_EQ(-25536, settings.WindowWidth);
    EXPECT_EQ(static_cast<UINT>(-25536), IniInt("WindowWidth"));
}

TEST_F(SettingsDialogTest, Ok_IconTypeTwoShownSmall_StoresZero)
{
    settings.IconType = 2;
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_ICON_SMALL));

    Command(dialog, IDC_OK);

    EXPECT_EQ(0, settings.IconType);
    EXPECT_EQ(0u, IniInt("IconType"));
}

TEST_F(SettingsDialogTest, Ok_WithoutChange_WritesAllKeys)
{
    settings = MakeSettings(40, 24, 750, 1, 0);
    ASSERT_FALSE(FileExists(temp.iniPath()));
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    Command(dialog, IDC_OK);

    std::vector<std::string> expected = {"[quorvane]", "WindowWidth=40", "ItemHeight=24", "Timer=750",
                                         "IconType=1", "ChangeSize=0",   "FullScreen=1",  "HotKey=0"};
    EXPECT_EQ(expected, NonEmptyLines(ReadFileText(temp.iniPath())));
    EXPECT_EQ(MakeSettings(40, 24, 750, 1, 0), settings);
}

TEST_F(SettingsDialogTest, Ok_KeepsOtherLinesOfTheFile)
{
    WriteFileText(temp.iniPath(), "[other]\r\na=1\r\n[quorvane]\r\nExtra=7\r\n");
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    Command(dialog, IDC_OK);

    EXPECT_EQ(1u, GetPrivateProfileIntA("other", "a", 0, temp.iniPath().c_str()));
    EXPECT_EQ(7u, IniInt("Extra"));
    EXPECT_EQ(1000u, IniInt("Timer"));
}

// ---- Leaving without storing ----------------------------------------------------------

TEST_F(SettingsDialogTest, ApplyThenCancel_KeepsAppliedValuesInRecordAndFile)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "100");
    Command(dialog, IDC_APPLY);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "120");
    SetDlgItemTextA(dialog, IDC_TIMER_EDIT, "5");

    Command(dialog, IDC_CANCEL);

    EXPECT_TRUE(Ended(dialog));
    EXPECT_EQ(MakeSettings(100, 20, 1000, 0, 0), settings);
    EXPECT_EQ(100u, IniInt("WindowWidth"));
    EXPECT_EQ(1000u, IniInt("Timer"));
}

TEST_F(SettingsDialogTest, EscapeCommand_LeavesDialogOpenAndRecordUnchanged)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "99");

    Command(dialog, IDCANCEL);

    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
    EXPECT_FALSE(FileExists(temp.iniPath()));
}

TEST_F(SettingsDialogTest, EscapeKey_LeavesDialogOpen)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_WIDTH_EDIT);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "99");

    EXPECT_TRUE(PressKey(dialog, edit, VK_ESCAPE));

    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(26, settings.WindowWidth);
}

TEST_F(SettingsDialogTest, EnterKey_InField_StoresAndCloses)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_WIDTH_EDIT);
    SetFocus(edit);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "99");

    EXPECT_TRUE(PressKey(dialog, edit, VK_RETURN));

    EXPECT_EQ(99, settings.WindowWidth);
    EXPECT_EQ(99u, IniInt("WindowWidth"));
    EXPECT_TRUE(Ended(dialog));
}

TEST_F(SettingsDialogTest, Close_EndsWithoutStoring)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "99");
    CheckDlgButton(dialog, IDC_CHANGESIZE, BST_CHECKED);

    SendMessageA(dialog, WM_CLOSE, 0, 0);

    EXPECT_TRUE(Ended(dialog));
    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
    EXPECT_FALSE(FileExists(temp.iniPath()));
}

TEST_F(SettingsDialogTest, Procedure_ReturnsOneForEveryCommandAndZeroForOtherMessages)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(1, SettingsDialogProc(dialog, WM_COMMAND, MAKEWPARAM(4321, 0), 0));
    EXPECT_EQ(1, SettingsDialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0));
    EXPECT_EQ(0, SettingsDialogProc(dialog, WM_MOUSEMOVE, 0, 0));
    EXPECT_EQ(0, SettingsDialogProc(dialog, WM_TIMER, 1, 0));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
}

// ---- Run modally, as the program runs it ------------------------------------------------

// Steps through an open modal dialog from a timer, which its own message loop dispatches.
struct ModalScript {
    HWND owner;
    int step;
    bool openAfterEscape;
    bool forcedEnd;
};
ModalScript* modalScript = nullptr;

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM found)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (GetWindow(window, GW_OWNER) == modalScript->owner && lstrcmpA(name, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveModalDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    int step = modalScript->step++;
    if (step == 0) {
        SetDlgItemTextA(dialog, IDC_WIDTH_EDIT, "77");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (step == 1) {
        modalScript->openAfterEscape = IsWindowVisible(dialog) != FALSE;
        PostMessageA(dialog, WM_COMMAND, IDC_OK, 0);
    } else if (step > 40) {
        // The dialog did not end: end it here rather than hang the test program.
        modalScript->forcedEnd = true;
        EndDialog(dialog, 99);
    }
}

TEST_F(SettingsDialogTest, Modal_EscapeStaysOpenAndOkStoresAndEnds)
{
    ModalScript script = {owner, 0, false, false};
    modalScript = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, DriveModalDialog);
    ASSERT_NE(0u, timer);

    INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc, 0);

    KillTimer(nullptr, timer);
    modalScript = nullptr;
    EXPECT_EQ(0, result);
    EXPECT_TRUE(script.openAfterEscape);
    EXPECT_FALSE(script.forcedEnd);
    EXPECT_EQ(77, settings.WindowWidth);
    EXPECT_EQ(77u, IniInt("WindowWidth"));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

// ---- The templates ----------------------------------------------------------------------

struct ExpectedControl {
    int id;                  // -1: a control the code never addresses
    char const* className;   // compared without regard to case
    wchar_t const* caption;  // nullptr: not compared (the program or the control sets it)
    DWORD typeMask;          // the bits of the style that make the control's kind
    DWORD type;
    DWORD required;          // further style bits that must be set
    bool tabStop;
};

DWORD const BUTTON_TYPE = BS_TYPEMASK;
DWORD const STATIC_TYPE = SS_TYPEMASK;
DWORD const NUMBER_EDIT = ES_NUMBER | ES_RIGHT;
DWORD const ARROWS = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;

ExpectedControl const SETTINGS_CONTROLS[] = {
    {-1, "Button", L"\u57fa\u672c\u8a2d\u5b9a", BUTTON_TYPE, BS_GROUPBOX, 0, false},
    {-1, "Static", L"\u30a6\u30a3\u30f3\u30c9\u30a6\u306e\u5e45(&W):", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {IDC_WIDTH_EDIT, "Edit", nullptr, 0, 0, NUMBER_EDIT, true},
    {IDC_WIDTH_SPIN, "msctls_updown32", L"Spin1", 0, 0, ARROWS, false},
    {-1, "Static", L"\u30d4\u30af\u30bb\u30eb", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {-1, "Static", L"\uff11\u9805\u76ee\u306e\u9ad8\u3055(&H):", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {IDC_HEIGHT_EDIT, "Edit", nullptr, 0, 0, NUMBER_EDIT, true},
    {IDC_HEIGHT_SPIN, "msctls_updown32", L"Spin2", 0, 0, ARROWS, false},
    {-1, "Static", L"\u30d4\u30af\u30bb\u30eb", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {-1, "Static", L"\u53cd\u5fdc\u9593\u9694(&T):", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {IDC_TIMER_EDIT, "Edit", nullptr, 0, 0, NUMBER_EDIT, true},
    {-1, "Static", L"\u30df\u30ea\u79d2(1/1000\u79d2)", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {-1, "Static", L"\u30a2\u30a4\u30b3\u30f3\u306e\u30b5\u30a4\u30ba(&S):", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {IDC_ICON_LARGE, "Button", L"\u5927", BUTTON_TYPE, BS_AUTORADIOBUTTON, 0, true},
    {IDC_ICON_SMALL, "Button", L"\u5c0f", BUTTON_TYPE, BS_AUTORADIOBUTTON, 0, true},
    {IDC_OK, "Button", L"OK", BUTTON_TYPE, BS_DEFPUSHBUTTON, 0, true},
    {IDC_CANCEL, "Button", L"\uff77\uff6c\uff9d\uff7e\uff99", BUTTON_TYPE, BS_PUSHBUTTON, 0, true},
    {IDC_APPLY, "Button", L"\u9069\u7528(&A)", BUTTON_TYPE, BS_PUSHBUTTON, 0, true},
    {-1, "Button", L"\u62e1\u5f35\u8a2d\u5b9a", BUTTON_TYPE, BS_GROUPBOX, 0, false},
    {IDC_CHANGESIZE, "Button",
     L"\u8d77\u52d5\u6642\u3068\u753b\u9762\u306e\u9ad8\u3055\u304c\u9055\u3046\u5834\u5408\u306f\u505c\u6b62"
     L"\u3059\u308b(&C)",
     BUTTON_TYPE, BS_AUTOCHECKBOX, 0, true},
    {IDC_FULLSCREEN, "Button",
     L"\u5168\u753b\u9762\u306e\u30d7\u30ed\u30b0\u30e9\u30e0\u304c\u524d\u9762\u306b\u3042\u308b\u5834"
     L"\u5408\u306f\u505c\u6b62\u3059\u308b(&F)",
     BUTTON_TYPE, BS_AUTOCHECKBOX, 0, true},
    {-1, "Static", L"\u30db\u30c3\u30c8\u30ad\u30fc(&K):", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {IDC_HOTKEY, "msctls_hotkey32", nullptr, 0, 0, 0, true},
};

ExpectedControl const ABOUT_CONTROLS[] = {
    {IDC_OK, "Button", L"OK", BUTTON_TYPE, BS_DEFPUSHBUTTON, 0, true},
    {-1, "Static", nullptr, STATIC_TYPE, SS_ICON, 0, false},
    {-1, "Static", L"quorvane Version 1.01", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {-1, "Static", L"(C) 2026 the quorvane developers", STATIC_TYPE, SS_LEFT, WS_GROUP, false},
    {-1, "Static", L"", STATIC_TYPE, SS_ETCHEDFRAME, 0, false},
    {IDC_URL, "Button", L"" QUORVANE_HOME_PAGE, BUTTON_TYPE, BS_PUSHBUTTON, BS_TOP | BS_FLAT, true},
};

// Japanese captions survive the ANSI dialog calls only where the ANSI code page is
// Japanese; elsewhere they read as question marks.
bool JapaneseCodePage()
{
    return GetACP() == 932;
}

// Walks the dialog's children in stacking order, which is also their tab order.
template <size_t N>
void ExpectControls(HWND dialog, ExpectedControl const (&expected)[N])
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && children.size() <= N;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(N, children.size());
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(::testing::Message() << "control " << i + 1);
        HWND child = children[i];
        ExpectedControl const& want = expected[i];
        EXPECT_EQ(static_cast<WORD>(want.id), static_cast<WORD>(GetDlgCtrlID(child)));
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        EXPECT_TRUE(SameClass(name, want.className)) << "class " << name << ", expected " << want.className;
        DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(want.type, style & want.typeMask) << std::hex << "style 0x" << style;
        EXPECT_EQ(want.required, style & want.required) << std::hex << "style 0x" << style;
        // In the visual style's buttons a group of radio buttons keeps its tab stop on the
        // checked one, as Windows' own buttons do: checking one moves it there.
        bool uncheckedRadio = want.typeMask == BUTTON_TYPE && want.type == BS_AUTORADIOBUTTON &&
                              SendMessageA(child, BM_GETCHECK, 0, 0) != BST_CHECKED;
        if (!uncheckedRadio) {
            EXPECT_EQ(want.tabStop, (style & WS_TABSTOP) != 0);
        }
        EXPECT_TRUE((style & WS_VISIBLE) != 0);
        if (want.caption != nullptr && JapaneseCodePage()) {
            EXPECT_EQ(std::wstring(want.caption), WindowTextW(child));
        }
    }
}

TEST_F(SettingsDialogTest, Template_HasTwentyThreeControlsInTabOrder)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    ExpectControls(dialog, SETTINGS_CONTROLS);
}

// The template in dialog units, as the dialog manager scales it for this font and DPI:
// position and size each on its own.
RECT Units(HWND dialog, int left, int top, int width, int height)
{
    RECT units = {left, top, width, height};
    MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT ClientRectOf(HWND dialog, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(RECT a, RECT b)
{
    return EqualRect(&a, &b) != FALSE;
}

bool Inside(RECT const& inner, RECT const& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The extended group grew downward to hold the new controls; the buttons moved below it,
// and the first controls stand where they always stood.
TEST_F(SettingsDialogTest, Template_ExtendedGroupHoldsItsControlsAboveTheButtons)
{
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(23u, children.size());

    RECT group = ClientRectOf(dialog, children[18]);
    EXPECT_TRUE(SameRect(group, Units(dialog, 7, 93, 205, 66)));
    for (size_t i = 19; i < 23; ++i) {
        RECT control = ClientRectOf(dialog, children[i]);
        EXPECT_TRUE(Inside(control, group)) << "control " << i + 1;
    }
    struct Placed { int id; int left, top, width, height; };
    for (Placed p : {Placed{IDC_OK, 58, 180, 46, 14}, Placed{IDC_CANCEL, 111, 180, 46, 14},
                     Placed{IDC_APPLY, 166, 180, 46, 14}, Placed{IDC_CHANGESIZE, 15, 108, 149, 10},
                     Placed{IDC_TIMER_EDIT, 108, 50, 30, 12}, Placed{IDC_ICON_SMALL, 138, 66, 23, 10}}) {
        RECT control = ClientRectOf(dialog, GetDlgItem(dialog, p.id));
        EXPECT_TRUE(SameRect(control, Units(dialog, p.left, p.top, p.width, p.height))) << p.id;
    }
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_TRUE(SameRect(client, Units(dialog, 0, 0, 219, 201)));
}

TEST_F(SettingsDialogTest, Template_HasJapaneseTitle)
{
    if (!JapaneseCodePage())
        GTEST_SKIP() << "the ANSI code page is not Japanese (run with LANG=ja_JP.UTF-8)";
    HWND dialog = OpenSettings();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(std::wstring(L"quorvane \u306e\u8a2d\u5b9a"), WindowTextW(dialog));
}

// ---- The About dialog ---------------------------------------------------------------------

TEST_F(AboutDialogTest, Open_CentresOnScreenWhereverTheOwnerIs)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    ExpectCentredOnScreen(dialog);
}

TEST_F(AboutDialogTest, Open_PutsFocusOnOk)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(GetDlgItem(dialog, IDC_OK), GetFocus());
}

TEST_F(AboutDialogTest, EscapeCommandAndKey_LeaveDialogOpen)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    Command(dialog, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(dialog));

    EXPECT_TRUE(PressKey(dialog, GetDlgItem(dialog, IDC_OK), VK_ESCAPE));
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(AboutDialogTest, Ok_EndsDialog)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    Command(dialog, IDC_OK);

    EXPECT_TRUE(Ended(dialog));
}

TEST_F(AboutDialogTest, EnterKey_EndsDialog)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);
    HWND ok = GetDlgItem(dialog, IDC_OK);
    SetFocus(ok);

    EXPECT_TRUE(PressKey(dialog, ok, VK_RETURN));

    EXPECT_TRUE(Ended(dialog));
}

TEST_F(AboutDialogTest, Close_EndsDialog)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    SendMessageA(dialog, WM_CLOSE, 0, 0);

    EXPECT_TRUE(Ended(dialog));
}

TEST_F(AboutDialogTest, Procedure_ReturnsOneForEveryCommandAndZeroForOtherMessages)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(1, AboutDialogProc(dialog, WM_COMMAND, MAKEWPARAM(4321, 0), 0));
    EXPECT_EQ(0, AboutDialogProc(dialog, WM_MOUSEMOVE, 0, 0));
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(AboutDialogTest, LinkButton_CaptionIsTheHomePage)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(std::string(QUORVANE_HOME_PAGE), ItemText(dialog, IDC_URL));
}

TEST_F(AboutDialogTest, Template_HasSixControlsInTabOrder)
{
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    ExpectControls(dialog, ABOUT_CONTROLS);
}

TEST_F(AboutDialogTest, Template_HasJapaneseTitle)
{
    if (!JapaneseCodePage())
        GTEST_SKIP() << "the ANSI code page is not Japanese (run with LANG=ja_JP.UTF-8)";
    HWND dialog = OpenAbout();
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ(std::wstring(L"quorvane\u3000\u30d0\u30fc\u30b8\u30e7\u30f3\u60c5\u5831"), WindowTextW(dialog));
}

// The version resource comes from the same script as the About box; this test program links
// that script, so its own version information is what Explorer shows for quorvane.exe.
TEST(VersionResource, NamesTheVersionAndTheMakerOfTheAboutBox)
{
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, MAX_PATH));
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_NE(0u, size);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(1, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    struct Field {
        char const* name;
        char const* value;
    };
    Field const fields[] = {
        {"FileVersion", "1.01"},
        {"ProductVersion", "1.01"},
        {"ProductName", "quorvane"},
        {"LegalCopyright", "Copyright (c) 2026 the quorvane developers"},
        {"OriginalFilename", "quorvane.exe"},
        {"CompanyName", "the quorvane developers"},
    };
    for (Field const& field : fields) {
        std::string key = std::string("\\StringFileInfo\\041104b0\\") + field.name;
        char* value = nullptr;
        EXPECT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << key;
        EXPECT_STREQ(field.value, value != nullptr ? value : "") << key;
    }
    char* description = nullptr;
    EXPECT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\041104b0\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_GT(length, 1u);
}

}  // namespace
