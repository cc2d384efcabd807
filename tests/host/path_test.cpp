// Cutting the folder part from an entry's path (double-byte characters included) and joining
// a folder with a file name, within the buffers given; the same for the program's wide folder.
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

}  // namespace
