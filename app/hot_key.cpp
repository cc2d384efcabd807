#include "app/hot_key.h"

#include "app/poll_tick.h"
#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "tray/tray.h"

namespace {

// The window the key is registered for and the setting's word; none while no key is.
HWND hotKeyWindow;
int16_t registeredKey;
bool registered;

// A key refused at start, not said yet: the balloon needs the tray icon.
bool refusalOwed;

// Where the pointer was when the key brought the panel.
POINT keyReturn;
bool keyReturnSet;

bool RegisterKey(HWND window, int16_t hotKey)
{
    HotKeyParts parts = HotKeyFromSetting(hotKey);
    if (RegisterHotKey(window, PANEL_HOT_KEY_ID, parts.modifiers, parts.virtualKey))
        return true;
    // Before Windows 7 the no-repeat flag is unknown and may be refused: the key then
    // reports again while held, which is better than no key.
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
           RegisterHotKey(window, PANEL_HOT_KEY_ID, parts.modifiers & ~HOT_KEY_NO_REPEAT, parts.virtualKey);
}

}  // namespace

bool ChangeHotKey(HWND window, int16_t hotKey)
{
    if (registered && hotKey == registeredKey && window == hotKeyWindow)
        return true;
    bool had = registered;
    if (had)
        UnregisterHotKey(hotKeyWindow, PANEL_HOT_KEY_ID);
    registered = false;
    if (HotKeyFromSetting(hotKey).virtualKey == 0)
        return true;
    if (RegisterKey(window, hotKey)) {
        registered = true;
        registeredKey = hotKey;
        hotKeyWindow = window;
        return true;
    }
    // Refused: the former key stays, as the record that holds it does.
    if (had)
        registered = RegisterKey(hotKeyWindow, registeredKey);
    return false;
}

void StartHotKey(HWND panel)
{
    refusalOwed = !ChangeHotKey(panel, settings.HotKey);
}

void SayHotKeyRefusal()
{
    if (!refusalOwed)
        return;
    refusalOwed = false;
    ShowTrayBalloon(IDS_HOTKEY_TAKEN);
}

void OnPanelHotKey(HWND panel)
{
    GetCursorPos(&cursorPos);
    if (!IsWindowVisible(panel)) {
        keyReturn = cursorPos;
        keyReturnSet = true;
        SetCursorPos(0, cursorPos.y);
        currentScreenHeight = ReadUsableScreenHeight();
        ShowPanelAtEdge(panel);
        return;
    }
    RECT frame;
    GetWindowRect(panel, &frame);
    POINT back = keyReturnSet ? keyReturn : POINT{frame.right + 1, cursorPos.y};
    SetCursorPos(back.x, back.y);
    // Hidden here too: a pointer put back over the panel's columns would not hide it.
    ShowWindow(panel, SW_HIDE);
}

void ForgetHotKeyReturn()
{
    keyReturnSet = false;
}
