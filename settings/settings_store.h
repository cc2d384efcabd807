// The settings record and its INI file beside the executable.
#pragma once

char const SETTINGS_FILE_NAME[] = "quorvane.ini";
char const SETTINGS_SECTION[] = "quorvane";

// The folder is wide text (the program's own folder); the section, the keys and the numbers
// in the file are ASCII, as the ANSI profile calls wrote them.

// Replaces all the settings with the file's values, or each key's default where the
// file, the section or the key is absent. Never creates the file.
void LoadSettings(const wchar_t* folder);

// Writes all the settings under their keys, creating the file and the section when
// missing and leaving every other line alone. A failed write is not reported: the record
// keeps its values for the run. Returns 0.
int SaveSettings(const wchar_t* folder);
