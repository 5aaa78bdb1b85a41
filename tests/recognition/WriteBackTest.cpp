// The write-back of a saved record after a firmware update, over HID (set and
// apply requests) and over the persistent store (keys), by model and by the
// saved firmware band; and that no model's record is written to another.
#include "device/RecognitionHid.h"
#include "device/RecognitionStore.h"
#include "recognition/RecognitionFixture.h"

namespace {

// A record of a product and firmware with HandsfreeVOX on, so that every
// model's feature word is 0x0001.
DeviceSettings Saved(int productId, int major, int minor)
{
    DeviceSettings s;
    s.ProductId = productId;
    s.Firmware.Major = major;
    s.Firmware.Minor = minor;
    s.HandsfreeVOX = 1;
    for (int i = 0; i < kSettingWordCount && i < 18; ++i) s.SettingWords[i] = 0x100 + i;
    s.FmMagic = 0x66E9;
    s.FmCurrentFrequency = 10170;
    s.FmCurrentPreset = 3;
    for (int i = 0; i < kFmPresetCount; ++i) s.FmPresets[i] = 8750 + 20 * i;
    s.FmRds = 1;
    s.FmRegion = 4;
    s.SpeedDialNumbers[0] = L"+49";
    s.SpeedDialNumbers[2] = L"112";
    return s;
}

class WriteBackTest : public RecognitionTest {
protected:
    // The set and apply requests written to headset "a" (and "b").
    std::vector<std::string> HidWrites(int productId, const DeviceSettings& saved)
    {
        Simulation::Instance().Reset();
        Load("hid.a.pid=1\nhid.b.pid=1\n");
        CloseHidHandle(hidHandle1);
        CloseHidHandle(hidHandle2);
        hidHandle1 = Open("a", 1);
        hidHandle2 = Open("b", 1);
        WriteBackOverHid(productId, &hidHandle1, &hidHandle2, saved);
        return JournalOf("hid ");
    }

    // The keys written to a connected chip.
    std::vector<std::string> StoreWrites(int productId, const DeviceSettings& saved)
    {
        Simulation::Instance().Reset();
        Load("dfu.k.pid=0x4D10\n");
        DFUTransportUSB::init();
        DFUTransportCOM transport;
        EXPECT_TRUE(static_cast<bool>(DFURequestsUSB::ConnectDevice(L"BlueCoreUSBk", transport)));
        WriteBackOverStore(productId, transport, saved);
        DFUTransportUSB::deinit();
        return JournalOf("ps-write");
    }
};

std::vector<std::string> ItemsOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> items;
    for (const std::string& line : lines) items.push_back(line.substr(0, 11));  // "hid a 04 15"
    return items;
}

std::vector<std::string> KeysOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> keys;
    for (const std::string& line : lines) keys.push_back(line.substr(11, 4));  // "ps-write k 028E ..."
    return keys;
}

TEST_F(WriteBackTest, HidRequestsOfAnOstrel)
{
    const std::vector<std::string> writes = HidWrites(0x5910, Saved(0x5910, 1, 2));
    EXPECT_EQ(writes, (std::vector<std::string>{
                          "hid a 04 04 0001 0000",
                          "hid a 04 15 66E9 27BA 0003 222E 2242 2256 226A 227E 2292 22A6 22BA 22CE 22E2 0001 0004",
                          "hid a 04 5A 002B 0034 0039",
                          "hid a 04 5B 0000",
                          "hid a 04 5C 0031 0031 0032",
                      }));
}

