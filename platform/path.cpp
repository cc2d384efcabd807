#include "platform/path.h"

#include <string.h>

namespace {

bool IsSeparator(unsigned long unit)
{
    return unit == '\\' || unit == '/' || unit == ':';
}

bool NoLeadUnits(wchar_t) { return false; }

template <typename Char, typename LeadTest>
size_t FinalOffset(const Char* path, LeadTest isLead)
{
    size_t start = 0;
    size_t i = 0;
    while (path[i] != 0) {
        Char unit = path[i];
        if (isLead(unit) && path[i + 1] != 0) {
            i += 2;  // the trail byte may look like a separator; it is not one
            continue;
        }
        ++i;
        if (IsSeparator(static_cast<unsigned long>(unit)))
            start = i;
    }
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

size_t FinalComponentOffset(const char* path, LeadByteTest isLeadByte)
{
    return FinalOffset(path, [isLeadByte](char unit) { return isLeadByte(static_cast<unsigned char>(unit)); });
}

size_t FinalComponentOffset(const wchar_t* path)
{
    return FinalOffset(path, NoLeadUnits);
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

int CopyFolderPart(char* out, size_t size, const char* path, LeadByteTest isLeadByte)
{
    size_t length = FinalComponentOffset(path, isLeadByte);
    if (size > 0)
        out[0] = '\0';
    if (length + 1 > size)
        return 0;
    memcpy(out, path, length);
    out[length] = '\0';
    return 1;
}

static bool IsAsciiLetter(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

static bool IsSchemeByte(unsigned char byte)
{
    return IsAsciiLetter(byte) || (byte >= '0' && byte <= '9') || byte == '+' || byte == '-' || byte == '.';
}

bool IsAddress(const char* entry)
{
    if (!IsAsciiLetter(static_cast<unsigned char>(entry[0])))
        return false;
    size_t length = 1;
    while (IsSchemeByte(static_cast<unsigned char>(entry[length])))
        ++length;
    return length >= 2 && entry[length] == ':';
}

const char* EntryWorkingFolder(char* out, size_t size, const char* entry, LeadByteTest isLeadByte)
{
    CopyFolderPart(out, size, entry, isLeadByte);
    return IsAddress(entry) ? nullptr : out;
}

static bool IsSlash(char byte)
{
    return byte == '\\' || byte == '/';
}

static unsigned char LowerAscii(char byte)
{
    unsigned char value = static_cast<unsigned char>(byte);
    return IsAsciiLetter(value) ? static_cast<unsigned char>(value | 0x20) : value;
}

static bool SamePathByte(char a, char b)
{
    if (IsSlash(a) || IsSlash(b))
        return IsSlash(a) && IsSlash(b);
    return LowerAscii(a) == LowerAscii(b);
}

// Whether text begins with prefix, ASCII case and the kind of slash aside.
static bool StartsWithPath(const char* text, const char* prefix)
{
    size_t i = 0;
    while (prefix[i] != '\0' && SamePathByte(text[i], prefix[i]))
        ++i;
    return prefix[i] == '\0';
}

static char const SYSTEM_NAME[] = "System32";
static char const NATIVE_NAME[] = "Sysnative";
static size_t const SYSTEM_LENGTH = sizeof SYSTEM_NAME - 1;
static size_t const NATIVE_LENGTH = sizeof NATIVE_NAME - 1;

// Where "System32" starts in a path inside the system folder, or 0 when it is not there.
static size_t SystemFolderOffset(const char* path, const char* windowsFolder)
{
    size_t offset = strlen(windowsFolder);
    if (offset == 0 || !StartsWithPath(path, windowsFolder))
        return 0;
    if (!IsSlash(windowsFolder[offset - 1])) {
        if (!IsSlash(path[offset]))
            return 0;  // a longer name that merely starts like the Windows folder
        ++offset;
    }
    if (!StartsWithPath(path + offset, SYSTEM_NAME))
        return 0;
    char const* after = path + offset + SYSTEM_LENGTH;
    // The folder itself, with or without its separator, stays as it is.
    return IsSlash(after[0]) && after[1] != '\0' ? offset : 0;
}

int MapToSysnative(char* out, size_t size, const char* path, const char* windowsFolder)
{
    if (size > 0)
        out[0] = '\0';
    size_t offset = SystemFolderOffset(path, windowsFolder);
    if (offset == 0)
        return 0;
    char const* rest = path + offset + SYSTEM_LENGTH;
    size_t restLength = strlen(rest);
    if (offset + NATIVE_LENGTH + restLength + 1 > size)
        return 0;
    memcpy(out, path, offset);
    memcpy(out + offset, NATIVE_NAME, NATIVE_LENGTH);
    memcpy(out + offset + NATIVE_LENGTH, rest, restLength + 1);
    return 1;
}
