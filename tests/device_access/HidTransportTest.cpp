#include "device/HidDevices.h"
#include "device/HidTransport.h"
#include "device_access/SimFixture.h"

#include <algorithm>
#include <cstring>

namespace {

class HidTransportTest : public SimFixture {
protected:
    void TearDown() override
    {
        CloseHidHandle(device);
        SimFixture::TearDown();
    }

    // Loads a headset 0x5910 with the extra scenario lines and opens it.
    void OpenHeadset(const std::string& extra)
    {
        CloseHidHandle(device);
        Load("hid.1.pid=0x5910\nhid.1.version=2.1.3.4.5\nhid.1.item.0x04=0x1234, 0x0005\n" + extra);
        std::vector<HidInterfacePath> interfaces;
        ASSERT_TRUE(HidDevices().ListInterfaces(interfaces));
        ASSERT_EQ(interfaces.size(), 1u);
        device = HidDevices().Open(interfaces[0].path.c_str());
        ASSERT_NE(device, nullptr);
    }

    // A get request of the item into reply; the result of the exchange.
    int Get(uint8_t item)
    {
        uint8_t request[kHidRequestSize] = {kHidReportId, kHidGroupGet, item};
        std::memset(reply, 0x55, sizeof(reply));
        return HidTransact(&device, request, reply);
    }

