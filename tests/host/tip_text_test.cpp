// The name tip's text: which lines an entry shows, from the facts the panel gathers.
#include "view/tip_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TipCase {
    const char* what;
    const wchar_t* entry;
    const wchar_t* displayName;
    bool address;
    bool exists;
    size_t size;
    const wchar_t* expected;
};

TipCase const CASES[] = {
    {"program: the shell's name, then the entry", L"C:\\windows\\notepad.exe", L"notepad", false, true,
     TIP_TEXT_SIZE, L"notepad\r\nC:\\windows\\notepad.exe"},
    {"shortcut, Japanese: wide text as it is", L"Z:\\t\\表の道具.lnk", L"表の道具", false, true, TIP_TEXT_SIZE,
     L"表の道具\r\nZ:\\t\\表の道具.lnk"},
    {"address: the address alone, whatever the shell said", L"https://example.com/", L"example", true, true,
     TIP_TEXT_SIZE, L"https://example.com/"},
    {"missing file: the entry alone", L"C:\\gone\\tool.exe", L"tool.exe", false, false, TIP_TEXT_SIZE,
     L"C:\\gone\\tool.exe"},
    {"no name from the shell: the entry alone", L"C:\\windows", L"", false, true, TIP_TEXT_SIZE, L"C:\\windows"},
    {"name the same as the entry: once", L"notepad.exe", L"notepad.exe", false, true, TIP_TEXT_SIZE, L"notepad.exe"},
    {"empty entry: no text, no tip", L"", L"x", false, true, TIP_TEXT_SIZE, L""},
    {"too long: cut, terminated", L"C:\\a.exe", L"abcdef", false, true, 8, L"abcdef\r"},
};

TEST(TipText, ComposeTipText_ChoosesTheLinesByWhatTheEntryIs)
{
    for (TipCase const& c : CASES) {
        wchar_t out[TIP_TEXT_SIZE + 1];
        out[c.size] = L'#';  // one past the room given: must stay untouched
        size_t length = ComposeTipText(out, c.size, {c.entry, c.displayName, c.address, c.exists});
        EXPECT_EQ(std::wstring(out), c.expected) << c.what;
        EXPECT_EQ(length, std::wstring(c.expected).size()) << c.what;
        EXPECT_EQ(out[c.size], L'#') << c.what;
    }
}

// Whatever the panel's width and wherever the pointer, the tip's frame lies on the screen
// and its lines have a width to wrap at; right of the panel whenever the narrowest fits.
TEST(TipText, PlaceTipBeside_KeepsTheTipOnTheScreenWrapped)
{
    TipSizes const sizes = {2, 16, 400, 120, 16};
    struct Case { int32_t panelRight, pointerX, screen, x, maxWidth; const char* what; };
    for (Case c : {Case{26, 5, 1024, 28, 400, "a narrow panel: right of it, at the widest"},
                   Case{700, 5, 1024, 702, 306, "room right of the panel for less than the widest"},
                   Case{900, 5, 1024, 21, 400, "too little room: right of the pointer, over the panel"},
                   Case{1024, 1000, 1024, 568, 400, "a full-width panel, pointer far right: left of it"},
                   Case{2000, 300, 1024, 316, 400, "wider than the screen"},
                   Case{1024, 512, 1024, 528, 400, "the pointer in the middle"},
                   Case{40, 0, 40, 16, 8, "a screen of little more than gap and frame"},
                   Case{20, 0, 20, 3, 1, "a screen narrower than gap and frame"}}) {
        TipPlacement place = PlaceTipBeside(c.panelRight, c.pointerX, c.screen, sizes);
        EXPECT_EQ(place.x, c.x) << c.what;
        EXPECT_EQ(place.maxWidth, c.maxWidth) << c.what;
    }
    for (int32_t right = 0; right <= 3000; right += 37)
        for (int32_t pointer = 0; pointer < 1024; pointer += 61) {
            TipPlacement place = PlaceTipBeside(right, pointer, 1024, sizes);
            ASSERT_GE(place.maxWidth, 1) << right << " " << pointer;
            ASSERT_GE(place.x, 0) << right << " " << pointer;
            ASSERT_LE(place.x + place.maxWidth + sizes.frame, 1024) << right << " " << pointer;
        }
}

}  // namespace
