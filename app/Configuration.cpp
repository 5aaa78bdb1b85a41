#include "app/Configuration.h"

#include <string>

#include "framework/Diagnostics.h"
#include "framework/File.h"

namespace {

const wchar_t kConfigurationFileName[] = L"TORVIKBluetoothDeviceManager.wqlnxconf";

CString& ConfigurationFileHook()
{
    static CString path;
    return path;
}

const wchar_t kKeyManagerVersion[] = L"keyManagerVersion";
const wchar_t kKeyManagerLanguage[] = L"keyManagerLanguage";
const wchar_t kKeyApplyToFirmwareLanguage[] = L"keyApplyToFirmwareLanguage";
const wchar_t kKeyDeviceTarget[] = L"keyDeviceTarget";
const wchar_t kKeyFirmwareLanguage[] = L"keyFirmwareLanguage";
const wchar_t kKeyCurrentPath[] = L"keyCurrentPath";

// How one key's value is taken into the record.
struct KeyReader {
    const wchar_t* key;
    void (*apply)(ConfigurationValues& values, const CString& value);
};

const KeyReader kKeyReaders[] = {
    {kKeyManagerVersion, [](ConfigurationValues& v, const CString& value) { v.managerVersion = value; }},
    {kKeyManagerLanguage,
     [](ConfigurationValues& v, const CString& value) {
         LanguageIndex language = LanguageIndexFromName(value, 1);
         v.language = (language >= 0 && language < LanguageCount) ? language : LanguageEnglish;
     }},
    {kKeyApplyToFirmwareLanguage,
     [](ConfigurationValues& v, const CString& value) { v.applyToFirmwareLanguage = StrToInt(value) != 0 ? 1 : 0; }},
    {kKeyDeviceTarget, [](ConfigurationValues& v, const CString& value) { v.targetProductId = StrToInt(value); }},
    {kKeyFirmwareLanguage, [](ConfigurationValues& v, const CString& value) { v.firmwareLanguage = value; }},
    {kKeyCurrentPath, [](ConfigurationValues& v, const CString& value) { v.currentPath = value; }},
};

void ApplyLine(const CString& line, ConfigurationValues& values)
{
    int equals = line.Find(L'=');
    if (equals <= 0) return;  // no equals sign, or no key before it
    CString key = line.Left(equals);
    CString value = line.Mid(equals + 1);
    key.Trim();
    value.Trim();
    for (const KeyReader& reader : kKeyReaders) {
        if (key == reader.key) {
            reader.apply(values, value);
            return;
        }
    }
}

}  // namespace

CString ConfigurationFilePath()
{
    const CString& hook = ConfigurationFileHook();
    return hook.IsEmpty() ? ProgramImgFolder() + kConfigurationFileName : hook;
}

void SetConfigurationFileHook(const wchar_t* path)
{
    ConfigurationFileHook() = path;
}

void ParseConfigurationText(const CString& text, ConfigurationValues& values)
{
    int pos = 0;
    const int length = text.GetLength();
    while (pos < length) {
        int feed = text.Find(L'\n', pos);
        int end = feed < 0 ? length : feed;
        if (end > pos) ApplyLine(text.Mid(pos, end - pos), values);
        pos = end + 1;
    }
}

CString ConfigurationText(const ConfigurationValues& values)
{
    CString text;
    text.AppendFormat(L"%s=v%d.%d%s\r\n", kKeyManagerVersion, kManagerVersionMajor, kManagerVersionMinor, kManagerVersionSuffix);
    text.AppendFormat(L"%s=%s\r\n", kKeyManagerLanguage, EnglishLanguageName(values.language).GetString());
    text.AppendFormat(L"%s=%d\r\n", kKeyApplyToFirmwareLanguage, values.applyToFirmwareLanguage);
    text.AppendFormat(L"%s=%d\r\n", kKeyDeviceTarget, values.targetProductId);
    if (!values.firmwareLanguage.IsEmpty()) text.AppendFormat(L"%s=%s\r\n", kKeyFirmwareLanguage, values.firmwareLanguage.GetString());
    if (!values.currentPath.IsEmpty()) text.AppendFormat(L"%s=%s\r\n", kKeyCurrentPath, values.currentPath.GetString());
    return text;
}

bool ReadConfigurationFile(const wchar_t* path, ConfigurationValues& values, UINT codePage)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    // Read whole, then convert once: a double-byte character is never split.
    std::string bytes;
    char block[1024];
    for (;;) {
        UINT got = file.Read(block, sizeof block);
        if (got == 0) break;
        bytes.append(block, got);
    }
    file.Close();
    ParseConfigurationText(CString::FromCodePage(codePage, bytes.data(), static_cast<int>(bytes.size())), values);
    return true;
}

bool WriteConfigurationFile(const wchar_t* path, const ConfigurationValues& values, UINT codePage)
{
    CString folder(path);
    int slash = folder.ReverseFind(L'\\');
    if (slash > 0) EnsureFolder(folder.Left(slash));
    if (WriteWholeFile(path, ConfigurationText(values).ToCodePage(codePage))) return true;
    // The close goes on all the same; the lost save is told to the diagnostic output.
    DWORD error = ::GetLastError();
    WriteDebugOutput(CString::Formatted(L"TORVIK: configuration not saved to %s (error %lu)\n", path, error));
    ::SetLastError(error);
    return false;
}
