#include "view/tip_text.h"

#include <wchar.h>

namespace {

// Appends text after out's first length characters, as much as fits with the terminator.
size_t Append(wchar_t* out, size_t size, size_t length, const wchar_t* text)
{
    for (; *text != L'\0' && length + 1 < size; ++text)
        out[length++] = *text;
    out[length] = L'\0';
    return length;
}

}  // namespace

size_t ComposeTipText(wchar_t* out, size_t size, TipFacts const& facts)
{
    out[0] = L'\0';
    bool named = !facts.address && facts.exists && facts.entry[0] != L'\0' && facts.displayName[0] != L'\0' &&
                 wcscmp(facts.displayName, facts.entry) != 0;
    size_t length = 0;
    if (named) {
        length = Append(out, size, length, facts.displayName);
        length = Append(out, size, length, L"\r\n");
    }
    return Append(out, size, length, facts.entry);
}
