#include "device/DeviceSettings.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device_access/SimFixture.h"

#include <algorithm>

namespace {

class HidDiscoveryTest : public SimFixture {
protected:
    void TearDown() override
    {
        CloseHidHandle(hidHandle1);
        CloseHidHandle(hidHandle2);
        SimFixture::TearDown();
    }

    int Count(const std::string& text)
    {
        auto lines = Journal();
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }

    HANDLE hidHandle1 = nullptr;
    HANDLE hidHandle2 = nullptr;
    int targetProductId = 0;
    DeviceSettings deviceSettings;
    HidMainState main{hidHandle1, hidHandle2, targetProductId, deviceSettings};
};

TEST_F(HidDiscoveryTest, FindPathNeedsTheVendorUsagePage)
{
    Load("hid.a.pid=0x3110\nhid.a.usagepage=0xFF01\n"   // right product, other usage page
         "hid.b.pid=0x3110\nhid.b.usage=2\n"              // right page, other usage
         "hid.c.pid=0x3110\nhid.c.vid=0x1234\n");         // another vendor
    EXPECT_EQ(FindHidDevicePath(nullptr, 0x3110), 0);
    EXPECT_EQ(OpenHidDevice(0x3110), nullptr);

    Load("hid.a.pid=0x3110\nhid.a.usagepage=0xFF01\nhid.d.pid=0x3110\n");
    wchar_t path[kHidPathSize] = {};
    EXPECT_EQ(FindHidDevicePath(path, 0x13110), 1);  // only the low 16 bits count
    EXPECT_EQ(std::wstring(path), L"\\\\?\\hid#vid_3e1f&pid_3110#sim&d#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    EXPECT_EQ(OpenHandles(), 0);  // every probe closed again

    HANDLE device = OpenHidDevice(0x3110);
    EXPECT_NE(device, nullptr);
    EXPECT_EQ(OpenHandles(), 1);
    CloseHidHandle(device);
}

TEST_F(HidDiscoveryTest, InterfaceThatCannotBeOpenedIsSkipped)
{
    Load("hid.a.pid=0x3110\nhid.a.open=fail\nhid.b.pid=0x3110\n");
    EXPECT_EQ(FindHidDevicePath(nullptr, 0x3110), 1);
    Load("hid.a.pid=0x5910\nhid.a.open=fail\nhid.b.pid=0x5910\n");
    EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 1);
    EXPECT_EQ(OpenHandles(), 1);
    Load("hid.a.pid=0xD340\nhid.a.open=fail\n");
    EXPECT_EQ(CountHidDfuDevices(5), 0);
}

TEST_F(HidDiscoveryTest, FindHidDeviceIntoMainWindowOrPair)
{
    Load("hid.x.pid=0x5345\nhid.y.pid=0x5910\n");
    EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 1);
    EXPECT_NE(hidHandle1, nullptr);
    EXPECT_EQ(targetProductId, 0x5910);

    HANDLE pair[2] = {nullptr, nullptr};
    int productId = 0;
    targetProductId = 0;
    EXPECT_EQ(FindHidDevice(main, 0, &productId, pair), 1);
    EXPECT_NE(pair[0], nullptr);
    EXPECT_EQ(productId, 0x5910);
    EXPECT_EQ(targetProductId, 0);  // the main window is left alone
    CloseHidHandle(pair[0]);

    // Without a pair the finder only tells whether the headset is there.
    EXPECT_EQ(FindHidDevice(main, 0, nullptr, nullptr), 1);
    EXPECT_EQ(OpenHandles(), 1);  // hidHandle1 only
}

TEST_F(HidDiscoveryTest, FindHidDeviceOnlyWhenSecondSlotIsEmpty)
{
    Load("hid.1.pid=0x5910\nhid.2.pid=0x5910\nhid.3.pid=0x5346\n");
    hidHandle2 = HidDevices().Open(L"\\\\?\\hid#vid_3e1f&pid_5346#sim&3#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    ASSERT_NE(hidHandle2, nullptr);
    EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 0);
    EXPECT_EQ(targetProductId, 0);
    // Both 0x5910 interfaces went through the first slot; the first handle
    // was closed before the second took its place.
    EXPECT_NE(hidHandle1, nullptr);
    EXPECT_EQ(OpenHandles(), 2);
}

TEST_F(HidDiscoveryTest, PathsMustFitThePathBuffer)
{
    // The path, a line end and the closing zero share 260 bytes.
    auto pathOfLength = [](size_t length) {
        std::string path = "\\\\?\\hid#vid_3e1f&pid_5910#";
        path += std::string(length - path.size() - 1, 'x');
        return path + "}";
    };
    struct Case {
        size_t length;
        int found;
    };
    for (Case c : {Case{258, 1}, Case{259, 0}, Case{300, 0}}) {
        SCOPED_TRACE(c.length);
        Load("hid.1.pid=0x5910\nhid.1.path=" + pathOfLength(c.length) + "\n");
        EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), c.found);
        CloseHidHandle(hidHandle1);
    }
    char buffer[kHidPathSize];
    EXPECT_EQ(FormatHidPath(buffer, "%s\n", std::string(259, 'a').c_str()), -1);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(FormatHidPath(buffer, "%s\n", std::string(258, 'a').c_str()), 259);
}

TEST_F(HidDiscoveryTest, PathParsingReadsVendorAndProductFromThePath)
{
    // The attributes say 0x5910, but the path names another vendor: path parsing
    // goes by the path.
    Load("hid.1.pid=0x5910\nhid.1.path=\\\\?\\hid#vid_1234&pid_5910#1#{4d1e55b2-f16f-11cf-88cb-001111000030}\n"
         "hid.2.pid=0x5910\nhid.2.path=\\\\?\\hid#nothing-here\n");
    EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 0);
    EXPECT_EQ(OpenHandles(), 0);
}

