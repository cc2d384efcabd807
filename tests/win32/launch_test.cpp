// Opening the entry of a row with the real shell: a small probe program, copied into a
// folder of its own, reports the folder it was started in and the parameters it got.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "panel_test_support.h"
#include "platform/shell.h"
#include "view/launch.h"

namespace {

int const ROW_HEIGHT = 20;
DWORD const LAUNCH_TIMEOUT_MS = 10000;
// How long a launch that must not happen is given to show up anyway.
DWORD const NO_LAUNCH_WAIT_MS = 1500;

const char* const MISSING_FILE = "C:\\quorvane-no-such-folder\\missing.exe";

bool FileExists(std::string const& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFile(std::string const& path, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (FileExists(path))
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
}

// The probe built beside this test program; failing that, the Linux path that CTest hands
// over, as Wine sees it on its Z: drive.
std::string ProbeProgram()
{
    std::string beside = ModuleFolder() + "launch_probe.exe";
    if (FileExists(beside))
        return beside;
    const char* linuxPath = getenv("QUORVANE_LAUNCH_PROBE");
    if (linuxPath == nullptr || linuxPath[0] != '/')
        return std::string();
    std::string path = std::string("Z:") + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Removes a folder and everything in it; a file still held by a running probe is retried
// for a bounded time.
void RemoveTree(std::string const& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                for (int attempt = 0; attempt < 100 && !DeleteFileA(path.c_str()); ++attempt)
                    Sleep(50);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    // A probe that has only just exited may still hold the folder as its current one.
    for (int attempt = 0; attempt < 100 && !RemoveDirectoryA(folder.c_str()); ++attempt)
        if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        else
            Sleep(50);
}

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe_ = ProbeProgram();
        ASSERT_TRUE(!probe_.empty() && FileExists(probe_)) << "launch_probe.exe not found";
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        root_ = std::string(temp) + "quorvane-launch-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        // Wine reuses process ids: a folder left by an earlier run may have the same name.
        RemoveTree(root_);
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr)) << root_;
        callerFolder_ = root_ + "\\caller";
        ASSERT_TRUE(CreateDirectoryA(callerFolder_.c_str(), nullptr));
        GetCurrentDirectoryA(sizeof savedDirectory_, savedDirectory_);
        // The test runs in a folder of its own, so a probe started there would be told apart.
        ASSERT_TRUE(SetCurrentDirectoryA(callerFolder_.c_str()));
    }

    void TearDown() override
    {
        data_.reset();
        SetCurrentDirectoryA(savedDirectory_);
        RemoveTree(root_);
    }

    // The entries, shown in rows of ROW_HEIGHT pixels, rows per page and page as given.
    void UseEntries(std::vector<std::string> const& entries, int16_t lastRowIndex = 9, int16_t pageIndex = 0)
    {
        data_.reset();
        data_.reset(new ScopedPanelData(entries));
        settings.ItemHeight = ROW_HEIGHT;
        panelState.lastRowIndex = lastRowIndex;
        panelState.pageIndex = pageIndex;
    }

    // A copy of the probe in root\<name>; returns the copy's full path.
    std::string PlaceProbe(std::string const& name, std::string const& fileName = "launch_probe.exe")
    {
        std::string folder = root_ + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        std::string copy = folder + "\\" + fileName;
        EXPECT_TRUE(CopyFileA(probe_.c_str(), copy.c_str(), FALSE)) << copy;
        return copy;
    }

    static std::string ReportOf(std::string const& probePath)
    {
        return probePath.substr(0, probePath.find_last_of('\\') + 1) + "cwd.txt";
    }

    // The folder the probe at probePath was started in, and its parameter count, once it
    // has reported them.
    static void ExpectStartedIn(std::string const& probePath, std::string const& folder)
    {
        std::string report = ReportOf(probePath);
        ASSERT_TRUE(WaitForFile(report, LAUNCH_TIMEOUT_MS)) << "the probe did not start: " << probePath;
        char text[2 * MAX_PATH] = {};
        HANDLE file = CreateFileA(report.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD read = 0;
        ReadFile(file, text, sizeof text - 1, &read, nullptr);
        CloseHandle(file);
        std::string content(text, read);
        size_t lineEnd = content.find('\n');
        ASSERT_NE(lineEnd, std::string::npos) << content;
        std::string directory = content.substr(0, lineEnd);
        // The current directory carries no trailing separator, except at a drive root.
        std::string expected = folder;
        if (expected.size() > 3 && expected.back() == '\\')
            expected.pop_back();
        EXPECT_EQ(lstrcmpiA(directory.c_str(), expected.c_str()), 0)
            << "started in \"" << directory << "\", expected \"" << expected << "\"";
        EXPECT_EQ(content.substr(lineEnd + 1), "0\n") << "the probe got parameters";
    }

    static void ExpectNotStarted(std::vector<std::string> const& probePaths)
    {
        Sleep(NO_LAUNCH_WAIT_MS);
        for (std::string const& probe : probePaths)
            EXPECT_FALSE(FileExists(ReportOf(probe))) << "started: " << probe;
    }

    static std::string FolderOf(std::string const& path) { return path.substr(0, path.find_last_of('\\')); }

    std::string probe_;
    std::string root_;
    std::string callerFolder_;
    char savedDirectory_[MAX_PATH] = {};
    std::unique_ptr<ScopedPanelData> data_;
    TestPanel panel_{100, 100, 40, 210};
};

