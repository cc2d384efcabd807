#include "platform/path.h"

#include <string.h>

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

static bool IsSeparator(unsigned char byte)
{
    return byte == '\\' || byte == '/' || byte == ':';
}

size_t FinalComponentOffset(const char* path, LeadByteTest isLeadByte)
{
    size_t start = 0;
    size_t i = 0;
    while (path[i] != '\0') {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte) && path[i + 1] != '\0') {
            i += 2;  // the trail byte may look like a separator; it is not one
            continue;
        }
        ++i;
        if (IsSeparator(byte))
            start = i;
    }
    return start;
}

int JoinPath(char* out, size_t size, const char* folder, const char* name)
{
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    if (size > 0)
        out[0] = '\0';
    if (folderLength == 0 || folderLength + nameLength + 1 > size)
        return 0;
    memcpy(out, folder, folderLength);
    memcpy(out + folderLength, name, nameLength + 1);
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
