#include "items/list_text.h"

#include <string.h>

#include "platform/process.h"

namespace {

// Looked up, not declared by the headers for the oldest systems the build names.
using CompareStringOrdinalCall = int(WINAPI*)(LPCWSTR a, int aLength, LPCWSTR b, int bLength, BOOL ignoreCase);
CompareStringOrdinalCall compareOrdinal;
bool compareLookedUp = false;

}  // namespace

size_t WidenCodePage(const char* bytes, size_t size, char16_t* out)
{
    int count = static_cast<int>(size);
    int written = MultiByteToWideChar(CP_ACP, 0, bytes, count, AsWide(out), count);
    return written > 0 ? static_cast<size_t>(written) : 0;
}

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

bool SameEntryText(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength)
{
    // The file system's own rule for names: each unit folded to its upper case, no
    // normalisation, so that two names it would keep apart are never one entry. Every
    // system from Vista on has the call; without it, only the same units are the same.
    if (!compareLookedUp) {
        compareLookedUp = true;
        compareOrdinal = FindCall<CompareStringOrdinalCall>(GetModuleHandleA("kernel32.dll"), "CompareStringOrdinal");
    }
    if (compareOrdinal == nullptr)
        return aLength == bLength && memcmp(a, b, aLength * sizeof(char16_t)) == 0;
    return compareOrdinal(AsWide(a), static_cast<int>(aLength), AsWide(b), static_cast<int>(bLength), TRUE) == CSTR_EQUAL;
}
