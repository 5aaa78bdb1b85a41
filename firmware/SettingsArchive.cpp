#include "firmware/SettingsArchive.h"

#include <ctime>
#include <string>

#include "app/Configuration.h"
#include "device/ProductCatalogue.h"
#include "framework/File.h"
#include "framework/Time.h"

namespace {

enum class ArchiveKind { Integer, Version, Text, Date };

using IntegerField = int& (*)(DeviceSettings&, int number);
using TextField = CString& (*)(DeviceSettings&, int number);

// One key of the archive. A numbered family (count > 0) stands for the keys
// name01 to name<count>; the field is reached with the number.
struct ArchiveKey {
    const wchar_t* name;
    ArchiveKind kind;
    int count;
    IntegerField first;   // Integer; Version: major
    IntegerField second;  // Version: minor
    TextField text;       // Text
    bool written;         // false: read only, no writer produces it
};

#define INTEGER(expr) [](DeviceSettings& s, int n) -> int& { (void)n; return s.expr; }
#define TEXT_FIELD(expr) [](DeviceSettings& s, int n) -> CString& { (void)n; return s.expr; }
#define KEY_INTEGER(name, field) {name, ArchiveKind::Integer, 0, INTEGER(field), nullptr, nullptr, true}
#define KEY_FAMILY(name, count, field) {name, ArchiveKind::Integer, count, INTEGER(field), nullptr, nullptr, true}

// In the order the writer writes them.
const ArchiveKey kArchiveKeys[] = {
    {L"keyManagerVersion", ArchiveKind::Version, 0, INTEGER(ManagerVersionMajor), INTEGER(ManagerVersionMinor), nullptr, true},
    KEY_INTEGER(L"keyDeviceRecognized", ProductId),
    {L"keyDeviceName", ArchiveKind::Text, 0, nullptr, nullptr, TEXT_FIELD(DeviceName), true},
    {L"keyDeviceVersion", ArchiveKind::Version, 0, INTEGER(Firmware.Major), INTEGER(Firmware.Minor), nullptr, true},
    KEY_INTEGER(L"keyDeviceSecondaryVersionType", Firmware.SecondaryType),
    KEY_INTEGER(L"keyDeviceSecondaryVersion", Firmware.SecondaryVersion),
    {L"keyDateArchived", ArchiveKind::Date, 0, nullptr, nullptr, nullptr, true},
    KEY_INTEGER(L"keyIntercomVOX", IntercomVOX),
    KEY_INTEGER(L"keyHandsfreeVOX", HandsfreeVOX),
    KEY_INTEGER(L"keyEDR", EDR),
    KEY_INTEGER(L"keyVoicePrompt", VoicePrompt),
    KEY_INTEGER(L"keyPLC", PLC),
    KEY_INTEGER(L"keyBitpoolRate", BitpoolRate),
    KEY_INTEGER(L"keyMicrophoneBoost", MicrophoneBoost),
    KEY_INTEGER(L"keySidetone", Sidetone),
    KEY_INTEGER(L"keyCalmweave", Calmweave),
    KEY_INTEGER(L"keyAutoGainControl", AutoGainControl),
    KEY_FAMILY(L"keyBasicSettingV40", 10, SettingWords[n - 1]),
    KEY_FAMILY(L"keyBasicSettingKR5VOXSensitivity", 2, SettingWords[13 + n]),
    KEY_FAMILY(L"keyBasicSettingLVRSmartVolumeControl", 2, SettingWords[15 + n]),
    KEY_FAMILY(L"keyBasicSettingKC5Camera", 2, SettingWords[9 + n]),
    KEY_INTEGER(L"keyRadioTransmitGain", RadioTransmitGain),
    KEY_INTEGER(L"keyAudioChannelTimeout", AudioChannelTimeout),
    KEY_INTEGER(L"keyAudioBoost", SettingWords[18]),
    KEY_INTEGER(L"keyHDIntercom", SettingWords[19]),
    KEY_INTEGER(L"keyFMStationGuide", SettingWords[20]),
    KEY_INTEGER(L"keyHDVoice", SettingWords[21]),
    KEY_INTEGER(L"keyFMRadioRegion", FmRegion),
    KEY_INTEGER(L"keyFMRadioMagicCode", FmMagic),
    KEY_INTEGER(L"keyFMRadioCurrentFrequency", FmCurrentFrequency),
    KEY_INTEGER(L"keyFMRadioCurrentPreset", FmCurrentPreset),
    KEY_FAMILY(L"keyFMRadioPreset", kFmPresetCount, FmPresets[n - 1]),
    KEY_INTEGER(L"keyFMRadioRDS", FmRds),
    {L"keySpeedDial", ArchiveKind::Text, kSpeedDialCount, nullptr, nullptr, TEXT_FIELD(SpeedDialNumbers[n - 1]), true},
    {L"keyAudioSourcePriority", ArchiveKind::Integer, 0, INTEGER(SettingWords[22]), nullptr, nullptr, false},
    {L"keyLayerly", ArchiveKind::Integer, 0, INTEGER(SettingWords[23]), nullptr, nullptr, false},
    {L"keySmartNaviSystem", ArchiveKind::Integer, 0, INTEGER(SettingWords[24]), nullptr, nullptr, false},
};

#undef INTEGER
#undef TEXT_FIELD
#undef KEY_INTEGER
#undef KEY_FAMILY

// Positions of month, day, year, hour, minute and second in "%m/%d/%Y %H:%M:%S".
struct DateField {
    int first;
    int length;
};
constexpr DateField kDateFields[] = {{0, 2}, {3, 2}, {6, 4}, {11, 2}, {14, 2}, {17, 2}};
constexpr int kDateLength = 19;

// A text value on one line: a line break in it would begin a line of its own.
CString OneLine(CString text)
{
    text.Replace(L'\r', L' ');
    text.Replace(L'\n', L' ');
    return text;
}

void AppendValue(CString& out, const ArchiveKey& key, DeviceSettings& settings, int number)
{
    switch (key.kind) {
    case ArchiveKind::Integer:
        out.AppendFormat(L"%d", key.first(settings, number));
        break;
    case ArchiveKind::Version:
        out.AppendFormat(L"%d.%d", key.first(settings, number), key.second(settings, number));
        break;
    case ArchiveKind::Text:
        out += OneLine(key.text(settings, number));
        break;
    case ArchiveKind::Date:
        out += CTime(settings.ArchiveTime).Format(DateTimeFormat(LanguageEnglish));
        break;
    }
}

// The local time of "%m/%d/%Y %H:%M:%S"; 0 when the text is no valid time from 1970 on.
int64_t ParseArchiveDate(const CString& value)
{
    if (value.GetLength() < kDateLength) return 0;
    int parts[std::size(kDateFields)];
    for (size_t i = 0; i < std::size(kDateFields); ++i) {
        parts[i] = StrToInt(value.Mid(kDateFields[i].first, kDateFields[i].length));
    }
    const int month = parts[0], day = parts[1], year = parts[2];
    static constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1970 || year > 3000 || month < 1 || month > 12 || day < 1 ||
        day > (month == 2 && !leap ? 28 : kDaysInMonth[month - 1]) || parts[3] < 0 || parts[3] > 23 ||
        parts[4] < 0 || parts[4] > 59 || parts[5] < 0 || parts[5] > 59) {
        return 0;
    }
    struct tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = parts[3];
    local.tm_min = parts[4];
    local.tm_sec = parts[5];
    local.tm_isdst = -1;  // daylight saving time as the system decides
    const __time64_t time = _mktime64(&local);
    return time < 0 ? 0 : static_cast<int64_t>(time);
}

