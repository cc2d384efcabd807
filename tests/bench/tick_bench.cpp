// Measures the poll tick against the bare platform calls it has to make, in one run:
//   show tick  cursor at column 0: place, show, and draw a page of 35 program icons;
//              floor: the same calls in a plain loop (35 extractions, draws, releases)
//   idle tick  cursor away from the edge; floor: one cursor read and one rectangle read
// The two are measured in alternating blocks so that both see the same machine state.
// Prints medians; run from scripts/bench under Wine with a display.
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "app/poll_tick.h"
#include "items/item_list.h"
#include "items/pages.h"
#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings.h"

namespace {

int const PAGE_ROWS = 35;

char const* const PROGRAMS[] = {
    "C:\\windows\\notepad.exe",           "C:\\windows\\regedit.exe",
    "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\system32\\winemine.exe",
    "C:\\windows\\explorer.exe",          "C:\\windows\\system32\\cmd.exe",
    "C:\\windows\\system32\\taskmgr.exe",
};
int const PROGRAM_COUNT = sizeof PROGRAMS / sizeof PROGRAMS[0];

double Now()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void FillPage()
{
    static Item head;
    static Item items[PAGE_ROWS];
    static char texts[PAGE_ROWS][ITEM_TEXT_MAX + 1];
    itemList.head = &head;
    Item* tail = &head;
    for (int i = 0; i < PAGE_ROWS; ++i) {
        lstrcpynA(texts[i], PROGRAMS[i % PROGRAM_COUNT], sizeof texts[i]);
        items[i] = {texts[i], nullptr};
        tail->next = &items[i];
        tail = &items[i];
    }
    itemList.itemCount = PAGE_ROWS;
}

// What a show tick cannot avoid: the same platform calls with none of our logic.
void ShowFloor(HWND panel)
{
    POINT cursor;
    GetCursorPos(&cursor);
    int height = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
    MoveWindow(panel, 0, 0, settings.WindowWidth, height, TRUE);
    ShowWindow(panel, SW_SHOW);
    RECT client;
    GetClientRect(panel, &client);
    HDC dc = GetDC(panel);
    for (int row = 0; row < PAGE_ROWS; ++row) {
        HICON icon = nullptr;
        ExtractIconExA(PROGRAMS[row % PROGRAM_COUNT], 0, nullptr, &icon, 1);
        DrawIconEx(dc, 2, row * settings.ItemHeight + 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    ReleaseDC(panel, dc);
}

void IdleFloor(HWND panel)
{
    POINT cursor;
    GetCursorPos(&cursor);
    RECT rect;
    GetWindowRect(panel, &rect);
}

template <typename Step>
double TimeBlock(HWND panel, Step step, int calls)
{
    double start = Now();
    for (int i = 0; i < calls; ++i)
        step(panel);
    return (Now() - start) / calls;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Alternates blocks of the tick and of its floor; returns the medians per call.
void Compare(char const* name, HWND panel, void (*floor)(HWND), int calls, int blocks, double unit,
             char const* unitName)
{
    std::vector<double> tick;
    std::vector<double> bare;
    for (int block = 0; block < blocks; ++block) {
        tick.push_back(TimeBlock(panel, OnPollTick, calls));
        Pump();
        bare.push_back(TimeBlock(panel, floor, calls));
        Pump();
    }
    double t = Median(tick);
    double f = Median(bare);
    printf("%-10s tick %9.3f %s   floor %9.3f %s   ratio %.3f\n", name, t * unit, unitName, f * unit,
           unitName, t / f);
}

}  // namespace

int main()
{
    appInstance = GetModuleHandleA(nullptr);
    HWND panel = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, QuietProc, 0);
    if (panel == nullptr) {
        fprintf(stderr, "no panel\n");
        return 1;
    }
    SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW);
    settings = DEFAULT_SETTINGS;
    FillPage();

    SetCursorPos(0, 300);
    OnPollTick(panel);
    Pump();
    POINT cursor;
    GetCursorPos(&cursor);
    if (cursor.x != 0 || panelState.lastRowIndex + 1 < PAGE_ROWS) {
        fprintf(stderr, "the screen shows %d rows; %d needed\n", panelState.lastRowIndex + 1, PAGE_ROWS);
        return 1;
    }
    Compare("show", panel, ShowFloor, 5, 21, 1e3, "ms");

    SetCursorPos(500, 300);
    OnPollTick(panel);
    Pump();
    Compare("idle", panel, IdleFloor, 2000, 21, 1e6, "us");
    DestroyWindow(panel);
    return 0;
}
