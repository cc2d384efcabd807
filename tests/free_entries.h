// The program never frees list entries but on a reload (they live until it ends); tests, the
// fuzz target and the benchmark read many lists in one process and free them here.
#pragma once
#include <stdio.h>
#include <stdlib.h>

#include "items/item_list.h"

inline void FreeEntriesAfter(Item* item)
{
    FreeItems(item);
}

// Empties itemList, keeping its head.
inline void FreeEntries()
{
    FreeEntriesAfter(itemList.head->next);
    itemList.head->next = nullptr;
    itemList.itemCount = 0;
}

// ReadListBytes from a C stream.
inline size_t ReadStdio(void* file, char* into, size_t size)
{
    return fread(into, 1, size, static_cast<FILE*>(file));
}

// Code-page text as Latin-1: one unit per byte, for lists of ASCII.
inline size_t WidenLatin1(const char* bytes, size_t size, char16_t* out)
{
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    return size;
}