TEST_F(LaunchTest, LaunchItemAt_StartsProgramInItsOwnFolderWithNoParameters)
{
    std::string probe = PlaceProbe("own");
    UseEntries({probe});

    LaunchItemAt(39, 5, panel_.window());

    ExpectStartedIn(probe, FolderOf(probe));
}

TEST_F(LaunchTest, LaunchItemAt_FolderWithSpaceInItsNameIsPassedWhole)
{
    CreateDirectoryA((root_ + "\\A").c_str(), nullptr);
    std::string probe = PlaceProbe("A\\with space");
    UseEntries({MISSING_FILE, probe});

    LaunchItemAt(0, ROW_HEIGHT + 19, panel_.window());

    ExpectStartedIn(probe, FolderOf(probe));
}

TEST_F(LaunchTest, LaunchItemAt_SecondPageRowThreeOpensEntryAtPositionEight)
{
    // Five rows per page. The neighbours that a wrong page start or an off-by-one would
    // open are probes too, each in a folder of its own; the rest do not exist.
    std::vector<std::string> entries(12, MISSING_FILE);
    std::string target = PlaceProbe("position8");
    entries[8] = target;
    std::vector<std::string> wrong;
    for (int position : {3, 7, 9}) {
        entries[position] = PlaceProbe("position" + std::to_string(position));
        wrong.push_back(entries[position]);
    }
    UseEntries(entries, 4, 1);

    LaunchItemAt(10, 3 * ROW_HEIGHT + 10, panel_.window());

    ExpectStartedIn(target, FolderOf(target));
    ExpectNotStarted(wrong);
}

TEST_F(LaunchTest, LaunchItemAt_StripBelowTheLastWholeRowOpensNothing)
{
    // Five whole rows; the strip's row number, 5, is the first row of the next page, which
    // holds an entry.
    std::vector<std::string> entries(10, MISSING_FILE);
    entries[5] = PlaceProbe("nextpage");
    UseEntries(entries, 4);

    LaunchItemAt(10, 5 * ROW_HEIGHT + 5, panel_.window());

    ExpectNotStarted({entries[5]});
}

TEST_F(LaunchTest, LaunchItemAt_RowPastTheLastEntryOpensNothing)
{
    // Page 1 of five rows holds positions 5 and 6 only; row 3 has no entry. A lookup that
    // ignored the page would reach position 3, one that clamped would reach position 6.
    std::vector<std::string> entries(7, MISSING_FILE);
    entries[3] = PlaceProbe("position3");
    entries[6] = PlaceProbe("position6");
    UseEntries(entries, 4, 1);

    LaunchItemAt(10, 3 * ROW_HEIGHT + 5, panel_.window());

    ExpectNotStarted({entries[3], entries[6]});
}