    HANDLE device = nullptr;
    uint8_t reply[kHidReplySize] = {};
};

struct ExchangeCase {
    const char* name;
    const char* scenario;
    int result;
    uint8_t finalStatus;
};

TEST_F(HidTransportTest, ExchangeOutcomes)
{
    const ExchangeCase cases[] = {
        {"plain success", "", 1, 0},
        {"busy replies then success", "hid.1.busy=3\n", 1, 0},
        {"busy then failure status", "hid.1.busy=2\nhid.1.status.3.4=2\n", 0, 2},
        {"failure status without busy", "hid.1.status.0x03=7\n", 0, 7},
        {"read fails while busy", "hid.1.busy=3\nhid.1.readfail=2\n", 0, 0xFF},
        {"first read fails", "hid.1.readfail=0\n", 0, 0xFF},
        {"write fails", "hid.1.writefail=1\n", 0, 0xFF},
        {"silent headset times out", "hid.1.silent=1\n", 0, 0xFF},
        {"busy for ever is capped", "hid.1.busy=forever\n", 0, 0xFF},
        {"failure status of one item", "hid.1.status.3.0x04=9\n", 0, 9},
        {"busy for ever on another request only", "hid.1.busy.1=forever\n", 1, 0},
        {"busy for ever on this request", "hid.1.busy.3.4=forever\n", 0, 0xFF},
        {"busy of the request overrides the headset's", "hid.1.busy=forever\nhid.1.busy.3=2\n", 1, 0},
    };
    for (const ExchangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        OpenHeadset(c.scenario);
        EXPECT_EQ(Get(4), c.result);
        EXPECT_EQ(reply[2], c.finalStatus);
        if (c.result && reply[4]) {
            EXPECT_EQ(reply[4], 2);
            SwapReplyWords(reply);
            EXPECT_EQ(ReplyWord(reply, 0), 0x1234);
            EXPECT_EQ(ReplyWord(reply, 1), 5);
        }
    }
}

TEST_F(HidTransportTest, SilentHeadsetWaitsOneReadTimeOut)
{
    OpenHeadset("hid.1.silent=1\n");
    EXPECT_EQ(Get(4), 0);
    EXPECT_EQ(sleeps, std::vector<unsigned>{kHidReadTimeoutMs});
    EXPECT_EQ(ReadHidReportStatus(&device), 0);  // nothing owed: another time-out
    EXPECT_EQ(sleeps.size(), 2u);
}

TEST_F(HidTransportTest, GetReplyWithOversizedWordCountFails)
{
    // 40 words claimed in a reply that holds 31.
    OpenHeadset("hid.1.raw.3.4=01 00 00 00 28 12 34\n");
    EXPECT_EQ(Get(4), 0);
    EXPECT_EQ(ReplyWordCount(reply), kHidReplyMaxWords);
}

TEST_F(HidTransportTest, ItemTheHeadsetDoesNotHaveFails)
{
    OpenHeadset("");
    EXPECT_EQ(Get(0x77), 0);
    EXPECT_EQ(reply[2], 2);
}

TEST_F(HidTransportTest, VersionReplyIsNotReadAsWordCount)
{
    // Byte 4 of a version reply is the minor version, whatever its value.
    OpenHeadset("hid.1.version=3.200.0.0.0\n");
    uint8_t request[kHidRequestSize] = {kHidReportId, kHidGroupInformation};
    EXPECT_EQ(HidTransact(&device, request, reply), 1);
    EXPECT_EQ(reply[3], 3);
    EXPECT_EQ(reply[4], 200);
}

TEST_F(HidTransportTest, SetRequestGoesOutHighByteFirstAndIsReadBack)
{
    OpenHeadset("");
    uint8_t request[kHidRequestSize] = {kHidReportId, kHidGroupSet, 0x14, 2};
    uint16_t words[2] = {0x0102, 0xA0B0};
    std::memcpy(request + 4, words, sizeof(words));  // host order
    SwapRequestWords(request);
    EXPECT_EQ(HidTransact(&device, request, reply), 1);
    EXPECT_EQ(Journal().back(), "hid 1 04 14 0102 A0B0");

    ASSERT_EQ(Get(0x14), 1);
    SwapReplyWords(reply);
    int copied[4] = {};
    EXPECT_EQ(CopyReplyWords(reply, copied, 4), 2);
    EXPECT_EQ(copied[0], 0x0102);
    EXPECT_EQ(copied[1], 0xA0B0);
}

TEST_F(HidTransportTest, WriteReportThenReadStatus)
{
    OpenHeadset("hid.1.busy=2\n");
    uint8_t request[kHidRequestSize] = {kHidReportId, 0x30};
    EXPECT_EQ(WriteHidReport(&device, request), 1);
    EXPECT_EQ(ReadHidReportStatus(&device), 1);
    HANDLE none = nullptr;
    EXPECT_EQ(WriteHidReport(&none, request), 0);
    EXPECT_EQ(ReadHidReportStatus(&none), 0);
    EXPECT_EQ(ReadHidReportStatus(nullptr), 0);
}

TEST_F(HidTransportTest, UnpluggedHeadsetFailsAtOnce)
{
    OpenHeadset("");
    Load("hid.1.pid=0x5910\nhid.1.present=0\n");
    EXPECT_EQ(Get(4), 0);
    EXPECT_TRUE(sleeps.empty());
    CloseHidHandle(device);
    EXPECT_EQ(device, nullptr);
}

TEST_F(HidTransportTest, HandleStaysDeadAfterUnplugAndReturn)
{
    struct Case {
        const char* name;
        const char* between;  // the scenario the program may see in between, or null
        const char* after;
    };
    const Case cases[] = {
        {"unplugged, then back", "hid.1.pid=0x5910\nhid.1.present=0\n", "hid.1.pid=0x5910\n"},
        {"plugged in again at once", nullptr, "hid.1.pid=0x5910\nhid.1.plug=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenHeadset("");
        ASSERT_EQ(Get(4), 1);
        if (c.between) Load(c.between);
        Load(c.after);
        EXPECT_EQ(Get(4), 0);  // the old handle is dead for good
        EXPECT_TRUE(sleeps.empty());

        // Searched and opened again, the headset answers.
        std::vector<HidInterfacePath> interfaces;
        ASSERT_TRUE(HidDevices().ListInterfaces(interfaces));
        ASSERT_EQ(interfaces.size(), 1u);
        CloseHidHandle(device);
        device = HidDevices().Open(interfaces[0].path.c_str());
        EXPECT_EQ(Get(0x77), 0);  // an item it does not have still fails...
        EXPECT_EQ(reply[2], 2);   // ...with its own status, so the handle is live
    }
}

TEST(HidWordSwap, ReplyWordsOnlyWithinCountAndReply)
{
    struct Case {
        uint8_t count;
        int swappedWords;
    };
    for (Case c : {Case{0, 0}, Case{3, 3}, Case{31, 31}, Case{200, 31}}) {
        SCOPED_TRACE(c.count);
        uint8_t buffer[kHidReplySize + 8];
        for (int i = 0; i < static_cast<int>(sizeof(buffer)); ++i) buffer[i] = static_cast<uint8_t>(i);
        buffer[4] = c.count;
        SwapReplyWords(buffer);
        for (int i = 0; i < static_cast<int>(sizeof(buffer)); ++i) {
            int word = (i - 5) / 2;
            bool swapped = i >= 5 && word < c.swappedWords;
            uint8_t expected = i == 4 ? c.count : static_cast<uint8_t>(swapped ? (((i - 5) % 2) ? i - 1 : i + 1) : i);
            ASSERT_EQ(buffer[i], expected) << "byte " << i;
        }
    }
}

TEST(HidWordSwap, RequestWordsFollowByteThree)
{
    uint8_t request[kHidRequestSize] = {1, 4, 5, 2, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    SwapRequestWords(request);
    const uint8_t expected[] = {1, 4, 5, 2, 0x22, 0x11, 0x44, 0x33, 0x55, 0x66};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), request));
}

TEST(HidReplyWords, CopyStopsAtDestinationAndReply)
{
    uint8_t reply[kHidReplySize] = {};
    reply[4] = 5;
    for (int i = 0; i < 5; ++i) reply[5 + 2 * i] = static_cast<uint8_t>(10 + i);
    int dest[8];
    std::fill(std::begin(dest), std::end(dest), -1);
    EXPECT_EQ(CopyReplyWords(reply, dest, 3), 3);
    EXPECT_EQ(dest[2], 12);
    EXPECT_EQ(dest[3], -1);
    EXPECT_EQ(ReplyWord(reply, 5), 0);
    EXPECT_EQ(ReplyWord(reply, -1), 0);
}

}  // namespace
