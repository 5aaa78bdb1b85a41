// The configuration file: exact bytes written, the parsing rules and 8-bit text
// in a double-byte code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "app/Configuration.h"
#include "support/TempFolder.h"
#include "framework/Diagnostics.h"
#include "framework/File.h"

namespace {

std::string FileBytes(const wchar_t* path)
{
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes));
    return bytes;
}

void ExpectSameValues(const ConfigurationValues& a, const ConfigurationValues& b)
{
    EXPECT_EQ(a.language, b.language);
    EXPECT_EQ(a.applyToFirmwareLanguage, b.applyToFirmwareLanguage);
    EXPECT_EQ(a.targetProductId, b.targetProductId);
    EXPECT_EQ(a.firmwareLanguage, b.firmwareLanguage);
    EXPECT_EQ(a.currentPath, b.currentPath);
}

TEST(ConfigurationFile, PathIsInImgBesideTheProgram)
{
    CString isolated = ConfigurationFilePath();  // the test process's own file
    SetConfigurationFileHook(nullptr);
    EXPECT_EQ(ConfigurationFilePath(), ProgramFolder() + L"\\IMG\\TORVIKBluetoothDeviceManager.wqlnxconf");
    SetConfigurationFileHook(isolated);
    EXPECT_EQ(ConfigurationFilePath(), isolated);
}

TEST(ConfigurationFile, WritesExactBytesAndReadsThemBack)
{
    struct Case {
        const char* name;
        ConfigurationValues values;
        const char* bytes;
    };
    ConfigurationValues full;
    full.language = LanguageGerman;
    full.applyToFirmwareLanguage = 0;
    full.targetProductId = 0x4D10;
    full.firmwareLanguage = L"French";
    full.currentPath = L"C:\\Users\\rider\\Downloads\\";
    ConfigurationValues bare;
    bare.language = LanguageFinnish;
    bare.firmwareLanguage = L"";
    const Case cases[] = {
        {"defaults", ConfigurationValues{},
         "keyManagerVersion=v1.0.1\r\nkeyManagerLanguage=English\r\nkeyApplyToFirmwareLanguage=1\r\n"
         "keyDeviceTarget=0\r\nkeyFirmwareLanguage=English\r\n"},
        {"every key", full,
         "keyManagerVersion=v1.0.1\r\nkeyManagerLanguage=German\r\nkeyApplyToFirmwareLanguage=0\r\n"
         "keyDeviceTarget=19728\r\nkeyFirmwareLanguage=French\r\nkeyCurrentPath=C:\\Users\\rider\\Downloads\\\r\n"},
        // Empty texts produce no line at all.
        {"empty texts", bare,
         "keyManagerVersion=v1.0.1\r\nkeyManagerLanguage=Finnish\r\nkeyApplyToFirmwareLanguage=1\r\n"
         "keyDeviceTarget=0\r\n"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString path = folder / L"TORVIKBluetoothDeviceManager.wqlnxconf";
        ASSERT_TRUE(WriteConfigurationFile(path, c.values));
        EXPECT_EQ(FileBytes(path), c.bytes);

        ConfigurationValues read;
        read.firmwareLanguage = L"";  // an absent line keeps what the record held
        ASSERT_TRUE(ReadConfigurationFile(path, read));
        ExpectSameValues(read, c.values);
        EXPECT_EQ(read.managerVersion, L"v1.0.1");
    }
}

TEST(ConfigurationFile, ParsingRules)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        LanguageIndex language;
        int apply;
        int target;
        const wchar_t* firmwareLanguage;
        const wchar_t* currentPath;
    };
    const Case cases[] = {
        {"blanks around key, equals sign and value", L"  keyManagerLanguage \t=  German  \r\n", LanguageGerman, 1, 0,
         L"English", L""},
        {"language name in any case", L"keyManagerLanguage=jApAnEsE\r\n", LanguageJapanese, 1, 0, L"English", L""},
        {"key in small letters is ignored", L"keymanagerlanguage=German\r\n", LanguageEnglish, 1, 0, L"English", L""},
        {"unknown language gives English", L"keyManagerLanguage=French\nkeyManagerLanguage=Klingon\n",
         LanguageEnglish, 1, 0, L"English", L""},
        {"decimal target", L"keyDeviceTarget=19728\r\n", LanguageEnglish, 1, 0x4D10, L"English", L""},
        {"hexadecimal target reads as 0", L"keyDeviceTarget=0x4D10\r\n", LanguageEnglish, 1, 0, L"English", L""},
        {"non-numeric target reads as 0", L"keyDeviceTarget=abc\r\n", LanguageEnglish, 1, 0, L"English", L""},
        {"apply flag: any nonzero number is 1", L"keyApplyToFirmwareLanguage=7\r\n", LanguageEnglish, 1, 0,
         L"English", L""},
        {"apply flag: text is 0", L"keyApplyToFirmwareLanguage=yes\r\n", LanguageEnglish, 0, 0, L"English", L""},
        {"line starting with the equals sign and line without one are skipped",
         L"=keyManagerLanguage=German\r\nkeyManagerLanguage German\r\nkeyDeviceTarget=5\r\n", LanguageEnglish, 1, 5,
         L"English", L""},
        {"empty lines and a last line without line feed",
         L"\n\r\n\nkeyFirmwareLanguage= Dutch \n\nkeyCurrentPath=D:\\a b\\", LanguageEnglish, 1, 0, L"Dutch",
         L"D:\\a b\\"},
        {"value keeps further equals signs", L"keyCurrentPath=C:\\x=y\\\r\n", LanguageEnglish, 1, 0, L"English",
         L"C:\\x=y\\"},
        {"a key given twice takes its last value", L"keyDeviceTarget=1\nkeyDeviceTarget=2\n", LanguageEnglish, 1, 2,
         L"English", L""},
        {"empty text keeps the defaults", L"", LanguageEnglish, 1, 0, L"English", L""},
        {"lone line feed", L"\n", LanguageEnglish, 1, 0, L"English", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigurationValues values;
        ParseConfigurationText(c.text, values);
        EXPECT_EQ(values.language, c.language);
        EXPECT_EQ(values.applyToFirmwareLanguage, c.apply);
        EXPECT_EQ(values.targetProductId, c.target);
        EXPECT_EQ(values.firmwareLanguage, c.firmwareLanguage);
        EXPECT_EQ(values.currentPath, c.currentPath);
    }
}

