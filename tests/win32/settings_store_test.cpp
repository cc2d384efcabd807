// The settings record and its INI file, through the real profile calls, in a temporary
// folder of each test's own.
#include <gtest/gtest.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

using settings_test::FileExists;
using settings_test::MakeSettings;
using settings_test::NonEmptyLines;
using settings_test::ProfileInt;
using settings_test::ReadFileText;
using settings_test::RecordGuard;
using settings_test::TempFolder;
using settings_test::WriteFileText;

namespace {

// A record that no load can leave by accident: every field differs from its default.
Settings const SCRIBBLED = MakeSettings(-3, -4, -5, 7, 9, -6, -8);

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.ok());
        settings = SCRIBBLED;
    }

    void WriteIni(std::string const& text) { WriteFileText(temp.iniPath(), text); }
    std::vector<std::string> IniLines() { return NonEmptyLines(ReadFileText(temp.iniPath())); }

    RecordGuard guard;
    TempFolder temp;
};

bool Contains(std::vector<std::string> const& lines, std::string const& line)
{
    for (std::string const& each : lines)
        if (each == line)
            return true;
    return false;
}

// A folder text of at least the given length, ending with a backslash, that names the
// temporary folder itself by way of "." steps: a path formed from it despite its length
// would reach the real folder.
std::wstring OverlongFolder(TempFolder const& temp, size_t length)
{
    std::wstring folder = temp.wideFolder();
    while (folder.size() < length)
        folder += L".\\";
    return folder;
}

// ---- Loading -------------------------------------------------------------------------

TEST_F(SettingsStoreTest, LoadSettings_NoFile_GivesDefaultsAndCreatesNothing)
{
    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
    EXPECT_FALSE(FileExists(temp.iniPath()));
    EXPECT_EQ(0, temp.entryCount());
}

TEST_F(SettingsStoreTest, LoadSettings_OnlyTimerInFile_OtherKeysTakeDefaults)
{
    WriteIni("[quorvane]\r\nTimer=250\r\n");

    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(26, 20, 250, 0, 0), settings);
}

TEST_F(SettingsStoreTest, LoadSettings_ReadsEveryKeyIntoItsOwnField)
{
    WriteIni("[quorvane]\r\nHotKey=1617\r\nFullScreen=0\r\nChangeSize=1\r\nIconType=1\r\nTimer=333\r\n"
             "ItemHeight=44\r\nWindowWidth=55\r\n");

    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(55, 44, 333, 1, 1, 0, 1617), settings);
}

TEST_F(SettingsStoreTest, LoadSettings_MatchesSectionAndKeysWithoutRegardToCase)
{
    WriteIni("[QuorVane]\r\ntimer=300\r\nWINDOWWIDTH=40\r\n");

    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(40, 20, 300, 0, 0), settings);
}

TEST_F(SettingsStoreTest, LoadSettings_KeysOfOtherSectionsAreNotRead)
{
    WriteIni("[other]\r\nTimer=250\r\nWindowWidth=99\r\n");

    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
}

TEST_F(SettingsStoreTest, LoadSettings_KeepsLow16BitsOfNumbersBeyondRange)
{
    WriteIni("[quorvane]\r\nWindowWidth=70000\r\nItemHeight=65535\r\nTimer=40000\r\nIconType=65536\r\n"
             "ChangeSize=32768\r\n");

    LoadSettings(temp.wideFolder());

    EXPECT_EQ(MakeSettings(4464, -1, -25536, 0, -32768), settings);
}

// How text that is not a plain decimal number reads is the profile call's own rule; the
// store adds only the cut to 16 bits. Each case gets a folder of its own, so that no
// cached copy of an earlier file can answer.
TEST_F(SettingsStoreTest, LoadSettings_TakesLow16BitsOfWhatTheProfileCallReads)
{
    char const* const hostile[] = {"0x10",  "",     "1234567890123456789012345678901234567890",
                                   "-5",    "12abc", "+7", " 42 ", "-40000", "4294967295", "abc"};
    for (char const* value : hostile) {
        SCOPED_TRACE(std::string("value text \"") + value + "\"");
        TempFolder own;
        ASSERT_TRUE(own.ok());
        std::string text = "[quorvane]\r\n";
        for (SettingKey const& key : SETTING_KEYS)
            text += std::string(key.name) + "=" + value + "\r\n";
        WriteFileText(own.iniPath(), text);
        settings = SCRIBBLED;

        LoadSettings(own.wideFolder());

        for (SettingKey const& key : SETTING_KEYS) {
            SCOPED_TRACE(key.name);
            UINT raw = ProfileInt(own.iniPath(), key.name, key.defaultValue);
            int16_t expected = static_cast<int16_t>(static_cast<uint16_t>(raw & 0xFFFFu));
            EXPECT_EQ(expected, settings.*key.field) << "profile call read " << raw;
        }
    }
}

TEST_F(SettingsStoreTest, LoadSettings_FolderTooLongForPath_GivesDefaultsWithoutCrash)
{
    WriteIni("[quorvane]\r\nTimer=250\r\n");
    std::wstring folder = OverlongFolder(temp, 300);
    ASSERT_GE(folder.size(), 300u);

    LoadSettings(folder.c_str());

    EXPECT_EQ(MakeSettings(26, 20, 1000, 0, 0), settings);
}

// ---- Saving --------------------------------------------------------------------------

