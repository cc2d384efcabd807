// Reading a list file saved in each of Notepad's encodings through the real calls, into
// entries that keep every character of their lines; code page 932 widened by the system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/item_file.h"
#include "items/pages.h"
#include "settings_test_support.h"
#include "tests/free_entries.h"

using settings_test::TempFolder;
using settings_test::WriteFileText;

namespace {

using Texts = std::vector<std::u16string>;

// The list file's bytes in UTF-16 with its mark.
std::string Utf16(std::u16string const& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Code-page text as the system widens it.
std::u16string Widened(std::string const& bytes)
{
    std::wstring wide(bytes.size(), L'\0');
    int count = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                                    static_cast<int>(wide.size()));
    return std::u16string(wide.begin(), wide.begin() + count);
}

// Loads the bytes as quorvane.cfg of a folder of its own into a fresh list.
Texts Load(std::string const& bytes)
{
    TempFolder temp;
    WriteFileText(temp.file(ITEM_FILE_NAME), bytes);
    ItemList saved = itemList;
    itemList = {NewItemListHead(), 0};
    Texts texts;
    if (LoadItemList(temp.wideFolder()) == 1)
        for (Item* item = itemList.head->next; item != nullptr; item = item->next)
            texts.push_back(item->path);
    FreeEntries();
    free(itemList.head);
    itemList = saved;
    return texts;
}

std::u16string const ASCII_ENTRY = u"C:\\a.exe";
std::u16string const JAPANESE_ENTRY = u"C:\\表の道具\\b.bat";
// C:\表の道具\b.bat in code page 932: the second byte of 表 is a backslash.
std::string const JAPANESE_CP932 = "C:\\\x95\x5C\x82\xCC\x93\xB9\x8B\xEF\\b.bat";

TEST(LoadItemListEncodings, EveryNotepadEncodingKeepsEveryCharacter)
{
    ASSERT_EQ(GetACP(), 932u) << "these cases need the Japanese code page: run with LANG=ja_JP.UTF-8";
    std::string const twoLinesUtf8 = u8"C:\\a.exe\r\nC:\\表の道具\\b.bat\r\n";
    std::u16string const twoLines16 = u"C:\\a.exe\r\nC:\\表の道具\\b.bat\r\n";
    std::string const twoLinesCp932 = "C:\\a.exe\r\n" + JAPANESE_CP932 + "\r\n";
    std::string aLines;
    for (int i = 0; i < 200; ++i)
        aLines += "\x82\xA0";  // あ
    std::u16string const a200(200, u'あ');
    struct Case {
        const char* what;
        std::string bytes;
        Texts entries;
    } const cases[] = {
        {"UTF-8 without a mark", twoLinesUtf8, {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + twoLinesUtf8, {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-16 LE", Utf16(twoLines16, false), {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-16 BE", Utf16(twoLines16, true), {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"Shift_JIS in pieces of 259 bytes", twoLinesCp932 + "\xB1\r\n" + aLines,
         {ASCII_ENTRY, JAPANESE_ENTRY, u"ｱ", Widened(aLines.substr(0, 259)), Widened(aLines.substr(259))}},
        {"a mark alone", "\xFF\xFE", {}},
        {"UTF-16 with an odd last byte", Utf16(u"a\r\nb", false) + "c", {u"a", u"b"}},
        {"control-Z in UTF-16 ends the text", Utf16(u"a\r\nb\x1A" u"c\r\nd", true), {u"a", u"b"}},
        // Characters that code page 932 lacks, kept: the yen sign would otherwise have
        // turned into a backslash, é into e or "?".
        {"characters 932 lacks", u8"C:\\¥\\Café-é\\한.exe", {u"C:\\¥\\Café-é\\한.exe"}},
        {"a long Japanese line is one entry", Utf16(a200, false), {a200}},
    };
    for (Case const& c : cases)
        EXPECT_EQ(Load(c.bytes), c.entries) << c.what;
}

}  // namespace

namespace {

Texts Entries()
{
    Texts texts;
    for (Item* item = itemList.head->next; item != nullptr; item = item->next)
        texts.push_back(item->path);
    return texts;
}

// The list follows its file at each show: read again, from page 0, when it changed; kept with
// no message while the file is gone, a folder or locked; and a drop holds the file against
// every writer from its check to its last write.
TEST(ReadItemListIfChanged, ReadsAChangedFileAgainAndKeepsTheEntriesWhileItCannot)
{
    TempFolder temp;
    std::string const list = temp.file(ITEM_FILE_NAME), aside = temp.file("aside.cfg");
    WriteFileText(list, "C:\\a.exe\r\n");
    ItemList saved = itemList;
    PanelState savedState = panelState;
    itemList = {NewItemListHead(), 0};
    ASSERT_EQ(LoadItemList(temp.wideFolder()), 1);
    EXPECT_FALSE(ReadItemListIfChanged(temp.wideFolder())) << "unchanged";

    ASSERT_TRUE(MoveFileA(list.c_str(), aside.c_str()));
    EXPECT_FALSE(ReadItemListIfChanged(temp.wideFolder())) << "gone";
    ASSERT_TRUE(CreateDirectoryA(list.c_str(), nullptr));
    EXPECT_FALSE(ReadItemListIfChanged(temp.wideFolder())) << "a folder";
    ASSERT_TRUE(RemoveDirectoryA(list.c_str()));
    WriteFileText(list, "\xEF\xBB\xBF" u8"C:\\b.exe\r\nC:\\Café\\c.exe\r\n");
    HANDLE lock = CreateFileA(list.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ReadItemListIfChanged(temp.wideFolder())) << "locked";
    EXPECT_EQ(Entries(), (Texts{u"C:\\a.exe"}));
    CloseHandle(lock);

    panelState.pageIndex = 3;
    EXPECT_TRUE(ReadItemListIfChanged(temp.wideFolder())) << "back, changed";
    EXPECT_EQ(Entries(), (Texts{u"C:\\b.exe", u"C:\\Café\\c.exe"}));
    EXPECT_EQ(panelState.pageIndex, 0);
    EXPECT_FALSE(ReadItemListIfChanged(temp.wideFolder())) << "read";

    DropFile drop = OpenListForDrop(temp.wideFolder());
    ASSERT_NE(drop.handle, INVALID_HANDLE_VALUE);
    HANDLE writer = CreateFileA(list.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "an editor could write during the drop";
    if (writer != INVALID_HANDLE_VALUE)
        CloseHandle(writer);
    CloseListForDrop(temp.wideFolder(), &drop);
    FreeEntries();
    free(itemList.head);
    itemList = saved;
    panelState = savedState;
    DeleteFileA(aside.c_str());
}

}  // namespace
