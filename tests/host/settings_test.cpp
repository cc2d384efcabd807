// The settings record: its INI key table and the 16-bit reading of numbers.
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

TEST(SettingKeys, ListsTheFiveKeysInFileOrderWithTheirDefaults)
{
    const char* const names[] = {"WindowWidth", "ItemHeight", "Timer", "IconType", "ChangeSize"};
    int16_t const defaults[] = {26, 20, 1000, 0, 0};
    ASSERT_EQ(SETTING_KEY_COUNT, 5);
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
    Settings record = {0, 0, 0, 0, 0};
    for (int i = 0; i < SETTING_KEY_COUNT; ++i)
        record.*SETTING_KEYS[i].field = static_cast<int16_t>(11 * (i + 1));
    EXPECT_EQ(record.WindowWidth, 11);
    EXPECT_EQ(record.ItemHeight, 22);
    EXPECT_EQ(record.Timer, 33);
    EXPECT_EQ(record.IconType, 44);
    EXPECT_EQ(record.ChangeSize, 55);
}

}  // namespace
