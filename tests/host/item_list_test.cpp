// Reading the list file into entries: line ends, long lines, control-Z, zero bytes, the
// entry cap, the small helpers around the list, and telling the file's encoding; adding a
// dropped name at the end.
#include "items/item_list.h"
#include "items/list_append.h"
#include "items/list_encoding.h"
#include "tests/free_entries.h"

#include <gtest/gtest.h>
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define QV_PID _getpid()
#else
#include <unistd.h>
#define QV_PID getpid()
#endif

namespace {

// The list lives in process-wide state; each test gets a fresh, empty one. The product never
// frees entries (they live until the process ends), so the test does, for LeakSanitizer.
class ItemListFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = itemList;
        itemList.head = NewItemListHead();
        ASSERT_NE(itemList.head, nullptr);
        itemList.itemCount = 0;
    }
    void TearDown() override
    {
        if (!fileName.empty())
            remove(fileName.c_str());
        FreeEntriesAfter(itemList.head->next);
        free(itemList.head);
        itemList = saved;
    }

    // Writes the bytes to a file of our own and reads it as the list file, opened "rb".
    void Read(std::string const& bytes)
    {
        Write(bytes);
        FILE* in = fopen(fileName.c_str(), "rb");
        ASSERT_NE(in, nullptr);
        FileBytes read = ReadListBytes(in);
        fclose(in);
        ASSERT_EQ(read.size, bytes.size());
        AppendItemsFromText(read.bytes, read.size);
        free(read.bytes);
    }

    void Write(std::string const& bytes)
    {
        if (fileName.empty()) {
            static int counter = 0;
            const char* dir = getenv("TMPDIR");
            if (dir == nullptr || *dir == '\0')
                dir = getenv("TEMP");
            if (dir == nullptr || *dir == '\0')
                dir = ".";
            fileName = std::string(dir) + "/quorvane_items_" + std::to_string(QV_PID) + "_" +
                       std::to_string(++counter) + ".cfg";
        }
        FILE* out = fopen(fileName.c_str(), "wb");
        ASSERT_NE(out, nullptr) << fileName;
        ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
        ASSERT_EQ(fclose(out), 0);
    }

    static std::vector<std::string> Entries()
    {
        std::vector<std::string> texts;
        for (Item* item = itemList.head->next; item != nullptr; item = item->next)
            texts.push_back(item->path);
        return texts;
    }

    using Texts = std::vector<std::string>;
    ItemList saved{};
    std::string fileName;
};

std::string Bytes(size_t count, char fill = 'a') { return std::string(count, fill); }

TEST_F(ItemListFile, TwoLinesGiveTwoEntriesInFileOrder)
{
    Read("C:\\a.exe\nD:\\b.txt");
    EXPECT_EQ(Entries(), (Texts{"C:\\a.exe", "D:\\b.txt"}));
    EXPECT_EQ(itemList.itemCount, 2);
}

TEST_F(ItemListFile, CrLfPairsReadLikeLineFeedsAlone)
{
    Read("C:\\a.exe\r\nD:\\b.txt\r\n");
    EXPECT_EQ(Entries(), (Texts{"C:\\a.exe", "D:\\b.txt"}));
    EXPECT_EQ(itemList.itemCount, 2);
}

TEST_F(ItemListFile, CarriageReturnNotBeforeLineFeedStaysInText)
{
    Read("a\rb\nc\r\r\nd\r");
    EXPECT_EQ(Entries(), (Texts{"a\rb", "c\r", "d\r"}));
}

TEST_F(ItemListFile, SpacesAroundTextAreKept)
{
    Read("  lead\ntrail  \n \n");
    EXPECT_EQ(Entries(), (Texts{"  lead", "trail  ", " "}));
}

TEST_F(ItemListFile, EmptyLinesAreEmptyEntries)
{
    Read("a\n\nb\n\n");
    EXPECT_EQ(Entries(), (Texts{"a", "", "b", ""}));
    EXPECT_EQ(itemList.itemCount, 4);
}

TEST_F(ItemListFile, EmptyFileGivesNoEntry)
{
    Read("");
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(itemList.itemCount, 0);
    EXPECT_EQ(itemList.head->next, nullptr);
}

TEST_F(ItemListFile, LastLineNeedsNoLineFeed)
{
    Read("only");
    EXPECT_EQ(Entries(), (Texts{"only"}));
}

