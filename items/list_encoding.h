// Which of Notepad's encodings the list file was saved in, told from its bytes.
// Portable: no <windows.h>.
#pragma once
#include <stddef.h>

enum class ListEncoding {
    CodePage,  // the system's ANSI code page ("ANSI"), read byte for byte
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian,
};

struct ListTextKind {
    ListEncoding encoding;
    size_t markLength;  // bytes of the byte-order mark before the text: 0, 2 or 3
};

// A byte-order mark names the encoding: EF BB BF UTF-8, FF FE UTF-16 little endian,
// FE FF UTF-16 big endian. Without one, the text is UTF-8 when the whole of it is valid
// UTF-8 holding at least one byte of 0x80 or above; otherwise it is in the code page.
// Shift_JIS text almost never passes as UTF-8: a trail byte below 0x80 or a lone
// half-width katakana breaks it.
ListTextKind DetectListEncoding(const unsigned char* bytes, size_t size);

// A code point no UTF-8 sequence decodes to: marks a malformed one.
unsigned const UTF8_MALFORMED = 0xFFFFFFFFu;

// Decodes the UTF-8 sequence at the start of bytes (left of them, at least 1) into *point
// and returns the bytes it takes. A malformed sequence gives UTF8_MALFORMED and takes its
// longest well-formed beginning, at least one byte: each such run reads as one U+FFFD, as
// Windows' own conversion reads it.
size_t DecodeUtf8(const unsigned char* bytes, size_t left, unsigned* point);
