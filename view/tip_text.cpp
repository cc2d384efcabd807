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

static int32_t AtMost(int32_t value, int32_t most)
{
    return value < most ? value : most;
}

TipPlacement PlaceTipBeside(int32_t panelRight, int32_t pointerX, int32_t screenWidth, TipSizes const& sizes)
{
    int32_t x = panelRight + sizes.gap;
    int32_t room = screenWidth - x - sizes.frame;
    if (room >= sizes.narrowest)
        return TipPlacement{x, AtMost(sizes.widest, room)};
    int32_t rightRoom = screenWidth - (pointerX + sizes.pointerGap) - sizes.frame;
    int32_t leftRoom = pointerX - sizes.pointerGap - sizes.frame;
    int32_t width = AtMost(sizes.widest, rightRoom >= leftRoom ? rightRoom : leftRoom);
    if (width < 1)
        width = 1;
    x = rightRoom >= leftRoom ? pointerX + sizes.pointerGap : pointerX - sizes.pointerGap - sizes.frame - width;
    // A screen too narrow for even that: as far left as keeps the tip's right edge on it.
    x = AtMost(x, screenWidth - sizes.frame - width);
    return TipPlacement{x < 0 ? 0 : x, width};
}