void ApplyValue(const ArchiveKey& key, int number, const CString& value, DeviceSettings& settings)
{
    switch (key.kind) {
    case ArchiveKind::Integer:
        key.first(settings, number) = StrToInt(value);
        break;
    case ArchiveKind::Version:
        ParseVersion2(value, &key.first(settings, number), &key.second(settings, number));
        break;
    case ArchiveKind::Text:
        key.text(settings, number) = value;
        break;
    case ArchiveKind::Date:
        settings.ArchiveTime = ParseArchiveDate(value);
        break;
    }
}

// Keys match exactly; the key of a numbered family begins with its name and
// ends with its number in two digits.
void ApplyLine(const CString& line, DeviceSettings& settings)
{
    const int equals = line.Find(L'=');
    if (equals <= 0) return;
    CString key = line.Left(equals);
    CString value = line.Mid(equals + 1);
    key.Trim();
    value.Trim();
    for (const ArchiveKey& candidate : kArchiveKeys) {
        if (candidate.count == 0) {
            if (key != candidate.name) continue;
            ApplyValue(candidate, 0, value, settings);
            return;
        }
        if (key.Find(candidate.name) != 0) continue;
        const int number = StrToInt(key.Right(2));
        if (number >= 1 && number <= candidate.count) ApplyValue(candidate, number, value, settings);
        return;
    }
}

