#include "items/list_append.h"

#include <string.h>

#include "items/item_list.h"

namespace {

bool IsUtf16(ListEncoding encoding)
{
    return encoding == ListEncoding::Utf16LittleEndian || encoding == ListEncoding::Utf16BigEndian;
}

// The position of the entry equal to the name, or -1.
int32_t FindEntry(DroppedName const& name, SameTextTest same)
{
    int32_t position = 0;
    for (Item* item = itemList.head->next; item != nullptr; item = item->next, ++position)
        if (same(item->path, TextLength(item->path), name.wide, name.length))
            return position;
    return -1;
}

// One UTF-16 unit in the file's byte order.
unsigned char* PutUnit(unsigned char* out, ListEncoding encoding, unsigned unit)
{
    bool big = encoding == ListEncoding::Utf16BigEndian;
    out[big ? 1 : 0] = static_cast<unsigned char>(unit & 0xFF);
    out[big ? 0 : 1] = static_cast<unsigned char>(unit >> 8);
    return out + 2;
}

// The code point of the unit at wide[i], and of the unit after it when the two are a
// surrogate pair (then *i moves past the first). A lone surrogate becomes U+FFFD, as
// Windows' own conversion makes it.
unsigned NextCodePoint(const char16_t* wide, size_t length, size_t* i)
{
    unsigned unit = wide[*i];
    if (unit >= 0xD800 && unit <= 0xDBFF && *i + 1 < length && wide[*i + 1] >= 0xDC00 && wide[*i + 1] <= 0xDFFF)
        return 0x10000 + ((unit - 0xD800) << 10) + (wide[++*i] - 0xDC00);
    return unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit;
}

unsigned char* PutUtf8(unsigned char* out, const char16_t* wide, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        unsigned point = NextCodePoint(wide, length, &i);
        int tail = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
        static unsigned char const LEAD[] = {0x00, 0xC0, 0xE0, 0xF0};
        *out++ = static_cast<unsigned char>(LEAD[tail] | point >> (6 * tail));
        for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
            *out++ = static_cast<unsigned char>(0x80 | ((point >> shift) & 0x3F));
    }
    return out;
}

// Carriage return and line feed in the file's encoding.
unsigned char* PutLineEnd(unsigned char* out, ListEncoding encoding)
{
    if (!IsUtf16(encoding)) {
        memcpy(out, "\r\n", 2);
        return out + 2;
    }
    return PutUnit(PutUnit(out, encoding, '\r'), encoding, '\n');
}

bool EndsInLineFeed(ListEncoding encoding, const unsigned char* tail, size_t tailSize)
{
    if (!IsUtf16(encoding))
        return tailSize >= 1 && tail[tailSize - 1] == '\n';
    unsigned char last[2];
    PutUnit(last, encoding, '\n');
    return tailSize >= 2 && memcmp(tail + tailSize - 2, last, 2) == 0;
}

// Bytes of the file or units of a name, all below 0x80.
template <typename Unit>
bool AllAscii(const Unit* units, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (units[i] >= 0x80)
            return false;
    return true;
}

// Unicode's white space, not only ASCII's: a space typed with a Japanese input method is
// U+3000, and a browser's address never holds one unencoded.
bool IsWhiteSpace(char16_t unit)
{
    return (unit >= 0x09 && unit <= 0x0D) || unit == 0x20 || unit == 0x85 || unit == 0xA0 || unit == 0x1680 ||
           (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 || unit == 0x2029 || unit == 0x202F ||
           unit == 0x205F || unit == 0x3000;
}

// The C0 and C1 controls and DEL.
bool IsControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// Schemes are ASCII, and their letter case does not matter.
bool SameScheme(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a | 0x20) : *a;
        char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b | 0x20) : *b;
        if (x != y)
            return false;
        if (x == '\0')
            return true;
    }
}

// A registry key's name has at most 255 characters: a longer scheme is registered nowhere.
size_t const SCHEME_MAX = 255;

bool IsOpenedScheme(const char* scheme, SchemeTest isRegisteredScheme)
{
    // Either would run the rest of the address as a script in whatever opened it.
    static const char* const NEVER[] = {"javascript", "vbscript"};
    // Every system opens these, whatever its registry says.
    static const char* const ALWAYS[] = {"http", "https", "ftp", "mailto", "file"};
    for (const char* never : NEVER)
        if (SameScheme(scheme, never))
            return false;
    for (const char* always : ALWAYS)
        if (SameScheme(scheme, always))
            return true;
    return isRegisteredScheme != nullptr && isRegisteredScheme(scheme);
}

}  // namespace

