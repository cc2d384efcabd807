// Cutting the folder part from an entry's UTF-16 path, joining
// a folder with a file name (also the program's wide folder), and reaching the 64-bit system
// folder, within the buffers given; telling addresses from paths.
#include "platform/path.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

// The path in a heap block of exactly its size, so that a read past its end is caught.
std::u16string FolderOf(std::u16string const& path)
{
    std::vector<char16_t> exact(path.c_str(), path.c_str() + path.size() + 1);
    std::vector<char16_t> out(264, u'X');
    EXPECT_EQ(CopyFolderPart(out.data(), out.size(), exact.data()), 1);
    return out.data();
}

TEST(CopyFolderPart, CutsBeforeTheFinalComponent)
{
    EXPECT_EQ(FolderOf(u"D:\\Tools\\app.exe"), u"D:\\Tools\\");
    EXPECT_EQ(FolderOf(u"D:\\Data\\Photos"), u"D:\\Data\\");
    EXPECT_EQ(FolderOf(u"app.exe"), u"");
    EXPECT_EQ(FolderOf(u""), u"");
    EXPECT_EQ(FolderOf(u"C:app.exe"), u"C:");
    EXPECT_EQ(FolderOf(u"D:/Tools/app.exe"), u"D:/Tools/");
    EXPECT_EQ(FolderOf(u"D:\\Tools/sub\\app.exe"), u"D:\\Tools/sub\\");
    EXPECT_EQ(FolderOf(u"\\\\server\\share\\a b.exe"), u"\\\\server\\share\\");
    EXPECT_EQ(FolderOf(u"D:\\Tools\\"), u"D:\\Tools\\");
    EXPECT_EQ(FolderOf(u"https://example.org/a"), u"https://example.org/");
    // Characters outside every code page, and units whose low byte is a backslash (U+015C,
    // U+8868's code-page 932 form 95 5C): none is a separator.
    EXPECT_EQ(FolderOf(u"D:\\Café-é\\\U0001F600\\a.exe"), u"D:\\Café-é\\\U0001F600\\");
    EXPECT_EQ(FolderOf(u"D:\\\u015C\u8868"), u"D:\\");
    EXPECT_EQ(FinalComponentOffset(u"D:\\\u015C"), 3u);
}

TEST(EntryWorkingFolder, IsTheFolderPartForAPathAndNoneForAnAddress)
{
    char16_t out[264];
    EXPECT_EQ(std::u16string(EntryWorkingFolder(out, 264, u"D:\\Tools\\app.exe")), u"D:\\Tools\\");
    EXPECT_EQ(std::u16string(EntryWorkingFolder(out, 264, u"app.exe")), u"");
    for (const char16_t* address : {u"https://example.org/docs/", u"mailto:someone@example.org"})
        EXPECT_EQ(EntryWorkingFolder(out, 264, address), nullptr);
}

TEST(FinalComponentOffset, IsAfterLastSeparatorOrZero)
{
    EXPECT_EQ(FinalComponentOffset(u"D:\\Tools\\app.exe"), 9u);
    EXPECT_EQ(FinalComponentOffset(u"app.exe"), 0u);
    EXPECT_EQ(FinalComponentOffset(u""), 0u);
    EXPECT_EQ(FinalComponentOffset(u"C:app.exe"), 2u);
}

