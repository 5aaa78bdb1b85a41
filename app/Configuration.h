// The configuration file: the user's choices kept between runs, as lines of
// key, equals sign and value in the user's 8-bit code page.
#pragma once

#include <windows.h>

#include "app/Texts.h"
#include "framework/CString.h"

// The values the file holds, with the defaults of a first start.
struct ConfigurationValues {
    CString managerVersion;                 // read and kept, never used
    LanguageIndex language = LanguageEnglish;
    int applyToFirmwareLanguage = 1;
    int targetProductId = 0;
    CString firmwareLanguage = L"English";
    CString currentPath;
};

// "TORVIKBluetoothDeviceManager.wqlnxconf" in "IMG" below the program's folder
// (or the file a test has put in its place).
CString ConfigurationFilePath();
// Test hook: the main window reads and writes this file instead (null or empty
// restores the real one), so test processes keep their choices to themselves.
void SetConfigurationFileHook(const wchar_t* path);

// Applies the lines of a configuration text to values: keys and values are
// trimmed, keys match exactly, a key given twice takes its last value, lines
// without a key or an equals sign are skipped.
void ParseConfigurationText(const CString& text, ConfigurationValues& values);
// The file's content with "\r\n" line ends: version, language, apply flag and
// target always, voice-prompt language and current folder when not empty.
CString ConfigurationText(const ConfigurationValues& values);

// Reads the whole file and converts it from the code page at once; false (values
// untouched) when the file cannot be opened.
bool ReadConfigurationFile(const wchar_t* path, ConfigurationValues& values, UINT codePage = CP_ACP);
// Writes the whole file through a temporary name, creating its folder when
// missing; false when it cannot be written (a read-only file among them), which
// is also told to the diagnostic output.
bool WriteConfigurationFile(const wchar_t* path, const ConfigurationValues& values, UINT codePage = CP_ACP);
