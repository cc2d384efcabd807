// The start-up step limits the DLL search of the whole process and cannot be undone: the
// load before it needs a process in which nothing has run it yet, so this test has a
// program of its own.
#include <gtest/gtest.h>

#include "platform/process.h"

namespace {

// Built with this program and placed beside it.
char const PROBE[] = "search_probe.dll";

TEST(StartProcess, StopsLoadingDllsFromTheProgramFolder)
{
    // The probe loads before the step; otherwise its failing afterwards would prove nothing.
    HMODULE before = LoadLibraryA(PROBE);
    ASSERT_NE(nullptr, before);
    // Unloaded again: a DLL still in memory would be found by name without any search.
    FreeLibrary(before);
    ASSERT_EQ(nullptr, GetModuleHandleA(PROBE));

    StartProcess(GetModuleHandleA(nullptr));

    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryA(PROBE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
    // System DLLs are still found by bare name.
    EXPECT_NE(nullptr, LoadLibraryA("version.dll"));
}

}  // namespace