TEST(ConfigurationFile, JapaneseCodePageKeepsDoubleByteCharacters)
{
    // Several of these characters have a trail byte of 0x5C ("\") in code page
    // 932; the path is padded so that one double-byte character straddles the
    // 1024-byte mark of a chunked read.
    const UINT japanese = 932;
    CString prefix = L"C:\\";
    std::string header = "keyManagerVersion=v1.0.1\r\nkeyManagerLanguage=Japanese\r\nkeyApplyToFirmwareLanguage=1\r\n"
                         "keyDeviceTarget=0\r\nkeyFirmwareLanguage=English\r\nkeyCurrentPath=C:\\";
    size_t padding = 1023 - header.size();
    prefix += CString(L'a', static_cast<int>(padding));
    ConfigurationValues values;
    values.language = LanguageJapanese;
    values.currentPath = prefix + L"表示\\ソフト\\ダウンロード\\";

    TempFolder folder;
    CString path = folder / L"TORVIKBluetoothDeviceManager.wqlnxconf";
    ASSERT_TRUE(WriteConfigurationFile(path, values, japanese));
    std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes.substr(1023, 2), "\x95\x5C");  // the double byte of 表 across the mark
    EXPECT_EQ(bytes, ConfigurationText(values).ToCodePage(japanese));

    ConfigurationValues read;
    ASSERT_TRUE(ReadConfigurationFile(path, read, japanese));
    EXPECT_EQ(read.currentPath, values.currentPath);
    EXPECT_EQ(read.language, LanguageJapanese);
}

TEST(ConfigurationFile, CreatesMissingFolderAndReplacesWholeFile)
{
    TempFolder folder;
    CString path = folder / L"IMG\\TORVIKBluetoothDeviceManager.wqlnxconf";
    ConfigurationValues values;
    values.currentPath = CString(L'x', 3000);
    ASSERT_TRUE(WriteConfigurationFile(path, values));
    values.currentPath = L"short";
    ASSERT_TRUE(WriteConfigurationFile(path, values));
    EXPECT_EQ(FileBytes(path), ConfigurationText(values).ToAnsi());
}

// The names in a folder.
std::set<std::wstring> FolderEntries(const CString& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW(folder + L"\\*", &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

TEST(ConfigurationFile, LeftoversOfACrashNeverBlockASave)
{
    const wchar_t fileName[] = L"TORVIKBluetoothDeviceManager.wqlnxconf";
    const wchar_t leftover[] = L"TORVIKBluetoothDeviceManager.wqlnxconf.tmp";
    struct Case {
        const char* name;
        void (*leave)(const CString& path);  // what an earlier crash left at path
    };
    const Case cases[] = {
        {"read-only file", [](const CString& path) {
             ASSERT_TRUE(WriteWholeFile(path, std::string("half a file")));
             ASSERT_TRUE(::SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));
         }},
        {"folder with a file in it", [](const CString& path) {
             ASSERT_TRUE(::CreateDirectoryW(path, nullptr));
             ASSERT_TRUE(WriteWholeFile(path + L"\\x", std::string("x")));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.leave(folder / leftover);
        ConfigurationValues values;
        for (LanguageIndex language : {LanguageGerman, LanguageKorean}) {  // every later save too
            values.language = language;
            ASSERT_TRUE(WriteConfigurationFile(folder / fileName, values));
            EXPECT_EQ(FileBytes(folder / fileName), ConfigurationText(values).ToAnsi());
        }
        // The save leaves nothing of its own behind, and the leftover alone.
        EXPECT_EQ(FolderEntries(folder.Path()), (std::set<std::wstring>{fileName, leftover}));
        ::SetFileAttributesW(folder / leftover, FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(ConfigurationFile, ReadOnlyFileStaysAsItIsAndTheLostSaveIsTold)
{
    TempFolder folder;
    const CString path = folder / L"TORVIKBluetoothDeviceManager.wqlnxconf";
    const std::string kept = "keyManagerLanguage=French\r\n";
    ASSERT_TRUE(WriteWholeFile(path, kept));
    ASSERT_TRUE(::SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));
    std::wstring output;
    SetDebugOutputHook([&output](const wchar_t* text) { output += text; });

    ConfigurationValues values;
    values.language = LanguageGerman;
    EXPECT_FALSE(WriteConfigurationFile(path, values));
    EXPECT_EQ(FileBytes(path), kept);
    EXPECT_TRUE(::GetFileAttributesW(path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FolderEntries(folder.Path()), std::set<std::wstring>{L"TORVIKBluetoothDeviceManager.wqlnxconf"});
    SetDebugOutputHook(nullptr);
    EXPECT_NE(output.find((L"configuration not saved to " + path).str()), std::wstring::npos) << output;
    ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
}

TEST(ConfigurationFile, MissingFileLeavesValuesUntouched)
{
    TempFolder folder;
    ConfigurationValues values;
    values.targetProductId = 42;
    EXPECT_FALSE(ReadConfigurationFile(folder / L"absent.wqlnxconf", values));
    EXPECT_EQ(values.targetProductId, 42);
}

}  // namespace
