// Measures the poll tick against the bare platform calls it has to make, in one run:
//   show tick  cursor at column 0: check the list file, place, show, and draw a page of 35
//              program icons; floor: the same calls but the check in a plain loop (35
//              extractions, draws, releases)
//   mixed      the same with a page of 35 folders, documents and shortcuts, whose icons come
//              from the shell; floor: 35 shell icon lookups, draws and releases
//   idle tick  cursor away from the edge; floor: one cursor read and one rectangle read
//   full tick  cursor at column 0 with a full-screen window in front, which keeps the panel
//              hidden; floor: the cursor, height and window reads the check has to make
// The two are measured in alternating blocks so that both see the same machine state.
// Prints medians; run from scripts/bench under Wine with a display.
//
//   tick_bench first-show [cold]    the first show tick of a fresh process and the median of
//                                   five later ones, in ms. First the set-up that the program
//                                   does when it is idle after start (the common controls,
//                                   the name tip, the drop target); "cold" leaves it to the
//                                   first show, as when the edge is reached before.
// A process shows its panel for the first time once: scripts/bench runs this in turns.
#include <objbase.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "app/drop_target.h"
#include "app/poll_tick.h"
#include "panel_test_support.h"
#include "items/item_file.h"
#include "items/item_list.h"
#include "items/pages.h"
#include "platform/process.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "timing.h"
#include "view/name_tip.h"

