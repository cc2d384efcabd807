#include "items/item_file.h"

#include <stdio.h>
#include <stdlib.h>

#include "items/item_list.h"
#include "items/list_text.h"

// Wide characters, so that the text reads right whatever the system's ANSI code page;
// on a Japanese system it is the same text the ANSI call would show. No caption: the
// system's default one.
static void ShowMissingListMessage()
{
    MessageBoxW(nullptr,
                L"設定ファイル(quorvane.cfg)が不足しています。\nプログラムを終了します。",
                nullptr, MB_OK);
}

int LoadItemList(const wchar_t* folder)
{
    wchar_t path[MAX_PATH];
    FILE* file = JoinPath(path, MAX_PATH, folder, ITEM_FILE_NAME) ? _wfopen(path, L"rb") : nullptr;
    if (file == nullptr) {
        ShowMissingListMessage();
        return 0;
    }
    FileBytes text = TextInCodePage(ReadListBytes(file));
    fclose(file);
    AppendItemsFromText(text.bytes, text.size);
    free(text.bytes);
    return 1;
}
