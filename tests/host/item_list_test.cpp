// Reading the list file into entries: line ends, long lines, control-Z, zero bytes, the
// entry cap, the small helpers around the list, telling the file's encoding and reading each
// one into UTF-16; adding a dropped name at the end; whether the file changed.
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

// A few characters of code page 932, enough for the tests: ASCII, the half-width katakana,
// and some characters of two bytes (95 5C, whose second byte is a backslash, is 表); any
// other pair becomes U+30FB, the system's default character there.
size_t WidenCp932(const char* bytes, size_t size, char16_t* out)
{
    struct Pair {
        unsigned lead, trail;
        char16_t unit;
    } const PAIRS[] = {{0x95, 0x5C, u'表'}, {0x82, 0xA0, u'あ'}, {0x83, 0x41, u'ア'}, {0x83, 0x61, u'ヂ'}};
    size_t count = 0;
    for (size_t i = 0; i < size; ++i) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        char16_t unit = byte < 0x80 ? byte : byte >= 0xA1 && byte <= 0xDF ? char16_t(0xFF61 + byte - 0xA1) : u'・';
        if (IsCp932LeadByte(byte) && i + 1 < size) {
            unsigned char trail = static_cast<unsigned char>(bytes[++i]);
            for (Pair const& pair : PAIRS)
                if (pair.lead == byte && pair.trail == trail)
                    unit = pair.unit;
        }
        out[count++] = unit;
    }
    return count;
}

