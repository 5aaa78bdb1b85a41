// The USB road through the simulated DFU library: identification, the
// version keys, the settings by family and band, the keys it writes, the
// camera's drive and the count checks that follow.
#include <filesystem>

#include "device/RecognitionStore.h"
#include "framework/File.h"
#include "recognition/RecognitionFixture.h"
#include "support/TempFolder.h"

namespace {

// A chip "k" of a product attached under its own id, with the keys given.
std::string Chip(const std::string& id, int usbId, const std::string& keys)
{
    char head[96];
    std::snprintf(head, sizeof head, "dfu.%s.pid=0x%04X\n", id.c_str(), usbId);
    std::string text = head;
    size_t start = 0;
    while (start < keys.size()) {
        size_t end = keys.find('\n', start);
        if (end == std::string::npos) end = keys.size();
        if (end > start) text += "dfu." + id + "." + keys.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return text;
}

std::string System(std::initializer_list<int> ids)
{
    std::string text;
    int n = 0;
    for (int id : ids) {
        char line[64];
        std::snprintf(line, sizeof line, "usb.%d=USB\\VID_3E1F&PID_%04X&REV_0100\n", ++n, id);
        text += line;
    }
    return text;
}

const std::string kTkv8Keys =
    "ps.0x02A3=words:0x4D10\n"
    "ps.0x0001=2C 00 00 90 5B 00 02 00\n"
    "ps.0x0108=text:TKV8 Demo\n"
    "ps.0x02A4=2B 00 00 00\n"
    "ps.0x028E=words:0x006F 0\n"
    "ps.0x00EF=FF FE 8F 78 18 1E 59 83\n"
    "ps.0x2280=utf16:+4915112345678\n";

TEST_F(RecognitionTest, Tkv8IsReadFromItsKeys)
{
    Load(Chip("k", 0x4D10, kTkv8Keys) + System({0x4D10}));
    const RecognitionResult r = Pass();
    ASSERT_EQ(r.outcome, RecognitionOutcome::NormalMode);
    EXPECT_FALSE(r.overHid);
    EXPECT_EQ(targetProductId, 0x4D10);
    EXPECT_EQ(r.usbStatus, 0x4D10);
    const DeviceSettings& s = r.settings;
    EXPECT_EQ(s.ProductId, 0x4D10);
    EXPECT_EQ(Narrow(s.DeviceName), "TKV8 Demo");
    EXPECT_EQ(Narrow(s.BluetoothAddress), "00025B[2C9000]");
    EXPECT_EQ(s.Firmware.Major, 4);
    EXPECT_EQ(s.Firmware.Minor, 3);
    EXPECT_EQ(s.ManagerVersionMajor, 1);
    // Feature bits 0 to 6 (0x6F: all but PLC), and the EDR-on mask already matches.
    EXPECT_EQ(s.HandsfreeVOX + s.IntercomVOX + s.EDR + s.VoicePrompt + s.BitpoolRate + s.MicrophoneBoost, 6);
    EXPECT_EQ(s.PLC, 0);
    EXPECT_EQ(Narrow(s.SpeedDialNumbers[0]), "+4915112345678");
    EXPECT_EQ(r.sectionCount, 2);
    EXPECT_TRUE(JournalOf("ps-write").empty());
    EXPECT_TRUE(Journalled("dfu init"));
    EXPECT_TRUE(Journalled("dfu deinit"));
    EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
}

TEST_F(RecognitionTest, VersionKeysAndSettingsByBand)
{
    struct Case {
        const char* name;
        std::string keys;
        int major;
        int minor;
        std::vector<std::string> writes;
        int sections;
    };
    const std::string zeros = "ps-write k 02A4 00 00 00 00";
    const Case cases[] = {
        {"3.2 stays although the older key says 3.0", "ps.0x02A4=20 00 00 00\nps.0x0293=1E 00 00 00\n"
                                                      "ps.0x0298=words:1\nps.0x0299=words:0\n",
         3, 2, {}, 1},
        {"the older key replaces 4.0 and clears 0x02A4", "ps.0x02A4=28 00 05 06\nps.0x0293=1E 00 00 00\n", 3, 0,
         {zeros}, 1},
        {"empty key, older key 2.5 clears it", "ps.0x02A4=00 00 00 00\nps.0x0293=19 00\n", 2, 5, {zeros}, 1},
        {"no version keys: the default of 0x4D10", "", 3, 0, {}, 1},
        {"4.2: no speed dials", "ps.0x02A4=2A 00\nps.0x028E=words:0x0004 0\nps.0x00EF=FF FE 8F 78 18 1E 59 83\n", 4, 2,
         {}, 1},
        {"4.3: speed dials", "ps.0x02A4=2B 00\nps.0x028E=words:0x0004 0\nps.0x00EF=FF FE 8F 78 18 1E 59 83\n", 4, 3, {},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x0108=text:TKV8\n" + c.keys) + System({0x4D10}));
        const RecognitionResult r = Pass();
        ASSERT_EQ(r.outcome, RecognitionOutcome::NormalMode);
        EXPECT_EQ(r.settings.Firmware.Major, c.major);
        EXPECT_EQ(r.settings.Firmware.Minor, c.minor);
        EXPECT_EQ(r.settings.Firmware.SecondaryType, 0);
        EXPECT_EQ(r.sectionCount, c.sections);
        std::vector<std::string> versionWrites = JournalOf("ps-write k 02A4");
        EXPECT_EQ(versionWrites, c.writes);
    }
    // Below 4.0 the VOX keys, and mask A (here: none) means EDR on.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x02A4=20\nps.0x0298=words:1\n") + System({0x4D10}));
    const RecognitionResult r = Pass();
    EXPECT_EQ(r.settings.IntercomVOX, 1);
    EXPECT_EQ(r.settings.HandsfreeVOX, 0);
    EXPECT_EQ(r.settings.EDR, 1);
    EXPECT_TRUE(JournalOf("ps-write").empty());
}

TEST_F(RecognitionTest, FeatureFallbackAndTheMaskThatFollowsEdr)
{
    const std::string maskA = "FF FE 8F 7E 98 FF 59 83";
    const std::string maskB = "FF FE 8F 78 18 1E 59 83";
    struct Case {
        const char* name;
        int productId;
        std::string keys;
        int edr;
        std::string maskWritten;  // empty: none
    };
    const Case cases[] = {
        {"4.2 unreadable feature word: EDR on by band, mask B written", 0x4D10,
         "ps.0x02A4=2A\nps.0x00EF=" + maskA + "\n", 1, maskB},
        {"4.3 unreadable: EDR off, other mask replaced by A", 0x4D10, "ps.0x02A4=2B\nps.0x00EF=01 02\n", 0, maskA},
        {"feature word EDR off, mask A kept", 0x4D10, "ps.0x02A4=2B\nps.0x028E=words:0 0\nps.0x00EF=" + maskA + "\n",
         0, ""},
        {"0x4110 with EDR on and no mask", 0x4110, "ps.0x028E=words:4 0\n", 1, maskB},
        {"0x4D35 at 1.2: EDR by band 1", 0x4D35, "ps.0x02A4=0C\nps.0x00EF=" + maskB + "\n", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        char pid[16];
        std::snprintf(pid, sizeof pid, "0x%04X", c.productId);
        targetProductId = 0;
        Load(Chip("k", c.productId, "ps.0x02A3=words:" + std::string(pid) + "\nps.0x0001=01 00 00 00 00 00 00 00\n" +
                                        c.keys) +
             System({c.productId}));
        const RecognitionResult r = Pass();
        ASSERT_EQ(r.outcome, RecognitionOutcome::NormalMode);
        EXPECT_EQ(r.settings.EDR, c.edr);
        const auto writes = JournalOf("ps-write k 00EF");
        if (c.maskWritten.empty()) {
            EXPECT_TRUE(writes.empty());
        } else {
            EXPECT_EQ(writes, std::vector<std::string>{"ps-write k 00EF " + c.maskWritten});
        }
    }
}

TEST_F(RecognitionTest, GenericIdGetsTheMakersIdentity)
{
    Load(Chip("k", 0x0001, "ps.0x02A3=words:0x4D10\nps.0x0108=text:TKV8\n") + System({0x0001}));
    const RecognitionResult r = Pass();
    EXPECT_EQ(r.outcome, RecognitionOutcome::Activated);
    EXPECT_EQ(targetProductId, 0x4D10);
    EXPECT_EQ(JournalOf("ps-write"), (std::vector<std::string>{
                                         "ps-write k 02BE 1F 3E",
                                         "ps-write k 02BF 10 4D",
                                         "ps-write k 02CB 10 CD",
                                         "ps-write k 02BD FF 00 01 00 01 00",
                                         "ps-write k 02C7 FF 00 01 00 01 00",
                                         "ps-write k 02D4 FF 00 01 00 01 00",
                                     }));

    // Neither product id nor name readable: a TKV8, but not given an identity.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x0001, "") + System({0x0001}));
    const RecognitionResult unread = Pass();
    EXPECT_EQ(unread.outcome, RecognitionOutcome::NormalMode);
    EXPECT_EQ(unread.settings.ProductId, 0x4D10);
    EXPECT_EQ(Narrow(unread.settings.DeviceName), "TKV8");
    EXPECT_TRUE(JournalOf("ps-write k 02B").empty());

    // The name tells the product when the product-id key cannot be read.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x5010, "ps.0x0108=text:My WPR6\n") + System({0x5010}));
    EXPECT_EQ(Pass().settings.ProductId, 0x5010);
}

TEST_F(RecognitionTest, NameIsReadNoFurtherThanTheKeyGives)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += "41";
    Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x0108=" + bytes + "\n") + System({0x4D10}));
    EXPECT_EQ(Pass().settings.DeviceName.GetLength(), 256);

    Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x0108=41 42\n") + System({0x4D10}));
    EXPECT_EQ(Narrow(Pass().settings.DeviceName), "AB");
}

TEST_F(RecognitionTest, FmBlockWithAnUnknownMagicWordIsReset)
{
    const std::string keys = "ps.0x02A3=words:0x5040\nps.0x02A4=2B\nps.0x029F=words:";
    Load(Chip("k", 0x5040, keys + "0x1234 9000 1 8750\n") + System({0x5040}));
    RecognitionResult r = Pass();
    EXPECT_EQ(r.settings.FmMagic, kFmMagicDefault);
    EXPECT_EQ(r.settings.FmCurrentFrequency, 0);
    EXPECT_EQ(JournalOf("ps-write k 029F"),
              std::vector<std::string>{"ps-write k 029F E9 56 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                                       "00 00 00 00 00 00 00 00 00"});

    Simulation::Instance().Reset();
    Load(Chip("k", 0x5040, keys + "0x66E9 9000 1 8750\n") + System({0x5040}));
    r = Pass();
    EXPECT_EQ(r.settings.FmMagic, kFmMagicWritten);
    EXPECT_EQ(r.settings.FmPresets[0], 8750);
    EXPECT_TRUE(JournalOf("ps-write k 029F").empty());
}

TEST_F(RecognitionTest, AddressRangesWriteTheirFamilysKeys)
{
    // 0x4D10 above its threshold 2C9BD1: the seven keys of its row, in order.
    Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x02A4=2B\nps.0x0001=2C 00 D2 9B 00 00 00 00\n") +
         System({0x4D10}));
    Pass();
    std::vector<std::string> keys;
    for (const std::string& line : JournalOf("ps-write k")) keys.push_back(line.substr(11, 4));
    EXPECT_EQ(keys, (std::vector<std::string>{"0017", "0021", "002D", "0031", "01F6", "0209", "0242", "00EF"}));

    // At the threshold itself nothing; TKV3-FM writes three keys only.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x4D10, "ps.0x02A3=words:0x4D10\nps.0x02A4=2B\nps.0x0001=2C 00 D1 9B 00 00 00 00\n") +
         System({0x4D10}));
    Pass();
    EXPECT_TRUE(JournalOf("ps-write k 0017").empty());
    Simulation::Instance().Reset();
    Load(Chip("k", 0x4D15, "ps.0x02A3=words:0x4D15\nps.0x0001=FF 00 FF 2D 00 00 00 00\n") + System({0x4D15}));
    Pass();
    keys.clear();
    for (const std::string& line : JournalOf("ps-write k")) keys.push_back(line.substr(11, 4));
    EXPECT_EQ(keys, (std::vector<std::string>{"0017", "0021", "0031", "00EF"}));

    // 0x4D35 at or below its threshold gets the low-address table.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x4D35, "ps.0x02A3=words:0x4D35\nps.0x0001=00 00 00 10 00 00 00 00\nps.0x028E=words:0 0\n"
                           "ps.0x00EF=FF FE 8F 7E 98 FF 59 83\n") +
         System({0x4D35}));
    Pass();
    const auto low = JournalOf("ps-write k 0031");
    ASSERT_EQ(low.size(), 1u);
    EXPECT_EQ(low[0].substr(0, 31), "ps-write k 0031 00 2A 50 00 00 ");
}

TEST_F(RecognitionTest, TransmitGainAndChannelTimeoutBands)
{
    struct Case {
        std::string keys;
        int gain;
        int timeout;
    };
    const Case cases[] = {
        {"ps.0x02AC=words:14\nps.0x02AA=words:30000\n", 15, 30},
        {"ps.0x02AC=words:17\nps.0x02AA=words:2000\n", 17, 5},
        {"ps.0x02AC=words:13\nps.0x02AA=words:61000\n", 12, 5},
        {"", 15, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Load(Chip("k", 0x5210, "ps.0x02A3=words:0x5210\n" + c.keys) + System({0x5210}));
        const RecognitionResult r = Pass();
        EXPECT_EQ(r.settings.RadioTransmitGain, c.gain);
        EXPECT_EQ(r.settings.AudioChannelTimeout, c.timeout);
    }
}

TEST_F(RecognitionTest, CameraNeedsItsDriveFile)
{
    TempFolder drive(L"camera");
    const std::string keys = "ps.0x02A3=words:0x3020\nps.0x02A4=04 03 02 01\n";
    const std::string driveLines = "drive.e.type=removable\ndrive.e.folder=" + Narrow(drive.Path()) + "\n";
    Load(Chip("k", 0x3020, keys) + System({0x3020}) + driveLines);
    RecognitionResult r = Pass();
    EXPECT_EQ(r.outcome, RecognitionOutcome::NoCameraDrive);
    EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);

    ASSERT_TRUE(WriteWholeFile(drive / L"lumen.bin", std::string("x")));
    r = Pass();
    ASSERT_EQ(r.outcome, RecognitionOutcome::NormalMode);
    EXPECT_EQ(r.settings.Firmware.Major, 1);
    EXPECT_EQ(r.settings.Firmware.Minor, 2);
    EXPECT_EQ(r.settings.Firmware.SecondaryType, 3);
    EXPECT_EQ(r.settings.Firmware.SecondaryVersion, 4);
    EXPECT_EQ(r.sectionCount, 1);
}

TEST_F(RecognitionTest, CountsOfInterfacesAndDevices)
{
    struct Case {
        const char* name;
        std::string scenario;
        RecognitionOutcome outcome;
        int usbStatus;
        int productId;
    };
    const std::string gz = "ps.0x02A3=words:0x5310\nps.0x0108=text:GZM6\n";
    const Case cases[] = {
        {"nothing in the system's list", Chip("k", 0x4D10, kTkv8Keys), RecognitionOutcome::NothingFound, 0, 0},
        {"nothing of ours in the library's list", Chip("k", 0x1234, kTkv8Keys) + System({0x4D10}),
         RecognitionOutcome::NothingFound, 0, 0},
        {"a pair with one interface", Chip("k", 0x5310, gz) + System({0x5310}), RecognitionOutcome::FewerInterfaces, 0,
         0},
        {"one headset, two interfaces", Chip("k", 0x4D10, kTkv8Keys) + System({0x4D10, 0x4D10}),
         RecognitionOutcome::MoreInterfaces, 0, 0},
        {"a pair of which the library lists one", Chip("k", 0x5310, gz) + System({0x5310, 0x5310}),
         RecognitionOutcome::FewerLibraryDevices, 0, 0},
        {"two headsets in the library's list", Chip("k", 0x4D10, kTkv8Keys) + Chip("l", 0x4D10, kTkv8Keys) +
                                                    System({0x4D10}),
         RecognitionOutcome::MoreLibraryDevices, 0, 0},
        {"update-mode interface of a connected chip", Chip("k", 0x4D10, kTkv8Keys) + System({0xCD10}),
         RecognitionOutcome::OddInterfaces, 0, 0},
        {"another family", Chip("k", 0x4D10, "ps.0x02A3=words:0x4D20\n") + System({0x4D10}),
         RecognitionOutcome::OtherFamily, 0, 0},
        {"a sibling of the first", Chip("k", 0x4D10, "ps.0x02A3=words:0x4D30\n") + System({0x4D10}),
         RecognitionOutcome::NormalMode, 0x4D10, 0x4D30},
        {"update mode", Chip("k", 0xCD10, "mode=update\n") + System({0xCD10}), RecognitionOutcome::UpdateMode,
         0xCD10, 0x4D10},
        {"update mode of a sibling keeps its own id", Chip("k", 0xCD35, "mode=update\n") + System({0xCD35}),
         RecognitionOutcome::UpdateMode, 0xCD35, 0x4D35},
        {"another family in update mode", Chip("k", 0xCD10, "mode=update\n") + System({0xCD20}),
         RecognitionOutcome::OtherFamily, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        Load(c.scenario);
        const RecognitionResult r = Pass();
        EXPECT_EQ(r.outcome, c.outcome);
        if (IsRecognized(c.outcome)) {
            EXPECT_EQ(r.usbStatus, c.usbStatus);
            EXPECT_EQ(r.settings.ProductId, c.productId);
        }
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
    }
}

TEST_F(RecognitionTest, PairOfUnitsThatAgreeOrNot)
{
    const std::string unit = "ps.0x02A3=words:0x5310\nps.0x02A4=0A\nps.0x0108=text:GZM6\n";
    Load(Chip("k", 0x5310, unit + "ps.0x0001=01 00 00 00 00 00 00 00\n") +
         Chip("l", 0x5310, unit + "ps.0x0001=02 00 00 00 00 00 00 00\n") + System({0x5310, 0x5310}));
    RecognitionResult r = Pass();
    EXPECT_EQ(r.outcome, RecognitionOutcome::NormalMode);
    EXPECT_EQ(r.usbStatus, 0x5310);
    EXPECT_EQ(Narrow(r.settings.BluetoothAddress), "000000[010000] _ 000000[020000]");
    EXPECT_EQ(r.sectionCount, 0);

    // Units that disagree go to update mode, and the interface counts do not
    // hold that against them.
    Simulation::Instance().Reset();
    Load(Chip("k", 0x5310, unit) + Chip("l", 0x5310, "ps.0x02A3=words:0x5310\nps.0x02A4=0B\nps.0x0108=text:GZM6\n") +
         System({0x5310, 0x5310}));
    r = Pass();
    EXPECT_EQ(r.outcome, RecognitionOutcome::UpdateMode);
    EXPECT_EQ(r.usbStatus, 0xD310);
    EXPECT_EQ(r.settings.ProductId, 0x5310);
}

}  // namespace
