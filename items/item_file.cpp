#include "items/item_file.h"

#include <stdlib.h>

#include "items/item_list.h"
#include "items/list_text.h"
#include "items/pages.h"

ListFileFacts listFileFacts;

namespace {

// Wide characters, so that the text reads right whatever the system's ANSI code page;
// on a Japanese system it is the same text the ANSI call would show. No caption: the
// system's default one.
void ShowMissingListMessage()
{
    MessageBoxW(nullptr,
                L"設定ファイル(quorvane.cfg)が不足しています。\nプログラムを終了します。",
                nullptr, MB_OK);
}

// A folder too long for the path leaves it empty, and the open fails.
void ListFilePath(wchar_t* path, const wchar_t* folder)
{
    JoinPath(path, MAX_PATH, folder, ITEM_FILE_NAME);
}

uint64_t FileTimeValue(FILETIME time)
{
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// The write time and size of the opened file; false when they cannot be read.
bool HandleStamp(HANDLE file, ListFileStamp* stamp)
{
    FILETIME written;
    LARGE_INTEGER size;
    if (!GetFileTime(file, nullptr, nullptr, &written) || !GetFileSizeEx(file, &size))
        return false;
    *stamp = {FileTimeValue(written), static_cast<uint64_t>(size.QuadPart)};
    return true;
}

size_t ReadHandle(void* file, char* into, size_t size)
{
    DWORD got = 0;
    DWORD wanted = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
    if (!ReadFile(*static_cast<HANDLE*>(file), into, wanted, &got, nullptr))
        return 0;
    return got;
}

// The entries of fresh in place of itemList's, which are freed, shown from page 0.
void PutInPlace(ItemList fresh, ListFileFacts facts)
{
    // Where the code page is UTF-8, UTF-8 text is read as it is: an ASCII file that turns
    // into UTF-8 reads the same.
    if (GetACP() == CP_UTF8)
        facts.asciiOnly = false;
    listFileFacts = facts;
    FreeItems(itemList.head->next);
    itemList.head->next = fresh.head->next;
    itemList.itemCount = fresh.itemCount;
    free(fresh.head);
    panelState.pageIndex = 0;
}

// Reads the opened file from its start into a list of its own and, when the file was read
// whole (or, short is allowed, as far as it could be), puts that list in place of itemList's
// entries, which are freed, with the file's facts; false, with everything as it was, when
// not. The stamp is taken before the bytes: a change while they are read shows next time.
bool ReadEntries(HANDLE file, bool shortAllowed)
{
    ListFileStamp stamp;
    LARGE_INTEGER start = {};
    ItemList fresh = {nullptr, 0};
    if (!HandleStamp(file, &stamp) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
        (fresh.head = NewItemListHead()) == nullptr)
        return false;
    FileBytes bytes = ReadListBytes(ReadHandle, &file);
    uint64_t whole = stamp.size < LIST_READ_MAX ? stamp.size : LIST_READ_MAX;
    bool read = shortAllowed || bytes.size == whole;
    ListFileFacts facts = {};
    if (read)
        facts = ReadListText(&fresh, reinterpret_cast<unsigned char*>(bytes.bytes), bytes.size, WidenCodePage);
    free(bytes.bytes);
    if (!read) {
        FreeItems(fresh.head);
        return false;
    }
    facts.stamp = stamp;
    PutInPlace(fresh, facts);
    return true;
}

// For reading only, others may read and write meanwhile: as an editor expects of a viewer.
HANDLE OpenToRead(const wchar_t* path)
{
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

ListFileQuery QueryListFile(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    ListFileQuery now = {false, {0, 0}};
    if (GetFileAttributesExW(path, GetFileExInfoStandard, &data) &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        now = {true, {FileTimeValue(data.ftLastWriteTime),
                      static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow}};
    return now;
}

}  // namespace

int LoadItemList(const wchar_t* folder)
{
    wchar_t path[MAX_PATH];
    ListFilePath(path, folder);
    HANDLE file = OpenToRead(path);
    if (file == INVALID_HANDLE_VALUE) {
        ShowMissingListMessage();
        return 0;
    }
    ReadEntries(file, true);
    CloseHandle(file);
    return 1;
}

bool ReadItemListIfChanged(const wchar_t* folder)
{
    wchar_t path[MAX_PATH];
    ListFilePath(path, folder);
    if (!ListFileChanged(listFileFacts.stamp, QueryListFile(path)))
        return false;
    HANDLE file = OpenToRead(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool replaced = ReadEntries(file, false);
    CloseHandle(file);
    return replaced;
}

namespace {
// Sets the file's end back to size: a write that failed part way leaves no half line.
void CutBack(HANDLE file, LARGE_INTEGER size)
{
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
}

// Makes the line for the name from the file's end as it is now, adds its entries to
// itemList and writes it at the end of the file; 0, or the system's error code after
// both were put back as they were.
DWORD AppendLine(HANDLE file, DroppedName const& name)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return GetLastError();
    LARGE_INTEGER tailAt;
    tailAt.QuadPart = size.QuadPart < 2 ? 0 : size.QuadPart - 2;
    unsigned char tail[2];
    DWORD tailSize = 0;
    if (!SetFilePointerEx(file, tailAt, nullptr, FILE_BEGIN) || !ReadFile(file, tail, 2, &tailSize, nullptr) ||
        !SetFilePointerEx(file, size, nullptr, FILE_BEGIN))
        return GetLastError();
    AppendedLine line;
    MakeAppendedLine(&line, listFileFacts, tail, tailSize, static_cast<uint64_t>(size.QuadPart), name);
    int16_t count = itemList.itemCount;
    // The same reader as at start, from the same bytes.
    AppendItemsFromText(&itemList, line.bytes + line.textOffset, line.size - line.textOffset,
                        listFileFacts.kind.encoding, WidenCodePage);
    DWORD error = itemList.itemCount == count + line.entries ? 0 : ERROR_NOT_ENOUGH_MEMORY;
    DWORD written = 0;
    if (error == 0 && !WriteFile(file, line.bytes, static_cast<DWORD>(line.size), &written, nullptr))
        error = GetLastError();
    else if (error == 0 && written != line.size)
        error = ERROR_DISK_FULL;
    if (error != 0) {
        CutBack(file, size);
        TruncateItemList(count);
    }
    return error;
}

}  // namespace

DropFile OpenListForDrop(const wchar_t* folder)
{
    wchar_t path[MAX_PATH];
    ListFilePath(path, folder);
    // An existing file only: a list that is gone is not made anew.
    DropFile file = {CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr),
                     0, false, false};
    if (file.handle == INVALID_HANDLE_VALUE) {
        file.error = GetLastError();
        return file;
    }
    ListFileQuery now = {true, {0, 0}};
    if (!HandleStamp(file.handle, &now.stamp)) {
        file.error = GetLastError();
    } else {
        file.readAgain = ListFileChanged(listFileFacts.stamp, now);
        // Not read whole: its end is unknown, and nothing may be written there.
        if (file.readAgain && !ReadEntries(file.handle, false))
            file.error = ERROR_READ_FAULT;
    }
    if (file.error != 0) {
        CloseHandle(file.handle);
        file.handle = INVALID_HANDLE_VALUE;
        file.readAgain = false;
    }
    return file;
}

DropResult AddDroppedName(DropFile* file, const wchar_t* wide, size_t length)
{
    // Room for any name of DROPPED_NAME_MAX units: at most three bytes each in any code page.
    char entry[3 * DROPPED_NAME_MAX + 1];
    bool lost = false;
    int size = length <= DROPPED_NAME_MAX
                   ? CodePageFromWide(wide, static_cast<int>(length), entry, static_cast<int>(sizeof entry - 1), &lost)
                   : 0;
    entry[size] = '\0';
    DroppedName name = {AsUtf16(wide), length, entry, lost};
    DropResult result = {DropVerdict::Add, 0, 0};
    result.verdict = DecideDrop(listFileFacts, name, SameEntryText, &result.position);
    if (result.verdict != DropVerdict::Add)
        return result;
    result.error = file->handle == INVALID_HANDLE_VALUE ? file->error : AppendLine(file->handle, name);
    if (result.error != 0) {
        result.verdict = DropVerdict::WriteFailed;
        return result;
    }
    file->written = true;
    NoteAppended(&listFileFacts, name);
    result.position = itemList.itemCount - 1;
    return result;
}

void CloseListForDrop(const wchar_t* folder, DropFile* file)
{
    if (file->handle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file->handle);
    file->handle = INVALID_HANDLE_VALUE;
    if (!file->written)
        return;
    // After the close: some file systems set the write time only then.
    wchar_t path[MAX_PATH];
    ListFilePath(path, folder);
    ListFileQuery now = QueryListFile(path);
    if (now.found)
        listFileFacts.stamp = now.stamp;
}
