// The settings of the panel. Portable: no <windows.h>.
#pragma once
#include <stdint.h>

// Field names are the INI key names. No field is range-checked: the panel takes each value
// as it comes (see the row code for what a row height below 1 does).
struct Settings {
    int16_t WindowWidth;  // panel width in pixels
    int16_t ItemHeight;   // row height in pixels
    int16_t Timer;        // poll interval in milliseconds; read once, at start
    int16_t IconType;     // 0 small icons, anything else large
    int16_t ChangeSize;   // 1: do not show while the screen height differs from that at start
    int16_t FullScreen;   // not 0: the edge does not show the panel over a full-screen program
    int16_t HotKey;       // the hot-key control's word (see HotKeyFromSetting); 0: no key
};

extern Settings settings;

Settings const DEFAULT_SETTINGS = {26, 20, 1000, 0, 0, 1, 0};

// One INI key of the record, in the order the keys are read and written.
struct SettingKey {
    const char* name;
    int16_t Settings::*field;
    int16_t defaultValue;
};

// The first five keys came first and keep their place; the later ones follow them.
int const SETTING_KEY_COUNT = 7;
extern SettingKey const SETTING_KEYS[SETTING_KEY_COUNT];

// The settings' pixel values (WindowWidth, ItemHeight) and the panel's layout are pixels
// at 100 % display scale, 96 DPI. The panel draws in real pixels at the system DPI, read
// once at start into displayDpi, and scales them by ScaleToDisplay.
int32_t const BASE_DPI = 96;
extern int32_t displayDpi;

// value * displayDpi / 96, rounded half away from zero, as Windows' MulDiv rounds: at
// 96 DPI every value stays as it is; at 144 DPI 26 becomes 39 and 20 becomes 30.
int32_t ScaleToDisplay(int32_t value);

// The low 16 bits of a number taken as a signed 16-bit value (two's complement):
// 70000 gives 4464, 40000 gives -25536, 65535 gives -1.
int16_t LowWordAsSigned(uint32_t value);

// The key that brings the panel, as RegisterHotKey takes it. The setting holds what a
// hot-key control gives: the virtual key in the low byte, its HOTKEYF_ flags in the high
// byte (Shift 1, Ctrl 2, Alt 4; Ctrl+Alt+Q is 1617). A virtual key of 0 means no key.
struct HotKeyParts {
    uint32_t modifiers;   // MOD_ flags, MOD_NOREPEAT among them
    uint32_t virtualKey;  // 0: no key
};
HotKeyParts HotKeyFromSetting(int16_t hotKey);

// RegisterHotKey's flags: a key held down reports once, not at each repeat.
uint32_t const HOT_KEY_NO_REPEAT = 0x4000;  // MOD_NOREPEAT