ListFileFacts ReadListText(ItemList* list, const unsigned char* bytes, size_t size, CodePageWidener widen)
{
    ListTextKind kind = DetectListEncoding(bytes, size);
    ListTextEnd end = AppendItemsFromText(list, bytes + kind.markLength, size - kind.markLength, kind.encoding, widen);
    bool oddUtf16 = IsUtf16(kind.encoding) && size % 2 != 0;
    return {kind, AllAscii(bytes, size), oddUtf16 || end.controlZ, end.lastPieceFull, {0, 0}};
}

bool ListFileChanged(ListFileStamp const& lastRead, ListFileQuery const& now)
{
    return now.found && (now.stamp.writeTime != lastRead.writeTime || now.stamp.size != lastRead.size);
}

DropVerdict DecideDrop(ListFileFacts const& facts, DroppedName const& name, SameTextTest same, int32_t* position)
{
    bool ansi = facts.kind.encoding == ListEncoding::CodePage;
    // A line of ITEM_TEXT_MAX bytes or units is read as the entry and then an empty one.
    size_t const ROW = static_cast<size_t>(ITEM_TEXT_MAX);
    if (name.length > DROPPED_NAME_MAX || (ansi ? strlen(name.entry) : name.length) >= ROW)
        return DropVerdict::TooLong;
    if (ansi && name.lossy)
        return DropVerdict::OutsideCodePage;
    *position = FindEntry(name, same);
    if (*position >= 0)
        return DropVerdict::Duplicate;
    const unsigned char* entry = reinterpret_cast<const unsigned char*>(name.entry);
    if (ansi && facts.asciiOnly && DetectListEncoding(entry, strlen(name.entry)).encoding != ListEncoding::CodePage)
        return DropVerdict::ReadAsOtherText;
    if (facts.endUnread)
        return DropVerdict::EndUnread;
    // An empty entry that goes before it (see lastLineFull) takes a place of its own.
    if (itemList.itemCount >= ITEM_COUNT_MAX - (facts.lastLineFull ? 1 : 0))
        return DropVerdict::ListFull;
    return DropVerdict::Add;
}

void MakeAppendedLine(AppendedLine* line, ListFileFacts const& facts, const unsigned char* tail, size_t tailSize,
                      uint64_t fileSize, DroppedName const& name)
{
    ListEncoding encoding = facts.kind.encoding;
    bool lineEndFirst = fileSize > facts.kind.markLength && !EndsInLineFeed(encoding, tail, tailSize);
    unsigned char* out = line->bytes;
    if (lineEndFirst)
        out = PutLineEnd(out, encoding);
    // That line ending only ends the last line, unless that line is a whole piece: then the
    // reader takes it for an empty entry, now as at the next start.
    line->textOffset = lineEndFirst && !facts.lastLineFull ? static_cast<size_t>(out - line->bytes) : 0;
    line->entries = lineEndFirst && facts.lastLineFull ? 2 : 1;
    if (encoding == ListEncoding::CodePage) {
        memcpy(out, name.entry, strlen(name.entry));
        out += strlen(name.entry);
    } else if (encoding == ListEncoding::Utf8) {
        out = PutUtf8(out, name.wide, name.length);
    } else {
        for (size_t i = 0; i < name.length; ++i)
            out = PutUnit(out, encoding, name.wide[i]);
    }
    out = PutLineEnd(out, encoding);
    line->size = static_cast<size_t>(out - line->bytes);
}

void NoteAppended(ListFileFacts* facts, DroppedName const& name)
{
    facts->asciiOnly = facts->asciiOnly && AllAscii(name.wide, name.length);
    facts->lastLineFull = false;
}

bool FindDroppedAddress(const char16_t* text, size_t size, SchemeTest isRegisteredScheme, size_t* start,
                        size_t* length)
{
    size_t first = size > 0 && text[0] == 0xFEFF ? 1 : 0, end = size;
    while (first < end && IsWhiteSpace(text[first]))
        ++first;
    while (end > first && IsWhiteSpace(text[end - 1]))
        --end;
    *start = first;
    *length = end - first;
    // "Re: meeting notes" has the form of a scheme; the space after it shows it is prose.
    for (size_t i = first; i < end; ++i)
        if (IsWhiteSpace(text[i]) || IsControl(text[i]))
            return false;
    // The scheme and its colon as bytes, for IsAddress to judge their form.
    char scheme[SCHEME_MAX + 2] = {};
    for (size_t i = 0; i <= SCHEME_MAX && first + i < end && text[first + i] < 0x80; ++i) {
        scheme[i] = static_cast<char>(text[first + i]);
        if (scheme[i] == ':')
            break;
    }
    if (!IsAddress(scheme))
        return false;
    *strchr(scheme, ':') = '\0';
    return IsOpenedScheme(scheme, isRegisteredScheme);
}
