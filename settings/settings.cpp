#include "settings/settings.h"

Settings settings = DEFAULT_SETTINGS;
int32_t displayDpi = BASE_DPI;

SettingKey const SETTING_KEYS[SETTING_KEY_COUNT] = {
    {"WindowWidth", &Settings::WindowWidth, DEFAULT_SETTINGS.WindowWidth},
    {"ItemHeight", &Settings::ItemHeight, DEFAULT_SETTINGS.ItemHeight},
    {"Timer", &Settings::Timer, DEFAULT_SETTINGS.Timer},
    {"IconType", &Settings::IconType, DEFAULT_SETTINGS.IconType},
    {"ChangeSize", &Settings::ChangeSize, DEFAULT_SETTINGS.ChangeSize},
    {"FullScreen", &Settings::FullScreen, DEFAULT_SETTINGS.FullScreen},
    {"HotKey", &Settings::HotKey, DEFAULT_SETTINGS.HotKey},
};

int16_t LowWordAsSigned(uint32_t value)
{
    int32_t low = static_cast<int32_t>(value & 0xFFFFu);
    return static_cast<int16_t>(low >= 0x8000 ? low - 0x10000 : low);
}

int32_t ScaleToDisplay(int32_t value)
{
    int64_t product = int64_t{value} * displayDpi;
    int64_t half = BASE_DPI / 2;
    return static_cast<int32_t>((product < 0 ? product - half : product + half) / BASE_DPI);
}

HotKeyParts HotKeyFromSetting(int16_t hotKey)
{
    uint32_t word = static_cast<uint16_t>(hotKey);
    uint32_t control = word >> 8;
    // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4 to MOD_SHIFT 4, MOD_CONTROL 2, MOD_ALT 1;
    // HOTKEYF_EXT (8) only tells the extended keys apart and has no MOD_ flag.
    uint32_t modifiers = HOT_KEY_NO_REPEAT;
    if (control & 1)
        modifiers |= 4;
    if (control & 2)
        modifiers |= 2;
    if (control & 4)
        modifiers |= 1;
    return HotKeyParts{modifiers, word & 0xFFu};
}
