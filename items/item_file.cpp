#include "items/item_file.h"

#include <stdio.h>
#include <stdlib.h>

#include "items/item_list.h"
#include "items/list_text.h"

ListFileFacts listFileFacts;

// Wide characters, so that the text reads right whatever the system's ANSI code page;
// on a Japanese system it is the same text the ANSI call would show. No caption: the
// system's default one.
static void ShowMissingListMessage()
{
    MessageBoxW(nullptr,
                L"設定ファイル(quorvane.cfg)が不足しています。\nプログラムを終了します。",
                nullptr, MB_OK);
}

static size_t ReadStdio(void* file, char* into, size_t size)
{
    return fread(into, 1, size, static_cast<FILE*>(file));
}

int LoadItemList(const wchar_t* folder)
{
    wchar_t path[MAX_PATH];
    FILE* file = JoinPath(path, MAX_PATH, folder, ITEM_FILE_NAME) ? _wfopen(path, L"rb") : nullptr;
    if (file == nullptr) {
        ShowMissingListMessage();
        return 0;
    }
    FileBytes bytes = ReadListBytes(ReadStdio, file);
    fclose(file);
    listFileFacts = ReadListText(&itemList, reinterpret_cast<unsigned char*>(bytes.bytes), bytes.size, WidenCodePage);
    // Where the code page is UTF-8, UTF-8 text is read as it is: an ASCII file that turns
    // into UTF-8 reads the same.
    if (GetACP() == CP_UTF8)
        listFileFacts.asciiOnly = false;
    free(bytes.bytes);
    return 1;
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

DropResult AddDroppedName(const wchar_t* folder, const wchar_t* wide, size_t length)
{
    // Room for any name of DROPPED_NAME_MAX units: at most three bytes each in any code page.
    char entry[3 * DROPPED_NAME_MAX + 1];
    bool lost = false;
    int size = length <= DROPPED_NAME_MAX
                   ? CodePageFromWide(wide, static_cast<int>(length), entry, static_cast<int>(sizeof entry - 1), &lost)
                   : 0;
    entry[size] = '\0';
    DroppedName name = {reinterpret_cast<const char16_t*>(wide), length, entry, lost};
    DropResult result = {DropVerdict::Add, 0, 0};
    result.verdict = DecideDrop(listFileFacts, name, SameEntryText, &result.position);
    if (result.verdict != DropVerdict::Add)
        return result;
    // A folder too long for the path leaves it empty, and the open fails.
    wchar_t path[MAX_PATH];
    JoinPath(path, MAX_PATH, folder, ITEM_FILE_NAME);
    // Shared for reading only: nobody else writes while the line goes in. An existing file
    // only: a list that is gone is not made anew.
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    result.error = file == INVALID_HANDLE_VALUE ? GetLastError() : AppendLine(file, name);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (result.error != 0) {
        result.verdict = DropVerdict::WriteFailed;
        return result;
    }
    NoteAppended(&listFileFacts, name);
    result.position = itemList.itemCount - 1;
    return result;
}
