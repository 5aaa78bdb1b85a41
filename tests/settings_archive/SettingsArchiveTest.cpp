// The settings archive: the writer's exact bytes, the reader's rules and edge
// cases, the rejected versions, and mutated archives.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <random>
#include <string>

#include "firmware/SettingsArchive.h"
#include "framework/File.h"
#include "framework/Time.h"
#include "support/TempFolder.h"

namespace {

constexpr int kProduct = 0x4D35;  // file-name form from the catalogue

int64_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return _mktime64(&local);
}

DeviceSettings SampleSettings()
{
    DeviceSettings s;
    s.ManagerVersionMajor = 1;
    s.ManagerVersionMinor = 0;
    s.ProductId = 0x4D35;
    s.DeviceName = L"Rider A=B";
    s.Firmware = {2, 0, 1, 7, 0};
    s.IntercomVOX = 1;
    s.HandsfreeVOX = 0;
    s.EDR = 1;
    s.VoicePrompt = 1;
    s.PLC = 0;
    s.BitpoolRate = 1;
    s.MicrophoneBoost = 1;
    s.Sidetone = 0;
    s.Calmweave = 1;
    s.AutoGainControl = 1;
    for (int i = 0; i < kSettingWordCount; ++i) s.SettingWords[i] = 100 + i;
    s.RadioTransmitGain = 17;
    s.AudioChannelTimeout = -30;
    s.FmRegion = 4;
    s.FmMagic = 0x66E9;
    s.FmCurrentFrequency = 10170;
    s.FmCurrentPreset = 3;
    for (int i = 0; i < kFmPresetCount; ++i) s.FmPresets[i] = 8750 + 10 * i;
    s.FmRds = 1;
    s.SpeedDialNumbers[0] = L"+4912345";
    s.SpeedDialNumbers[1] = L"";
    s.SpeedDialNumbers[2] = L"112";
    return s;
}

// The archive of SampleSettings, line by line as the writer writes it.
const char kSampleArchive[] =
    "keyManagerVersion=1.0\r\n"
    "keyDeviceRecognized=19765\r\n"
    "keyDeviceName=Rider A=B\r\n"
    "keyDeviceVersion=2.0\r\n"
    "keyDeviceSecondaryVersionType=1\r\n"
    "keyDeviceSecondaryVersion=7\r\n"
    "keyDateArchived=12/31/2012 23:59:58\r\n"
    "keyIntercomVOX=1\r\n"
    "keyHandsfreeVOX=0\r\n"
    "keyEDR=1\r\n"
    "keyVoicePrompt=1\r\n"
    "keyPLC=0\r\n"
    "keyBitpoolRate=1\r\n"
    "keyMicrophoneBoost=1\r\n"
    "keySidetone=0\r\n"
    "keyCalmweave=1\r\n"
    "keyAutoGainControl=1\r\n"
    "keyBasicSettingV4001=100\r\n"
    "keyBasicSettingV4002=101\r\n"
    "keyBasicSettingV4003=102\r\n"
    "keyBasicSettingV4004=103\r\n"
    "keyBasicSettingV4005=104\r\n"
    "keyBasicSettingV4006=105\r\n"
    "keyBasicSettingV4007=106\r\n"
    "keyBasicSettingV4008=107\r\n"
    "keyBasicSettingV4009=108\r\n"
    "keyBasicSettingV4010=109\r\n"
    "keyBasicSettingKR5VOXSensitivity01=114\r\n"
    "keyBasicSettingKR5VOXSensitivity02=115\r\n"
    "keyBasicSettingLVRSmartVolumeControl01=116\r\n"
    "keyBasicSettingLVRSmartVolumeControl02=117\r\n"
    "keyBasicSettingKC5Camera01=110\r\n"
    "keyBasicSettingKC5Camera02=111\r\n"
    "keyRadioTransmitGain=17\r\n"
    "keyAudioChannelTimeout=-30\r\n"
    "keyAudioBoost=118\r\n"
    "keyHDIntercom=119\r\n"
    "keyFMStationGuide=120\r\n"
    "keyHDVoice=121\r\n"
    "keyFMRadioRegion=4\r\n"
    "keyFMRadioMagicCode=26345\r\n"
    "keyFMRadioCurrentFrequency=10170\r\n"
    "keyFMRadioCurrentPreset=3\r\n"
    "keyFMRadioPreset01=8750\r\n"
    "keyFMRadioPreset02=8760\r\n"
    "keyFMRadioPreset03=8770\r\n"
    "keyFMRadioPreset04=8780\r\n"
    "keyFMRadioPreset05=8790\r\n"
    "keyFMRadioPreset06=8800\r\n"
    "keyFMRadioPreset07=8810\r\n"
    "keyFMRadioPreset08=8820\r\n"
    "keyFMRadioPreset09=8830\r\n"
    "keyFMRadioPreset10=8840\r\n"
    "keyFMRadioRDS=1\r\n"
    "keySpeedDial01=+4912345\r\n"
    "keySpeedDial02=\r\n"
    "keySpeedDial03=112\r\n";

