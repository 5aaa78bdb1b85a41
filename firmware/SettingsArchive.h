// The settings archive: the identity, firmware version and settings of the
// connected headset, saved just before a firmware update so that the restore
// page can show them and find that firmware version again. One file per model,
// "<model file-name form>.wqlnxarch" in the folder "IMG" beside the program,
// 8-bit lines "key=value" in the user's code page with CR LF line ends, in a
// fixed order from keyManagerVersion to keySpeedDial.
#pragma once

#include <cstdint>

#include "app/AppState.h"
#include "device/DeviceSettings.h"
#include "framework/CString.h"

inline constexpr const wchar_t* kSettingsArchiveExtension = L"wqlnxarch";

// The archive's full path in folder (ending with a backslash) for a target
// product: "%s.%s" of the model's file-name form and the extension. Empty when
// the model name could lead out of the folder.
CString SettingsArchivePath(const CString& folder, int targetProductId);

// The 57 lines of an archive of settings, the date from settings.ArchiveTime as
// local time "%m/%d/%Y %H:%M:%S" whatever the user-interface language.
CString SettingsArchiveText(const DeviceSettings& settings);
// Applies the lines of an archive text to settings: a key that is absent leaves
// its field as it was; a key given twice takes its last value; unknown keys,
// lines without a key and numbers outside a family's range are skipped.
void ApplySettingsArchiveText(const CString& text, DeviceSettings& settings);
// 0 for the archived versions that cannot be restored (0x4D35 below 1.2; 0x4D30,
// 0x4D40, 0x5060, 0x5061, 0x5070 and 0x5080 below 4.2), else 1.
int IsRestorableArchive(const DeviceSettings& settings);

// Stamps settings with the current time and writes its archive for
// targetProductId whole, through a temporary name, into folder (created when
// missing). 1 when written; 0 when the path is unusable (settings then keep
// their time), a character cannot be represented in the user's code page, or
// the file cannot be written (an earlier archive then stays as it was).
int WriteSettingsArchive(DeviceSettings& settings, int targetProductId, const CString& folder);
// The same of state.deviceSettings for state.targetProductId (user-interface thread).
int WriteSettingsArchive(AppState& state, const CString& folder);

// Clears settings and reads the archive of targetProductId from folder into it:
// 1 when it was read and its version can be restored, else 0. The FM region
// read is kept within 0 to 5.
int LoadSettingsArchive(int targetProductId, DeviceSettings& settings, const CString& folder);
// The same from the program's "IMG" folder.
int LoadSettingsArchive(int targetProductId, DeviceSettings& settings);
