// Reading the list file into entries: line ends, long lines, control-Z, zero bytes, the
// entry cap, the small helpers around the list, and telling the file's encoding.
#include "items/item_list.h"
#include "items/list_encoding.h"
#include "tests/free_entries.h"

#include <gtest/gtest.h>
#include <stdlib.h>

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

}  // namespace
