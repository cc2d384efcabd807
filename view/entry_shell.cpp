#include "view/entry_shell.h"

#include <limits.h>

#include "platform/shell.h"
#include "view/tip_text.h"

namespace {

// The file's first icon at the size IconType asks for, or none. Under some shells a
// failed extraction leaves the output slot as it was, so it starts as none, and only a
// call that reports an icon and gives a handle counts.
HICON ExtractFirstIcon(const wchar_t* file, bool large)
{
    HICON icon = nullptr;
    UINT extracted = ExtractIconExW(file, 0, large ? &icon : nullptr, large ? nullptr : &icon, 1);
    if (extracted == 0 || extracted == UINT_MAX)
        return nullptr;
    return icon;
}

// A shortcut by its name, as the shell knows one: ".lnk" in any case.
bool IsShortcutName(const wchar_t* file)
{
    int length = lstrlenW(file);
    return length >= 4 && lstrcmpiW(file + length - 4, L".lnk") == 0;
}

// The icon the shell shows for the file: a folder's, a document's by its type, a shortcut's
// with the arrow Explorer draws on it; for an address, that of the internet-shortcut type.
// None for a name that names nothing, which some shells (Wine) would still answer, empty or
// garbled, with some folder's icon.
// After a failure the wide call leaves the record as it was (Wine's ANSI call would hand
// back the handle of its previous answer): a handle found there after a failed call is a
// new icon, and is destroyed.
HICON ShellIcon(const wchar_t* file, bool large)
{
    bool address = IsAddress(AsUtf16(file));
    if (!address && GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    PrepareShellCalls();
    SHFILEINFOW info = {};
    UINT flags = SHGFI_ICON | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    // The arrow asked for a shortcut alone: some shells (Wine) would draw it on anything.
    UINT overlay = IsShortcutName(file) ? SHGFI_LINKOVERLAY : 0;
    DWORD_PTR found = address
        ? SHGetFileInfoW(L".url", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags | SHGFI_USEFILEATTRIBUTES)
        : SHGetFileInfoW(file, 0, &info, sizeof info, flags | overlay);
    if (found != 0)
        return info.hIcon;
    if (info.hIcon != nullptr)
        DestroyIcon(info.hIcon);
    return nullptr;
}

}  // namespace

HICON EntryIcon(const char16_t* path, bool large)
{
    wchar_t file[MAX_PATH];
    EntryShellName(file, MAX_PATH, path, Wow64WindowsFolder());
    // A shortcut always gets the shell's icon, the only one with the shortcut arrow.
    HICON icon = IsShortcutName(file) ? nullptr : ExtractFirstIcon(file, large);
    return icon != nullptr ? icon : ShellIcon(file, large);
}

void EntryTipText(wchar_t* out, const char16_t* path)
{
    wchar_t file[MAX_PATH];
    EntryShellName(file, MAX_PATH, path, Wow64WindowsFolder());
    bool address = IsAddress(path);
    bool exists = !address && GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES;
    // The name is asked for the file this process reaches (under WOW64 maybe through
    // Sysnative): the one that Explorer shows under the entry's own name.
    SHFILEINFOW info = {};
    if (exists) {
        PrepareShellCalls();
        if (SHGetFileInfoW(file, 0, &info, sizeof info, SHGFI_DISPLAYNAME) == 0)
            info.szDisplayName[0] = L'\0';
    }
    ComposeTipText(out, TIP_TEXT_SIZE, {AsWide(path), info.szDisplayName, address, exists});
}
