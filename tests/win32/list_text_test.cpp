// Reading a list file saved in each of Notepad's encodings through the real conversion
// calls, into entries in code page 932.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/item_file.h"
#include "settings_test_support.h"
#include "tests/free_entries.h"

using settings_test::TempFolder;
using settings_test::WriteFileText;

namespace {

using Texts = std::vector<std::string>;

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

std::string const ASCII_ENTRY = "C:\\a.exe";
// C:\表の道具\b.bat in code page 932: the second byte of 表 is a backslash.
std::string const JAPANESE_ENTRY = "C:\\\x95\x5C\x82\xCC\x93\xB9\x8B\xEF\\b.bat";

TEST(LoadItemListEncodings, EveryNotepadEncodingReadsAsCodePage932)
{
    ASSERT_EQ(GetACP(), 932u) << "these cases need the Japanese code page: run with LANG=ja_JP.UTF-8";
    std::string const twoLinesUtf8 = u8"C:\\a.exe\r\nC:\\表の道具\\b.bat\r\n";
    std::u16string const twoLines16 = u"C:\\a.exe\r\nC:\\表の道具\\b.bat\r\n";
    std::string const twoLinesCp932 = ASCII_ENTRY + "\r\n" + JAPANESE_ENTRY + "\r\n";
    std::string aLines;
    for (int i = 0; i < 200; ++i)
        aLines += "\x82\xA0";  // あ
    struct Case {
        const char* what;
        std::string bytes;
        Texts entries;
    } const cases[] = {
        {"UTF-8 without a mark", twoLinesUtf8, {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + twoLinesUtf8, {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-16 LE", Utf16(twoLines16, false), {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"UTF-16 BE", Utf16(twoLines16, true), {ASCII_ENTRY, JAPANESE_ENTRY}},
        {"Shift_JIS stays byte for byte", twoLinesCp932 + "\xB1", {ASCII_ENTRY, JAPANESE_ENTRY, "\xB1"}},
        {"a mark alone", "\xFF\xFE", {}},
        {"UTF-16 with an odd last byte", Utf16(u"a\r\nb", false) + "c", {"a", "b"}},
        {"control-Z in UTF-16 ends the text", Utf16(u"a\r\nb\x1A" u"c\r\nd", true), {"a", "b"}},
        // Without WC_NO_BEST_FIT_CHARS the yen sign would turn into a backslash, é into e.
        {"characters 932 lacks", u8"C:\\¥\\é.exe", {"C:\\?\\?.exe"}},
        {"a long line is cut after conversion", Utf16(std::u16string(200, u'あ'), false),
         {aLines.substr(0, 259), aLines.substr(259)}},
    };
    for (Case const& c : cases)
        EXPECT_EQ(Load(c.bytes), c.entries) << c.what;
}

}  // namespace
