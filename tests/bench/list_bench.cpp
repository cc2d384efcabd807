// Measures reading list files of 1,000 and 32,767 entries (typical program paths), in the
// code page and, for 32,767, in UTF-8.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "items/item_list.h"
#include "items/list_append.h"
#include "tests/free_entries.h"

namespace {

double LoadSeconds(FILE* file)
{
    rewind(file);
    auto start = std::chrono::steady_clock::now();
    FileBytes text = ReadListBytes(ReadStdio, file);
    // As the program reads it: the encoding told, each piece of code-page text widened.
    ReadListText(&itemList, reinterpret_cast<const unsigned char*>(text.bytes), text.size, WidenLatin1);
    free(text.bytes);
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    FreeEntries();
    return spent.count();
}

// mark: a byte-order mark before the lines ("" for a list in the code page).
void Measure(int entries, const char* mark)
{
    FILE* file = tmpfile();
    fputs(mark, file);
    for (int i = 0; i < entries; ++i)
        fprintf(file, "C:\\Program Files\\Tools %05d\\bin\\tool-%05d.exe\r\n", i, i);
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i)
        runs.push_back(LoadSeconds(file));
    std::sort(runs.begin(), runs.end());
    printf("list load  %5d entries %9.3f ms%s\n", entries, runs[runs.size() / 2] * 1e3, *mark ? "  (UTF-8)" : "");
    fclose(file);
}

}  // namespace

int main()
{
    itemList.head = NewItemListHead();
    Measure(1000, "");
    Measure(32767, "");
    Measure(32767, "\xEF\xBB\xBF");
    free(itemList.head);
    return 0;
}
