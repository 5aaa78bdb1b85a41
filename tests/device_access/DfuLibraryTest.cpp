#include "device_access/SimFixture.h"
#include "dfu/DFUTransport.h"
#include "sim/SimChips.h"

#include <algorithm>
#include <cstring>

namespace {

const char kChips[] =
    "dfu.1.pid=0x4D10\n"
    "dfu.1.ps.0x02A3=words:0x4D10\n"
    "dfu.1.ps.0x0001=12 34 56 00 78 9A BC DE\n"
    "dfu.1.ps.0x0108=text:TKV8 Demo\n"
    "dfu.1.ps.0x0293=words:30 0\n"
    "dfu.1.unreadable=0x0293\n"
    "dfu.1.refused=0x00EF\n"
    "dfu.2.pid=0xCD10\n"
    "dfu.2.mode=update\n"
    "dfu.3.vid=0x0A12\n"
    "dfu.3.pid=0x0001\n";

class DfuLibraryTest : public SimFixture {
protected:
    void SetUp() override
    {
        SimFixture::SetUp();
        Load(kChips);
    }
    void TearDown() override
    {
        while (DFUTransportUSB::InitDepth() > 0) DFUTransportUSB::deinit();
        SimFixture::TearDown();
    }

    // The names of the library's list, walked as its callers walk it.
    static std::vector<std::wstring> Names(CStringListX& list)
    {
        std::vector<std::wstring> names;
        CStringListX::Position position = list.GetHeadPosition();
        while (static_cast<CStringX*>(position)) names.push_back(list.GetNext(position).str());
        return names;
    }
};

TEST_F(DfuLibraryTest, ListsDevicesWithVendorAndProductInTheirPath)
{
    DFUTransportUSB::init();
    CStringListX list;
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 3);
    std::vector<std::wstring> names = Names(list);
    ASSERT_EQ(names.size(), 3u);
    std::wstring path = DFUTransportUSB::PathInternal(names[0].c_str()).str();
    EXPECT_NE(path.find(L"VID_3E1F"), std::wstring::npos);
    EXPECT_NE(path.find(L"PID_4D10"), std::wstring::npos);
    EXPECT_NE(std::wstring(DFUTransportUSB::PathInternal(names[1].c_str())).find(L"PID_CD10"), std::wstring::npos);
    EXPECT_NE(std::wstring(DFUTransportUSB::PathInternal(names[2].c_str())).find(L"VID_0A12&PID_0001"), std::wstring::npos);
    EXPECT_EQ(DFUTransportUSB::PathInternal(L"no such device").GetLength(), 0);

    // A second enumeration into the same list lists each device once.
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 3);
    EXPECT_EQ(Names(list), names);
    Load(std::string(kChips) + "dfu.2.present=0\n");
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 2);
    EXPECT_EQ(list.GetCount(), 2);
    DFUTransportUSB::deinit();
}

TEST_F(DfuLibraryTest, NothingIsListedOrConnectedBeforeInit)
{
    CStringListX list;
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 0);
    EXPECT_TRUE(list.IsEmpty());
    DFUTransportCOM transport;
    DFUEngine::Result result = DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.GetCode(), DFUEngine::Result::NotInitialised);
}

TEST_F(DfuLibraryTest, NormalModeConnectsAndUpdateModeDoesNot)
{
    DFUTransportUSB::init();
    CStringListX list;
    DFURequestsUSB::EnumerateDevices(list);
    std::vector<std::wstring> names = Names(list);

    DFUTransportCOM normal;
    CStringX path = DFUTransportUSB::PathInternal(names[0].c_str());
    CStringX canonical = Device::Canonicalise(path, true);
    DFUEngine::Result result(0, CStringX());
    result = DFURequestsUSB::ConnectDevice(path, normal);
    EXPECT_TRUE(result);
    DFUTransportCOM viaCanonical;
    EXPECT_TRUE(DFURequestsUSB::ConnectDevice(canonical, viaCanonical));

    DFUTransportCOM update;
    result = DFURequestsUSB::ConnectDevice(DFUTransportUSB::PathInternal(names[1].c_str()), update);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.GetCode(), DFUEngine::Result::NotConnectable);
    uint8_t buffer[2];
    EXPECT_FALSE(update.BCCMDGetPS(0x02A3, buffer, 2, nullptr));

    auto journal = Journal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "dfu connect 2 refused"), journal.end());
    DFUTransportUSB::deinit();
}