// The whole text in a code page; false when a character has no form there.
bool ToCodePageExactly(const CString& text, UINT codePage, std::string& bytes)
{
    bytes.clear();
    if (text.IsEmpty()) return true;
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int size = ::WideCharToMultiByte(codePage, flags, text, text.GetLength(), nullptr, 0, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) return false;
    bytes.resize(static_cast<size_t>(size));
    return ::WideCharToMultiByte(codePage, flags, text, text.GetLength(), bytes.data(), size, nullptr,
                                 usedDefaultOut) == size &&
           !usedDefault;
}

}  // namespace

CString SettingsArchivePath(const CString& folder, int targetProductId)
{
    const CString name = GetModelName(targetProductId, 1) + L"." + kSettingsArchiveExtension;
    return IsPlainFileName(name) ? folder + name : CString();
}

CString SettingsArchiveText(const DeviceSettings& source)
{
    // The table reaches fields for reading and writing alike: it reads a copy.
    DeviceSettings settings = source;
    CString out;
    for (const ArchiveKey& key : kArchiveKeys) {
        if (!key.written) continue;
        for (int number = key.count ? 1 : 0; number <= key.count; ++number) {
            out += key.name;
            if (key.count) out.AppendFormat(L"%02d", number);
            out += L'=';
            AppendValue(out, key, settings, number);
            out += L"\r\n";
        }
    }
    return out;
}

void ApplySettingsArchiveText(const CString& text, DeviceSettings& settings)
{
    const int length = text.GetLength();
    int pos = 0;
    while (pos < length) {
        if (text[pos] == L'\n') {
            // A line feed at the very end ends the text; a run of them is skipped.
            if (length - pos < 2) break;
            ++pos;
            continue;
        }
        const int feed = text.Find(L'\n', pos);
        const int end = feed < 0 ? length : feed;
        ApplyLine(text.Mid(pos, end - pos), settings);
        pos = feed < 0 ? length : feed + 1;
    }
}

int IsRestorableArchive(const DeviceSettings& settings)
{
    // Archived versions too old to be restored.
    const int floor = ProductTraitsOf(settings.ProductId).restorableFrom;
    const bool tooOld =
        floor != 0 && CompareVersion(settings.Firmware.Major, settings.Firmware.Minor, floor / 10, floor % 10) < 0;
    return tooOld ? 0 : 1;
}

int WriteSettingsArchive(DeviceSettings& settings, int targetProductId, const CString& folder)
{
    const CString path = SettingsArchivePath(folder, targetProductId);
    if (path.IsEmpty()) return 0;
    settings.ArchiveTime = CTime::GetCurrentTime().GetTime();
    std::string bytes;
    if (!ToCodePageExactly(SettingsArchiveText(settings), CP_ACP, bytes)) return 0;
    EnsureFolder(folder);
    return WriteWholeFile(path, bytes) ? 1 : 0;
}

int WriteSettingsArchive(AppState& state, const CString& folder)
{
    return WriteSettingsArchive(state.deviceSettings, state.targetProductId, folder);
}


int LoadSettingsArchive(int targetProductId, DeviceSettings& settings, const CString& folder)
{
    settings = DeviceSettings{};
    const CString path = SettingsArchivePath(folder, targetProductId);
    if (path.IsEmpty()) return 0;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return 0;
    // Read whole, then convert once, so that no double-byte character is split.
    std::string bytes;
    char block[1024];
    for (UINT got; (got = file.Read(block, sizeof block)) != 0;) bytes.append(block, got);
    file.Close();
    ApplySettingsArchiveText(CString::FromAnsi(bytes), settings);
    settings.FmRegion = SafeFmRegion(settings.FmRegion);
    return IsRestorableArchive(settings);
}

int LoadSettingsArchive(int targetProductId, DeviceSettings& settings)
{
    return LoadSettingsArchive(targetProductId, settings, ProgramImgFolder());
}
