// Helpers shared by the settings store and dialog tests: a temporary folder of their own,
// whole-file reads and writes, and a guard that puts the process-wide records back.
#pragma once
#include <stdio.h>
#include <string.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace settings_test {

// The text in the system's code page as wide text.
inline std::wstring Wide(std::string const& text)
{
    std::wstring wide(text.size(), L'\0');
    int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size()));
    wide.resize(count > 0 ? count : 0);
    return wide;
}

// A fresh, empty folder under the system's temporary folder; its text ends with a
// backslash, as moduleFolder does. Removed with its files when the object goes.
class TempFolder {
public:
    TempFolder()
    {
        static unsigned counter = 0;
        char base[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, base);
        if (length == 0 || length >= MAX_PATH)
            return;
        char name[MAX_PATH + 64];
        wsprintfA(name, "%squorvane-settings-%lu-%lu-%u\\", base, GetCurrentProcessId(), GetTickCount(),
                  ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            widePath_ = Wide(path_);
        }
    }
    ~TempFolder()
    {
        if (path_.empty())
            return;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((path_ + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(TempFolder const&) = delete;
    TempFolder& operator=(TempFolder const&) = delete;

    bool ok() const { return !path_.empty(); }
    // The folder text, ending with a backslash.
    const char* folder() const { return path_.c_str(); }
    // The same as wide text, as the program holds its own folder.
    const wchar_t* wideFolder() const { return widePath_.c_str(); }
    std::string file(const char* name) const { return path_ + name; }
    std::string iniPath() const { return file(SETTINGS_FILE_NAME); }

    // Number of entries in the folder besides "." and "..".
    int entryCount() const
    {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do {
            if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
                ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

private:
    std::string path_;
    std::wstring widePath_;
};

inline bool FileExists(std::string const& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteFileText(std::string const& path, std::string const& text)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

// The file's bytes; empty when it cannot be read.
inline std::string ReadFileText(std::string const& path)
{
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return text;
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    fclose(file);
    return text;
}

// The lines of a text that hold anything, without their line ends.
inline std::vector<std::string> NonEmptyLines(std::string const& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// What the profile call reads for a key of the settings section, with the given default.
inline UINT ProfileInt(std::string const& iniPath, const char* key, int defaultValue)
{
    return GetPrivateProfileIntA(SETTINGS_SECTION, key, defaultValue, iniPath.c_str());
}

inline Settings MakeSettings(int16_t width, int16_t height, int16_t timer, int16_t iconType, int16_t changeSize,
                             int16_t fullScreen = 1, int16_t hotKey = 0)
{
    Settings value;
    value.WindowWidth = width;
    value.ItemHeight = height;
    value.Timer = timer;
    value.IconType = iconType;
    value.ChangeSize = changeSize;
    value.FullScreen = fullScreen;
    value.HotKey = hotKey;
    return value;
}

inline bool SameSettings(Settings const& a, Settings const& b)
{
    return a.WindowWidth == b.WindowWidth && a.ItemHeight == b.ItemHeight && a.Timer == b.Timer &&
           a.IconType == b.IconType && a.ChangeSize == b.ChangeSize && a.FullScreen == b.FullScreen &&
           a.HotKey == b.HotKey;
}

// Other tests in the same program read the settings record and moduleFolder: each test
// here puts both back as it found them.
class RecordGuard {
public:
    RecordGuard() : settings_(settings) { memcpy(folder_, moduleFolder, sizeof folder_); }
    ~RecordGuard()
    {
        settings = settings_;
        memcpy(moduleFolder, folder_, sizeof folder_);
    }
    RecordGuard(RecordGuard const&) = delete;
    RecordGuard& operator=(RecordGuard const&) = delete;

private:
    Settings settings_;
    wchar_t folder_[MAX_PATH];
};

}  // namespace settings_test

// Readable failures for the record.
inline void PrintTo(Settings const& value, std::ostream* out)
{
    *out << "{" << value.WindowWidth << ", " << value.ItemHeight << ", " << value.Timer << ", " << value.IconType
         << ", " << value.ChangeSize << ", " << value.FullScreen << ", " << value.HotKey << "}";
}
inline bool operator==(Settings const& a, Settings const& b)
{
    return settings_test::SameSettings(a, b);
}
