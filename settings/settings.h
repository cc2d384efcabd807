// The five settings of the panel. Portable: no <windows.h>.
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
};

extern Settings settings;

Settings const DEFAULT_SETTINGS = {26, 20, 1000, 0, 0};

// One INI key of the record, in the order the keys are read and written.
struct SettingKey {
    const char* name;
    int16_t Settings::*field;
    int16_t defaultValue;
};

int const SETTING_KEY_COUNT = 5;
extern SettingKey const SETTING_KEYS[SETTING_KEY_COUNT];

// The low 16 bits of a number taken as a signed 16-bit value (two's complement):
// 70000 gives 4464, 40000 gives -25536, 65535 gives -1.
int16_t LowWordAsSigned(uint32_t value);
