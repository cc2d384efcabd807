#include "platform/process.h"

HINSTANCE appInstance;
wchar_t moduleFolder[MAX_PATH];
POINT cursorPos;
HWND openDialog;

namespace {

// Both calls are looked up, not imported: the program must still start on systems that
// lack them (SetDefaultDllDirectories came with Windows 7's update KB2533623 and with 8;
// SetDllDirectoryA with XP SP1).
using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD flags);
using SetDllDirectoryCall = BOOL(WINAPI*)(LPCSTR folder);
using InitCommonControlsExCall = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX* controls);

DWORD const SEARCH_SYSTEM32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// Windows Vista, where the shell's link objects fail once the default search is set;
// list entries may well be shortcuts.
bool IsVista()
{
    DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 0;
}

// Writes the full path of a DLL in the system folder; 0 when it does not fit.
int SystemDllPath(char* out, const char* name)
{
    char folder[MAX_PATH];
    // Room is kept for the separator that the system folder's path does not end with.
    UINT length = GetSystemDirectoryA(folder, MAX_PATH - 1);
    if (length == 0 || length >= MAX_PATH - 1)
        return 0;
    folder[length] = '\\';
    folder[length + 1] = '\0';
    return JoinPath(out, MAX_PATH, folder, name);
}

HMODULE LoadSystemDll(const char* name)
{
    char path[MAX_PATH];
    return SystemDllPath(path, name) ? LoadLibraryA(path) : nullptr;
}

// Without the restricted search, the DLLs that the system itself would otherwise look for
// beside the program are loaded first from the system folder; later loads by bare name
// then find these. The imaging codecs are among them: the icon's images are PNG, and the
// system may decode those through them.
void PreloadSystemDlls()
{
    static const char* const NAMES[] = {"uxtheme.dll", "userenv.dll", "setupapi.dll", "apphelp.dll",
                                        "propsys.dll", "dwmapi.dll",  "cryptbase.dll", "oleacc.dll",
                                        "clbcatq.dll", "version.dll", "windowscodecs.dll"};
    for (const char* name : NAMES)
        LoadSystemDll(name);
}

// Whether a bare DLL name can only be found in the system folder (or in the assemblies
// the manifest names).
bool searchLimitedToSystem;

// A DLL dropped beside the program (a Downloads folder is the usual case) or in the
// current folder must never run inside it.
void RestrictDllSearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = FindCall<SetDefaultDllDirectoriesCall>(kernel, "SetDefaultDllDirectories");
    searchLimitedToSystem = setDefault != nullptr && !IsVista() && setDefault(SEARCH_SYSTEM32);
    if (!searchLimitedToSystem)
        PreloadSystemDlls();
    auto setDllDirectory = FindCall<SetDllDirectoryCall>(kernel, "SetDllDirectoryA");
    if (setDllDirectory != nullptr)
        setDllDirectory("");
}

// Kept for the life of the process once loaded.
HMODULE commonControls;

}  // namespace

int LoadCommonControls()
{
    if (commonControls == nullptr) {
        // By bare name, the manifest's Common-Controls 6 dependency redirects the load (side
        // by side) to version 6 in the system's assembly store before any folder is searched:
        // that redirection, not the limited search, keeps a copy beside the program out.
        // Where the search could not be limited, the full path in the system folder is taken,
        // so that nothing there rests on the redirection. It loads version 5, which the dialog
        // does not use: with the manifest its control classes are redirected to version 6,
        // and the system loads that itself, whatever copy was loaded before.
        commonControls = searchLimitedToSystem ? LoadLibraryA("comctl32.dll") : LoadSystemDll("comctl32.dll");
        if (commonControls == nullptr)
            return 0;
    }
    auto init = FindCall<InitCommonControlsExCall>(commonControls, "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
    return init != nullptr && init(&controls) ? 1 : 0;
}

void GetModuleFolder(wchar_t* buffer)
{
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        // Truncated or failed: a cut-off path would name some other folder.
        buffer[0] = L'\0';
        return;
    }
    buffer[FinalComponentOffset(buffer)] = L'\0';
}

bool RaiseOpenDialog()
{
    if (openDialog == nullptr)
        return false;
    SetForegroundWindow(openDialog);
    return true;
}

void StartProcess(HINSTANCE instance)
{
    appInstance = instance;
    RestrictDllSearch();
}
