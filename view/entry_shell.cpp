#include "view/entry_shell.h"

#include <limits.h>

#include "platform/shell.h"
#include "view/tip_text.h"

namespace {

// Room for any entry text (at most 259 bytes) with its terminator. Not for a name through
// Sysnative one byte longer than that: EntryShellName maps no name longer than MAX_PATH - 1
// bytes, which is all the ANSI file calls take, so a System32 entry of 259 bytes keeps its
// own name.
int const ICON_PATH_SIZE = 264;

// The file's first icon at the size IconType asks for, or none. Under some shells a
// failed extraction leaves the output slot as it was, so it starts as none, and only a
// call that reports an icon and gives a handle counts.
HICON ExtractFirstIcon(const char* file, bool large)
{
    HICON icon = nullptr;
    UINT extracted = ExtractIconExA(file, 0, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    if (extracted == 0 || extracted == UINT_MAX)
        return nullptr;
    return icon;
}

// A shortcut by its name, as the shell knows one: ".lnk" in any case.
bool IsShortcutName(const char* file)
{
    int length = lstrlenA(file);
    return length >= 4 && lstrcmpiA(file + length - 4, ".lnk") == 0;
}

// The icon the shell shows for the file: a folder's, a document's by its type, a shortcut's
// with the arrow Explorer draws on it; for an address, that of the internet-shortcut type.
// None for a name that names nothing, which some shells (Wine) would still answer, empty or
// garbled, with some folder's icon.
// Asked through the wide call, the name converted from the code page as the ANSI call would
// convert it: after a failure Wine's ANSI call hands back the handle of its previous answer,
// which is no icon of this call's, while the wide call leaves the record as it was. So a
// handle that a failed call does leave there is a new icon, and is destroyed.
HICON ShellIcon(const char* file, bool large)
{
    bool address = IsAddress(file);
    if (!address && GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    wchar_t name[ICON_PATH_SIZE];
    if (!address && MultiByteToWideChar(CP_ACP, 0, file, -1, name, ICON_PATH_SIZE) == 0)
        return nullptr;
    PrepareShellCalls();
    SHFILEINFOW info = {};
    UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    // The arrow asked for a shortcut alone: some shells (Wine) would draw it on anything.
    UINT overlay = IsShortcutName(file) ? SHGFI_LINKOVERLAY : 0;
    DWORD_PTR found = address
        ? SHGetFileInfoW(L".url", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags | SHGFI_USEFILEATTRIBUTES)
        : SHGetFileInfoW(name, 0, &info, sizeof info, flags | overlay);
    if (found != 0)
        return info.hIcon;
    if (info.hIcon != nullptr)
        DestroyIcon(info.hIcon);
    return nullptr;
}

}  // namespace

HICON EntryIcon(const char* path, bool large)
{
    char file[ICON_PATH_SIZE];
    EntryShellName(file, sizeof file, path, Wow64WindowsFolder());
    // A shortcut always gets the shell's icon, the only one with the shortcut arrow.
    HICON icon = IsShortcutName(file) ? nullptr : ExtractFirstIcon(file, large);
    return icon != nullptr ? icon : ShellIcon(file, large);
}

void EntryTipText(wchar_t* out, const char* path)
{
    char file[ICON_PATH_SIZE];
    EntryShellName(file, sizeof file, path, Wow64WindowsFolder());
    wchar_t entry[ICON_PATH_SIZE] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, entry, ICON_PATH_SIZE);
    bool address = IsAddress(file);
    bool exists = !address && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
    // The name is asked for the file this process reaches (under WOW64 maybe through
    // Sysnative): the one that Explorer shows under the entry's own name.
    SHFILEINFOW info = {};
    wchar_t name[ICON_PATH_SIZE];
    if (exists && MultiByteToWideChar(CP_ACP, 0, file, -1, name, ICON_PATH_SIZE) != 0) {
        PrepareShellCalls();
        if (SHGetFileInfoW(name, 0, &info, sizeof info, SHGFI_DISPLAYNAME) == 0)
            info.szDisplayName[0] = L'\0';
    }
    ComposeTipText(out, TIP_TEXT_SIZE, {entry, info.szDisplayName, address, exists});
}
