// Cutting the folder part from an entry's path (double-byte characters included), joining
// a folder with a file name (also the program's wide folder), and reaching the 64-bit system
// folder, within the buffers given; telling addresses from paths.
#include "platform/path.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

bool NoLeadBytes(unsigned char) { return false; }

// The path in a heap block of exactly its size, so that a read past its end is caught.
std::string FolderOf(const char* path, LeadByteTest isLeadByte = IsCp932LeadByte)
{
    std::vector<char> exact(path, path + strlen(path) + 1);
    std::vector<char> out(264, 'X');
    EXPECT_EQ(CopyFolderPart(out.data(), out.size(), exact.data(), isLeadByte), 1) << path;
    return out.data();
}

TEST(CopyFolderPart, CutsBeforeTheFinalComponent)
{
    EXPECT_EQ(FolderOf("D:\\Tools\\app.exe"), "D:\\Tools\\");
    EXPECT_EQ(FolderOf("D:\\Data\\Photos"), "D:\\Data\\");
    EXPECT_EQ(FolderOf("app.exe"), "");
    EXPECT_EQ(FolderOf(""), "");
    EXPECT_EQ(FolderOf("C:app.exe"), "C:");
    EXPECT_EQ(FolderOf("D:/Tools/app.exe"), "D:/Tools/");
    EXPECT_EQ(FolderOf("D:\\Tools/sub\\app.exe"), "D:\\Tools/sub\\");
    EXPECT_EQ(FolderOf("\\\\server\\share\\a b.exe"), "\\\\server\\share\\");
    EXPECT_EQ(FolderOf("D:\\Tools\\"), "D:\\Tools\\");
    EXPECT_EQ(FolderOf("https://example.org/a"), "https://example.org/");
}

TEST(EntryWorkingFolder, IsTheFolderPartForAPathAndNoneForAnAddress)
{
    char out[264];
    EXPECT_STREQ(EntryWorkingFolder(out, sizeof out, "D:\\Tools\\app.exe", IsCp932LeadByte), "D:\\Tools\\");
    EXPECT_STREQ(EntryWorkingFolder(out, sizeof out, "app.exe", IsCp932LeadByte), "");
    for (const char* address : {"https://example.org/docs/", "mailto:someone@example.org"})
        EXPECT_EQ(EntryWorkingFolder(out, sizeof out, address, IsCp932LeadByte), nullptr) << address;
}

TEST(FinalComponentOffset, IsAfterLastSeparatorOrZero)
{
    EXPECT_EQ(FinalComponentOffset("D:\\Tools\\app.exe", IsCp932LeadByte), 9u);
    EXPECT_EQ(FinalComponentOffset("app.exe", IsCp932LeadByte), 0u);
    EXPECT_EQ(FinalComponentOffset("", IsCp932LeadByte), 0u);
    EXPECT_EQ(FinalComponentOffset("C:app.exe", IsCp932LeadByte), 2u);
}

TEST(FinalComponentOffset, TrailByteBackslashIsNoSeparator)
{
    // U+8868 in code page 932 is 0x95 0x5C: its second byte is a backslash.
    EXPECT_EQ(FolderOf("D:\\\x95\x5C\\a.exe"), "D:\\\x95\x5C\\");
    EXPECT_EQ(FolderOf("D:\\\x95\x5C"), "D:\\");
    EXPECT_EQ(FinalComponentOffset("D:\\\x95\x5C", IsCp932LeadByte), 3u);
    // Without the lead-byte test the trail byte would be taken for a separator.
    EXPECT_EQ(FinalComponentOffset("D:\\\x95\x5C", NoLeadBytes), 5u);
}

