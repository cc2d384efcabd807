#include "app/drop_target.h"

#include <ole2.h>
#include <stdlib.h>
#include <string.h>

#include "items/item_file.h"
#include "items/pages.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "res/resource.h"
#include "view/name_tip.h"
#include "view/paint.h"

static_assert(IDS_DROP_WRITE_FAILED - IDS_DROP_TOO_LONG ==
                  static_cast<int>(DropVerdict::WriteFailed) - static_cast<int>(DropVerdict::TooLong),
              "the reasons' texts stand in the order of the verdicts");

namespace {

// Looked up, not imported: OLE32 would otherwise load at start, before the tray icon shows.
using OleInitializeCall = HRESULT(WINAPI*)(LPVOID reserved);
using RegisterDragDropCall = HRESULT(WINAPI*)(HWND window, IDropTarget* target);
using RevokeDragDropCall = HRESULT(WINAPI*)(HWND window);
using ReleaseStgMediumCall = void(WINAPI*)(STGMEDIUM* medium);

bool prepared = false;
RevokeDragDropCall revokeTarget;
ReleaseStgMediumCall releaseMedium;

// The formats taken, best first: the shell's file list, the shell's address (wide, then in
// the code page), then text that is one address.
CLIPFORMAT formats[5] = {CF_HDROP, 0, 0, CF_UNICODETEXT, CF_TEXT};
bool const WIDE_TEXT[5] = {false, true, false, true, false};

// Whether the data being dragged holds anything to add: set as it comes onto the panel.
bool dataTaken = false;

// The names of the drops not yet handled, copied while the drag's source waits: at most
// DROP_NAMES_MAX of them (more than the list can hold after a few pages of files), each up
// to DROPPED_NAME_MAX units with its true length, on the heap as they come.
size_t const DROP_NAMES_MAX = 4096;
struct PendingName {
    size_t length;
    wchar_t text[DROPPED_NAME_MAX];
};
PendingName* pendingNames;
size_t pendingCount = 0, pendingRoom = 0;
// Some names were not copied: beyond the bound, or memory short.
bool namesLeftOut = false;

// What the drops since the last WM_DROPDONE did.
int32_t firstAdded = -1, firstListed = -1;
// The message's text, on the heap from the first refusal on: a static buffer would sit in
// the program file.
int const REFUSALS_SHOWN = 8;
size_t const REFUSAL_TEXT_MAX = 8192;
int refusalCount = 0;
wchar_t* refusalText;
size_t refusalLength = 0;

// Defined here: the uuid library would bring a few thousand identifiers more.
IID const UNKNOWN_ID = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
IID const DROP_TARGET_ID = {0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

using NameSink = void (*)(const wchar_t* name, size_t length);

// DragQueryFileW copies a name cut to the buffer; the true length goes on, so that a name
// too long is refused as such.
int FileNames(HDROP drop, NameSink sink)
{
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; sink != nullptr && i < count; ++i) {
        wchar_t name[DROPPED_NAME_MAX + 1];
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        DragQueryFileW(drop, i, name, DROPPED_NAME_MAX + 1);
        sink(name, length);
    }
    return static_cast<int>(count);
}

// Text of a block that may lack its terminator: at most the block's size, and at most the
// buffer; a longer text is cut, and too long to add all the same.
int AddressName(HGLOBAL global, bool wide, NameSink sink)
{
    const void* text = GlobalLock(global);
    if (text == nullptr)
        return 0;
    size_t room = GlobalSize(global) / (wide ? sizeof(wchar_t) : 1);
    wchar_t buffer[2048];
    size_t length = 0;
    if (wide) {
        const wchar_t* source = static_cast<const wchar_t*>(text);
        for (; length < room && length < 2048 && source[length] != L'\0'; ++length)
            buffer[length] = source[length];
    } else {
        size_t bytes = 0;
        while (bytes < room && bytes < 2048 && static_cast<const char*>(text)[bytes] != '\0')
            ++bytes;
        length = static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, static_cast<const char*>(text),
                                                         static_cast<int>(bytes), buffer, 2048));
    }
    GlobalUnlock(global);
    size_t start;
    const char16_t* units = reinterpret_cast<const char16_t*>(buffer);
    if (!FindDroppedAddress(units, length, IsRegisteredScheme, &start, &length))
        return 0;
    if (sink != nullptr)
        sink(buffer + start, length);
    return 1;
}

