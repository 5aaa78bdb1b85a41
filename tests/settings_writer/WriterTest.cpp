// The settings writer against simulated headsets: which requests and keys reach
// the headset, and when the write counts as done. The pages' roads around it
// are tested with the page (tests/settings_page).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings_writer/WriterFixture.h"

namespace {

// ---------------------------------------------------------------------------
// HID bodies: every request of the model on each write, set requests high
// byte first, apply requests low byte first.

struct HidBodyCase {
    const char* name;
    int productId;
    VersionGroup firmware;
    Lines_ expected;
};

TEST_F(WriterTest, HidRequestsOfEachFamily)
{
    const HidBodyCase cases[] = {
        {"0x4210 below 1.1: three words on the second interface", 0x4210, {1, 0}, {"hid h2 04 04 0100 0101 0102"}},
        {"0x4210 at 1.1: four words", 0x4210, {1, 1}, {"hid h2 04 04 0100 0101 0102 0103"}},
        {"0x4210 from 1.2: ten words",
         0x4210,
         {1, 2},
         {"hid h2 04 04 0100 0101 0102 0103 0104 0105 0106 0107 0108 0109"}},
        {"0x4510: ten words", 0x4510, {2, 0}, {"hid h2 04 04 0100 0101 0102 0103 0104 0105 0106 0107 0108 0109"}},
        {"0x3110: words 0 and 1 on the first interface", 0x3110, {1, 0}, {"hid h 04 04 0100 0101"}},
        {"0x5910: the feature word", 0x5910, {1, 0}, {"hid h 04 04 0011 0000"}},
        {"0x5520: and the VOX sensitivity", 0x5520, {1, 0}, {"hid h 04 04 0011 0000", "hid h 04 14 0E01"}},
        {"0x5510 below 2.0: the camera words", 0x5510, {1, 9}, {"hid h 04 04 0011 0000", "hid h 04 07 010A 010B"}},
        {"0x5510 from 2.0: and the second camera block",
         0x5510,
         {2, 0},
         {"hid h 04 04 0011 0000", "hid h 04 07 010A 010B", "hid h 04 1C 010C 010D"}},
        {"0x5622 below 1.1: smart volume", 0x5622, {1, 0}, {"hid h 04 04 0011 0000", "hid h 04 03 1002"}},
        {"0x5622 from 1.1: and VOX sensitivity",
         0x5622,
         {1, 1},
         {"hid h 04 04 0011 0000", "hid h 04 03 1002", "hid h 04 14 0E01"}},
        {"0x5623 below 1.1: the feature word only", 0x5623, {1, 0}, {"hid h 04 04 0011 0000"}},
        {"0x5410: each set request with its apply request",
         0x5410,
         {1, 0},
         {"hid h 04 04 0011 0000", "hid h 11 04 1100 0000", "hid h 04 14 0E01", "hid h 11 14 010E", "hid h 04 03 1002",
          "hid h 11 03 0210"}},
        {"0x6020: four words and VOX sensitivity as item 0x12",
         0x6020,
         {1, 0},
         {"hid h 04 04 0011 0000 0000 0000", "hid h 11 04 1100 0000 0000 0000", "hid h 04 12 0E01",
          "hid h 11 12 010E"}},
        {"0x6014: word 2 in the third place",
         0x6014,
         {1, 0},
         {"hid h 04 04 0011 0000 0102 0000", "hid h 11 04 1100 0000 0201 0000", "hid h 04 14 0E01",
          "hid h 11 14 010E"}},
    };
    for (const HidBodyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        CloseHidHandle(state.hidHandle1);
        CloseHidHandle(state.hidHandle2);
        RecognizeHid(c.productId, c.firmware);
        for (int i = 0; i < 16; ++i) working.SettingWords[i] = 0x0100 + i;
        working.SettingWords[14] = 0x0E01;
        working.SettingWords[16] = 0x1002;
        working.HandsfreeVOX = 1;
        working.PLC = 1;
        EXPECT_EQ(Write(), SettingsWriteOutcome::Written);
        EXPECT_EQ(Lines("hid "), c.expected);
    }
}

// The same write, unchanged settings included, goes out again in full.
TEST_F(WriterTest, HidRequestsGoOutAlsoWithoutChanges)
{
    RecognizeHid(0x5520, {1, 0});
    EXPECT_EQ(Write(), SettingsWriteOutcome::Written);
    EXPECT_EQ(Lines("hid ").size(), 2u);
}

struct HidCheckCase {
    const char* name;
    int productId;
    std::string extra;    // scenario lines
    VersionGroup record;  // the record's versions (all groups)
    bool secondDiffers;   // the record's second interface one minor up
    SettingsWriteOutcome outcome;
    size_t requests;  // set and apply requests that went out
};

TEST_F(WriterTest, HidSameDeviceCheckAndFailedRequests)
{
    const HidCheckCase cases[] = {
        {"versions as recorded", 0x5910, "", {1, 0}, false, SettingsWriteOutcome::Written, 1},
        {"another firmware version", 0x5910, "", {1, 1}, false, SettingsWriteOutcome::NotSameDevice, 0},
        {"the second interface of a two-interface model differs",
         0x4310,
         "",
         {1, 0},
         true,
         SettingsWriteOutcome::NotSameDevice,
         0},
        {"a failed information exchange counts as 1.0.0.0",
         0x5910,
         "hid.h.status.1=2\n",
         {1, 0},
         false,
         SettingsWriteOutcome::Written,
         1},
        {"a failed information exchange against another record",
         0x5910,
         "hid.h.status.1=2\n",
         {2, 0},
         false,
         SettingsWriteOutcome::NotSameDevice,
         0},
        {"a refused set request ends the write",
         0x5410,
         "hid.h.status.4.0x14=2\n",
         {1, 0},
         false,
         SettingsWriteOutcome::WriteFailed,
         3},
        {"a refused apply request ends the write",
         0x5410,
         "hid.h.status.0x11.4=2\n",
         {1, 0},
         false,
         SettingsWriteOutcome::WriteFailed,
         2},
        {"writes that fail: the version counts as 1.0.0.0, the request fails",
         0x5910,
         "hid.h.writefail=1\n",
         {1, 0},
         false,
         SettingsWriteOutcome::WriteFailed,
         1},
    };
    for (const HidCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        CloseHidHandle(state.hidHandle1);
        CloseHidHandle(state.hidHandle2);
        RecognizeHid(c.productId, {1, 0}, c.extra);
        state.deviceSettings.Firmware = state.deviceSettings.FirstInterface = state.deviceSettings.SecondInterface =
            c.record;
        if (c.secondDiffers) state.deviceSettings.SecondInterface.Minor += 1;
        EXPECT_EQ(Write(), c.outcome);
        EXPECT_EQ(Lines("hid ").size(), c.requests);
    }
}

TEST_F(WriterTest, HidHeadsetMissingOrAnotherModel)
{
    RecognizeHid(0x5910, {1, 0});
    EXPECT_EQ(Write([](int&, HANDLE& handle) {
                  handle = nullptr;
                  return false;
              }),
              SettingsWriteOutcome::NotSameDevice);
    EXPECT_EQ(Write([](int& productId, HANDLE& handle) {
                  handle = OpenHidDevice(0x5910);
                  productId = 0x5920;
                  return true;
              }),
              SettingsWriteOutcome::NotSameDevice);
    EXPECT_TRUE(Lines("hid ").empty());
}

// The discovery of recognition finds the headset 0x5910; the handle it opened
// for the check is closed again.
TEST_F(WriterTest, RecognitionDiscoveryHandleIsClosed)
{
    RecognizeHid(0x5910, {1, 0});
    const int before = OpenHandles();
    BasicSettingsWriteBody body(working, state.deviceSettings);
    EXPECT_EQ(WriteSettingsToHeadset(state, body), SettingsWriteOutcome::Written);
    EXPECT_EQ(OpenHandles(), before);
}

// ---------------------------------------------------------------------------
// Persistent store: only the keys whose values changed.

struct KeyCase {
    const char* name;
    int productId;
    VersionGroup firmware;
    void (*edit)(DeviceSettings&);
    Lines_ expected;
    int attachedAs = 0;
};

TEST_F(WriterTest, KeysOfEachModelAndBand)
{
    const KeyCase cases[] = {
        {"below 4.0 nothing changed: no key", 0x4D10, {3, 0}, [](DeviceSettings&) {}, {}},
        {"below 4.0 VOX Phone",
         0x4D10,
         {3, 0},
         [](DeviceSettings& s) { s.HandsfreeVOX = 1; },
         {"ps-write c 0299 01 00"}},
        {"below 4.0 VOX Intercom",
         0x5020,
         {3, 3},
         [](DeviceSettings& s) { s.IntercomVOX = 1; },
         {"ps-write c 0298 01 00"}},
        {"below 4.0 EDR on: mask A",
         0x4D10,
         {3, 0},
         [](DeviceSettings& s) { s.EDR = 1; },
         {"ps-write c 00EF FF FE 8F 7E 98 FF 59 83"}},
        {"from 4.0 a feature switch: feature word, then the mask",
         0x4D10,
         {4, 1},
         [](DeviceSettings& s) { s.PLC = 1; },
         {"ps-write c 028E 10 00 00 00", "ps-write c 00EF FF FE 8F 7E 98 FF 59 83"}},
        {"from 4.0 EDR bit set: mask B",
         0x4D75,
         {1, 0},
         [](DeviceSettings& s) { s.EDR = 1; },
         {"ps-write c 028E 04 00 00 00", "ps-write c 00EF FF FE 8F 78 18 1E 59 83"}},
        {"0x4111 has masks of its own",
         0x4111,
         {1, 0},
         [](DeviceSettings& s) { s.EDR = 1; },
         {"ps-write c 028E 04 00 00 00", "ps-write c 00EF FF FE 8F F8 18 1E 59 83"},
         0x4110},
        {"0x5210 gain", 0x5210, {1, 0}, [](DeviceSettings& s) { s.RadioTransmitGain = 17; }, {"ps-write c 02AC 11 00"}},
        {"0x5210 time-out in milliseconds",
         0x5210,
         {1, 0},
         [](DeviceSettings& s) { s.AudioChannelTimeout = 5; },
         {"ps-write c 02AA 88 13"}},
        {"0x3010 has no keys", 0x3010, {1, 0}, [](DeviceSettings& s) { s.EDR = 1; }, {}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        const int value = 10 * c.firmware.Major + c.firmware.Minor;
        RecognizeChip(c.productId, c.firmware, "dfu.c.ps.0x02A4=words:" + std::to_string(value) + ", 0\n",
                      c.attachedAs);
        c.edit(working);
        EXPECT_EQ(Write(), SettingsWriteOutcome::Written);
        EXPECT_EQ(Lines("ps-"), c.expected);
    }
}

struct StoreCheckCase {
    const char* name;
    int productId;
    VersionGroup record;
    std::string extra;
    SettingsWriteOutcome outcome;
};

TEST_F(WriterTest, PersistentStoreSameDeviceCheck)
{
    const StoreCheckCase cases[] = {
        {"version as recorded", 0x4D10, {4, 1}, "dfu.c.ps.0x02A4=words:41, 0\n", SettingsWriteOutcome::Written},
        {"another version", 0x4D10, {4, 1}, "dfu.c.ps.0x02A4=words:42, 0\n", SettingsWriteOutcome::NotSameDevice},
        {"another secondary version",
         0x4D10,
         {4, 1},
         "dfu.c.ps.0x02A4=words:41, 0x0103\n",
         SettingsWriteOutcome::NotSameDevice},
        {"unreadable version key: the model's default", 0x4D35, {1, 2}, "", SettingsWriteOutcome::Written},
        {"unreadable version key against another record", 0x4D35, {1, 3}, "", SettingsWriteOutcome::NotSameDevice},
        {"a zero version byte: the older key",
         0x4D10,
         {2, 7},
         "dfu.c.ps.0x02A4=words:0, 0\ndfu.c.ps.0x0293=words:27, 0\n",
         SettingsWriteOutcome::Written},
        {"camera without a version key: 1.0.1.0", 0x3020, {1, 0, 1, 0}, "", SettingsWriteOutcome::Written},
        {"another product in the chip",
         0x4D10,
         {4, 1},
         "dfu.c.ps.0x02A3=words:0x4D20\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::NotSameDevice},
        {"unreadable product id counts as 0x4D10",
         0x4D10,
         {4, 1},
         "dfu.c.unreadable=0x02A3\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::Written},
        {"the USB scan does not show the headset",
         0x4D10,
         {4, 1},
         "usb.1.present=0\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::NotSameDevice},
        {"attached under another product id",
         0x4D10,
         {4, 1},
         "usb.1=USB\\VID_3E1F&PID_4D20\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::NotSameDevice},
        {"the chip is in update mode",
         0x4D10,
         {4, 1},
         "dfu.c.mode=update\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::NotSameDevice},
        {"a chip of another maker only",
         0x4D10,
         {4, 1},
         "dfu.c.vid=0x0A12\ndfu.c.ps.0x02A4=words:41, 0\n",
         SettingsWriteOutcome::NotSameDevice},
        {"a refused key",
         0x4D10,
         {4, 1},
         "dfu.c.ps.0x02A4=words:41, 0\ndfu.c.refused=0x00EF\n",
         SettingsWriteOutcome::WriteFailed},
    };
    for (const StoreCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        RecognizeChip(c.productId, c.record, c.extra);
        working.PLC = 1;
        EXPECT_EQ(Write(), c.outcome);
    }
}

// The library is started only after the USB scan showed the headset.
TEST_F(WriterTest, NoLibraryStartWithoutTheHeadsetOnUsb)
{
    RecognizeChip(0x4D10, {4, 1}, "usb.1.present=0\n");
    EXPECT_EQ(Write(), SettingsWriteOutcome::NotSameDevice);
    EXPECT_TRUE(Lines("dfu init").empty());
}

// With two of the maker's chips listed, the first is checked and written and
// the second ends the write.
TEST_F(WriterTest, OnlyTheFirstMatchingChipIsWritten)
{
    RecognizeChip(0x4D10, {4, 1},
                  "dfu.c.ps.0x02A4=words:41, 0\ndfu.d.pid=0x4D10\ndfu.d.ps.0x02A3=words:0x4D10\n"
                  "dfu.d.ps.0x02A4=words:41, 0\n");
    working.PLC = 1;
    EXPECT_EQ(Write(), SettingsWriteOutcome::Written);
    EXPECT_EQ(Lines("dfu connect"), Lines_{"dfu connect c ok"});
    for (const std::string& line : Lines("ps-write")) EXPECT_EQ(line.rfind("ps-write c ", 0), 0u) << line;
}

}  // namespace
