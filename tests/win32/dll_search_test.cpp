// The start-up step limits the DLL search of the whole process and cannot be undone: the
// loads before it need a process in which nothing has run it yet, so this test has a
// program of its own.
#include <gtest/gtest.h>

#include "platform/process.h"

namespace {

// Built with this program and placed beside it.
char const BESIDE_PROGRAM[] = "search_probe.dll";
// A copy under another name in a fresh folder that is made the current one.
char const IN_CURRENT_FOLDER[] = "search_probe_cwd.dll";

bool Loads(char const* name)
{
    HMODULE module = LoadLibraryA(name);
    if (module == nullptr)
        return false;
    // Unloaded again: a DLL still in memory would be found by name without any search.
    FreeLibrary(module);
    return GetModuleHandleA(name) == nullptr;
}

// A fresh current folder under the temporary one, holding a copy of the probe; removed
// with the copy when the object goes.
class CurrentFolderWithProbe {
public:
    CurrentFolderWithProbe()
    {
        char temp[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, temp);
        if (length == 0 || length >= MAX_PATH)
            return;
        GetModuleFolder(moduleFolder);
        wsprintfA(folder_, "%squorvane-dll-%lu", temp, GetCurrentProcessId());
        wsprintfA(copy_, "%s\\%s", folder_, IN_CURRENT_FOLDER);
        wsprintfA(probe_, "%s%s", moduleFolder, BESIDE_PROGRAM);
        CreateDirectoryA(folder_, nullptr);
        ok_ = CopyFileA(probe_, copy_, FALSE) && SetCurrentDirectoryA(folder_);
    }
    ~CurrentFolderWithProbe()
    {
        SetCurrentDirectoryA(moduleFolder);
        DeleteFileA(copy_);
        RemoveDirectoryA(folder_);
    }
    bool ok() const { return ok_; }

private:
    char folder_[MAX_PATH + 32] = "";
    char copy_[MAX_PATH * 2] = "";
    char probe_[MAX_PATH * 2] = "";
    bool ok_ = false;
};

TEST(StartProcess, StopsLoadingDllsFromTheProgramFolderAndTheCurrentFolder)
{
    CurrentFolderWithProbe current;
    ASSERT_TRUE(current.ok());
    // Both load before the step; otherwise their failing afterwards would prove nothing.
    ASSERT_TRUE(Loads(BESIDE_PROGRAM));
    ASSERT_TRUE(Loads(IN_CURRENT_FOLDER));

    EXPECT_EQ(1, StartProcess(GetModuleHandleA(nullptr)));

    for (char const* name : {BESIDE_PROGRAM, IN_CURRENT_FOLDER}) {
        SetLastError(0);
        EXPECT_EQ(nullptr, LoadLibraryA(name)) << name;
        EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError()) << name;
    }
    // System DLLs are still found by bare name, and the common controls, loaded from the
    // system folder, registered the class the settings dialog needs.
    EXPECT_NE(nullptr, LoadLibraryA("version.dll"));
    WNDCLASSEXA upDown = {};
    upDown.cbSize = sizeof upDown;
    EXPECT_TRUE(GetClassInfoExA(nullptr, "msctls_updown32", &upDown));
}

}  // namespace