TEST_F(DfuLibraryTest, KeyReadsAndWritesWithTheJournal)
{
    DFUTransportUSB::init();
    DFUTransportCOM transport;
    ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport));

    uint8_t buffer[256];
    uint16_t got = 0;
    ASSERT_TRUE(transport.BCCMDGetPS(0x02A3, buffer, 2, &got));
    EXPECT_EQ(got, 2);
    EXPECT_EQ(buffer[0] | (buffer[1] << 8), 0x4D10);  // words low byte first

    std::memset(buffer, 0xAA, sizeof(buffer));
    ASSERT_TRUE(transport.BCCMDGetPS(0x0108, buffer, 256, &got));
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "TKV8 Demo");
    EXPECT_EQ(buffer[255], 0);  // the rest of the asked length is cleared

    std::memset(buffer, 0xAA, sizeof(buffer));
    ASSERT_TRUE(transport.BCCMDGetPS(0x0001, buffer, 4, &got));  // never more than asked
    EXPECT_EQ(got, 4);
    EXPECT_EQ(buffer[3], 0x00);
    EXPECT_EQ(buffer[4], 0xAA);

    EXPECT_FALSE(transport.BCCMDGetPS(0x0293, buffer, 4, &got));  // unreadable
    EXPECT_FALSE(transport.BCCMDGetPS(0x02A4, buffer, 4, &got));  // not in the store

    const uint8_t config[4] = {0x2F, 0x01, 0x00, 0x00};
    EXPECT_TRUE(transport.BCCMDSetPS(0x028E, config, 4));
    ASSERT_TRUE(transport.BCCMDGetPS(0x028E, buffer, 4, &got));
    EXPECT_EQ(buffer[0], 0x2F);
    const uint8_t mask[8] = {0xFF, 0xFE, 0x8F, 0x7E, 0x98, 0xFF, 0x59, 0x83};
    EXPECT_FALSE(transport.BCCMDSetPS(0x00EF, mask, 8));  // refused
    EXPECT_FALSE(transport.BCCMDGetPS(0x00EF, buffer, 8, &got));

    auto journal = Journal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "ps-write 1 028E 2F 01 00 00"), journal.end());
    EXPECT_NE(std::find(journal.begin(), journal.end(), "ps-refused 1 00EF FF FE 8F 7E 98 FF 59 83"), journal.end());

    // Written keys survive a re-read of the scenario.
    Load(kChips);
    ASSERT_TRUE(transport.BCCMDGetPS(0x028E, buffer, 4, &got));
    EXPECT_EQ(buffer[1], 0x01);
    DFUTransportUSB::deinit();
}

TEST_F(DfuLibraryTest, InitAndDeinitNest)
{
    DFUTransportUSB::init();
    DFUTransportUSB::init();
    EXPECT_EQ(DFUTransportUSB::InitDepth(), 2);
    DFUTransportUSB::deinit();
    CStringListX list;
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 3);  // still started
    DFUTransportUSB::deinit();
    DFUTransportUSB::deinit();  // one too many does no harm
    EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
    auto journal = Journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "dfu init"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "dfu deinit"), 1);
}

TEST_F(DfuLibraryTest, UnpluggedChipStopsAnswering)
{
    DFUTransportUSB::init();
    DFUTransportCOM transport;
    ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport));
    Load(std::string(kChips) + "dfu.1.present=0\n");
    uint8_t buffer[2];
    EXPECT_FALSE(transport.BCCMDGetPS(0x02A3, buffer, 2, nullptr));
    CStringListX list;
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 2);
    DFUTransportUSB::deinit();
}

TEST_F(DfuLibraryTest, ConnectionIsLostForGoodOnUnplugAndOnDeinit)
{
    struct Case {
        const char* name;
        std::string between;  // the scenario the library may see in between
        std::string after;
    };
    const std::string chips(kChips);
    const Case cases[] = {
        {"unplugged, then back", chips + "dfu.1.present=0\n", chips},
        {"plugged in again at once", chips, chips + "dfu.1.plug=1\n"},
    };
    uint8_t buffer[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(chips);
        DFUTransportUSB::init();
        DFUTransportCOM transport;
        ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport));
        ASSERT_TRUE(transport.BCCMDGetPS(0x02A3, buffer, 2, nullptr));
        Load(c.between);
        Load(c.after);
        EXPECT_FALSE(transport.BCCMDGetPS(0x02A3, buffer, 2, nullptr));
        const uint8_t word[2] = {1, 0};
        EXPECT_FALSE(transport.BCCMDSetPS(0x0298, word, 2));
        ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport));  // connected again
        EXPECT_TRUE(transport.BCCMDGetPS(0x02A3, buffer, 2, nullptr));
        DFUTransportUSB::deinit();
        EXPECT_FALSE(transport.BCCMDGetPS(0x02A3, buffer, 2, nullptr));  // the library stopped
    }
    auto journal = Journal();
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(), [](const std::string& line) { return line.rfind("ps-", 0) == 0; }), 0);
}

TEST(DfuShippedBackend, FindsNoDevices)
{
    DFUTransportUSB::init();
    CStringListX list;
    EXPECT_EQ(DFURequestsUSB::EnumerateDevices(list), 0);
    DFUTransportCOM transport;
    EXPECT_FALSE(DFURequestsUSB::ConnectDevice(L"anything", transport));
    DFUTransportUSB::deinit();
}

TEST(DfuKeyValue, ScenarioForms)
{
    EXPECT_EQ(ParseKeyValue("words:0x4D10 2"), (std::vector<uint8_t>{0x10, 0x4D, 0x02, 0x00}));
    EXPECT_EQ(ParseKeyValue("text:ABC"), (std::vector<uint8_t>{'A', 'B', 'C', 0}));
    EXPECT_EQ(ParseKeyValue("text:AB"), (std::vector<uint8_t>{'A', 'B', 0, 0}));
    EXPECT_EQ(ParseKeyValue("utf16:+4é"), (std::vector<uint8_t>{'+', 0, '4', 0, 0xE9, 0}));
    EXPECT_EQ(ParseKeyValue("FF fe 8F7E"), (std::vector<uint8_t>{0xFF, 0xFE, 0x8F, 0x7E}));
}

}  // namespace
