// The HID road for every product branch, called with an explicit product id
// and handles against simulated headsets: the settings item's decodings, the
// further items, both FM block sizes, the speed dials, the two-interface
// version rule, the second interface of 0x3110 and the 0x4210 fix-up.
#include "device/RecognitionHid.h"
#include "recognition/RecognitionFixture.h"

namespace {

class HidRoadTest : public RecognitionTest {
protected:
    // The road for a product on headset "a" (and "b" as second interface).
    RecognitionResult Road(int productId, const std::string& scenario, const DeviceSettings* saved = nullptr)
    {
        Simulation::Instance().Reset();
        Load(scenario);
        CloseHidHandle(hidHandle1);
        CloseHidHandle(hidHandle2);
        hidHandle1 = Open("a", productId);
        hidHandle2 = Open("b", productId);
        RecognitionResult result;
        RecognizeOverHid(productId, hidHandle1, hidHandle2, saved, result);
        return result;
    }
};

std::string Headset(int productId, const std::string& extra, bool second = false)
{
    std::string text = "hid.a.pid=" + std::to_string(productId) + "\n";
    if (second) text += "hid.b.pid=" + std::to_string(productId) + "\n";
    return text + extra;
}

// "Hf Ic EDR VP Bp Sid Calm" as seven digits.
std::string Switches(const DeviceSettings& s)
{
    std::string text;
    for (int value : {s.HandsfreeVOX, s.IntercomVOX, s.EDR, s.VoicePrompt, s.BitpoolRate, s.Sidetone, s.Calmweave})
        text += static_cast<char>('0' + value);
    return text;
}

struct Word {
    int index;
    int value;
};

TEST_F(HidRoadTest, SettingsItemDecodesByModel)
{
    struct Case {
        const char* name;
        int productId;
        std::string extra;
        bool second;
        std::string switches;
        std::vector<Word> words;
    };
    const std::string fail = "hid.a.status.3.4=2\n";
    const Case cases[] = {
        {"standard bits", 0x5910, "hid.a.item.4=0x1D2F\n", false, "1111110", {{18, 1}, {19, 1}, {20, 1}, {21, 0}}},
        {"standard fallback", 0x5910, fail, false, "1000100", {{18, 1}, {19, 1}, {20, 1}}},
        {"0x5530 decodes bit 13 as HD voice", 0x5530, "hid.a.item.4=0xFFFF\n", false, "1111111",
         {{18, 1}, {21, 1}, {22, 0}, {24, 0}}},
        {"0x5550 leaves the VOX and sidetone bits", 0x5550, "hid.a.item.4=0xFFFF\n", false, "0011101",
         {{18, 1}, {19, 1}, {20, 1}}},
        {"0x5550 fallback", 0x5550, fail, false, "0000100", {{18, 1}, {19, 1}, {20, 1}}},
        {"0x5623 has no bit 12", 0x5623, "hid.a.item.4=0xFFFF\n", false, "1111111", {{19, 1}, {20, 0}}},
        {"0x5524 fallback without audio boost", 0x5524, fail, false, "1000100", {{18, 0}, {19, 1}, {20, 1}}},
        {"0x5410 bits 14, 15 and its items", 0x5410,
         "hid.a.item.4=0xFFFF\nhid.a.item.0x14=7\nhid.a.item.3=9,8\n", false, "1111111",
         {{22, 1}, {23, 1}, {14, 7}, {16, 9}, {17, 8}}},
        {"0x5410 item 0x14 fails", 0x5410, "hid.a.item.4=0\nhid.a.item.3=9,8\n", false, "0000000", {{14, 3}, {16, 9}}},
        {"0x5410 fallback", 0x5410, fail + "hid.a.item.0x14=7\n", false, "1000100", {{14, 2}, {16, 0}}},
        {"0x5412 fallback", 0x5412, fail, false, "1000100", {{14, 3}}},
        {"0x6010 words 2 and 3, bit 13 as word 24", 0x6010, "hid.a.item.4=0x2001,0,55,66\n", false, "1000000",
         {{24, 1}, {21, 0}, {2, 55}, {3, 66}, {14, 2}}},
        {"0x6012 fallback", 0x6012, fail, false, "1000100", {{2, 104}, {3, 0}, {14, 2}, {18, 1}, {19, 1}, {20, 0}}},
        {"0x6016 fallback", 0x6016, fail, false, "1000100", {{2, 107}, {14, 2}}},
        {"0x6020 reads item 0x12, not words 2 and 3", 0x6020, "hid.a.item.4=0x2000,0,55\nhid.a.item.0x12=4\n", false,
         "0000000", {{24, 1}, {14, 4}, {2, 0}}},
        {"0x6022 fallback", 0x6022, fail, false, "1000100", {{2, 107}, {3, 0}, {14, 2}}},
        {"0x4310 packed words from the second interface", 0x4310, "hid.b.item.4=1,2,3,4,5,6,7,8,9,10\n", true,
         "0000000", {{0, 1}, {3, 4}, {9, 10}, {18, 0}}},
        {"0x4310 packed fallback", 0x4310, "hid.b.status.3.4=2\n", true, "0000000",
         {{0, 5}, {1, 3}, {2, 0xED21}, {3, 2}, {4, 0}}},
        {"0x3110 packed fallback", 0x3110, "hid.a.status.3.4=2\nhid.c.pid=0x3120\n", false, "0000000",
         {{0, 7201}, {1, 1411}, {2, 0}}},
        {"0x5345 asks nothing", 0x5345, "hid.a.item.4=0xFFFF\n", false, "0000000", {{18, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecognitionResult r = Road(c.productId, Headset(c.productId, c.extra, c.second));
        EXPECT_EQ(Switches(r.settings), c.switches);
        for (const Word& w : c.words) EXPECT_EQ(r.settings.SettingWords[w.index], w.value) << "word " << w.index;
        EXPECT_EQ(r.settings.PLC + r.settings.MicrophoneBoost + r.settings.AutoGainControl, 0);
        EXPECT_EQ(r.outcome, RecognitionOutcome::NormalMode);
    }
    // The further requests of 0x5410 are not sent when item 4 fails.
    Road(0x5410, Headset(0x5410, fail));
    EXPECT_FALSE(Journalled("hid a 03 14"));
    EXPECT_FALSE(Journalled("hid a 03 03"));
}

TEST_F(HidRoadTest, V40FallbackFollowsTheFirmwareOfTheOlderModule)
{
    struct Case {
        const char* version;
        std::vector<int> words;
        int fmRegion;
    };
    const Case cases[] = {
        {"1.0.0.0.0", {5, 3, 0xEC00, 0}, 0},
        {"1.1.0.0.0", {5, 3, 0xEC00, 3}, 1},
        {"1.4.0.0.0", {5, 3, 0xED80, 3}, 1},
        {"1.5.0.0.0", {5, 3, 0xEDA0, 3}, 1},
        {"1.6.0.0.0", {5, 3, 0xED20, 2}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const std::string v = c.version;
        const RecognitionResult r =
            Road(0x4210, Headset(0x4210, "hid.a.version=" + v + "\nhid.b.version=" + v +
                                             "\nhid.b.status.3.4=2\nhid.b.status.3.0x15=2\n", true));
        for (size_t i = 0; i < c.words.size(); ++i) EXPECT_EQ(r.settings.SettingWords[i], c.words[i]);
        EXPECT_EQ(r.settings.FmRegion, c.fmRegion);
        EXPECT_EQ(r.settings.FmMagic, kFmMagicDefault);
    }
}

TEST_F(HidRoadTest, FurtherItemsByModelAndFirmware)
{
    struct Case {
        const char* name;
        int productId;
        std::string extra;
        std::vector<Word> words;
    };
    const Case cases[] = {
        {"0x5520 VOX sensitivity", 0x5520, "hid.a.item.0x14=6\n", {{14, 6}}},
        {"0x5526 fallback", 0x5526, "", {{14, 3}}},
        {"0x5510 below 2.0: camera word only", 0x5510, "hid.a.version=1.9\nhid.a.item.0x1C=5,6\n",
         {{10, 1984}, {11, 0}, {12, 0}}},
        {"0x5510 from 2.0: both camera items", 0x5510, "hid.a.version=2.0\nhid.a.item.7=11,12\nhid.a.item.0x1C=5,6\n",
         {{10, 11}, {11, 12}, {12, 5}, {13, 6}}},
        {"0x5510 from 2.0, fallbacks", 0x5510, "hid.a.version=2.1\n", {{10, 1984}, {12, 20}, {13, 0}}},
        {"0x5622 at 1.0: smart volume only", 0x5622, "hid.a.version=1.0\nhid.a.item.3=4,5\nhid.a.item.0x14=9\n",
         {{16, 4}, {17, 5}, {14, 0}}},
        {"0x5624 at 1.1: and VOX", 0x5624, "hid.a.version=1.1\nhid.a.item.0x14=9\n", {{16, 0}, {14, 9}}},
        {"0x5623 at 1.1 fallback", 0x5623, "hid.a.version=1.1\n", {{14, 3}}},
        {"a long reply stays inside the record", 0x5510, "hid.a.version=1.0\nhid.a.item.7=" +
                                                             std::string("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,"
                                                                         "19,20,21,22,23,24,25,26,27,28,29,30,31\n"),
         {{10, 1}, {31, 22}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecognitionResult r = Road(c.productId, Headset(c.productId, c.extra));
        for (const Word& w : c.words) EXPECT_EQ(r.settings.SettingWords[w.index], w.value) << "word " << w.index;
    }
}

TEST_F(HidRoadTest, FmBlockOfFifteenAndOfElevenWords)
{
    const std::string block15 = "0x66E9,10170,3,8750,8770,8790,8810,8830,8850,8870,8890,8910,8930,1,4\n";
    RecognitionResult r = Road(0x5910, Headset(0x5910, "hid.a.item.0x15=" + block15));
    EXPECT_EQ(r.settings.FmMagic, 0x66E9);
    EXPECT_EQ(r.settings.FmCurrentFrequency, 10170);
    EXPECT_EQ(r.settings.FmPresets[9], 8930);
    EXPECT_EQ(r.settings.FmRds, 1);
    EXPECT_EQ(r.settings.FmRegion, 4);

    // Six presets, then RDS and region; a preparation request goes first.
    r = Road(0x6010, Headset(0x6010, "hid.a.item.0x15=0x56E9,9000,2,8750,8770,8790,8810,8830,8850,1,3\n"));
    EXPECT_EQ(r.settings.FmPresets[5], 8850);
    EXPECT_EQ(r.settings.FmPresets[6], 0);
    EXPECT_EQ(r.settings.FmRds, 1);
    EXPECT_EQ(r.settings.FmRegion, 3);
    EXPECT_TRUE(Journalled("hid a 10 15"));

    // Fallbacks: the eleven-word block with RDS on; a short reply copies only its words.
    r = Road(0x6014, Headset(0x6014, "hid.a.status.3.0x15=2\n"));
    EXPECT_EQ(r.settings.FmMagic, kFmMagicDefault);
    EXPECT_EQ(r.settings.FmRds, 1);
    r = Road(0x5910, Headset(0x5910, "hid.a.item.0x15=0x66E9,9000\n"));
    EXPECT_EQ(r.settings.FmCurrentFrequency, 9000);
    EXPECT_EQ(r.settings.FmCurrentPreset, 0);

    // Models without the block ask nothing and keep it all zero.
    r = Road(0x5410, Headset(0x5410, "hid.a.item.0x15=" + block15));
    EXPECT_EQ(r.settings.FmMagic, 0);
    EXPECT_FALSE(Journalled("hid a 03 15"));
}

TEST_F(HidRoadTest, SpeedDialsAndTheirPreparation)
{
    RecognitionResult r = Road(0x6024, Headset(0x6024, "hid.a.item.0x5A=text:+4915112345678\nhid.a.item.0x5C=text:112\n"
                                                       "hid.a.status.3.0x5B=2\n"));
    EXPECT_EQ(Narrow(r.settings.SpeedDialNumbers[0]), "+4915112345678");
    EXPECT_EQ(Narrow(r.settings.SpeedDialNumbers[1]), "");
    EXPECT_EQ(Narrow(r.settings.SpeedDialNumbers[2]), "112");
    for (const char* line : {"hid a 10 5A", "hid a 10 5B", "hid a 10 5C"}) EXPECT_TRUE(Journalled(line)) << line;

    Road(0x5910, Headset(0x5910, ""));
    EXPECT_FALSE(Journalled("hid a 10 5A"));
    EXPECT_TRUE(Journalled("hid a 03 5A"));
}

TEST_F(HidRoadTest, NameVersionsAddressAndHardwareOfTwoInterfaces)
{
    // The record shows the older module, the first interface group the first.
    RecognitionResult r = Road(0x4410, Headset(0x4410,
                                               "hid.a.version=1.6.2.3.44\nhid.b.version=1.5.2.9.7\n"
                                               "hid.a.address=00025B3D4E5F\nhid.b.address=00025B3D4E60\n"
                                               "hid.b.name=Vantor QN\nhid.a.item.6=2,1\n", true));
    EXPECT_EQ(r.settings.Firmware.Minor, 5);
    EXPECT_EQ(r.settings.Firmware.BuildNumber, 7);
    EXPECT_EQ(r.settings.FirstInterface.Minor, 6);
    EXPECT_EQ(r.settings.FirstInterface.BuildNumber, 44);
    EXPECT_EQ(r.settings.SecondInterface.SecondaryVersion, 9);
    EXPECT_EQ(Narrow(r.settings.DeviceName), "Vantor QN");
    EXPECT_EQ(Narrow(r.settings.BluetoothAddress), "00025B[3D4E5F] _ 00025B[3D4E60]");
    EXPECT_EQ(Narrow(r.settings.HardwareVersionText), "   |   H/W v2.1");
    EXPECT_EQ(r.usbStatus, 0x4410);

    // The newer second module leaves the first's version; failures fall back.
    r = Road(0x4410, Headset(0x4410, "hid.a.version=1.5\nhid.b.version=1.6\nhid.b.status.2=2\nhid.a.status.3.6=2\n"
                                     "hid.b.status.3.0x1D=2\n", true));
    EXPECT_EQ(r.settings.Firmware.Minor, 5);
    EXPECT_EQ(Narrow(r.settings.BluetoothAddress), "000000[000000] _ ");
    EXPECT_EQ(r.settings.HardwareVersionMajor, 1);
    EXPECT_EQ(r.settings.HardwareVersionMinor, 0);
    EXPECT_EQ(Narrow(r.settings.HardwareVersionText), "");
    EXPECT_EQ(Narrow(r.settings.DeviceName), "Vantor QN");

    // A name reply of one word is an empty name, not the default one.
    r = Road(0x5910, Headset(0x5910, "hid.a.item.0x1D=0\n"));
    EXPECT_EQ(Narrow(r.settings.DeviceName), "");
    r = Road(0x5910, Headset(0x5910, "hid.a.name=Ostrel Ä\n"));
    EXPECT_EQ(Narrow(r.settings.DeviceName), "Ostrel Ä");
    r = Road(0x5345, Headset(0x5345, "hid.a.name=Other\n"));
    EXPECT_EQ(Narrow(r.settings.DeviceName), "ZEPH");
    EXPECT_FALSE(Journalled("hid a 01 00"));  // no version request either
}

TEST_F(HidRoadTest, V60WaitsForItsSecondInterfaceThroughTheClock)
{
    RecognitionResult r = Road(0x3110, Headset(0x3110, "hid.a.version=2.1\nhid.a.address=00025B000001\n"
                                                       "hid.c.pid=0x3120\nhid.c.hidden=3\nhid.c.version=2.0.1.4.9\n"
                                                       "hid.c.address=00025B000002\n"));
    EXPECT_TRUE(Journalled("hid a 50 00"));
    EXPECT_EQ(r.settings.SecondInterface.Minor, 0);
    EXPECT_EQ(r.settings.SecondInterface.BuildNumber, 9);
    EXPECT_EQ(r.settings.Firmware.Minor, 1);  // one interface family: no replacement
    EXPECT_EQ(Narrow(r.settings.BluetoothAddress), "00025B[000001] _ 00025B[000002]");
    EXPECT_EQ(sleeps, (std::vector<unsigned>{6000, 1000, 1000, 1000}));
    EXPECT_EQ(OpenHandles(), 1);  // the second interface is closed again

    // It never shows up: 1.0.0.0.0, an empty second address, 6 s and twice 20 tries.
    sleeps.clear();
    r = Road(0x3110, Headset(0x3110, "hid.a.address=00025B000001\n"));
    EXPECT_EQ(r.settings.SecondInterface.Major, 1);
    EXPECT_EQ(r.settings.SecondInterface.Minor, 0);
    EXPECT_EQ(Narrow(r.settings.BluetoothAddress), "00025B[000001] _ ");
    EXPECT_EQ(sleeps.size(), 41u);
}

TEST_F(HidRoadTest, V40VariantIsFixedInItsAddressRangesAndKept)
{
    struct Case {
        const char* name;
        std::string extra;
        bool fixed;
        int variant;
    };
    const Case cases[] = {
        {"in range, variant 0", "hid.a.address=000000333D55\nhid.a.item.5=0\n", true, 11},
        {"in range, already 11", "hid.a.address=000000334B7D\nhid.a.item.5=11\n", false, 11},
        {"out of range", "hid.a.address=000000334B7E\nhid.a.item.5=16\n", false, 16},
        {"read again after a failure", "hid.a.item.5=27\nhid.a.status.3.5=2,0\n", false, 27},
        {"never read", "hid.a.status.3.5=2\n", false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        const RecognitionResult r = Road(0x4210, Headset(0x4210, c.extra, true));
        EXPECT_EQ(Journalled("hid a 04 05 000B"), c.fixed);
        EXPECT_EQ(Journalled("hid b 04 05 000B"), c.fixed);
        EXPECT_EQ(r.hidVariant, c.variant);
    }
}

TEST_F(HidRoadTest, UsbStatusOnlyForTheHidProducts)
{
    EXPECT_EQ(Road(0x5910, Headset(0x5910, "")).usbStatus, 0x5910);
    EXPECT_EQ(Road(0x5346, Headset(0x5346, "")).usbStatus, 0);
    EXPECT_EQ(Narrow(Road(0x6018, Headset(0x6018, "hid.a.status.3.0x1D=2\n")).settings.DeviceName), "NQ5S");
}

}  // namespace