namespace {

int const PAGE_ROWS = 35;

// Programs that hold icons of their own under Wine (its explorer.exe holds none).
char const* const PROGRAMS[] = {
    "C:\\windows\\notepad.exe",           "C:\\windows\\regedit.exe",
    "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\system32\\winemine.exe",
    "C:\\windows\\hh.exe",                "C:\\windows\\system32\\cmd.exe",
    "C:\\windows\\system32\\taskmgr.exe",
};
int const PROGRAM_COUNT = sizeof PROGRAMS / sizeof PROGRAMS[0];

// The page being measured, one entry per row, and as the wide calls take it.
std::vector<std::string> page;
std::vector<std::wstring> widePage;

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void FillPage(std::vector<std::string> const& entries)
{
    static Item head;
    static Item items[PAGE_ROWS];
    static char16_t texts[PAGE_ROWS][ITEM_TEXT_MAX + 1];
    page = entries;
    widePage.clear();
    itemList.head = &head;
    Item* tail = &head;
    for (int i = 0; i < PAGE_ROWS; ++i) {
        MultiByteToWideChar(CP_ACP, 0, page[i].c_str(), -1, AsWide(texts[i]), ITEM_TEXT_MAX + 1);
        widePage.push_back(AsWide(texts[i]));
        items[i] = {texts[i], nullptr};
        tail->next = &items[i];
        tail = &items[i];
    }
    itemList.itemCount = PAGE_ROWS;
}

std::vector<std::string> ProgramPage()
{
    std::vector<std::string> entries;
    for (int i = 0; i < PAGE_ROWS; ++i)
        entries.push_back(PROGRAMS[i % PROGRAM_COUNT]);
    return entries;
}

// Folders, documents of three types and shortcuts to programs, in turn, made in folder.
std::vector<std::string> MixedPage(std::string const& folder)
{
    static char const* const DOCUMENT_TYPES[] = {".txt", ".ini", ".bmp"};
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> entries;
    for (int i = 0; i < PAGE_ROWS; ++i) {
        std::string entry = folder + "\\entry" + std::to_string(i);
        if (i % 3 == 0) {
            CreateDirectoryA(entry.c_str(), nullptr);
        } else if (i % 3 == 1) {
            entry += DOCUMENT_TYPES[i / 3 % 3];
            CloseHandle(CreateFileA(entry.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        } else {
            entry += ".lnk";
            if (!SaveShortcut(PROGRAMS[i % PROGRAM_COUNT], entry))
                return {};
        }
        entries.push_back(entry);
    }
    return entries;
}

void RemoveMixedPage(std::string const& folder, std::vector<std::string> const& entries)
{
    for (std::string const& entry : entries)
        if (!DeleteFileA(entry.c_str()))
            RemoveDirectoryA(entry.c_str());
    RemoveDirectoryA(folder.c_str());
}

HICON ProgramIcon(wchar_t const* file)
{
    HICON icon = nullptr;
    ExtractIconExW(file, 0, nullptr, &icon, 1);
    return icon;
}

HICON ShellIcon(wchar_t const* file)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(file, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
    return info.hIcon;
}

// What a show tick cannot avoid: the same platform calls with none of our logic.
void ShowFloorWith(HWND panel, HICON (*rowIcon)(wchar_t const* file))
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
        HICON icon = rowIcon(widePage[row].c_str());
        DrawIconEx(dc, 2, row * settings.ItemHeight + 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    ReleaseDC(panel, dc);
}

void ShowFloor(HWND panel) { ShowFloorWith(panel, ProgramIcon); }
void MixedFloor(HWND panel) { ShowFloorWith(panel, ShellIcon); }

// The reads of the full-screen check, with a full-screen window in front.
void FullScreenFloor(HWND)
{
    POINT cursor;
    GetCursorPos(&cursor);
    GetSystemMetrics(SM_CYFULLSCREEN);
    GetSystemMetrics(SM_CYCAPTION);
    HWND front = GetForegroundWindow();
    GetDesktopWindow();
    GetShellWindow();
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONULL), &monitor);
    RECT rect;
    GetWindowRect(front, &rect);
    GetWindowLongPtrA(front, GWL_STYLE);
}

// A window without a caption over the whole screen, in front, as a full-screen program's.
HWND FullScreenWindow()
{
    HWND window = CreateWindowExA(0, "STATIC", "full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  appInstance, nullptr);
    SetForegroundWindow(window);
    return window;
}

void IdleFloor(HWND panel)
{
    POINT cursor;
    GetCursorPos(&cursor);
    RECT rect;
    GetWindowRect(panel, &rect);
}

// A list file in a folder of its own, read as the program's: every show tick asks for its
// attributes, as the program's does. Returns the folder.
std::wstring WatchListFile()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"quorvane-bench-list-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE file = CreateFileW((folder + L"quorvane.cfg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "C:\\windows\\notepad.exe\r\n", 24, &written, nullptr);
    CloseHandle(file);
    lstrcpynW(moduleFolder, folder.c_str(), MAX_PATH);
    itemList.head = NewItemListHead();
    LoadItemList(moduleFolder);
    return folder;
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

double TimedTick(HWND panel)
{
    double start = Now();
    OnPollTick(panel);
    return (Now() - start) * 1e3;
}

// The first show tick of this process, as the program's first show runs it: after its
// start-up step, which decides how the common controls are found, and after the set-up it
// does when idle, unless "cold". Then five later show ticks, hidden away from the edge in
// between as the program's panel would be.
int FirstShow(HWND panel, bool cold)
{
    if (!cold)
        PrepareShow(panel);
    SetCursorPos(0, 300);
    double first = TimedTick(panel);
    std::vector<double> later;
    for (int i = 0; i < 5; ++i) {
        ShowWindow(panel, SW_HIDE);
        Pump();
        later.push_back(TimedTick(panel));
        Pump();
    }
    printf("%.3f %.3f\n", first, Median(later));
    DestroyWindow(panel);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    StartProcess(GetModuleHandleA(nullptr));
    HWND panel = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, QuietProc, 0);
    if (panel == nullptr) {
        fprintf(stderr, "no panel\n");
        return 1;
    }
    SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW);
    settings = DEFAULT_SETTINGS;
    std::wstring listFolder = WatchListFile();
    FillPage(ProgramPage());
    if (argc > 1 && lstrcmpA(argv[1], "first-show") == 0)
        return FirstShow(panel, argc > 2 && lstrcmpA(argv[2], "cold") == 0);

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

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "quorvane-bench-" + std::to_string(GetCurrentProcessId());
    std::vector<std::string> mixed = MixedPage(folder);
    if (mixed.empty()) {
        fprintf(stderr, "could not make the page of folders, documents and shortcuts\n");
        return 1;
    }
    FillPage(mixed);
    Compare("mixed", panel, MixedFloor, 5, 21, 1e3, "ms");
    RemoveMixedPage(folder, mixed);

    SetCursorPos(500, 300);
    OnPollTick(panel);
    Pump();
    Compare("idle", panel, IdleFloor, 2000, 21, 1e6, "us");

    ShowWindow(panel, SW_HIDE);
    HWND front = FullScreenWindow();
    SetCursorPos(0, 300);
    OnPollTick(panel);
    if (IsWindowVisible(panel)) {
        fprintf(stderr, "the panel showed over the full-screen window\n");
        return 1;
    }
    Compare("full", panel, FullScreenFloor, 2000, 21, 1e6, "us");
    DestroyWindow(front);
    DestroyWindow(panel);
    DeleteFileW((listFolder + L"quorvane.cfg").c_str());
    RemoveDirectoryW(listFolder.c_str());
    return 0;
}