TEST_F(LaunchTest, LaunchItemAt_BareFileNameStartsInTheCallersFolder)
{
    // No folder part: the shell finds the program in the current folder and starts it
    // there. The name is one of its own: the shell looks beside the calling program first,
    // where the original probe lies.
    std::string probe = PlaceProbe("bare", "quorvane_bare_probe.exe");
    ASSERT_TRUE(SetCurrentDirectoryA(FolderOf(probe).c_str()));
    UseEntries({"quorvane_bare_probe.exe"});

    LaunchItemAt(10, 5, panel_.window());

    ExpectStartedIn(probe, FolderOf(probe));
}

// Under WOW64 an entry in System32 is shown and opened through its twin in the 64-bit system
// folder when that twin is a program, or a file this process cannot see under the entry's own
// name; folders and documents seen under their own names keep them. Here a folder of the test
// stands for the Windows folder, with a System32 and a Sysnative of its own.
TEST_F(LaunchTest, EntryShellName_UnderWow64TakesSysnativeForProgramsAndForFilesOnlyItHolds)
{
    std::string windows = root_ + "\\Windows";
    CreateDirectoryA(windows.c_str(), nullptr);
    for (const char* name : {"both.exe", "only32.exe"})
        PlaceProbe("Windows\\System32", name);
    for (const char* name : {"both.exe", "only64.exe"})
        PlaceProbe("Windows\\Sysnative", name);
    for (std::string text : {"System32\\both.txt", "Sysnative\\both.txt", "Sysnative\\only64.txt"}) {
        HANDLE file = CreateFileA((windows + "\\" + text).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << text;
        CloseHandle(file);
    }
    for (std::string folder : {"System32\\Folder", "Sysnative\\Folder", "Sysnative\\OnlyFolder"})
        ASSERT_TRUE(CreateDirectoryA((windows + "\\" + folder).c_str(), nullptr)) << folder;

    struct Case {
        const char* name;
        bool native;
    } const cases[] = {{"both.exe", true},   {"only64.exe", true}, {"only64.txt", true},  {"both.txt", false},
                       {"only32.exe", false}, {"Folder", false},   {"OnlyFolder", false}, {"none.exe", false}};
    for (Case const& c : cases) {
        std::string entry = windows + "\\System32\\" + c.name;
        std::string expected = c.native ? windows + "\\Sysnative\\" + c.name : entry;
        std::u16string wideEntry(entry.begin(), entry.end());
        std::wstring wideWindows(windows.begin(), windows.end());
        wchar_t name[MAX_PATH];
        EntryShellName(name, MAX_PATH, wideEntry.c_str(), wideWindows.c_str());
        EXPECT_EQ(std::wstring(name), std::wstring(expected.begin(), expected.end())) << c.name;
        // Outside WOW64 every entry stays as written.
        EntryShellName(name, MAX_PATH, wideEntry.c_str(), L"");
        EXPECT_EQ(std::wstring(name), std::wstring(entry.begin(), entry.end())) << c.name;
    }
}

// A scheme is registered when its key under HKEY_CLASSES_ROOT holds a value named "URL
// Protocol": a key without one is a file type, which opens no address. The keys go straight
// under HKEY_CLASSES_ROOT: Wine 8 does not show the user's Software\Classes there.
TEST(IsRegisteredScheme, NeedsItsKeyWithTheUrlProtocolValue)
{
    HKEY key;
    for (const char* name : {"quorvane-test-url", "quorvane-test-type"}) {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, name, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (strcmp(name, "quorvane-test-url") == 0)
            RegSetValueExA(key, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(key);
    }
    bool url = IsRegisteredScheme("Quorvane-Test-URL");
    bool type = IsRegisteredScheme("quorvane-test-type");
    bool none = IsRegisteredScheme("quorvane-test-none");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "quorvane-test-url");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "quorvane-test-type");
    EXPECT_TRUE(url);
    EXPECT_FALSE(type);
    EXPECT_FALSE(none);
}

}  // namespace