TEST_F(ItemListFile, LongLinesAreCutIntoPiecesOf259Bytes)
{
    Read(Bytes(258, 'a') + "\n");
    EXPECT_EQ(Entries(), (Texts{Bytes(258, 'a')}));
    FreeEntriesAfter(itemList.head->next);
    itemList.head->next = nullptr;
    itemList.itemCount = 0;

    Read(Bytes(259, 'b') + "\n" + Bytes(300, 'c') + "\n" + Bytes(518, 'd') + "\nend");
    EXPECT_EQ(Entries(), (Texts{Bytes(259, 'b'), "", Bytes(259, 'c'), Bytes(41, 'c'), Bytes(259, 'd'),
                                Bytes(259, 'd'), "", "end"}));
    EXPECT_EQ(itemList.itemCount, 8);
}

TEST_F(ItemListFile, DroppedCarriageReturnDoesNotCountTowardPieceLength)
{
    Read(Bytes(258) + "\r\n" + Bytes(259, 'b') + "\r\nz");
    EXPECT_EQ(Entries(), (Texts{Bytes(258), Bytes(259, 'b'), "", "z"}));
}

TEST_F(ItemListFile, ControlZEndsTheFileMidLine)
{
    Read("one\ntw\x1Ao\nthree\n");
    EXPECT_EQ(Entries(), (Texts{"one", "tw"}));
    EXPECT_EQ(itemList.itemCount, 2);
}

TEST_F(ItemListFile, ControlZAtLineStartEndsTheFileWithoutAnEntry)
{
    Read("one\n\x1Atwo\n");
    EXPECT_EQ(Entries(), (Texts{"one"}));
}

TEST_F(ItemListFile, ControlZAfterCarriageReturnKeepsTheCarriageReturn)
{
    Read("one\r\x1A\n");
    EXPECT_EQ(Entries(), (Texts{"one\r"}));
}

TEST_F(ItemListFile, ControlZAsFirstByteGivesEmptyList)
{
    Read(std::string("\x1A") + "a\nb\n");
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(itemList.itemCount, 0);
}

TEST_F(ItemListFile, ZeroByteEndsTheEntryTextAndNextLineIsNextEntry)
{
    Read(std::string("ab\0cd\nef\n", 9));
    EXPECT_EQ(Entries(), (Texts{"ab", "ef"}));
    EXPECT_EQ(itemList.itemCount, 2);
}

TEST_F(ItemListFile, ZeroByteInLongLineTruncatesOnlyItsOwnPiece)
{
    std::string line = Bytes(300, 'x');
    line[10] = '\0';
    Read(line + "\n");
    EXPECT_EQ(Entries(), (Texts{Bytes(10, 'x'), Bytes(41, 'x')}));
}

TEST_F(ItemListFile, ReadingStopsAtTheEntryCap)
{
    std::string bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += std::to_string(i) + "\n";
    Read(bytes);
    EXPECT_EQ(itemList.itemCount, ITEM_COUNT_MAX);
    std::vector<std::string> entries = Entries();
    ASSERT_EQ(entries.size(), 32767u);
    EXPECT_EQ(entries.back(), "32766");
}

// The block grows from 4,096 bytes by doubling; the read ends at the limit or at the end
// of the file, whichever comes first, with the bytes as they are in the file.
TEST_F(ItemListFile, ReadingStopsAtTheReadLimitOrTheEndOfTheFile)
{
    std::string bytes(10000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251);
    Write(bytes);
    for (size_t limit : {size_t{1}, size_t{4096}, size_t{5000}, size_t{9999}, size_t{10000}, size_t{20000}}) {
        FILE* in = fopen(fileName.c_str(), "rb");
        ASSERT_NE(in, nullptr);
        FileBytes read = ReadListBytes(in, limit);
        fclose(in);
        size_t expected = limit < bytes.size() ? limit : bytes.size();
        EXPECT_EQ(read.size, expected) << "limit " << limit;
        EXPECT_EQ(std::string(read.bytes, read.size), bytes.substr(0, expected)) << "limit " << limit;
        free(read.bytes);
    }
}

