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

}  // namespace
