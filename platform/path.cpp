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