TEST_F(ItemListFile, EntriesAreAppendedAfterTheExistingTail)
{
    Read("a\nb\n");
    Read("c\n");
    EXPECT_EQ(Entries(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(itemList.itemCount, 3);
}

TEST_F(ItemListFile, NoHeadReadsNothing)
{
    Item* head = itemList.head;
    itemList.head = nullptr;
    Read("a\n");
    itemList.head = head;
    EXPECT_EQ(itemList.itemCount, 0);
    EXPECT_EQ(head->next, nullptr);
}

TEST(StripTrailingNewline, RemovesOneFinalLineFeedOnly)
{
    char empty[] = "";
    EXPECT_EQ(StripTrailingNewline(empty), 0);
    EXPECT_STREQ(empty, "");

    char two[] = "a\n\n";
    EXPECT_EQ(StripTrailingNewline(two), 1);
    EXPECT_STREQ(two, "a\n");

    char none[] = "a\nb";
    EXPECT_EQ(StripTrailingNewline(none), 0);
    EXPECT_STREQ(none, "a\nb");

    char lone[] = "\n";
    EXPECT_EQ(StripTrailingNewline(lone), 1);
    EXPECT_STREQ(lone, "");

    char carriage[] = "a\r";
    EXPECT_EQ(StripTrailingNewline(carriage), 0);
    EXPECT_STREQ(carriage, "a\r");
}

TEST(ReleaseItemList, DetachesEntriesFromHeadOrReportsNoHead)
{
    EXPECT_EQ(ReleaseItemList(nullptr), 0);

    Item* head = NewItemListHead();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->next, nullptr);
    Item entry = {nullptr, nullptr};
    head->next = &entry;
    EXPECT_EQ(ReleaseItemList(head), 1);
    EXPECT_EQ(head->next, nullptr);
    free(head);
}

// Marks name the encoding whatever follows them; without one, only strictly valid UTF-8
// beyond ASCII is UTF-8, and Shift_JIS lists stay in the code page.
TEST(DetectListEncoding, TellsNotepadsEncodingsAndLeavesShiftJisInTheCodePage)
{
    using namespace std::string_literals;
    ListEncoding const PAGE = ListEncoding::CodePage, UTF8 = ListEncoding::Utf8;
    struct Case {
        const char* what;
        std::string bytes;
        ListEncoding encoding;
        size_t markLength;
    } const cases[] = {
        {"empty file", "", PAGE, 0},
        {"ASCII only", "C:\\a.exe\r\n", PAGE, 0},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", UTF8, 3},
        {"UTF-8 mark before ASCII", "\xEF\xBB\xBF" "C:\\a.exe", UTF8, 3},
        {"UTF-8 mark before invalid bytes", "\xEF\xBB\xBF\x95\x5C", UTF8, 3},
        {"two bytes of the UTF-8 mark", "\xEF\xBB", PAGE, 0},
        {"UTF-16 LE mark", "\xFF\xFE" "a\0"s, ListEncoding::Utf16LittleEndian, 2},
        {"UTF-16 BE mark", "\xFE\xFF\0a"s, ListEncoding::Utf16BigEndian, 2},
        {"UTF-16 BE mark alone", "\xFE\xFF", ListEncoding::Utf16BigEndian, 2},
        {"UTF-8 folder 表の道具", "C:\\\xE8\xA1\xA8\xE3\x81\xAE\xE9\x81\x93\xE5\x85\xB7\\a.exe", UTF8, 0},
        {"UTF-8 four-byte U+10FFFF", "\xF4\x8F\xBF\xBF", UTF8, 0},
        {"UTF-8 two-byte U+0080", "\xC2\x80", UTF8, 0},
        {"Shift_JIS 表の道具", "C:\\\x95\x5C\x82\xCC\x93\xB9\x8B\xEF\\a.exe", PAGE, 0},
        {"Shift_JIS half-width katakana ｱ", "\xB1.exe", PAGE, 0},
        {"a UTF-8 line, then a Shift_JIS line", "\xE8\xA1\xA8\n\x95\x5C\n", PAGE, 0},
        {"overlong slash C0 AF", "\xC0\xAF", PAGE, 0},
        {"overlong three-byte E0 80 AF", "\xE0\x80\xAF", PAGE, 0},
        {"overlong four-byte F0 80 80 AF", "\xF0\x80\x80\xAF", PAGE, 0},
        {"surrogate U+D800", "\xED\xA0\x80", PAGE, 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", PAGE, 0},
        {"lead byte F5", "\xF5\x80\x80\x80", PAGE, 0},
        {"lone continuation byte", "a\x80", PAGE, 0},
        {"sequence cut by the end of the file", "\xE8\xA1", PAGE, 0},
        {"sequence cut by ASCII", "\xE8\xA1" "a", PAGE, 0},
        // Shift_JIS that happens to be valid UTF-8 (the rare exception): ﾈｺ and 燿ア.
        {"Shift_JIS ﾈｺ", "\xC8\xBA", UTF8, 0},
        {"Shift_JIS 燿ア", "\xE0\xA0\x83\x41", UTF8, 0},
    };
    for (Case const& c : cases) {
        ListTextKind kind =
            DetectListEncoding(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size());
        EXPECT_EQ(kind.encoding, c.encoding) << c.what;
        EXPECT_EQ(kind.markLength, c.markLength) << c.what;
    }
}

// UTF-16 text in either byte order, without a mark.
std::string Units(std::u16string const& text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// A dropped name against a list file as it is now: the verdict, the bytes that go at its
// end, and the text the reader will make entries of. The list in memory holds
// C:\Tools\a.exe, https://example.org/ and C:\ア (code page 932: 83 41, a trail byte that
// looks like 'A'). The host converts nothing: a row's file text is what the reader reads.
TEST_F(ItemListFile, DroppedNameIsDecidedAndAppendedInTheFilesOwnEncoding)
{
    using namespace std::string_literals;
    using V = DropVerdict;
    std::string const sjis = "D:\\\x95\x5C.exe";  // D:\表.exe in code page 932
    std::string const a258(258, 'a'), a259(259, 'a');
    struct Case {
        const char* what;
        std::string file;
        std::u16string wide;
        std::string entry;
        V verdict;
        std::string bytes;
        std::string text;
        bool lossy = false;
        bool full = false;
        int32_t position = -1;
    } const cases[] = {
        {"code page, ends in CR LF", "C:\\a.exe\r\n", u"D:\\b.exe", "D:\\b.exe", V::Add, "D:\\b.exe\r\n", "D:\\b.exe"},
        {"code page, no line end", "C:\\a.exe", u"D:\\b.exe", "D:\\b.exe", V::Add, "\r\nD:\\b.exe\r\n", "D:\\b.exe"},
        {"empty file", "", u"D:\\b.exe", "D:\\b.exe", V::Add, "D:\\b.exe\r\n", "D:\\b.exe"},
        {"code page, Japanese", "\x82\xA0\n", u"D:\\表.exe", sjis, V::Add, sjis + "\r\n", sjis},
        {"UTF-8 mark, no line end", "\xEF\xBB\xBF" "a", u"D:\\表.exe", sjis, V::Add,
         "\r\nD:\\\xE8\xA1\xA8.exe\r\n", sjis},
        {"UTF-8 without mark", "\xE8\xA1\xA8\r\n", u"D:\\表.exe", sjis, V::Add, "D:\\\xE8\xA1\xA8.exe\r\n", sjis},
        {"UTF-16 LE, ends in CR LF", "\xFF\xFE" + Units(u"a\r\n", false), u"D:\\表.exe", sjis, V::Add,
         Units(u"D:\\表.exe\r\n", false), sjis},
        {"UTF-16 BE, no line end", "\xFE\xFF" + Units(u"a", true), u"D:\\表.exe", sjis, V::Add,
         Units(u"\r\nD:\\表.exe\r\n", true), sjis},
        {"UTF-16 mark alone", "\xFF\xFE", u"D:\\表.exe", sjis, V::Add, Units(u"D:\\表.exe\r\n", false), sjis},
        {"UTF-8 takes what 932 lacks", "\xE8\xA1\xA8\r\n", u"D:\\\U0001F600", "D:\\?", V::Add,
         "D:\\\xF0\x9F\x98\x80\r\n", "D:\\?", true},
        {"code page cannot", "C:\\a.exe\r\n", u"D:\\\U0001F600", "D:\\?", V::OutsideCodePage, "", "", true},
        {"258 bytes fit a row", "", std::u16string(258, u'a'), a258, V::Add, a258 + "\r\n", a258},
        {"259 bytes do not", "", std::u16string(259, u'a'), a259, V::TooLong, "", ""},
        {"more units than a row holds", "", std::u16string(DROPPED_NAME_MAX + 1, u'a'), "", V::TooLong, "", ""},
        {"duplicate, ASCII case ignored", "", u"HTTPS://Example.ORG/", "HTTPS://Example.ORG/", V::Duplicate, "", "",
         false, false, 1},
        {"a trail byte is not a letter", "", u"C:\\ヂ", "C:\\\x83\x61", V::Add, "C:\\\x83\x61\r\n", "C:\\\x83\x61"},
        {"ASCII file would read as UTF-8", "a\r\n", u"D:\\ﾈｺ", "D:\\\xC8\xBA", V::ReadAsOtherText, "", ""},
        {"Shift_JIS file stays code page", "\x82\xA0\r\n", u"D:\\ﾈｺ", "D:\\\xC8\xBA", V::Add,
         "D:\\\xC8\xBA\r\n", "D:\\\xC8\xBA"},
        {"control-Z", "a\r\n\x1A", u"D:\\b.exe", "D:\\b.exe", V::EndUnread, "", ""},
        {"UTF-16 of an odd size", "\xFF\xFE" + Units(u"a\r\n", false) + "x", u"D:\\b.exe", "D:\\b.exe",
         V::EndUnread, "", ""},
        {"at the entry cap", "", u"D:\\b.exe", "D:\\b.exe", V::ListFull, "", "", false, true},
        {"last line of a whole piece", a259, u"D:\\b.exe", "D:\\b.exe", V::Add, "\r\nD:\\b.exe\r\n",
         "\nD:\\b.exe"},
    };
    std::string const list = "C:\\Tools\\a.exe\nhttps://example.org/\nC:\\\x83\x41";
    AppendItemsFromText(list.data(), list.size());
    for (Case const& c : cases) {
        const unsigned char* file = reinterpret_cast<const unsigned char*>(c.file.data());
        ListFileFacts facts = FindListFileFacts(file, c.file.size());
        NoteListText(&facts, c.file.data(), c.file.size());
        itemList.itemCount = c.full ? ITEM_COUNT_MAX : 3;
        DroppedName name = {c.wide.data(), c.wide.size(), c.entry.c_str(), c.lossy};
        int32_t position = -1;
        EXPECT_EQ(DecideDrop(facts, name, IsCp932LeadByte, &position), c.verdict) << c.what;
        if (c.verdict == V::Duplicate) {
            EXPECT_EQ(position, c.position) << c.what;
        }
        if (c.verdict != V::Add)
            continue;
        size_t tail = c.file.size() < 2 ? c.file.size() : 2;
        AppendedLine line;
        MakeAppendedLine(&line, facts, file + c.file.size() - tail, tail, c.file.size(), name);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(line.bytes), line.size), c.bytes) << c.what;
        EXPECT_EQ(std::string(line.text, line.textSize), c.text) << c.what;
    }
    itemList.itemCount = 3;
}

// Stands in for the registry, which ignores letter case. javascript and vbscript are
// registered on every system; "c" shows that a drive is refused for its form alone.
bool RegisteredInTest(const char* scheme)
{
    std::string name = scheme;
    for (char& c : name)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return name == "ms-settings" || name == "javascript" || name == "vbscript" || name == "c";
}

TEST(FindDroppedAddress, TakesOneAddressOfASchemeTheShellOpens)
{
    struct Case {
        std::u16string text;
        bool address;
        std::u16string found;
    } const cases[] = {
        {u"\uFEFF https://example.org/a\r\n", true, u"https://example.org/a"},
        {u"\u3000HTTP://EXAMPLE.ORG/\u3000", true, u"HTTP://EXAMPLE.ORG/"},
        {u"mailto:a@example.org", true, u"mailto:a@example.org"},
        {u"File:///C:/a.txt", true, u"File:///C:/a.txt"},
        {u"ftp://example.org/", true, u"ftp://example.org/"},
        {u"MS-Settings:display", true, u"MS-Settings:display"},
        {u"https://example.org/a b", false, u""},
        {u"https://example.org/\u3000a", false, u""},
        {u"https://example.org/\u009Ba", false, u""},
        {u"https://a/\r\nhttps://b/", false, u""},
        {u"Re: meeting notes", false, u""},
        {u"todo:buy-milk", false, u""},
        {u"javascript:alert(1)", false, u""},
        {u"VBScript:MsgBox(1)", false, u""},
        {u"C:\\a.exe", false, u""},
        {u"ms-settings\u013Adisplay", false, u""},
        {std::u16string(300, u'a') + u":x", false, u""},
    };
    for (Case const& c : cases) {
        size_t start = 0, length = 0;
        bool address = FindDroppedAddress(c.text.data(), c.text.size(), RegisteredInTest, &start, &length);
        EXPECT_EQ(address, c.address) << std::string(c.text.begin(), c.text.end());
        if (address) {
            EXPECT_EQ(c.text.substr(start, length), c.found);
        }
    }
}

}  // namespace