TEST_F(HidDiscoveryTest, PollWithOneOfTwoInterfacesKeepsTheFirst)
{
    Load("hid.1.pid=0x5345\nhid.1.version=2.3.9.4.5\n");
    EXPECT_EQ(PollHidInterfaces(main), 0);
    EXPECT_NE(hidHandle1, nullptr);
    EXPECT_EQ(hidHandle2, nullptr);
    EXPECT_EQ(deviceSettings.Firmware.Major, 2);
    EXPECT_EQ(deviceSettings.Firmware.Minor, 3);
    EXPECT_EQ(deviceSettings.Firmware.SecondaryType, 2);  // always 2, whatever byte 5 says
    EXPECT_EQ(deviceSettings.Firmware.SecondaryVersion, 9);
    EXPECT_EQ(deviceSettings.Firmware.BuildNumber, 4);
    EXPECT_EQ(deviceSettings.FirstInterface.Minor, 3);
    // The version query, then command 0x30 on the same handle.
    auto journal = Journal();
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0], "hid 1 01 00");
    EXPECT_EQ(journal[1], "hid 1 30 00");
}

TEST_F(HidDiscoveryTest, PollOpensBothInterfacesAndReadsTheirVersions)
{
    Load("hid.1.pid=0x5345\nhid.1.version=2.3.0.4.5\n"
         "hid.2.pid=0x5346\nhid.2.version=1.9.0.7.8\nhid.2.status.1=2\n"
         "hid.3.pid=0xD340\n");
    EXPECT_EQ(PollHidInterfaces(main), 1);
    EXPECT_NE(hidHandle1, nullptr);
    EXPECT_NE(hidHandle2, nullptr);
    EXPECT_EQ(deviceSettings.Firmware.Major, 2);
    // A failed version query gives 1, 0, 2, 0, 0.
    EXPECT_EQ(deviceSettings.SecondInterface.Major, 1);
    EXPECT_EQ(deviceSettings.SecondInterface.Minor, 0);
    EXPECT_EQ(deviceSettings.SecondInterface.SecondaryType, 2);
    EXPECT_EQ(OpenHandles(), 2);  // the third interface is never opened
}

TEST_F(HidDiscoveryTest, PollOfUpdateModeAsksNothing)
{
    Load("hid.1.pid=0xD340\nhid.1.version=7.7.7.7.7\nhid.2.pid=0xD340\n");
    deviceSettings.SecondInterface.Major = 9;
    EXPECT_EQ(PollHidInterfaces(main), 1);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(deviceSettings.Firmware.Major, 1);
    EXPECT_EQ(deviceSettings.FirstInterface.SecondaryType, 2);
    EXPECT_EQ(deviceSettings.SecondInterface.Major, 1);
}

TEST_F(HidDiscoveryTest, CountDfuInterfacesUpToTheMaximum)
{
    Load("hid.1.pid=0xD340\nhid.2.pid=0x5345\nhid.3.pid=0xD340\nhid.4.pid=0xD340\nhid.5.pid=0xD340\nhid.5.vid=0x1111\n");
    EXPECT_EQ(CountHidDfuDevices(2), 2);
    EXPECT_EQ(CountHidDfuDevices(10), 3);
    EXPECT_EQ(CountHidDfuDevices(0), 0);
    EXPECT_EQ(OpenHandles(), 0);
    Load("hidlist=fail\nhid.1.pid=0xD340\n");
    EXPECT_EQ(CountHidDfuDevices(2), 0);
}

TEST_F(HidDiscoveryTest, ReadItem5GivesTheLowByteOfTheFirstWord)
{
    Load("hid.1.pid=0x4210\nhid.1.item.5=0x120B 0x0001\n");
    hidHandle1 = OpenHidDevice(0x4210);
    EXPECT_EQ(ReadHidItem5(&hidHandle1), 0x0B);
    Simulation::Instance().Reset();
    Load("hid.1.pid=0x4210\nhid.1.status.3.5=2\n");
    EXPECT_EQ(ReadHidItem5(&hidHandle1), 0);
    EXPECT_EQ(Journal().size(), 2u);  // asked twice
}

}  // namespace

namespace {

// The real seams on a machine without the maker's headsets: every search ends
// empty-handed and leaves nothing open.
TEST(RealHidDevices, SearchesWithoutHeadsetsFindNothing)
{
    SetHidDevices(nullptr);
    std::vector<HidInterfacePath> interfaces;
    HidDevices().ListInterfaces(interfaces);
    for (const HidInterfacePath& entry : interfaces) EXPECT_FALSE(entry.path.empty() && entry.pathA.empty());
    HANDLE hidHandle1 = nullptr, hidHandle2 = nullptr;
    int targetProductId = 0;
    DeviceSettings settings;
    HidMainState main{hidHandle1, hidHandle2, targetProductId, settings};
    EXPECT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 0);
    EXPECT_EQ(PollHidInterfaces(main), 0);
    EXPECT_EQ(hidHandle1, nullptr);
    EXPECT_EQ(CountHidDfuDevices(2), 0);
    EXPECT_EQ(OpenHidDevice(0x5910), nullptr);
    EXPECT_EQ(HidDevices().Open(L"\\\\?\\hid#vid_3e1f&pid_5910#none"), nullptr);
}

}  // namespace
