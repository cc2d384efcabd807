#include "items/list_append.h"

#include <string.h>

#include "items/item_list.h"

namespace {

int const CONTROL_Z = 26;

bool IsUtf16(ListEncoding encoding)
{
    return encoding == ListEncoding::Utf16LittleEndian || encoding == ListEncoding::Utf16BigEndian;
}

unsigned char LowerAscii(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte | 0x20) : byte;
}

// Windows compares file names without regard to letter case. Only ASCII letters are folded:
// the same rule on every system and code page, and the letters of every path and address
// scheme. The byte after a lead byte is compared as it is, since 0x41 to 0x7A there is half
// of a double-byte character, not a letter.
bool SameEntry(const char* a, const char* b, LeadByteTest isLeadByte)
{
    for (bool trail = false;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (trail ? x != y : LowerAscii(x) != LowerAscii(y))
            return false;
        if (x == '\0')
            return true;
        trail = !trail && isLeadByte(x);
    }
}

// The position of the entry equal to text, or -1.
int32_t FindEntry(const char* text, LeadByteTest isLeadByte)
{
    int32_t position = 0;
    for (Item* item = itemList.head->next; item != nullptr; item = item->next, ++position)
        if (SameEntry(item->path, text, isLeadByte))
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

bool AllAscii(const unsigned char* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] >= 0x80)
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

// A scheme is ASCII: no byte of it leads a double-byte character.
bool NoLeadBytes(unsigned char)
{
    return false;
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
        if (SameEntry(scheme, never, NoLeadBytes))
            return false;
    for (const char* always : ALWAYS)
        if (SameEntry(scheme, always, NoLeadBytes))
            return true;
    return isRegisteredScheme != nullptr && isRegisteredScheme(scheme);
}

}  // namespace

ListFileFacts FindListFileFacts(const unsigned char* bytes, size_t size)
{
    ListTextKind kind = DetectListEncoding(bytes, size);
    return {kind, AllAscii(bytes, size), IsUtf16(kind.encoding) && size % 2 != 0, false};
}

void NoteListText(ListFileFacts* facts, const char* text, size_t size)
{
    facts->endUnread = facts->endUnread || memchr(text, CONTROL_Z, size) != nullptr;
    size_t lineStart = size;
    while (lineStart > 0 && text[lineStart - 1] != '\n')
        --lineStart;
    size_t lastLine = size - lineStart;
    facts->lastLineFull = lastLine > 0 && lastLine % ITEM_TEXT_MAX == 0;
}

DropVerdict DecideDrop(ListFileFacts const& facts, DroppedName const& name, LeadByteTest isLeadByte,
                       int32_t* position)
{
    bool ansi = facts.kind.encoding == ListEncoding::CodePage;
    // A line of ITEM_TEXT_MAX bytes is read as the entry and then an empty one.
    if (name.length > DROPPED_NAME_MAX || strlen(name.entry) >= static_cast<size_t>(ITEM_TEXT_MAX))
        return DropVerdict::TooLong;
    if (ansi && name.lossy)
        return DropVerdict::OutsideCodePage;
    *position = FindEntry(name.entry, isLeadByte);
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

    size_t at = 0;
    if (lineEndFirst && facts.lastLineFull)
        line->text[at++] = '\n';
    memcpy(line->text + at, name.entry, strlen(name.entry));
    line->textSize = at + strlen(name.entry);
    line->entries = static_cast<int>(at) + 1;
}

void NoteAppended(ListFileFacts* facts, DroppedName const& name)
{
    const unsigned char* entry = reinterpret_cast<const unsigned char*>(name.entry);
    facts->asciiOnly = facts->asciiOnly && AllAscii(entry, strlen(name.entry));
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
