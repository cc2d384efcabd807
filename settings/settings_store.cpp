#include "settings/settings_store.h"

#include "platform/win32.h"
#include "settings/settings.h"

namespace {

// Room for a folder of up to 251 characters before the file name; a longer folder gives no
// path, and the store then keeps the defaults and writes nothing.
int const SETTINGS_PATH_SIZE = 264;

// The section and key names for the wide profile calls. They are ASCII, so the file keeps
// the bytes the ANSI calls gave it.
struct WideName {
    explicit WideName(const char* ascii) { WidenAscii(text, sizeof text / sizeof text[0], ascii); }
    wchar_t text[32];
};

}  // namespace

void LoadSettings(const wchar_t* folder)
{
    wchar_t path[SETTINGS_PATH_SIZE];
    bool havePath = JoinPath(path, SETTINGS_PATH_SIZE, folder, SETTINGS_FILE_NAME) != 0;
    WideName section(SETTINGS_SECTION);
    for (SettingKey const& key : SETTING_KEYS) {
        UINT value = havePath ? GetPrivateProfileIntW(section.text, WideName(key.name).text, key.defaultValue, path)
                              : static_cast<UINT>(key.defaultValue);
        settings.*key.field = LowWordAsSigned(value);
    }
}

int SaveSettings(const wchar_t* folder)
{
    wchar_t path[SETTINGS_PATH_SIZE];
    if (!JoinPath(path, SETTINGS_PATH_SIZE, folder, SETTINGS_FILE_NAME))
        return 0;
    WideName section(SETTINGS_SECTION);
    for (SettingKey const& key : SETTING_KEYS) {
        wchar_t text[16];
        wsprintfW(text, L"%d", int{settings.*key.field});
        WritePrivateProfileStringW(section.text, WideName(key.name).text, text, path);
    }
    return 0;
}