class SettingsArchive : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentTimeHook(0); }

    CString Folder() const { return m_folder.Path() + L"\\IMG\\"; }
    CString ArchivePath(int product = kProduct) const { return SettingsArchivePath(Folder(), product); }
    void WriteArchive(const std::string& bytes, int product = kProduct)
    {
        EnsureFolder(Folder());
        ASSERT_TRUE(WriteWholeFile(ArchivePath(product), bytes));
    }
    DeviceSettings Read(const std::string& bytes, int* result = nullptr)
    {
        WriteArchive(bytes);
        DeviceSettings settings;
        const int loaded = LoadSettingsArchive(kProduct, settings, Folder());
        if (result) *result = loaded;
        return settings;
    }

    TempFolder m_folder{L"archive"};
};

TEST_F(SettingsArchive, WriterWritesTheExactLinesAndStampsTheTime)
{
    const int64_t moment = LocalTime(2012, 12, 31, 23, 59, 58);
    SetCurrentTimeHook(moment);
    AppState state;
    state.targetProductId = kProduct;
    state.deviceSettings = SampleSettings();
    ASSERT_EQ(1, WriteSettingsArchive(state, Folder()));  // the folder is created
    EXPECT_EQ(moment, state.deviceSettings.ArchiveTime);
    EXPECT_TRUE(ArchivePath().Right(10) == L".wqlnxarch");

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(ArchivePath(), bytes));
    EXPECT_EQ(kSampleArchive, bytes);
    EXPECT_FALSE(CFile::Exists(ArchivePath() + L".tmp"));

    // And back: every archived field as written, the FM region in range.
    DeviceSettings read;
    ASSERT_EQ(1, LoadSettingsArchive(kProduct, read, Folder()));
    DeviceSettings expected = SampleSettings();
    expected.ArchiveTime = moment;
    for (int word : {12, 13}) expected.SettingWords[word] = 0;  // not archived
    for (int word = 22; word < kSettingWordCount; ++word) expected.SettingWords[word] = 0;
    EXPECT_EQ(SettingsArchiveText(expected), SettingsArchiveText(read));
    EXPECT_EQ(0, std::memcmp(expected.SettingWords, read.SettingWords, sizeof read.SettingWords));
    EXPECT_EQ(moment, read.ArchiveTime);
}

TEST_F(SettingsArchive, LineEndsBlankLinesAndStrayLines)
{
    const char* const variants[] = {
        "keyDeviceName=Rider A=B\r\nkeyFMRadioPreset02=8760\r\n",
        "keyDeviceName=Rider A=B\nkeyFMRadioPreset02=8760\n",
        "\n\n\nkeyDeviceName=Rider A=B\n\n\n=8000\nno equals sign\n  keyFMRadioPreset02 = 8760 \n",
        "keyDeviceName=Rider A=B\r\n\r\nkeyFMRadioPreset02=8760",
    };
    for (const char* text : variants) {
        const DeviceSettings s = Read(text);
        EXPECT_EQ(L"Rider A=B", s.DeviceName) << text;
        EXPECT_EQ(8760, s.FmPresets[1]) << text;
        EXPECT_EQ(0, s.FmPresets[0]) << text;
    }
}