TEST_F(WriteBackTest, HidRequestsByModelAndSavedFirmware)
{
    struct Case {
        const char* name;
        int productId;
        int major;
        int minor;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"0x4210 below 1.1: three words on the second interface", 0x4210, 1, 0,
         {"hid b 04 04", "hid b 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x5510 at 1.9", 0x5510, 1, 9,
         {"hid a 04 04", "hid a 04 07", "hid a 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x5510 at 2.0", 0x5510, 2, 0,
         {"hid a 04 04", "hid a 04 07", "hid a 04 1C", "hid a 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x5622 at 1.0", 0x5622, 1, 0,
         {"hid a 04 04", "hid a 04 03", "hid a 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x5622 at 1.1", 0x5622, 1, 1,
         {"hid a 04 04", "hid a 04 14", "hid a 04 03", "hid a 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x5720", 0x5720, 1, 0,
         {"hid a 04 04", "hid a 04 14", "hid a 04 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x3110", 0x3110, 1, 0, {"hid a 04 04"}},
        {"0x5410 with apply requests", 0x5410, 1, 0,
         {"hid a 04 04", "hid a 11 04", "hid a 04 14", "hid a 11 14", "hid a 04 03", "hid a 11 03", "hid a 04 5A",
          "hid a 04 5B", "hid a 04 5C"}},
        {"0x5414 with its FM block", 0x5414, 1, 0,
         {"hid a 04 04", "hid a 11 04", "hid a 04 14", "hid a 11 14", "hid a 04 03", "hid a 11 03", "hid a 04 15",
          "hid a 11 15", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
        {"0x6024", 0x6024, 1, 0,
         {"hid a 04 04", "hid a 11 04", "hid a 04 12", "hid a 11 12", "hid a 04 5A", "hid a 04 5B", "hid a 04 5C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ItemsOf(HidWrites(c.productId, Saved(c.productId, c.major, c.minor))), c.items);
    }
}

TEST_F(WriteBackTest, HidWordsOfTheOlderAndTheNewerLayouts)
{
    // 0x4210: the basic words by band, the FM block with the written magic,
    // and an empty speed dial as a request without words.
    auto writes = HidWrites(0x4210, Saved(0x4210, 1, 1));
    EXPECT_EQ(writes[0], "hid b 04 04 0100 0101 0102 0103");
    EXPECT_EQ(writes[3], "hid a 04 5B");
    writes = HidWrites(0x4210, Saved(0x4210, 1, 2));
    EXPECT_EQ(writes[0], "hid b 04 04 0100 0101 0102 0103 0104 0105 0106 0107 0108 0109");

    // 0x6010: feature word, 0, word 2, 0; the six-preset block with 0x56E9;
    // apply requests carry the same words low byte first.
    writes = HidWrites(0x6010, Saved(0x6010, 1, 0));
    EXPECT_EQ(writes[0], "hid a 04 04 0001 0000 0102 0000");
    EXPECT_EQ(writes[1], "hid a 11 04 0100 0000 0201 0000");
    EXPECT_EQ(writes[4], "hid a 04 15 56E9 27BA 0003 222E 2242 2256 226A 227E 2292 0001 0004");
}

TEST_F(WriteBackTest, StoreKeysByModelAndSavedFirmware)
{
    struct Case {
        const char* name;
        int productId;
        int major;
        int minor;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {"0x4D10 below 4.0", 0x4D10, 3, 5, {"0298", "0299", "00EF"}},
        {"0x4D10 at 4.2", 0x4D10, 4, 2, {"028E", "00EF"}},
        {"0x4D10 at 4.3", 0x4D10, 4, 3, {"028E", "00EF", "2280", "2281", "2282"}},
        {"0x5050 at 4.0", 0x5050, 4, 0, {"028E", "00EF", "029F"}},
        {"0x5040 below 4.0", 0x5040, 3, 0, {"0298", "0299", "00EF", "029F"}},
        {"0x4D35 at 1.3", 0x4D35, 1, 3, {"028E", "00EF"}},
        {"0x4D45 at 1.4", 0x4D45, 1, 4, {"028E", "00EF", "2280", "2281", "2282", "029F"}},
        {"0x4D85", 0x4D85, 1, 0, {"028E", "00EF", "2280", "2281", "2282", "029F"}},
        {"0x2020", 0x2020, 1, 0, {"028E", "00EF", "2280", "2281", "2282"}},
        {"0x4040", 0x4040, 1, 0, {"028E", "00EF"}},
        {"0x2310", 0x2310, 1, 0, {"028E", "00EF"}},
        {"0x5210", 0x5210, 1, 0, {"02AC", "02AA"}},
        {"0x3020 has nothing to restore", 0x3020, 1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeysOf(StoreWrites(c.productId, Saved(c.productId, c.major, c.minor))), c.keys);
    }
}

TEST_F(WriteBackTest, StoreValuesAndMasks)
{
    DeviceSettings saved = Saved(0x4D10, 3, 5);
    saved.IntercomVOX = 1;
    saved.HandsfreeVOX = 0;
    saved.EDR = 1;
    // Below 4.0, EDR on is mask A.
    EXPECT_EQ(StoreWrites(0x4D10, saved), (std::vector<std::string>{"ps-write k 0298 01 00", "ps-write k 0299 00 00",
                                                                    "ps-write k 00EF FF FE 8F 7E 98 FF 59 83"}));
    // From 4.0 the mask follows the feature word's EDR bit.
    saved.Firmware.Major = 4;
    auto writes = StoreWrites(0x4D10, saved);
    EXPECT_EQ(writes[0], "ps-write k 028E 06 00 00 00");
    EXPECT_EQ(writes[1], "ps-write k 00EF FF FE 8F 78 18 1E 59 83");
    saved.ProductId = 0x4111;
    writes = StoreWrites(0x4111, saved);
    EXPECT_EQ(writes[1], "ps-write k 00EF FF FE 8F F8 18 1E 59 83");
    EXPECT_EQ(writes[2].substr(0, 33), "ps-write k 2280 2B 00 34 00 39 00");

    DeviceSettings gain = Saved(0x5210, 1, 0);
    gain.RadioTransmitGain = 17;
    gain.AudioChannelTimeout = 30;
    EXPECT_EQ(StoreWrites(0x5210, gain),
              (std::vector<std::string>{"ps-write k 02AC 11 00", "ps-write k 02AA 30 75"}));
}

TEST_F(WriteBackTest, NothingIsWrittenToAnotherModel)
{
    EXPECT_TRUE(HidWrites(0x5910, Saved(0x5920, 1, 0)).empty());
    EXPECT_TRUE(StoreWrites(0x4D10, Saved(0x4D30, 4, 3)).empty());
}

TEST_F(WriteBackTest, PassWritesTheSavedRecordBeforeReadingItBack)
{
    const std::string chip = "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x4D10\ndfu.k.ps.0x02A4=2B\n"
                             "dfu.k.ps.0x028E=words:0x0004 0\nusb.1=USB\\VID_3E1F&PID_4D10\n";
    Load(chip);
    DeviceSettings saved = Saved(0x4D10, 4, 3);
    saved.VoicePrompt = 1;
    RecognitionResult r = Pass(&saved);
    ASSERT_EQ(r.outcome, RecognitionOutcome::NormalMode);
    EXPECT_EQ(r.settings.HandsfreeVOX, 1);
    EXPECT_EQ(r.settings.VoicePrompt, 1);
    EXPECT_EQ(r.settings.EDR, 0);
    EXPECT_EQ(Narrow(r.settings.SpeedDialNumbers[2]), "112");

    // The same record on the HID road: written after the versions, before the address.
    Simulation::Instance().Reset();
    Load("hid.o.pid=0x5910\n");
    DeviceSettings ostrel = Saved(0x5910, 1, 0);
    r = Pass(&ostrel);
    ASSERT_TRUE(r.overHid);
    const auto lines = JournalOf("hid o");
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    EXPECT_LT(at("hid o 01 00"), at("hid o 04 04 0001 0000"));
    EXPECT_LT(at("hid o 04 5C 0031 0031 0032"), at("hid o 02 00"));
    EXPECT_EQ(Narrow(r.settings.SpeedDialNumbers[0]), "+49");
}

}  // namespace
