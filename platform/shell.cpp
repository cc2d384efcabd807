#include "platform/shell.h"

#include <objbase.h>

#include "platform/process.h"

namespace {

// Both looked up, not imported: IsWow64Process is missing before Windows XP's second service
// pack, and OLE32, imported, would be loaded at start, before the tray icon shows.
using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);
using CoInitializeExCall = HRESULT(WINAPI*)(LPVOID reserved, DWORD flags);
// ADVAPI32's registry calls looked up as well: the program imports no more than the five
// DLLs that it needs from the start, and only a drop of text asks the registry.
using RegOpenKeyExCall = LONG(WINAPI*)(HKEY key, LPCSTR name, DWORD options, REGSAM access, PHKEY opened);
using RegQueryValueExCall = LONG(WINAPI*)(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                          LPDWORD size);
using RegCloseKeyCall = LONG(WINAPI*)(HKEY key);

// The shell calls all come from the panel's one thread: one flag serves.
bool comPrepared = false;
// Wow64WindowsFolder's answer, found once.
bool wow64Known = false;
wchar_t knownWow64Folder[MAX_PATH];
// The registry calls, found at the first question; null when they cannot be.
bool registryLookedUp = false;
RegOpenKeyExCall openKey;
RegQueryValueExCall queryValue;
RegCloseKeyCall closeKey;

bool RunsUnderWow64()
{
    auto isWow64 = FindCall<IsWow64ProcessCall>(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

bool Exists(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool UseNativeName(const wchar_t* entry, const wchar_t* native)
{
    DWORD attributes = GetFileAttributesW(native);
    if (!Exists(attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    // Under its own name this process would find nothing: the twin is the only way there.
    if (!Exists(GetFileAttributesW(entry)))
        return true;
    DWORD type;
    return GetBinaryTypeW(native, &type) != FALSE;
}

}  // namespace

void PrepareShellCalls()
{
    if (comPrepared)
        return;
    comPrepared = true;
    // Some document types and protocols open through shell extensions that need a
    // single-threaded apartment; our thread keeps pumping messages, as one must. OLE32 is a
    // known DLL, only ever loaded from the system; it stays, and COM with it, until the end.
    auto init = FindCall<CoInitializeExCall>(LoadLibraryA("ole32.dll"), "CoInitializeEx");
    if (init != nullptr)
        init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

const wchar_t* Wow64WindowsFolder()
{
    if (!wow64Known) {
        wow64Known = true;
        // The system's own Windows folder: on a session host GetWindowsDirectory may answer
        // with a private folder of the user's, where no System32 lies.
        UINT length = RunsUnderWow64() ? GetSystemWindowsDirectoryW(knownWow64Folder, MAX_PATH) : 0;
        knownWow64Folder[length < MAX_PATH ? length : 0] = L'\0';
    }
    return knownWow64Folder;
}

void EntryShellName(wchar_t* out, size_t size, const char16_t* entry, const wchar_t* wow64WindowsFolder)
{
    char16_t native[MAX_PATH];
    bool mapped =
        wow64WindowsFolder[0] != L'\0' && MapToSysnative(native, MAX_PATH, entry, AsUtf16(wow64WindowsFolder));
    lstrcpynW(out, AsWide(mapped && UseNativeName(AsWide(entry), AsWide(native)) ? native : entry),
              static_cast<int>(size));
}

bool IsRegisteredScheme(const char* scheme)
{
    if (!registryLookedUp) {
        registryLookedUp = true;
        // A known DLL, only ever loaded from the system; it stays until the end.
        HMODULE advapi32 = LoadLibraryA("advapi32.dll");
        openKey = FindCall<RegOpenKeyExCall>(advapi32, "RegOpenKeyExA");
        queryValue = FindCall<RegQueryValueExCall>(advapi32, "RegQueryValueExA");
        closeKey = FindCall<RegCloseKeyCall>(advapi32, "RegCloseKey");
    }
    HKEY key;
    if (openKey == nullptr || queryValue == nullptr || closeKey == nullptr ||
        openKey(HKEY_CLASSES_ROOT, scheme, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    // The value is usually empty: only its presence counts.
    bool registered = queryValue(key, "URL Protocol", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    closeKey(key);
    return registered;
}