// Hands each dropped name to sink (none: only counts them), from the first format that
// holds any; returns their number.
int ForEachDroppedName(IDataObject* data, NameSink sink)
{
    for (int i = 0; i < 5; ++i) {
        FORMATETC wanted = {formats[i], nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium;
        if (formats[i] == 0 || data->GetData(&wanted, &medium) != S_OK)
            continue;
        int count = 0;
        if (medium.tymed == TYMED_HGLOBAL)
            count = i == 0 ? FileNames(static_cast<HDROP>(medium.hGlobal), sink)
                           : AddressName(medium.hGlobal, WIDE_TEXT[i], sink);
        releaseMedium(&medium);
        if (count > 0)
            return count;
    }
    return 0;
}

void AppendRefusal(const wchar_t* text, size_t length)
{
    if (refusalText == nullptr)
        refusalText = static_cast<wchar_t*>(malloc(REFUSAL_TEXT_MAX * sizeof(wchar_t)));
    if (refusalText == nullptr)
        return;
    size_t room = REFUSAL_TEXT_MAX - 1 - refusalLength;
    length = length < room ? length : room;
    memcpy(refusalText + refusalLength, text, length * sizeof(wchar_t));
    refusalLength += length;
    refusalText[refusalLength] = L'\0';
}

void AppendString(UINT id)
{
    wchar_t text[160];
    AppendRefusal(text, static_cast<size_t>(LoadStringW(appInstance, id, text, 160)));
}

// The item, and below it the reason; for a failed write the system's own words follow.
void NoteRefusal(const wchar_t* name, size_t length, DropResult const& result)
{
    if (++refusalCount > REFUSALS_SHOWN) {
        if (refusalCount == REFUSALS_SHOWN + 1)
            AppendString(IDS_DROP_MORE);
        return;
    }
    AppendRefusal(name, length < DROPPED_NAME_MAX ? length : DROPPED_NAME_MAX);
    AppendRefusal(L"\n", 1);
    int verdict = static_cast<int>(result.verdict) - static_cast<int>(DropVerdict::TooLong);
    AppendString(static_cast<UINT>(IDS_DROP_TOO_LONG + verdict));
    if (result.verdict == DropVerdict::WriteFailed) {
        wchar_t reason[256];
        DWORD size = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                    result.error, 0, reason, 256, nullptr);
        AppendRefusal(L"\n", 1);
        AppendRefusal(reason, size);
    }
    AppendRefusal(L"\n\n", 2);
}

void KeepName(const wchar_t* name, size_t length)
{
    if (pendingCount == pendingRoom) {
        size_t room = pendingRoom == 0 ? 16 : pendingRoom * 2;
        void* grown = room <= DROP_NAMES_MAX ? realloc(pendingNames, room * sizeof(PendingName)) : nullptr;
        if (grown == nullptr) {
            namesLeftOut = true;
            return;
        }
        pendingNames = static_cast<PendingName*>(grown);
        pendingRoom = room;
    }
    PendingName& kept = pendingNames[pendingCount++];
    kept.length = length;
    memcpy(kept.text, name, (length < DROPPED_NAME_MAX ? length : DROPPED_NAME_MAX) * sizeof(wchar_t));
}

void AddName(DropFile* file, const wchar_t* name, size_t length)
{
    DropResult result = AddDroppedName(file, name, length);
    if (result.verdict == DropVerdict::Add && firstAdded < 0)
        firstAdded = result.position;
    else if (result.verdict == DropVerdict::Duplicate && firstListed < 0)
        firstListed = result.position;
    else if (result.verdict != DropVerdict::Add && result.verdict != DropVerdict::Duplicate)
        NoteRefusal(name, length, result);
}