TEST(IsCp932LeadByte, CoversBothLeadRanges)
{
    for (int lead : {0x81, 0x95, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(IsCp932LeadByte(static_cast<unsigned char>(lead))) << lead;
    // ASCII, 0x80, the half-width katakana 0xA0 to 0xDF, and 0xFD to 0xFF lead nothing.
    for (int other : {0x00, 0x5C, 0x7F, 0x80, 0xA0, 0xB1, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(IsCp932LeadByte(static_cast<unsigned char>(other))) << other;
}

TEST(CopyFolderPart, TooSmallBufferGivesZeroAndEmptyText)
{
    const char16_t* path = u"D:\\Tools\\app.exe";  // folder part: 9 units
    std::vector<char16_t> exact(10, u'X');
    EXPECT_EQ(CopyFolderPart(exact.data(), exact.size(), path), 1);
    EXPECT_EQ(std::u16string(exact.data()), u"D:\\Tools\\");

    std::vector<char16_t> shortByOne(9, u'X');
    EXPECT_EQ(CopyFolderPart(shortByOne.data(), shortByOne.size(), path), 0);
    EXPECT_EQ(shortByOne[0], u'\0');
    EXPECT_EQ(shortByOne[1], u'X');

    std::vector<char16_t> none(1, u'X');
    EXPECT_EQ(CopyFolderPart(none.data(), 0, path), 0);
    EXPECT_EQ(none[0], u'X');  // a size of 0 allows no write at all
}

TEST(JoinPath, FitsExactlyWithTerminator)
{
    const char* folder = "D:\\Tools\\";
    std::vector<char> out(strlen(folder) + strlen("quorvane.cfg") + 1, 'X');
    EXPECT_EQ(JoinPath(out.data(), out.size(), folder, "quorvane.cfg"), 1);
    EXPECT_STREQ(out.data(), "D:\\Tools\\quorvane.cfg");
}

TEST(JoinPath, OneByteShortGivesZeroAndEmptyText)
{
    const char* folder = "D:\\Tools\\";
    std::vector<char> out(strlen(folder) + strlen("quorvane.cfg"), 'X');
    EXPECT_EQ(JoinPath(out.data(), out.size(), folder, "quorvane.cfg"), 0);
    EXPECT_EQ(out[0], '\0');
}

TEST(JoinPath, EmptyFolderGivesZero)
{
    std::vector<char> out(264, 'X');
    EXPECT_EQ(JoinPath(out.data(), out.size(), "", "quorvane.cfg"), 0);
    EXPECT_EQ(out[0], '\0');
}

TEST(JoinPath, LongFolderDoesNotOverrunBuffer)
{
    std::string folder = "D:\\" + std::string(296, 'f') + "\\";
    ASSERT_EQ(folder.size(), 300u);
    std::vector<char> out(264, 'X');
    EXPECT_EQ(JoinPath(out.data(), out.size(), folder.c_str(), "quorvane.ini"), 0);
    EXPECT_EQ(out[0], '\0');
}

// The program's own folder is wide text: no unit of it is a lead byte, and the data file's
// ASCII name is widened into the joined path (fitting and overlong joins share the byte
// texts' code above).
TEST(WidePath, FolderCutAndJoinedWithAsciiName)
{
    // U+015C has the low byte of a backslash; each non-ASCII unit is one character.
    const wchar_t* exe = L"D:\\\u015C\\Caf\u00e9-\u00e9\\app.exe";
    EXPECT_EQ(FinalComponentOffset(exe), 12u);
    EXPECT_EQ(FinalComponentOffset(L"C:app.exe"), 2u);

    std::wstring folder(exe, 12);
    std::vector<wchar_t> out(folder.size() + strlen("quorvane.ini") + 1, L'X');
    EXPECT_EQ(JoinPath(out.data(), out.size(), folder.c_str(), "quorvane.ini"), 1);
    EXPECT_EQ(std::wstring(out.data()), folder + L"quorvane.ini");
}

// The mapped name in a buffer of exactly the size it needs, or "-" when there is none.
std::u16string Sysnative(std::u16string const& path, const char16_t* windowsFolder = u"C:\\Windows")
{
    std::vector<char16_t> exact(path.c_str(), path.c_str() + path.size() + 1);
    std::vector<char16_t> out(path.size() + 2, u'X');
    int mapped = MapToSysnative(out.data(), out.size(), exact.data(), windowsFolder);
    EXPECT_EQ(out[0] == u'\0', mapped == 0);
    return mapped ? std::u16string(out.data()) : u"-";
}

TEST(MapToSysnative, ReplacesSystem32RightAfterTheWindowsFolder)
{
    EXPECT_EQ(Sysnative(u"C:\\Windows\\System32\\wsl.exe"), u"C:\\Windows\\Sysnative\\wsl.exe");
    EXPECT_EQ(Sysnative(u"C:\\Windows\\System32\\OpenSSH\\ssh.exe"), u"C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe");
    EXPECT_EQ(Sysnative(u"c:\\WINDOWS\\system32\\CMD.EXE"), u"c:\\WINDOWS\\Sysnative\\CMD.EXE");
    EXPECT_EQ(Sysnative(u"C:\\Windows\\System32\\x", u"c:\\windows"), u"C:\\Windows\\Sysnative\\x");
    EXPECT_EQ(Sysnative(u"C:/Windows/System32/cmd.exe"), u"C:/Windows/Sysnative/cmd.exe");
    EXPECT_EQ(Sysnative(u"C:\\System32\\cmd.exe", u"C:\\"), u"C:\\Sysnative\\cmd.exe");
}

TEST(MapToSysnative, LeavesEverythingElse)
{
    for (const char16_t* path : {u"C:\\Windows\\SysWOW64\\cmd.exe", u"C:\\Windows\\System32", u"C:\\Windows\\System32\\",
                             u"C:\\Windows\\System32x\\cmd.exe", u"C:\\Windows\\System3", u"C:\\Windows\\Sysnative\\cmd.exe",
                             u"C:\\WindowsOld\\System32\\cmd.exe", u"C:\\WindowsSystem32\\cmd.exe",
                             u"D:\\Windows\\System32\\cmd.exe",
                             u"C:\\Windows\\notepad.exe", u"C:\\Windows", u"System32\\cmd.exe", u"C:\\Windows\\x\\System32\\a.exe",
                             u"https://example.org/System32/", u""})
        EXPECT_EQ(Sysnative(path), u"-");
    EXPECT_EQ(Sysnative(u"C:\\Windows\\System32\\cmd.exe", u"C:\\"), u"-");
    EXPECT_EQ(Sysnative(u"C:\\Windows\\System32\\cmd.exe", u""), u"-");
}

TEST(MapToSysnative, RefusesAResultTooLongForTheBuffer)
{
    std::u16string path = u"C:\\Windows\\System32\\" + std::u16string(239, u'a');
    ASSERT_EQ(path.size(), 259u);
    std::vector<char16_t> fits(261, u'X');
    EXPECT_EQ(MapToSysnative(fits.data(), fits.size(), path.c_str(), u"C:\\Windows"), 1);
    EXPECT_EQ(std::u16string(fits.data()).size(), 260u);

    std::vector<char16_t> shortByOne(260, u'X');
    EXPECT_EQ(MapToSysnative(shortByOne.data(), shortByOne.size(), path.c_str(), u"C:\\Windows"), 0);
    EXPECT_EQ(shortByOne[0], u'\0');
    EXPECT_EQ(shortByOne[1], u'X');
}

TEST(IsAddress, SchemeOfTwoOrMoreCharactersThenColon)
{
    for (const char* address : {"https://example.org/", "mailto:someone@example.org", "HTTP:x", "ms-settings:display",
                                "web+app:x", "a.b:x", "ab:"})
        EXPECT_TRUE(IsAddress(address)) << address;
    for (const char* path : {"C:\\Windows", "c:", "C:https://x", "\\\\server\\share", "1ab:x", "-ab:x", ":x",
                             "ab c:x", "https", "ftp//x", "", "\x95\x5C:x"})
        EXPECT_FALSE(IsAddress(path)) << path;
    EXPECT_TRUE(IsAddress(u"https://example.org/é"));
    EXPECT_FALSE(IsAddress(u"\u0101b:x"));  // a letter's low byte alone is no letter
    EXPECT_FALSE(IsAddress(u"D:\\Café"));
}

}  // namespace