// Letter case folded for ASCII and the Latin-1 letters, as the system folds them.
char16_t Fold(char16_t unit)
{
    bool upper = (unit >= u'A' && unit <= u'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7);
    return upper ? static_cast<char16_t>(unit + 0x20) : unit;
}

bool SameFolded(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength)
{
    if (aLength != bLength)
        return false;
    for (size_t i = 0; i < aLength; ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

std::string Narrow(std::u16string const& wide)
{
    return std::string(wide.begin(), wide.end());
}

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
        FileBytes read = ReadListBytes(ReadStdio, in);
        fclose(in);
        ASSERT_EQ(read.size, bytes.size());
        AppendItemsFromText(&itemList, reinterpret_cast<unsigned char*>(read.bytes), read.size, ListEncoding::CodePage,
                            WidenCp932);
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

    static std::vector<std::u16string> WideEntries()
    {
        std::vector<std::u16string> texts;
        for (Item* item = itemList.head->next; item != nullptr; item = item->next)
            texts.push_back(item->path);
        return texts;
    }
    // The entries of an ASCII list.
    static std::vector<std::string> Entries()
    {
        std::vector<std::string> texts;
        for (std::u16string const& text : WideEntries())
            texts.push_back(Narrow(text));
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
        FileBytes read = ReadListBytes(ReadStdio, in, limit);
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
    char16_t empty[] = u"";
    EXPECT_EQ(StripTrailingNewline(empty), 0);
    EXPECT_EQ(std::u16string(empty), u"");

    char16_t two[] = u"a\n\n";
    EXPECT_EQ(StripTrailingNewline(two), 1);
    EXPECT_EQ(std::u16string(two), u"a\n");

    char16_t none[] = u"a\nb";
    EXPECT_EQ(StripTrailingNewline(none), 0);
    EXPECT_EQ(std::u16string(none), u"a\nb");

    char16_t lone[] = u"\n";
    EXPECT_EQ(StripTrailingNewline(lone), 1);
    EXPECT_EQ(std::u16string(lone), u"");

    char16_t carriage[] = u"a\r";
    EXPECT_EQ(StripTrailingNewline(carriage), 0);
    EXPECT_EQ(std::u16string(carriage), u"a\r");
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
// count times あ in UTF-8.
std::string Hiragana8(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\xE3\x81\x82";
    return text;
}

std::string Units(std::u16string const& text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Each of Notepad's encodings read into UTF-16 as its lines hold it: characters that no
// code page has stay, code page 932 is widened after its 259-byte pieces are cut, and
// UTF-8 and UTF-16 lines are cut into pieces of 259 units, never inside a surrogate pair.
TEST_F(ItemListFile, EveryEncodingReadsIntoTheTextItsLinesHold)
{
    using namespace std::string_literals;
    using W = std::vector<std::u16string>;
    std::u16string const cafe = u"C:\\Café-é\\a.exe", korean = u"D:\\한국어 \U0001F600.txt";
    std::string const cafe8 = "C:\\Caf\xC3\xA9-\xC3\xA9\\a.exe";
    std::u16string const a258(258, u'a'), hiragana300(300, u'あ');
    struct Case {
        const char* what;
        std::string bytes;
        W entries;
        bool lastPieceFull = false;
    } const cases[] = {
        {"UTF-8 without a mark", cafe8 + "\r\n", {cafe}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + cafe8 + "\r\nx", {cafe, u"x"}},
        {"UTF-16 LE", "\xFF\xFE" + Units(korean + u"\r\n" + cafe, false), {korean, cafe}},
        {"UTF-16 BE", "\xFE\xFF" + Units(cafe + u"\r\n" + korean + u"\r\n", true), {cafe, korean}},
        {"code page 932: a trail byte 5C is no separator", "C:\\\x95\x5C\\b.bat\r\n\xB1", {u"C:\\表\\b.bat", u"ｱ"}},
        {"malformed UTF-8 reads as U+FFFD", "\xEF\xBB\xBF" "a\xE8\xA1" "b\xC0\xAF\n", {u"a\uFFFDb\uFFFD\uFFFD"}},
        {"nothing at all", "", {}},
        {"a UTF-16 mark alone", "\xFF\xFE", {}},
        {"a UTF-8 mark alone", "\xEF\xBB\xBF", {}},
        {"UTF-16 with an odd last byte", "\xFF\xFE" + Units(u"a\r\nb", false) + "c", {u"a", u"b"}},
        {"control-Z in UTF-16 ends the text", "\xFE\xFF" + Units(u"a\r\nb\x1A" u"c\r\nd", true), {u"a", u"b"}},
        {"a zero and a lone CR in UTF-16", "\xFF\xFE" + Units(u"a\0b\r\nc\rd"s, false), {u"a", u"c\rd"}},
        {"200 Japanese characters are one entry", "\xEF\xBB\xBF" + Hiragana8(200), {std::u16string(200, u'あ')}},
        {"UTF-16 long line in pieces of 259 units", "\xFF\xFE" + Units(hiragana300, false),
         {hiragana300.substr(0, 259), hiragana300.substr(259)}},
        {"a pair never cut", "\xFF\xFE" + Units(a258 + u"\U0001F600\n", false), {a258, u"\U0001F600"}},
        {"a pair at the end of a full piece", "\xFF\xFE" + Units(a258.substr(1) + u"\U0001F600", false),
         {a258.substr(1) + u"\U0001F600"}, true},
        {"a full piece, then a line feed", "\xEF\xBB\xBF" + std::string(259, 'a') + "\n",
         {std::u16string(259, u'a'), u""}},
    };
    for (Case const& c : cases) {
        FreeEntries();
        ListFileFacts facts =
            ReadListText(&itemList, reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), WidenCp932);
        EXPECT_EQ(WideEntries(), c.entries) << c.what;
        EXPECT_EQ(itemList.itemCount, static_cast<int16_t>(c.entries.size())) << c.what;
        EXPECT_EQ(facts.lastLineFull, c.lastPieceFull) << c.what;
    }
}

// A dropped name against a list file as it is now: the verdict, the bytes that go at its
// end, and the entries the reader makes of them. The list in memory holds C:\Tools\a.exe,
// https://example.org/, C:\ア, D:\ä.txt and D:\😀.txt. Letter case is folded as the system
// folds it (here: ASCII and Latin-1), never by the look of a code page's bytes.
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
        std::u16string made;  // the new entries, joined by '|'
        bool lossy = false;
        bool full = false;
        int32_t position = -1;
    } const cases[] = {
        {"code page, ends in CR LF", "C:\\a.exe\r\n", u"D:\\b.exe", "D:\\b.exe", V::Add, "D:\\b.exe\r\n", u"D:\\b.exe"},
        {"code page, no line end", "C:\\a.exe", u"D:\\b.exe", "D:\\b.exe", V::Add, "\r\nD:\\b.exe\r\n", u"D:\\b.exe"},
        {"empty file", "", u"D:\\b.exe", "D:\\b.exe", V::Add, "D:\\b.exe\r\n", u"D:\\b.exe"},
        {"code page, Japanese", "\x82\xA0\n", u"D:\\表.exe", sjis, V::Add, sjis + "\r\n", u"D:\\表.exe"},
        {"UTF-8 mark, no line end", "\xEF\xBB\xBF" "a", u"D:\\表.exe", sjis, V::Add,
         "\r\nD:\\\xE8\xA1\xA8.exe\r\n", u"D:\\表.exe"},
        {"UTF-8 without mark", "\xE8\xA1\xA8\r\n", u"D:\\表.exe", sjis, V::Add, "D:\\\xE8\xA1\xA8.exe\r\n",
         u"D:\\表.exe"},
        {"UTF-16 LE, ends in CR LF", "\xFF\xFE" + Units(u"a\r\n", false), u"D:\\表.exe", sjis, V::Add,
         Units(u"D:\\表.exe\r\n", false), u"D:\\表.exe"},
        {"UTF-16 BE, no line end", "\xFE\xFF" + Units(u"a", true), u"D:\\표.exe", "D:\\?.exe", V::Add,
         Units(u"\r\nD:\\표.exe\r\n", true), u"D:\\표.exe", true},
        {"UTF-16 mark alone", "\xFF\xFE", u"D:\\表.exe", sjis, V::Add, Units(u"D:\\表.exe\r\n", false), u"D:\\表.exe"},
        {"UTF-8 takes what 932 lacks", "\xE8\xA1\xA8\r\n", u"D:\\\U0001F601", "D:\\?", V::Add,
         "D:\\\xF0\x9F\x98\x81\r\n", u"D:\\\U0001F601", true},
        {"code page cannot", "C:\\a.exe\r\n", u"D:\\\U0001F601", "D:\\?", V::OutsideCodePage, "", u"", true},
        {"258 bytes fit a row", "", std::u16string(258, u'a'), a258, V::Add, a258 + "\r\n", std::u16string(258, u'a')},
        {"259 bytes do not", "", std::u16string(259, u'a'), a259, V::TooLong, "", u""},
        {"UTF-8: 258 units fit a row", "\xEF\xBB\xBF", std::u16string(258, u'あ'), "", V::Add, Hiragana8(258) + "\r\n",
         std::u16string(258, u'あ')},
        {"UTF-8: 259 units do not", "\xEF\xBB\xBF", std::u16string(259, u'a'), "", V::TooLong, "", u""},
        {"more units than a row holds", "", std::u16string(DROPPED_NAME_MAX + 1, u'a'), "", V::TooLong, "", u""},
        {"duplicate, ASCII case ignored", "", u"HTTPS://Example.ORG/", "HTTPS://Example.ORG/", V::Duplicate, "", u"",
         false, false, 1},
        {"duplicate, Ä and ä", "\xEF\xBB\xBF", u"d:\\Ä.TXT", "", V::Duplicate, "", u"", false, false, 3},
        {"different outside the code page", "\xEF\xBB\xBF", u"D:\\\U0001F601.txt", "D:\\?.txt", V::Add,
         "D:\\\xF0\x9F\x98\x81.txt\r\n", u"D:\\\U0001F601.txt", true},
        {"a trail byte is not a letter", "", u"C:\\ヂ", "C:\\\x83\x61", V::Add, "C:\\\x83\x61\r\n", u"C:\\ヂ"},
        {"ASCII file would read as UTF-8", "a\r\n", u"D:\\ﾈｺ", "D:\\\xC8\xBA", V::ReadAsOtherText, "", u""},
        {"Shift_JIS file stays code page", "\x82\xA0\r\n", u"D:\\ﾈｺ", "D:\\\xC8\xBA", V::Add, "D:\\\xC8\xBA\r\n",
         u"D:\\ﾈｺ"},
        {"control-Z", "a\r\n\x1A", u"D:\\b.exe", "D:\\b.exe", V::EndUnread, "", u""},
        {"UTF-16 of an odd size", "\xFF\xFE" + Units(u"a\r\n", false) + "x", u"D:\\b.exe", "D:\\b.exe",
         V::EndUnread, "", u""},
        {"at the entry cap", "", u"D:\\b.exe", "D:\\b.exe", V::ListFull, "", u"", false, true},
        {"last line of a whole piece", a259, u"D:\\b.exe", "D:\\b.exe", V::Add, "\r\nD:\\b.exe\r\n", u"|D:\\b.exe"},
        // Re-saved in another encoding since the start: the file as it is now decides.
        {"re-saved as UTF-16 BE", "\xFE\xFF" + Units(u"C:\\Tools\\a.exe\r\n", true), u"D:\\표", "D:\\?", V::Add,
         Units(u"D:\\표\r\n", true), u"D:\\표", true},
    };
    std::u16string const list = u"C:\\Tools\\a.exe\nhttps://example.org/\nC:\\ア\nD:\\ä.txt\nD:\\\U0001F600.txt";
    std::string const list16 = Units(list, false);
    AppendItemsFromText(&itemList, reinterpret_cast<const unsigned char*>(list16.data()), list16.size(),
                        ListEncoding::Utf16LittleEndian, WidenCp932);
    ASSERT_EQ(itemList.itemCount, 5);
    for (Case const& c : cases) {
        const unsigned char* file = reinterpret_cast<const unsigned char*>(c.file.data());
        ItemList scratch = {NewItemListHead(), 0};
        ListFileFacts facts = ReadListText(&scratch, file, c.file.size(), WidenCp932);
        FreeEntriesAfter(scratch.head);
        itemList.itemCount = c.full ? ITEM_COUNT_MAX : 5;
        DroppedName name = {c.wide.data(), c.wide.size(), c.entry.c_str(), c.lossy};
        int32_t position = -1;
        EXPECT_EQ(DecideDrop(facts, name, SameFolded, &position), c.verdict) << c.what;
        if (c.verdict == V::Duplicate) {
            EXPECT_EQ(position, c.position) << c.what;
        }
        if (c.verdict != V::Add)
            continue;
        size_t tail = c.file.size() < 2 ? c.file.size() : 2;
        AppendedLine line;
        MakeAppendedLine(&line, facts, file + c.file.size() - tail, tail, c.file.size(), name);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(line.bytes), line.size), c.bytes) << c.what;
        ItemList made = {NewItemListHead(), 0};
        AppendItemsFromText(&made, line.bytes + line.textOffset, line.size - line.textOffset, facts.kind.encoding,
                            WidenCp932);
        std::u16string joined;
        for (Item* item = made.head->next; item != nullptr; item = item->next)
            joined += (joined.empty() && item == made.head->next ? u"" : u"|") + std::u16string(item->path);
        EXPECT_EQ(joined, c.made) << c.what;
        EXPECT_EQ(made.itemCount, line.entries) << c.what;
        FreeEntriesAfter(made.head);
    }
    itemList.itemCount = 5;
}

// The list follows its file: read again when its write time or size changed, and kept as it
// is while the file cannot be seen.
TEST(ListFileChanged, ReadsAgainOnlyAFileThatIsThereAndDiffers)
{
    ListFileStamp const read = {1000, 20};
    struct Case {
        const char* what;
        ListFileQuery now;
        bool changed;
    } const cases[] = {
        {"the same", {true, {1000, 20}}, false},
        {"written since", {true, {1001, 20}}, true},
        {"restored to an older time", {true, {999, 20}}, true},
        {"same time, other size", {true, {1000, 21}}, true},
        {"gone, or a folder, or locked", {false, {0, 0}}, false},
    };
    for (Case const& c : cases)
        EXPECT_EQ(ListFileChanged(read, c.now), c.changed) << c.what;
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
