// Version comparison and parsing, the packed accessors, the FM region table and
// the small value helpers of the settings record.
#include <gtest/gtest.h>

#include <climits>

#include "device/DeviceSettings.h"
#include "settingslist/LabelTables.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Versions, CompareSigns)
{
    struct Case {
        int A[2], B[2];
        int Expected;
    };
    const Case cases[] = {
        {{4, 2}, {4, 10}, -1},
        {{5, 0}, {4, 9}, 1},
        {{4, 2}, {4, 2}, 0},
        {{INT_MIN, 0}, {INT_MAX, 0}, -1},  // no overflow into a positive result
        {{0, INT_MAX}, {0, -2}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sign(CompareVersion(c.A[0], c.A[1], c.B[0], c.B[1])), c.Expected)
            << c.A[0] << "." << c.A[1] << " vs " << c.B[0] << "." << c.B[1];
    EXPECT_EQ(CompareVersion(4, 2, 4, 10), -8);  // the difference where it fits
}

TEST(Versions, CompareThreeParts)
{
    EXPECT_GT(CompareVersion3(1, 2, 5, 1, 2, 4), 0);
    EXPECT_LT(CompareVersion3(1, 2, 9, 1, 3, 0), 0);
    EXPECT_EQ(CompareVersion3(1, 2, 3, 1, 2, 3), 0);
}

TEST(Versions, CompareFourParts)
{
    struct Case {
        int A[4], B[4], Camera, Expected;
    };
    const Case cases[] = {
        {{1, 0, 1, 5}, {1, 0, 2, 0}, 0, -1},  // type 1 below type 2
        {{1, 0, 3, 0}, {1, 0, 2, 9}, 0, 1},
        {{1, 0, 2, 0}, {1, 0, 1, 9}, 0, 1},
        {{1, 0, 0, 0}, {1, 0, 1, 0}, 0, 1},   // type 1 is below type 0 too
        {{1, 0, 2, 3}, {1, 0, 2, 4}, 0, -1},
        {{1, 0, 2, 4}, {1, 0, 2, 4}, 0, 0},
        {{2, 0, 1, 0}, {1, 9, 9, 9}, 0, 1},   // major and minor first
        {{2, 0, 1, 0}, {1, 9, 9, 9}, 1, -1},  // camera: the secondary pair first
        {{1, 0, 3, 2}, {2, 0, 3, 2}, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sign(CompareVersionEx(c.A[0], c.A[1], c.A[2], c.A[3], c.B[0], c.B[1], c.B[2], c.B[3], c.Camera)),
                  c.Expected);
}

TEST(Versions, RecordComparisonsUseCameraOrderOnTheCamera)
{
    DeviceSettings s;
    s.Firmware = {1, 0, 3, 2, 0};
    s.ProductId = 0x3020;
    EXPECT_GT(s.CompareFirmwareVersionEx(2, 0, 3, 1), 0);
    s.ProductId = 0x5510;
    EXPECT_LT(s.CompareFirmwareVersionEx(2, 0, 3, 1), 0);
    EXPECT_EQ(s.CompareFirmwareVersionEx(1, 0, 3, 2), 0);
    EXPECT_LT(s.CompareFirmwareVersion(1, 1), 0);
    EXPECT_EQ(s.CompareFirmwareVersion(1, 0), 0);
}

TEST(Versions, ParseTwoParts)
{
    struct Case {
        const wchar_t* Text;
        int Result, Major, Minor;
    };
    const Case cases[] = {
        {L" 4 . 12 ", 1, 4, 12},
        {L"3.2", 1, 3, 2},
        {L"v3.2", 1, 0, 2},  // no leading digits read as 0
        {L"1.2.3", 1, 1, 2},
        {L"5.", 1, 5, 0},
        {L".5", 0, 0, 0},
        {L"3", 0, 0, 0},
        {L"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        int major = 99, minor = 99;
        EXPECT_EQ(ParseVersion2(c.Text, &major, &minor), c.Result) << c.Text;
        EXPECT_EQ(major, c.Major) << c.Text;
        EXPECT_EQ(minor, c.Minor) << c.Text;
    }
}

TEST(Versions, ParseFourParts)
{
    struct Case {
        const wchar_t* Text;
        int Result, Parts[4];
    };
    const Case cases[] = {
        {L"1.0.2.3", 1, {1, 0, 2, 3}},
        {L" 1 . 2 . 3 . 4 ", 1, {1, 2, 3, 4}},
        {L"1.2.3.", 1, {1, 2, 3, 0}},
        {L"1.2.3", 0, {1, 2, 0, 0}},   // parts before the failing point stay
        {L"1.2..4", 0, {1, 2, 0, 0}},
        {L".1.2.3", 0, {0, 0, 0, 0}},
        {L"7", 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        int p[4] = {9, 9, 9, 9};
        EXPECT_EQ(ParseVersion4(c.Text, &p[0], &p[1], &p[2], &p[3]), c.Result) << c.Text;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(p[i], c.Parts[i]) << c.Text << " part " << i;
    }
}

TEST(Versions, SetFirmwareVersionText)
{
    DeviceSettings s;
    s.Firmware.Major = 9;
    EXPECT_EQ(s.SetFirmwareVersionText(L"2.1"), 1);
    EXPECT_EQ(s.Firmware.Major, 2);
    EXPECT_EQ(s.Firmware.Minor, 1);
    EXPECT_EQ(s.SetFirmwareVersionText(L"21"), 0);
    EXPECT_EQ(s.Firmware.Major, 0);
    EXPECT_EQ(s.Firmware.Minor, 0);
}

// ---------------------------------------------------------------------------

TEST(Accessors, LevelFieldsOfWord1)
{
    // Every pattern of the three bits, read and written back.
    const int levelOfPattern[8] = {0, 1, 2, 3, 4, 5, 3, 3};
    for (int pattern = 0; pattern < 8; ++pattern) {
        DeviceSettings s;
        s.SettingWords[1] = pattern | (pattern << 7) | 0x40;
        EXPECT_EQ(s.GetBasicWord1Bits0To2(), levelOfPattern[pattern]) << pattern;
        EXPECT_EQ(s.GetBasicWord1Bits7To9(), levelOfPattern[pattern]) << pattern;
    }
    DeviceSettings s;
    s.SettingWords[1] = 0x7F;
    s.SetBasicWord1Bits0To2(4);
    EXPECT_EQ(s.SettingWords[1], 0x7C);
    s.SetBasicWord1Bits0To2(6);  // ignored
    s.SetBasicWord1Bits0To2(-1);
    EXPECT_EQ(s.SettingWords[1], 0x7C);
    s.SetBasicWord1Bits7To9(5);
    EXPECT_EQ(s.SettingWords[1], 0x7C | (5 << 7));
    EXPECT_EQ(s.GetBasicWord1Bits7To9(), 5);
}

TEST(Accessors, Word1Bits3To5)
{
    const struct { int Word, Value; } reads[] = {{0x00, 0}, {0x08, 1}, {0x10, 2}, {0x18, 3}, {0x20, 3}, {0x28, 3}};
    for (const auto& r : reads) {
        DeviceSettings s;
        s.SettingWords[1] = r.Word;
        EXPECT_EQ(s.GetBasicWord1Bits3To5(), r.Value) << r.Word;
    }
    DeviceSettings s;
    s.SettingWords[1] = 0x27;
    s.SetBasicWord1Bits3To5(2);
    EXPECT_EQ(s.SettingWords[1], 0x17);  // bit 5 cleared, bit 4 set, others kept
    s.SetBasicWord1Bits3To5(4);
    EXPECT_EQ(s.SettingWords[1], 0x17);
}

TEST(Accessors, Word2Fields)
{
    DeviceSettings s;
    s.SettingWords[2] = 0xFFE0;
    s.SetBasicWord2Bits0To1(3);
    EXPECT_EQ(s.GetBasicWord2Bits0To1(), 3);
    s.SetBasicWord2Bits0To1(7);  // stored as 0
    EXPECT_EQ(s.GetBasicWord2Bits0To1(), 0);
    EXPECT_EQ(s.SettingWords[2], 0xFFE0);

    s.SetBasicWord2Bits1To4(3);
    EXPECT_EQ(s.SettingWords[2], 0xFFE6);
    EXPECT_EQ(s.GetBasicWord2Bits1To4(), 3);
    s.SettingWords[2] |= 0x10;
    EXPECT_EQ(s.GetBasicWord2Bits1To4(), 0);  // bit 4 masks the field
    s.SetBasicWord2Bits1To4(1);
    EXPECT_EQ(s.SettingWords[2], 0xFFE2);
    s.SetBasicWord2Bits1To4(4);  // ignored
    EXPECT_EQ(s.SettingWords[2], 0xFFE2);

    const struct { int Bits, Value; } twoToThree[] = {{0, 2}, {1, 1}, {2, 2}, {3, 3}};
    for (const auto& c : twoToThree) {
        DeviceSettings t;
        t.SettingWords[2] = c.Bits << 2;
        EXPECT_EQ(t.GetBasicWord2Bits2To3(), c.Value) << c.Bits;
    }
    const struct { int Value, Bits; } setTwoToThree[] = {{1, 1}, {3, 3}, {2, 2}, {0, 2}, {9, 2}};
    for (const auto& c : setTwoToThree) {
        DeviceSettings t;
        t.SettingWords[2] = 0x0C | 0x100;
        t.SetBasicWord2Bits2To3(c.Value);
        EXPECT_EQ(t.SettingWords[2], (c.Bits << 2) | 0x100) << c.Value;
    }
}

TEST(Accessors, SingleBitsLeaveOtherBits)
{
    struct Bit {
        int (DeviceSettings::*Get)() const;
        void (DeviceSettings::*Set)(int);
        int Word, Mask;
    };
    const Bit bits[] = {
        {&DeviceSettings::GetBasicVoiceCommand, &DeviceSettings::SetBasicVoiceCommand, 2, 1 << 0},
        {&DeviceSettings::GetBasicFmStationGuide, &DeviceSettings::SetBasicFmStationGuide, 2, 1 << 5},
        {&DeviceSettings::GetBasicAudioBoost, &DeviceSettings::SetBasicAudioBoost, 2, 1 << 7},
        {&DeviceSettings::GetBasicWord2Bit9, &DeviceSettings::SetBasicWord2Bit9, 2, 1 << 9},
        {&DeviceSettings::GetBasicHdIntercom, &DeviceSettings::SetBasicHdIntercom, 2, 1 << 13},
        {&DeviceSettings::GetBasicVoxPhone, &DeviceSettings::SetBasicVoxPhone, 2, 1 << 15},
        {&DeviceSettings::GetCameraWord10Bit0, &DeviceSettings::SetCameraWord10Bit0, 10, 1 << 0},
        {&DeviceSettings::GetCameraAutoSleep, &DeviceSettings::SetCameraAutoSleep, 10, 1 << 7},
        {&DeviceSettings::GetCameraSourcePhone, &DeviceSettings::SetCameraSourcePhone, 10, 1 << 11},
    };
    for (const Bit& b : bits) {
        DeviceSettings s;
        s.SettingWords[b.Word] = 0x5A5A & ~b.Mask;
        (s.*b.Set)(42);
        EXPECT_EQ(s.SettingWords[b.Word], 0x5A5A | b.Mask);
        EXPECT_EQ((s.*b.Get)(), 1);
        (s.*b.Set)(0);
        EXPECT_EQ(s.SettingWords[b.Word], 0x5A5A & ~b.Mask);
        EXPECT_EQ((s.*b.Get)(), 0);
    }
}

TEST(Accessors, ThreeWayPairsAndVideoMode)
{
    DeviceSettings s;
    s.SettingWords[12] = 0x30;  // both bits: reads 0
    EXPECT_EQ(s.GetCameraVideoMicrophoneGain(), 0);
    s.SetCameraVideoMicrophoneGain(2);
    EXPECT_EQ(s.SettingWords[12], 0x20);
    s.SetCameraVideoMicrophoneGain(3);  // ignored
    EXPECT_EQ(s.SettingWords[12], 0x20);
    s.SetCameraVideoTaggingInterval(1);
    EXPECT_EQ(s.GetCameraVideoTaggingInterval(), 1);
    s.SetCameraLoopRecordingInterval(2);
    EXPECT_EQ(s.GetCameraLoopRecordingInterval(), 2);
    s.SetCameraVideoResolution(1);
    EXPECT_EQ(s.SettingWords[10], 0x04);

    // Below firmware 2.0 the video mode is word 10 bit 1, from 2.0 word 12 bits 6-7.
    s.Firmware = {1, 9, 0, 0, 0};
    s.SetCameraVideoMode(2);
    EXPECT_EQ(s.SettingWords[10], 0x06);
    EXPECT_EQ(s.GetCameraVideoMode(), 1);
    s.Firmware = {2, 0, 0, 0, 0};
    s.SetCameraVideoMode(2);
    EXPECT_EQ(s.SettingWords[12] & 0xC0, 0x80);
    EXPECT_EQ(s.GetCameraVideoMode(), 2);
}

TEST(Accessors, CameraSources)
{
    DeviceSettings s;
    s.SettingWords[10] = 0xF0FF;
    EXPECT_EQ(s.HasNoCameraSource(), 1);
    s.SetCameraSourceFmRadio(1);
    EXPECT_EQ(s.HasNoCameraSource(), 0);
}

// ---------------------------------------------------------------------------

TEST(FmRegions, ValidateFrequencyAtEdgesAndGrid)
{
    for (int region = 0; region < kFmRegionCount; ++region) {
        SCOPED_TRACE(region);
        const FmRegionRange& r = FmRegionTable[region];
        EXPECT_EQ(ValidateFmFrequency(region, r.Minimum), 0);
        EXPECT_EQ(ValidateFmFrequency(region, r.Minimum - 1), 1);
        EXPECT_EQ(ValidateFmFrequency(region, r.Maximum), 0);
        EXPECT_EQ(ValidateFmFrequency(region, r.Maximum + 1), 1);
        EXPECT_EQ(ValidateFmFrequency(region, r.Minimum + r.Step), 0);
        EXPECT_EQ(ValidateFmFrequency(region, r.Minimum + r.Step / 2), 2);
        EXPECT_EQ(ValidateFmFrequency(region, 0), 1);
    }
    EXPECT_EQ(ValidateFmFrequency(1, 8760), 2);  // 87.6 MHz off the Americas grid
    EXPECT_EQ(ValidateFmFrequency(1, 8770), 0);
    EXPECT_EQ(ValidateFmFrequency(5, 9510), 1);  // 95.1 MHz outside Japan's band
    EXPECT_EQ(ValidateFmFrequency(0, 7610), 0);
}

TEST(FmRegions, RegionOutsideTheTableCountsAsWorldwide)
{
    for (int region : {-1, 6, 7, INT_MIN, INT_MAX}) {
        EXPECT_EQ(SafeFmRegion(region), 0) << region;
        EXPECT_EQ(ValidateFmFrequency(region, 7600), 0) << region;
        EXPECT_EQ(ValidateFmFrequency(region, 7605), 2) << region;
    }
    EXPECT_EQ(SafeFmRegion(5), 5);
}

TEST(Values, RadioTransmitGainChoice)
{
    const struct { int Gain, Choice; } cases[] = {{12, 0}, {15, 1}, {17, 2}, {0, 1}, {13, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(RadioTransmitGainToChoice(c.Gain), c.Choice) << c.Gain;
}

TEST(Values, SectionNames)
{
    EXPECT_EQ(GetLanguageTableText(1, 0), L"Basic");
    EXPECT_EQ(GetLanguageTableText(2, 0), L"Speed Dial");
    EXPECT_EQ(GetLanguageTableText(3, 0), L"FM Radio");
    EXPECT_EQ(GetLanguageTableText(2, 4), CString(GetLabelText(SpeedDialLabels, 4)));
    EXPECT_EQ(GetLanguageTableText(3, 10), CString(GetLabelText(FmRadioLabels, 10)));
    EXPECT_TRUE(GetLanguageTableText(0, 0).IsEmpty());
    EXPECT_TRUE(GetLanguageTableText(4, 0).IsEmpty());
    EXPECT_TRUE(GetLanguageTableText(1, 11).IsEmpty());
    EXPECT_TRUE(GetLanguageTableText(1, -1).IsEmpty());
}

TEST(Values, EncodeDeviceName)
{
    uint16_t words[kDeviceNameWordCount];
    std::fill(std::begin(words), std::end(words), 0xFFFF);
    EXPECT_EQ(EncodeDeviceName(words, L"ABCDEFGHIJKLMNOPQRSTUVWXY"), 40);
    EXPECT_EQ(words[0], L'A');
    EXPECT_EQ(words[19], L'T');

    EXPECT_EQ(EncodeDeviceName(words, L"\x0416" L"1"), 4);
    EXPECT_EQ(words[0], 0x0416);  // UTF-16 units as they are
    EXPECT_EQ(words[1], L'1');
    for (int i = 2; i < kDeviceNameWordCount; ++i) EXPECT_EQ(words[i], 0) << i;

    EXPECT_EQ(EncodeDeviceName(words, L""), 0);
    for (uint16_t w : words) EXPECT_EQ(w, 0);
}

TEST(Values, DecodeDeviceName)
{
    uint16_t words[kDeviceNameWordCount] = {};
    const char* name = "TKV8 A";
    for (int i = 0; name[i]; ++i) words[i] = static_cast<uint16_t>(0x4100 | name[i]);  // high bytes ignored
    words[7] = 'X';  // after the terminating zero
    CString out = L"old";
    EXPECT_EQ(DecodeDeviceName(&out, words), 6);
    EXPECT_EQ(out, L"TKV8 A");

    // A word whose low byte is 0 ends the name even with a high byte set.
    words[2] = 0x3100;
    EXPECT_EQ(DecodeDeviceName(&out, words), 2);
    EXPECT_EQ(out, L"TK");

    // Twenty characters without a zero.
    for (uint16_t& w : words) w = '7';
    EXPECT_EQ(DecodeDeviceName(&out, words), 20);

    // Round trip through the encoder.
    EncodeDeviceName(words, L"0123456789");
    EXPECT_EQ(DecodeDeviceName(&out, words), 10);
    EXPECT_EQ(out, L"0123456789");
}

}  // namespace
