// The settings record: its INI key table, the 16-bit reading of numbers and the hot key's
// word taken apart for RegisterHotKey.
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(LowWordAsSigned, KeepsLow16BitsAsTwosComplement)
{
    struct Case { uint32_t value; int16_t expected; };
    for (Case c : {Case{70000, 4464}, Case{40000, -25536}, Case{65535, -1}, Case{32767, 32767},
                   Case{32768, -32768}, Case{0, 0}, Case{0xFFFFFFFFu, -1}, Case{0x80000000u, 0},
                   Case{0xFFFFFF9Cu, -100}})
        EXPECT_EQ(LowWordAsSigned(c.value), c.expected) << c.value;
}

TEST(SettingKeys, ListsTheKeysInFileOrderWithTheirDefaults)
{
    const char* const names[] = {"WindowWidth", "ItemHeight", "Timer", "IconType", "ChangeSize", "FullScreen",
                                 "HotKey"};
    int16_t const defaults[] = {26, 20, 1000, 0, 0, 1, 0};
    ASSERT_EQ(SETTING_KEY_COUNT, 7);
    for (int i = 0; i < SETTING_KEY_COUNT; ++i) {
        EXPECT_STREQ(SETTING_KEYS[i].name, names[i]) << i;
        EXPECT_EQ(SETTING_KEYS[i].defaultValue, defaults[i]) << names[i];
        EXPECT_EQ(DEFAULT_SETTINGS.*SETTING_KEYS[i].field, defaults[i]) << names[i];
    }
    EXPECT_EQ(DEFAULT_SETTINGS.WindowWidth, 26);
    EXPECT_EQ(DEFAULT_SETTINGS.ItemHeight, 20);
    EXPECT_EQ(DEFAULT_SETTINGS.Timer, 1000);
    EXPECT_EQ(DEFAULT_SETTINGS.IconType, 0);
    EXPECT_EQ(DEFAULT_SETTINGS.ChangeSize, 0);
}

TEST(SettingKeys, EachKeyWritesItsOwnField)
{
    Settings record = {0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < SETTING_KEY_COUNT; ++i)
        record.*SETTING_KEYS[i].field = static_cast<int16_t>(11 * (i + 1));
    EXPECT_EQ(record.WindowWidth, 11);
    EXPECT_EQ(record.ItemHeight, 22);
    EXPECT_EQ(record.Timer, 33);
    EXPECT_EQ(record.IconType, 44);
    EXPECT_EQ(record.ChangeSize, 55);
    EXPECT_EQ(record.FullScreen, 66);
    EXPECT_EQ(record.HotKey, 77);
}

TEST(HotKeyFromSetting, ControlFlagsBecomeRegisterFlagsWithoutRepeat)
{
    // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_NOREPEAT 0x4000.
    struct Case { int16_t setting; uint32_t modifiers; uint32_t key; const char* what; };
    for (Case c : {Case{1617, 0x4003, 'Q', "Ctrl+Alt+Q"}, Case{0x0141, 0x4004, 'A', "Shift+A"},
                   Case{0x0270, 0x4002, 0x70, "Ctrl+F1"}, Case{0x0441, 0x4001, 'A', "Alt+A"},
                   Case{0x0F2E, 0x4007, 0x2E, "Shift+Ctrl+Alt+Delete, extended"},
                   Case{0x0078, 0x4000, 0x78, "F9 alone"}, Case{0, 0x4000, 0, "no key"},
                   Case{0x0600, 0x4003, 0, "flags without a key: no key"},
                   Case{static_cast<int16_t>(0xF451), 0x4001, 'Q', "unknown high bits left out"},
                   Case{-1, 0x4007, 0xFF, "all bits"}}) {
        EXPECT_EQ(HotKeyFromSetting(c.setting).modifiers, c.modifiers) << c.what;
        EXPECT_EQ(HotKeyFromSetting(c.setting).virtualKey, c.key) << c.what;
    }
}

}  // namespace