TEST_F(SettingsArchive, ReaderRules)
{
    struct Case {
        const char* text;
        int (*field)(const DeviceSettings&);
        int expected;
    };
    auto region = [](const DeviceSettings& s) { return s.FmRegion; };
    auto major = [](const DeviceSettings& s) { return s.Firmware.Major; };
    auto minor = [](const DeviceSettings& s) { return s.Firmware.Minor; };
    const Case cases[] = {
        {"keyFMRadioRegion=7", region, 0},
        {"keyFMRadioRegion=-1", region, 0},
        {"keyFMRadioRegion=5", region, 5},
        {"keyDeviceVersion=3", major, 0},
        {"keyDeviceVersion=3", minor, 0},
        {"keyDeviceVersion= 3 . 12 ", minor, 12},
        {"keyDeviceVersion=.5", minor, 0},
        {"keyBasicSettingLVRSmartVolumeControl01=7", [](const DeviceSettings& s) { return s.SettingWords[16]; }, 7},
        {"keyBasicSettingLVRSmartVolumeControl02=8", [](const DeviceSettings& s) { return s.SettingWords[17]; }, 8},
        {"keyBasicSettingLVRSmartVolumeControl02=8", [](const DeviceSettings& s) { return s.SettingWords[18]; }, 0},
        {"keyAudioBoost=1", [](const DeviceSettings& s) { return s.SettingWords[18]; }, 1},
        {"keyBasicSettingKC5Camera02=9", [](const DeviceSettings& s) { return s.SettingWords[11]; }, 9},
        {"keyBasicSettingKR5VOXSensitivity01=4", [](const DeviceSettings& s) { return s.SettingWords[14]; }, 4},
        {"keyBasicSettingV4010=3", [](const DeviceSettings& s) { return s.SettingWords[9]; }, 3},
        {"keyAudioSourcePriority=2", [](const DeviceSettings& s) { return s.SettingWords[22]; }, 2},
        {"keyLayerly=1", [](const DeviceSettings& s) { return s.SettingWords[23]; }, 1},
        {"keySmartNaviSystem=1", [](const DeviceSettings& s) { return s.SettingWords[24]; }, 1},
        // Numbers outside a family's range and keys in another case are ignored.
        {"keyFMRadioPreset11=5\nkeyFMRadioPreset00=5", [](const DeviceSettings& s) { return s.FmPresets[0] + s.FmPresets[9]; }, 0},
        {"keybasicsettingv4001=5", [](const DeviceSettings& s) { return s.SettingWords[0]; }, 0},
        {"keyFMRadioRDS=1\nkeyFMRadioRDS=0", [](const DeviceSettings& s) { return s.FmRds; }, 0},
        {"keyDeviceRecognized=12abc", [](const DeviceSettings& s) { return s.ProductId; }, 12},
        {"keyDeviceRecognized=99999999999", [](const DeviceSettings& s) { return s.ProductId; }, INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.field(Read(c.text))) << c.text;

    // Speed dial: an empty number is read as an empty text; 04 is out of range.
    const DeviceSettings s = Read("keySpeedDial01=\nkeySpeedDial03= 0800 \nkeySpeedDial04=9");
    EXPECT_EQ(L"", s.SpeedDialNumbers[0]);
    EXPECT_EQ(L"0800", s.SpeedDialNumbers[2]);
}

TEST_F(SettingsArchive, ReaderStartsFromAClearedRecord)
{
    WriteArchive("keyFMRadioRDS=1\n");
    DeviceSettings settings = SampleSettings();
    ASSERT_EQ(1, LoadSettingsArchive(kProduct, settings, Folder()));
    EXPECT_EQ(1, settings.FmRds);
    EXPECT_EQ(L"", settings.DeviceName);
    EXPECT_EQ(0, settings.SettingWords[5]);
    DeviceSettings missing = SampleSettings();
    EXPECT_EQ(0, LoadSettingsArchive(0x4D10, missing, Folder()));
    EXPECT_EQ(0, missing.FmRegion);
    EXPECT_EQ(L"", missing.DeviceName);
}

TEST_F(SettingsArchive, ArchiveDates)
{
    struct Case {
        const char* value;
        int64_t expected;
    };
    const Case cases[] = {
        {"12/31/2012 23:59:58", LocalTime(2012, 12, 31, 23, 59, 58)},
        {"02/29/2016 00:00:00", LocalTime(2016, 2, 29, 0, 0, 0)},
        {"02/29/2015 00:00:00", 0},
        {"13/01/2012 10:00:00", 0},
        {"12/31/1969 23:59:59", 0},
        {"12/31/2012", 0},
        {"garbage that is long enough", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Read(std::string("keyDateArchived=") + c.value).ArchiveTime) << c.value;
}

TEST_F(SettingsArchive, VersionsTooOldToRestore)
{
    struct Case {
        int product;
        const char* version;
        int result;
    };
    const Case cases[] = {
        {0x4D35, "1.1", 0}, {0x4D35, "1.2", 1}, {0x4D35, "0.9", 0}, {0x5060, "4.1", 0}, {0x5060, "4.2", 1},
        {0x4D30, "3.9", 0}, {0x5080, "4.10", 1}, {0x5061, "4.1", 0}, {0x4D10, "1.1", 1}, {0x5910, "0.1", 1},
    };
    for (const Case& c : cases) {
        int result = -1;
        Read(std::string("keyDeviceRecognized=") + std::to_string(c.product) + "\nkeyDeviceVersion=" + c.version,
             &result);
        EXPECT_EQ(c.result, result) << std::hex << c.product << " " << c.version;
    }
}

TEST_F(SettingsArchive, FileNames)
{
    EXPECT_EQ(Folder() + GetModelName(kProduct, 1) + L".wqlnxarch", ArchivePath());
    // A product the catalogue does not know: a full stop and the extension; both sides agree.
    EXPECT_EQ(Folder() + L".wqlnxarch", ArchivePath(0x0BAD));
    AppState state;
    state.targetProductId = 0x0BAD;
    state.deviceSettings.FmRds = 1;
    ASSERT_EQ(1, WriteSettingsArchive(state, Folder()));
    DeviceSettings read;
    EXPECT_EQ(1, LoadSettingsArchive(0x0BAD, read, Folder()));
    EXPECT_EQ(1, read.FmRds);
}

TEST_F(SettingsArchive, WriterFailuresKeepTheEarlierArchive)
{
    WriteArchive("keyFMRadioRDS=1\n");
    // A name the user's code page cannot hold is not written as something else.
    AppState state;
    state.targetProductId = kProduct;
    // Thai: no Western, Japanese, Chinese or Korean code page holds it; UTF-8
    // holds every character, but not half of a surrogate pair.
    state.deviceSettings.DeviceName = ::GetACP() == CP_UTF8 ? L"Rider \xD800" : L"Rider \x0E01";
    EXPECT_EQ(0, WriteSettingsArchive(state, Folder()));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(ArchivePath(), bytes));
    EXPECT_EQ("keyFMRadioRDS=1\n", bytes);

    // A folder that cannot be created: a file stands in its way.
    state.deviceSettings.DeviceName = L"Rider";
    ASSERT_TRUE(WriteWholeFile(Folder() + L"blocker", std::string("x")));
    EXPECT_EQ(0, WriteSettingsArchive(state, Folder() + L"blocker\\IMG\\"));

    // Line breaks inside a text cannot start lines of their own.
    state.deviceSettings.DeviceName = L"A\r\nkeyFMRadioRegion=3";
    ASSERT_EQ(1, WriteSettingsArchive(state, Folder()));
    DeviceSettings read;
    LoadSettingsArchive(kProduct, read, Folder());
    EXPECT_EQ(0, read.FmRegion);
    EXPECT_EQ(L"A  keyFMRadioRegion=3", read.DeviceName);
}

TEST_F(SettingsArchive, MutatedArchivesAreReadWithDefinedResults)
{
    std::mt19937 random(77);
    const std::string original = kSampleArchive;
    const char* const inserts[] = {"\n", "=", "\r", "99999999999999999999", "-2147483649", "keyFMRadioRegion=",
                                   "keyFMRadioPreset", "keySpeedDial99=", "\xFF\xFE", "00/00/0000 00:00:00"};
    for (int round = 0; round < 250; ++round) {
        std::string mutant = original;
        for (int edits = 1 + static_cast<int>(random() % 5); edits > 0; --edits) {
            const size_t at = mutant.empty() ? 0 : random() % mutant.size();
            switch (random() % 4) {
            case 0:
                if (!mutant.empty()) mutant[at] = static_cast<char>(mutant[at] ^ (1 << (random() % 8)));
                break;
            case 1:
                mutant.resize(at);
                break;
            case 2:
                mutant.insert(at, inserts[random() % std::size(inserts)]);
                break;
            default:
                mutant += mutant.substr(at, random() % 200);
                break;
            }
        }
        int result = -1;
        const DeviceSettings s = Read(mutant, &result);
        ASSERT_TRUE(result == 0 || result == 1) << round;
        ASSERT_GE(s.FmRegion, 0) << round;
        ASSERT_LE(s.FmRegion, 5) << round;
        ASSERT_GE(s.ArchiveTime, 0) << round;
    }
}

}  // namespace
