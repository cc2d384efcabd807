#include "items/list_encoding.h"

namespace {

bool StartsWith(const unsigned char* bytes, size_t size, const char* mark, size_t markLength)
{
    if (size < markLength)
        return false;
    for (size_t i = 0; i < markLength; ++i)
        if (bytes[i] != static_cast<unsigned char>(mark[i]))
            return false;
    return true;
}

// Valid UTF-8 that is not plain ASCII: ASCII alone reads the same in every code page.
bool IsUtf8BeyondAscii(const unsigned char* bytes, size_t size)
{
    bool beyondAscii = false;
    for (size_t at = 0; at < size;) {
        unsigned point;
        size_t length = DecodeUtf8(bytes + at, size - at, &point);
        if (point == UTF8_MALFORMED)
            return false;
        beyondAscii = beyondAscii || length > 1;
        at += length;
    }
    return beyondAscii;
}

}  // namespace

size_t DecodeUtf8(const unsigned char* bytes, size_t left, unsigned* point)
{
    unsigned char lead = bytes[0];
    *point = lead;
    if (lead < 0x80)
        return 1;
    *point = UTF8_MALFORMED;
    if (lead < 0xC2 || lead > 0xF4)
        return 1;
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    // The second byte's narrower ranges after E0, ED, F0 and F4 rule out overlong forms,
    // the surrogates (U+D800 to U+DFFF) and everything above U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    unsigned value = lead & (0x7Fu >> length);
    size_t i = 1;
    for (; i < length && i < left; ++i) {
        unsigned char byte = bytes[i];
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return i;
        value = value << 6 | (byte & 0x3Fu);
    }
    if (i == length)
        *point = value;
    return i;
}

ListTextKind DetectListEncoding(const unsigned char* bytes, size_t size)
{
    if (StartsWith(bytes, size, "\xEF\xBB\xBF", 3))
        return {ListEncoding::Utf8, 3};
    if (StartsWith(bytes, size, "\xFF\xFE", 2))
        return {ListEncoding::Utf16LittleEndian, 2};
    if (StartsWith(bytes, size, "\xFE\xFF", 2))
        return {ListEncoding::Utf16BigEndian, 2};
    if (IsUtf8BeyondAscii(bytes, size))
        return {ListEncoding::Utf8, 0};
    return {ListEncoding::CodePage, 0};
}
