#include "platform/path.h"

#include <string.h>

#include <type_traits>

namespace {

bool IsSeparator(unsigned long unit)
{
    return unit == '\\' || unit == '/' || unit == ':';
}

template <typename Char>
size_t FinalOffset(const Char* path)
{
    size_t start = 0;
    for (size_t i = 0; path[i] != 0; ++i)
        if (IsSeparator(static_cast<unsigned long>(path[i])))
            start = i + 1;
    return start;
}

template <typename Char>
size_t TextLength(const Char* text)
{
    size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

// Copies the ASCII text and its terminator, one unit per byte.
template <typename Char>
void CopyAscii(Char* out, const char* ascii, size_t length)
{
    for (size_t i = 0; i <= length; ++i)
        out[i] = static_cast<Char>(static_cast<unsigned char>(ascii[i]));
}

template <typename Char>
int JoinTexts(Char* out, size_t size, const Char* folder, const char* name)
{
    size_t folderLength = TextLength(folder);
    size_t nameLength = strlen(name);
    if (size > 0)
        out[0] = 0;
    if (folderLength == 0 || folderLength + nameLength + 1 > size)
        return 0;
    memcpy(out, folder, folderLength * sizeof(Char));
    CopyAscii(out + folderLength, name, nameLength);
    return 1;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t FinalComponentOffset(const char16_t* path)
{
    return FinalOffset(path);
}

size_t FinalComponentOffset(const wchar_t* path)
{
    return FinalOffset(path);
}

int JoinPath(char* out, size_t size, const char* folder, const char* name)
{
    return JoinTexts(out, size, folder, name);
}

int JoinPath(wchar_t* out, size_t size, const wchar_t* folder, const char* name)
{
    return JoinTexts(out, size, folder, name);
}

int WidenAscii(wchar_t* out, size_t size, const char* ascii)
{
    size_t length = strlen(ascii);
    if (size > 0)
        out[0] = 0;
    if (length + 1 > size)
        return 0;
    CopyAscii(out, ascii, length);
    return 1;
}

int CopyFolderPart(char16_t* out, size_t size, const char16_t* path)
{
    size_t length = FinalComponentOffset(path);
    if (size > 0)
        out[0] = u'\0';
    if (length + 1 > size)
        return 0;
    memcpy(out, path, length * sizeof(char16_t));
    out[length] = u'\0';
    return 1;
}

static bool IsAsciiLetter(unsigned long unit)
{
    return (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z');
}

static bool IsSchemeUnit(unsigned long unit)
{
    return IsAsciiLetter(unit) || (unit >= '0' && unit <= '9') || unit == '+' || unit == '-' || unit == '.';
}

// Units taken as unsigned: a byte of 0x80 or above is no letter.
template <typename Char>
static bool IsAddressText(const Char* entry)
{
    using Unit = typename std::make_unsigned<Char>::type;
    if (!IsAsciiLetter(static_cast<Unit>(entry[0])))
        return false;
    size_t length = 1;
    while (IsSchemeUnit(static_cast<Unit>(entry[length])))
        ++length;
    return length >= 2 && entry[length] == ':';
}

bool IsAddress(const char* entry)
{
    return IsAddressText(entry);
}

bool IsAddress(const char16_t* entry)
{
    return IsAddressText(entry);
}

const char16_t* EntryWorkingFolder(char16_t* out, size_t size, const char16_t* entry)
{
    CopyFolderPart(out, size, entry);
    return IsAddress(entry) ? nullptr : out;
}

static bool IsSlash(char16_t unit)
{
    return unit == u'\\' || unit == u'/';
}

static char16_t LowerAscii(char16_t unit)
{
    return IsAsciiLetter(unit) ? static_cast<char16_t>(unit | 0x20) : unit;
}

static bool SamePathUnit(char16_t a, char16_t b)
{
    if (IsSlash(a) || IsSlash(b))
        return IsSlash(a) && IsSlash(b);
    return LowerAscii(a) == LowerAscii(b);
}

// Whether text begins with prefix, ASCII case and the kind of slash aside.
static bool StartsWithPath(const char16_t* text, const char16_t* prefix)
{
    size_t i = 0;
    while (prefix[i] != u'\0' && SamePathUnit(text[i], prefix[i]))
        ++i;
    return prefix[i] == u'\0';
}

static char16_t const SYSTEM_NAME[] = u"System32";
static char16_t const NATIVE_NAME[] = u"Sysnative";
static size_t const SYSTEM_LENGTH = sizeof SYSTEM_NAME / sizeof SYSTEM_NAME[0] - 1;
static size_t const NATIVE_LENGTH = sizeof NATIVE_NAME / sizeof NATIVE_NAME[0] - 1;

// Where "System32" starts in a path inside the system folder, or 0 when it is not there.
static size_t SystemFolderOffset(const char16_t* path, const char16_t* windowsFolder)
{
    size_t offset = TextLength(windowsFolder);
    if (offset == 0 || !StartsWithPath(path, windowsFolder))
        return 0;
    if (!IsSlash(windowsFolder[offset - 1])) {
        if (!IsSlash(path[offset]))
            return 0;  // a longer name that merely starts like the Windows folder
        ++offset;
    }
    if (!StartsWithPath(path + offset, SYSTEM_NAME))
        return 0;
    char16_t const* after = path + offset + SYSTEM_LENGTH;
    // The folder itself, with or without its separator, stays as it is.
    return IsSlash(after[0]) && after[1] != u'\0' ? offset : 0;
}

int MapToSysnative(char16_t* out, size_t size, const char16_t* path, const char16_t* windowsFolder)
{
    if (size > 0)
        out[0] = u'\0';
    size_t offset = SystemFolderOffset(path, windowsFolder);
    if (offset == 0)
        return 0;
    char16_t const* rest = path + offset + SYSTEM_LENGTH;
    size_t restLength = TextLength(rest);
    if (offset + NATIVE_LENGTH + restLength + 1 > size)
        return 0;
    memcpy(out, path, offset * sizeof(char16_t));
    memcpy(out + offset, NATIVE_NAME, NATIVE_LENGTH * sizeof(char16_t));
    memcpy(out + offset + NATIVE_LENGTH, rest, (restLength + 1) * sizeof(char16_t));
    return 1;
}