TEST_F(SettingsStoreTest, SaveSettings_IntoEmptyFolder_WritesSectionAndKeysInOrder)
{
    settings = MakeSettings(30, 18, 500, 1, 0, 0, 1617);

    EXPECT_EQ(0, SaveSettings(temp.wideFolder()));

    std::vector<std::string> expected = {"[quorvane]", "WindowWidth=30", "ItemHeight=18", "Timer=500",
                                         "IconType=1", "ChangeSize=0", "FullScreen=0", "HotKey=1617"};
    EXPECT_EQ(expected, IniLines());
    EXPECT_EQ(1, temp.entryCount());
}

TEST_F(SettingsStoreTest, SaveSettings_WritesNegativeValuesWithMinusSign)
{
    settings = MakeSettings(-1, -32768, 32767, -2, 0, -5, -1);

    SaveSettings(temp.wideFolder());

    std::vector<std::string> expected = {"[quorvane]",  "WindowWidth=-1", "ItemHeight=-32768", "Timer=32767",
                                         "IconType=-2", "ChangeSize=0",   "FullScreen=-5",     "HotKey=-1"};
    EXPECT_EQ(expected, IniLines());
}

TEST_F(SettingsStoreTest, SaveSettings_AfterLoadingLargeTimer_WritesItsSignedLowWord)
{
    WriteIni("[quorvane]\r\nTimer=40000\r\n");
    LoadSettings(temp.wideFolder());
    ASSERT_EQ(-25536, settings.Timer);

    SaveSettings(temp.wideFolder());

    std::vector<std::string> lines = IniLines();
    EXPECT_TRUE(Contains(lines, "Timer=-25536")) << ReadFileText(temp.iniPath());
    EXPECT_FALSE(Contains(lines, "Timer=40000"));
}

// The store writes through the wide profile calls (its folder is wide text); the file keeps
// its code-page bytes, here a section and a value in code page 932 (日本, あ).
TEST_F(SettingsStoreTest, SaveSettings_KeepsOtherSectionsAndKeys)
{
    WriteIni("[other]\r\na=1\r\n[quorvane]\r\nExtra=7\r\nTimer=5\r\n[last]\r\nb=two\r\n"
             "[\x93\xFA\x96\x7B]\r\nkey=\x82\xA0\r\n");
    settings = MakeSettings(31, 21, 1001, 1, 1);

    SaveSettings(temp.wideFolder());

    std::string text = ReadFileText(temp.iniPath());
    std::vector<std::string> lines = NonEmptyLines(text);
    for (char const* kept : {"[other]", "a=1", "[quorvane]", "Extra=7", "[last]", "b=two", "[\x93\xFA\x96\x7B]",
                             "key=\x82\xA0"})
        EXPECT_TRUE(Contains(lines, kept)) << kept << " missing from:\n" << text;
    for (char const* written : {"WindowWidth=31", "ItemHeight=21", "Timer=1001", "IconType=1", "ChangeSize=1"})
        EXPECT_TRUE(Contains(lines, written)) << written << " missing from:\n" << text;
    EXPECT_FALSE(Contains(lines, "Timer=5"));
    EXPECT_EQ(15u, lines.size()) << text;
    // The other sections still read as before.
    EXPECT_EQ(1u, GetPrivateProfileIntA("other", "a", 0, temp.iniPath().c_str()));
    EXPECT_EQ(7u, ProfileInt(temp.iniPath(), "Extra", 0));
}

TEST_F(SettingsStoreTest, SaveSettings_TwiceWithSameValues_LeavesFileUnchanged)
{
    WriteIni("[other]\r\na=1\r\n");
    settings = MakeSettings(40, 24, 750, 0, 1);
    SaveSettings(temp.wideFolder());
    std::string first = ReadFileText(temp.iniPath());
    ASSERT_FALSE(first.empty());

    SaveSettings(temp.wideFolder());

    EXPECT_EQ(first, ReadFileText(temp.iniPath()));
}

TEST_F(SettingsStoreTest, SaveSettings_ThenLoad_GivesTheSavedValuesBack)
{
    Settings const cases[] = {
        MakeSettings(0, 0, 0, 0, 0),
        MakeSettings(32767, 32767, 32767, 32767, 32767),
        MakeSettings(16, 50, 100, 1, 1),
        MakeSettings(160, 16, 12345, 0, 1),
        MakeSettings(-1, -32768, -25536, 2, -7, 0, 1617),
        MakeSettings(1, 2, 3, 4, 5, 2, 0x0F2E),
    };
    for (Settings const& saved : cases) {
        SCOPED_TRACE(::testing::PrintToString(saved));
        settings = saved;
        SaveSettings(temp.wideFolder());
        settings = SCRIBBLED;

        LoadSettings(temp.wideFolder());

        EXPECT_EQ(saved, settings);
    }
}

TEST_F(SettingsStoreTest, SaveSettings_FolderTooLongForPath_WritesNothingAndReturnsZero)
{
    settings = MakeSettings(30, 18, 500, 1, 0);
    std::wstring folder = OverlongFolder(temp, 300);

    EXPECT_EQ(0, SaveSettings(folder.c_str()));

    EXPECT_EQ(0, temp.entryCount());
    EXPECT_EQ(MakeSettings(30, 18, 500, 1, 0), settings);
}

}  // namespace