TEST(FinalComponentOffset, LeadByteAsLastByteStopsAtTheEnd)
{
    EXPECT_EQ(FolderOf("D:\\a\x95"), "D:\\");
    EXPECT_EQ(FolderOf("D:\\\x95"), "D:\\");
    EXPECT_EQ(FolderOf("\x95"), "");
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
    const char* path = "D:\\Tools\\app.exe";  // folder part: 9 bytes
    std::vector<char> exact(10, 'X');
    EXPECT_EQ(CopyFolderPart(exact.data(), exact.size(), path, IsCp932LeadByte), 1);
    EXPECT_STREQ(exact.data(), "D:\\Tools\\");

    std::vector<char> shortByOne(9, 'X');
    EXPECT_EQ(CopyFolderPart(shortByOne.data(), shortByOne.size(), path, IsCp932LeadByte), 0);
    EXPECT_EQ(shortByOne[0], '\0');
    EXPECT_EQ(shortByOne[1], 'X');

    std::vector<char> none(1, 'X');
    EXPECT_EQ(CopyFolderPart(none.data(), 0, path, IsCp932LeadByte), 0);
    EXPECT_EQ(none[0], 'X');  // a size of 0 allows no write at all
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
std::string Sysnative(const char* path, const char* windowsFolder = "C:\\Windows")
{
    std::vector<char> exact(path, path + strlen(path) + 1);
    std::vector<char> out(strlen(path) + 2, 'X');
    int mapped = MapToSysnative(out.data(), out.size(), exact.data(), windowsFolder);
    EXPECT_EQ(out[0] == '\0', mapped == 0) << path;
    return mapped ? std::string(out.data()) : "-";
}

TEST(MapToSysnative, ReplacesSystem32RightAfterTheWindowsFolder)
{
    EXPECT_EQ(Sysnative("C:\\Windows\\System32\\wsl.exe"), "C:\\Windows\\Sysnative\\wsl.exe");
    EXPECT_EQ(Sysnative("C:\\Windows\\System32\\OpenSSH\\ssh.exe"), "C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe");
    EXPECT_EQ(Sysnative("c:\\WINDOWS\\system32\\CMD.EXE"), "c:\\WINDOWS\\Sysnative\\CMD.EXE");
    EXPECT_EQ(Sysnative("C:\\Windows\\System32\\x", "c:\\windows"), "C:\\Windows\\Sysnative\\x");
    EXPECT_EQ(Sysnative("C:/Windows/System32/cmd.exe"), "C:/Windows/Sysnative/cmd.exe");
    EXPECT_EQ(Sysnative("C:\\System32\\cmd.exe", "C:\\"), "C:\\Sysnative\\cmd.exe");
}

TEST(MapToSysnative, LeavesEverythingElse)
{
    for (const char* path : {"C:\\Windows\\SysWOW64\\cmd.exe", "C:\\Windows\\System32", "C:\\Windows\\System32\\",
                             "C:\\Windows\\System32x\\cmd.exe", "C:\\Windows\\System3", "C:\\Windows\\Sysnative\\cmd.exe",
                             "C:\\WindowsOld\\System32\\cmd.exe", "C:\\WindowsSystem32\\cmd.exe",
                             "D:\\Windows\\System32\\cmd.exe",
                             "C:\\Windows\\notepad.exe", "C:\\Windows", "System32\\cmd.exe", "C:\\Windows\\x\\System32\\a.exe",
                             "https://example.org/System32/", ""})
        EXPECT_EQ(Sysnative(path), "-") << path;
    EXPECT_EQ(Sysnative("C:\\Windows\\System32\\cmd.exe", "C:\\"), "-");
    EXPECT_EQ(Sysnative("C:\\Windows\\System32\\cmd.exe", ""), "-");
}

TEST(MapToSysnative, RefusesAResultTooLongForTheBuffer)
{
    std::string path = "C:\\Windows\\System32\\" + std::string(239, 'a');
    ASSERT_EQ(path.size(), 259u);
    std::vector<char> fits(261, 'X');
    EXPECT_EQ(MapToSysnative(fits.data(), fits.size(), path.c_str(), "C:\\Windows"), 1);
    EXPECT_EQ(strlen(fits.data()), 260u);

    std::vector<char> shortByOne(260, 'X');
    EXPECT_EQ(MapToSysnative(shortByOne.data(), shortByOne.size(), path.c_str(), "C:\\Windows"), 0);
    EXPECT_EQ(shortByOne[0], '\0');
    EXPECT_EQ(shortByOne[1], 'X');
}

TEST(IsAddress, SchemeOfTwoOrMoreCharactersThenColon)
{
    for (const char* address : {"https://example.org/", "mailto:someone@example.org", "HTTP:x", "ms-settings:display",
                                "web+app:x", "a.b:x", "ab:"})
        EXPECT_TRUE(IsAddress(address)) << address;
    for (const char* path : {"C:\\Windows", "c:", "C:https://x", "\\\\server\\share", "1ab:x", "-ab:x", ":x",
                             "ab c:x", "https", "ftp//x", "", "\x95\x5C:x"})
        EXPECT_FALSE(IsAddress(path)) << path;
}

}  // namespace