// The file work of the drops: the list file opened once for all their names. True when it
// was read again, having changed since it was last read.
bool AddPendingNames()
{
    PendingName* names = pendingNames;
    size_t count = pendingCount;
    pendingNames = nullptr;
    pendingCount = pendingRoom = 0;
    DropFile file = OpenListForDrop(moduleFolder);
    for (size_t i = 0; i < count; ++i)
        AddName(&file, names[i].text, names[i].length);
    CloseListForDrop(moduleFolder, &file);
    free(names);
    if (namesLeftOut && refusalCount <= REFUSALS_SHOWN) {
        refusalCount = REFUSALS_SHOWN + 1;
        AppendString(IDS_DROP_MORE);
    }
    namesLeftOut = false;
    return file.readAgain;
}

// A static object: the panel's one target lives as long as the process, so the counts
// stay constant.
class PanelDropTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        bool ours = IsEqualIID(id, UNKNOWN_ID) || IsEqualIID(id, DROP_TARGET_ID);
        *object = ours ? this : nullptr;
        return ours ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        dataTaken = ForEachDroppedName(data, nullptr) > 0;
        return DragOver(0, POINTL(), effect);
    }
    // A link: the list refers to the item where it is, nothing is copied or moved.
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        DWORD allowed = *effect;
        *effect = !dataTaken ? DROPEFFECT_NONE : (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK
                                                                             : allowed & DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        DragOver(0, POINTL(), effect);
        if (*effect != DROPEFFECT_NONE) {
            ForEachDroppedName(data, KeepName);
            PostMessageA(panelWindow, WM_DROPDONE, 0, 0);
        }
        return S_OK;
    }

    HWND panelWindow;
};

PanelDropTarget dropTarget;

}  // namespace

void PrepareDropTarget(HWND panel)
{
    if (prepared)
        return;
    prepared = true;
    // OLE32 is a known DLL, only ever loaded from the system; it stays until the end.
    HMODULE ole32 = LoadLibraryA("ole32.dll");
    auto initialize = FindCall<OleInitializeCall>(ole32, "OleInitialize");
    auto registerTarget = FindCall<RegisterDragDropCall>(ole32, "RegisterDragDrop");
    revokeTarget = FindCall<RevokeDragDropCall>(ole32, "RevokeDragDrop");
    releaseMedium = FindCall<ReleaseStgMediumCall>(ole32, "ReleaseStgMedium");
    formats[1] = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW"));
    formats[2] = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator"));
    dropTarget.panelWindow = panel;
    if (initialize == nullptr || registerTarget == nullptr || revokeTarget == nullptr || releaseMedium == nullptr ||
        FAILED(initialize(nullptr)))
        return;
    // Without a target the panel takes no drops, and everything else works as before.
    if (FAILED(registerTarget(panel, &dropTarget)))
        revokeTarget = nullptr;
}

void RevokeDropTarget(HWND panel)
{
    if (revokeTarget != nullptr)
        revokeTarget(panel);
}

void OnDropDone(HWND panel)
{
    if (pendingCount == 0 && !namesLeftOut)
        return;
    bool readAgain = AddPendingNames();
    int32_t position = firstAdded >= 0 ? firstAdded : firstListed;
    firstAdded = firstListed = -1;
    if (readAgain)
        HideNameTip();
    if (position >= 0)
        TurnToPageOf(position);
    if (position >= 0 || readAgain) {
        ClearPanel(panel);
        DrawPageIcons(panel);
    }
    wchar_t* text = refusalText;
    if (text == nullptr)
        return;
    // Drops while the box is open start a message of their own.
    refusalText = nullptr;
    refusalCount = 0;
    refusalLength = 0;
    MessageBoxW(panel, text, L"quorvane", MB_OK | MB_ICONWARNING);
    free(text);
}
