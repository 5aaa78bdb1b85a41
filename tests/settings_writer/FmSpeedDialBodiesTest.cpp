// The FM radio and speed-dial pages' bodies in the settings writer, against
// simulated headsets: the requests and keys of each product, and a refused
// request or key ending the write as a failure.
#include <gtest/gtest.h>

#include <string>

#include "settings/FmWrite.h"
#include "settings/SpeedDialWrite.h"
#include "settings_writer/WriterFixture.h"

namespace {

class BodiesTest : public WriterTest {
protected:
    // The working copy's FM block: current frequency 93.1, preset 3, 87.5 in
    // the first preset, RDS AF on, Europe.
    void SetFmBlock()
    {
        working.FmMagic = 0x1234;
        working.FmCurrentFrequency = 9310;
        working.FmCurrentPreset = 3;
        working.FmPresets[0] = 8750;
        working.FmPresets[9] = 10800;
        working.FmRds = 1;
        working.FmRegion = 4;
    }
    void SetNumbers(const wchar_t* first, const wchar_t* second, const wchar_t* third)
    {
        working.SpeedDialNumbers[0] = first;
        working.SpeedDialNumbers[1] = second;
        working.SpeedDialNumbers[2] = third;
    }
    SettingsWriteOutcome WriteFm()
    {
        FmWriteBody body(working);
        return Write(body);
    }
    SettingsWriteOutcome WriteSpeedDials()
    {
        SpeedDialWriteBody body(working);
        return Write(body);
    }
    static std::string ChipVersion(int value) { return "dfu.c.ps.0x02A4=words:" + std::to_string(value) + ", 0\n"; }
};

struct Case {
    const char* name;
    int productId;
    Lines_ expected;
};

const char kFifteen[] = "66E9 245E 0003 222E 0000 0000 0000 0000 0000 0000 0000 0000 2A30 0001 0004";

TEST_F(BodiesTest, FmBlockOverHid)
{
    const std::string fifteen = std::string("hid h 04 15 ") + kFifteen;
    const Case cases[] = {
        {"one interface", 0x5910, {fifteen}},
        {"0x3110", 0x3110, {fifteen}},
        {"two interfaces: the second", 0x4210, {"hid h2 04 15 " + std::string(kFifteen)}},
        {"0x5412: its own magic word and the apply request",
         0x5412,
         {"hid h 04 15 56E9 245E 0003 222E 0000 0000 0000 0000 0000 0000 0000 0000 2A30 0001 0004",
          "hid h 11 15 E956 5E24 0300 2E22 0000 0000 0000 0000 0000 0000 0000 0000 302A 0100 0400"}},
        {"0x6014: six presets in eleven words",
         0x6014,
         {"hid h 04 15 56E9 245E 0003 222E 0000 0000 0000 0000 0000 0001 0004",
          "hid h 11 15 E956 5E24 0300 2E22 0000 0000 0000 0000 0000 0100 0400"}},
        {"0x5410 has no FM block", 0x5410, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        RecognizeHid(c.productId, {1, 0});
        SetFmBlock();
        EXPECT_EQ(WriteFm(), SettingsWriteOutcome::Written);
        EXPECT_EQ(Lines("hid h"), c.expected);
        CloseHidHandle(state.hidHandle1);
        CloseHidHandle(state.hidHandle2);
    }
}

TEST_F(BodiesTest, FmBlockOverThePersistentStore)
{
    RecognizeChip(0x4D15, {1, 2}, ChipVersion(12));
    SetFmBlock();
    EXPECT_EQ(WriteFm(), SettingsWriteOutcome::Written);
    EXPECT_EQ(Lines("ps-write"), Lines_({"ps-write c 029F E9 66 5E 24 03 00 2E 22 00 00 00 00 00 00 00 00 00 00 00 00 "
                                         "00 00 00 00 30 2A 01 00 04 00"}));

    // A chip without an FM block gets nothing, and the write is done.
    Simulation::Instance().Reset();
    RecognizeChip(0x4D10, {4, 3}, ChipVersion(43));
    SetFmBlock();
    EXPECT_EQ(WriteFm(), SettingsWriteOutcome::Written);
    EXPECT_TRUE(Lines("ps-write").empty());
}

TEST_F(BodiesTest, SpeedDialsOverHidWithoutApplyRequests)
{
    const std::string twenty = std::string(20, '7');
    std::string twentyWords;
    for (int i = 0; i < 20; ++i) twentyWords += " 0037";
    const Case cases[] = {
        {"two interfaces: the first, an empty number without words",
         0x4210,
         {"hid h 04 5A 0031 0031 0032", "hid h 04 5B", "hid h 04 5C 002B 0034 0039 0023"}},
        {"one interface: an empty number as one zero word",
         0x5910,
         {"hid h 04 5A 0031 0031 0032", "hid h 04 5B 0000", "hid h 04 5C 002B 0034 0039 0023"}},
        {"0x5412 takes apply requests for its settings, not for its numbers",
         0x5412,
         {"hid h 04 5A 0031 0031 0032", "hid h 04 5B 0000", "hid h 04 5C 002B 0034 0039 0023"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        RecognizeHid(c.productId, {1, 0});
        SetNumbers(L"112", L"", L"+49#");
        EXPECT_EQ(WriteSpeedDials(), SettingsWriteOutcome::Written);
        EXPECT_EQ(Lines("hid h"), c.expected);
        CloseHidHandle(state.hidHandle1);
        CloseHidHandle(state.hidHandle2);
    }

    Simulation::Instance().Reset();
    RecognizeHid(0x6010, {1, 0});
    SetNumbers(std::wstring(20, L'7').c_str(), L"", L"");
    EXPECT_EQ(WriteSpeedDials(), SettingsWriteOutcome::Written);
    EXPECT_EQ(Lines("hid h 04 5A"), Lines_({"hid h 04 5A" + twentyWords}));
}

TEST_F(BodiesTest, SpeedDialKeys)
{
    // The speed-dial headset attaches under the USB id of its sibling.
    RecognizeChip(0x4111, {1, 0}, "", 0x4110);
    SetNumbers(L"112", L"", std::wstring(20, L'5').c_str());
    EXPECT_EQ(WriteSpeedDials(), SettingsWriteOutcome::Written);
    std::string zeros;
    for (int i = 0; i < 40; ++i) zeros += " 00";
    std::string fives;
    for (int i = 0; i < 20; ++i) fives += " 35 00";
    EXPECT_EQ(Lines("ps-write"), Lines_({"ps-write c 2280 31 00 31 00 32 00" + zeros.substr(0, 34 * 3),
                                         "ps-write c 2281" + zeros, "ps-write c 2282" + fives}));
}

// A request or key the headset refuses fails the write; nothing is sent after it.
TEST_F(BodiesTest, RefusedRequestsAndKeysFailTheWrite)
{
    RecognizeHid(0x5910, {1, 0}, "hid.h.status.4.0x15=2\n");
    SetFmBlock();
    EXPECT_EQ(WriteFm(), SettingsWriteOutcome::WriteFailed);
    CloseHidHandle(state.hidHandle1);
    CloseHidHandle(state.hidHandle2);

    Simulation::Instance().Reset();
    RecognizeHid(0x5910, {1, 0}, "hid.h.status.4.0x5B=2\n");
    SetNumbers(L"1", L"2", L"3");
    EXPECT_EQ(WriteSpeedDials(), SettingsWriteOutcome::WriteFailed);
    EXPECT_TRUE(Lines("hid h 04 5C").empty());
    CloseHidHandle(state.hidHandle1);
    CloseHidHandle(state.hidHandle2);

    Simulation::Instance().Reset();
    RecognizeChip(0x5040, {4, 3}, ChipVersion(43) + "dfu.c.refused=0x029F\n");
    SetFmBlock();
    EXPECT_EQ(WriteFm(), SettingsWriteOutcome::WriteFailed);

    Simulation::Instance().Reset();
    RecognizeChip(0x4111, {1, 0}, "dfu.c.refused=0x2281\n", 0x4110);
    EXPECT_EQ(WriteSpeedDials(), SettingsWriteOutcome::WriteFailed);
    EXPECT_EQ(Lines("ps-write").size(), 1u);
    EXPECT_TRUE(Lines("ps-write c 2282").empty());
}

}  // namespace
