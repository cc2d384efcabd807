#include "settings/settings_store.h"

#include "platform/win32.h"
#include "settings/settings.h"

// Room for a folder of up to 251 bytes before the file name; a longer folder gives no
// path, and the store then keeps the defaults and writes nothing.
int const SETTINGS_PATH_SIZE = 264;

void LoadSettings(const char* folder)
{
    char path[SETTINGS_PATH_SIZE];
    bool havePath = JoinPath(path, sizeof path, folder, SETTINGS_FILE_NAME) != 0;
    for (SettingKey const& key : SETTING_KEYS) {
        UINT value = havePath ? GetPrivateProfileIntA(SETTINGS_SECTION, key.name, key.defaultValue, path)
                              : static_cast<UINT>(key.defaultValue);
        settings.*key.field = LowWordAsSigned(value);
    }
}

int SaveSettings(const char* folder)
{
    char path[SETTINGS_PATH_SIZE];
    if (!JoinPath(path, sizeof path, folder, SETTINGS_FILE_NAME))
        return 0;
    for (SettingKey const& key : SETTING_KEYS) {
        char text[16];
        wsprintfA(text, "%d", int{settings.*key.field});
        WritePrivateProfileStringA(SETTINGS_SECTION, key.name, text, path);
    }
    return 0;
}
