#include "items/list_text.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include "items/list_encoding.h"
#include "platform/win32.h"

namespace {

FileBytes const NOTHING = {nullptr, 0};

// The UTF-16 text as wide characters; an odd last byte is no character and is dropped.
WCHAR* WideFromUtf16(const unsigned char* bytes, size_t size, bool bigEndian, int* count)
{
    size_t units = size / 2;
    WCHAR* wide = static_cast<WCHAR*>(malloc(units * sizeof(WCHAR)));
    if (wide == nullptr)
        return nullptr;
    for (size_t i = 0; i < units; ++i) {
        unsigned high = bytes[2 * i + (bigEndian ? 0 : 1)], low = bytes[2 * i + (bigEndian ? 1 : 0)];
        wide[i] = static_cast<WCHAR>(high << 8 | low);
    }
    *count = static_cast<int>(units);
    return wide;
}

// Sized by a first call; malformed sequences become U+FFFD, which no code page holds.
WCHAR* WideFromUtf8(const unsigned char* bytes, size_t size, int* count)
{
    const char* text = reinterpret_cast<const char*>(bytes);
    int needed = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0);
    WCHAR* wide = needed > 0 ? static_cast<WCHAR*>(malloc(needed * sizeof(WCHAR))) : nullptr;
    if (wide == nullptr)
        return nullptr;
    *count = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), wide, needed);
    return wide;
}

FileBytes CodePageText(const WCHAR* wide, int count)
{
    int needed = CodePageFromWide(wide, count, nullptr, 0, nullptr);
    char* bytes = needed > 0 ? static_cast<char*>(malloc(needed)) : nullptr;
    if (bytes == nullptr)
        return NOTHING;
    int written = CodePageFromWide(wide, count, bytes, needed, nullptr);
    return {bytes, static_cast<size_t>(written)};
}

// Converts size bytes of UTF-8 or UTF-16 text; nothing when memory is short.
FileBytes Convert(ListEncoding encoding, const unsigned char* text, size_t size)
{
    int count = 0;
    WCHAR* wide = encoding == ListEncoding::Utf8
                      ? WideFromUtf8(text, size, &count)
                      : WideFromUtf16(text, size, encoding == ListEncoding::Utf16BigEndian, &count);
    if (wide == nullptr)
        return NOTHING;
    FileBytes converted = CodePageText(wide, count);
    free(wide);
    return converted;
}

}  // namespace

int CodePageFromWide(const WCHAR* wide, int count, char* out, int size, bool* lost)
{
    // Without this flag a character the code page lacks may become a look-alike that it
    // has, even a backslash (from the yen sign) or a dot, and so name some other file.
    // UTF-8 holds every character and takes neither the flag nor the question.
    bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, count, out, size, nullptr,
                                      utf8 || lost == nullptr ? nullptr : &usedDefault);
    if (lost != nullptr)
        *lost = usedDefault != FALSE;
    return written;
}

FileBytes TextInCodePage(FileBytes file, ListTextKind kind)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.bytes);
    if (kind.encoding == ListEncoding::CodePage)
        return file;
    size_t size = file.size - kind.markLength;
    if (kind.encoding == ListEncoding::Utf8 && GetACP() == CP_UTF8) {
        memmove(file.bytes, file.bytes + kind.markLength, size);
        file.size = size;
        return file;
    }
    // The conversion calls count in int; beyond that the text ends as on a short read.
    if (size > INT_MAX)
        size = INT_MAX;
    // Memory short for the whole text: halves of it until its start fits, like a short read.
    FileBytes converted = NOTHING;
    for (; size > 0 && converted.bytes == nullptr; size /= 2)
        converted = Convert(kind.encoding, bytes + kind.markLength, size);
    free(file.bytes);
    return converted;
}
