// Measures start-up: the time from creating a program's process until the tray shows its
// icon, for two programs taken in turns (quorvane and the floor beside it), from inside the
// Wine session, so that no launcher script or screen poll of milliseconds adds its own noise.
// Each run ends its program politely (WM_CLOSE to its windows, as taskkill without /F does)
// and waits for the tray to empty, so that every run starts from the same state. The first
// run of each is not counted. Wine's own process start puts the times of any program, even
// one that does nothing, into two groups some 30 to 40 ms apart, in proportions that vary
// from session to session; taken in turns and over many runs, the two medians fall into the
// same group.
//
//   startup_bench RUNS PROGRAM PROGRAM      prints the two medians in ms and their ratio
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "timing.h"

namespace {

// Wine's tray is a window of its own, shown while it holds an icon.
bool TrayShown()
{
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    return tray != nullptr && IsWindowVisible(tray);
}

// Polls every millisecond, for ten seconds at most.
template <typename Condition>
bool WaitFor(Condition condition)
{
    for (int i = 0; i < 10000; ++i) {
        if (condition())
            return true;
        Sleep(1);
    }
    return condition();
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Seconds from creating the process to its tray icon; negative when it never showed.
double TimeToTray(char* program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = Now();
    if (!CreateProcessA(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double seconds = WaitFor(TrayShown) ? Now() - start : -1;
    EnumWindows(CloseWindowOf, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    WaitFor([] { return !TrayShown(); });
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc == 4 ? atoi(argv[1]) : 0;
    if (runs < 1 || TrayShown()) {
        fprintf(stderr, "usage: startup_bench RUNS PROGRAM PROGRAM, with the tray empty\n");
        return 2;
    }
    std::vector<double> first;
    std::vector<double> second;
    for (int run = 0; run <= runs; ++run) {
        double a = TimeToTray(argv[2]);
        double b = TimeToTray(argv[3]);
        if (a < 0 || b < 0) {
            fprintf(stderr, "startup_bench: a program showed no tray icon\n");
            return 1;
        }
        if (run == 0)
            continue;
        first.push_back(a);
        second.push_back(b);
    }
    double a = Median(first);
    double b = Median(second);
    printf("%.1f %.1f %.3f\n", a * 1e3, b * 1e3, a / b);
    return 0;
}
