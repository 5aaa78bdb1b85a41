#include "app/ui/UpdaterDlg.h"
#include "device/DeviceSettings.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/HidTransport.h"
#include "sim/Environment.h"
#include "device/SeamsDrives.h"
#include "device/UsbDeviceList.h"
#include "device_access/SimFixture.h"
#include "dfu/DFUTransport.h"
#include "sim/SimDrives.h"
#include "support/TempFolder.h"

#include <windows.h>

namespace {

// A scratch folder of its own, removed with its files.
class ScratchFolder {
public:
    ScratchFolder()
    {
        path = UniqueTempPath(L"devaccess").str();
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        for (const std::wstring& file : files) DeleteFileW(file.c_str());
        RemoveDirectoryW(path.c_str());
    }
    // Writes a file whole (to a temporary name, then renamed into place).
    std::wstring Write(const std::wstring& name, const std::string& text)
    {
        std::wstring target = path + L"\\" + name;
        std::wstring temporary = target + L".tmp";
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
        files.push_back(target);
        return target;
    }
    std::wstring path;
    std::vector<std::wstring> files;
};

using ScenarioTest = SimFixture;

TEST(ScenarioParse, LinesKeysAndIds)
{
    Scenario scenario;
    scenario.Parse("# a comment\r\n  HID.2.PID = 0x5910 \r\nnot a line\nhid.1.pid=22\nhid.2.busy=3\n\nhid.2.pid=0x5911\n"
                   "journal=C:\\x=y.txt\n");
    EXPECT_EQ(scenario.Ids("hid"), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(scenario.Number("hid.2.pid", 0), 0x5911);  // the last line counts
    EXPECT_EQ(scenario.Number("Hid.1.Pid", 0), 22);
    EXPECT_EQ(scenario.Number("hid.3.pid", -1), -1);
    EXPECT_EQ(scenario.Get("journal"), "C:\\x=y.txt");  // only the first '=' splits
    EXPECT_FALSE(scenario.Has("not a line"));
    long value = 0;
    EXPECT_FALSE(ParseNumber("12abc", value));
    EXPECT_EQ(ParseNumberList("1.2, 0x10 x 5"), (std::vector<long>{1, 2, 16}));
}

TEST_F(ScenarioTest, FileIsReadAgainAfterUnplugAndReplug)
{
    ScratchFolder folder;
    const std::string headset = "hid.1.pid=0x5910\nusb.1=USB\\VID_3E1F&PID_4D10&REV_0100\nusb.2=usb\\vid_3e1f&pid_cd10\n";
    std::wstring file = folder.Write(L"scenario.txt", headset);
    ASSERT_TRUE(Simulation::Instance().LoadFile(file));

    std::vector<HidInterfacePath> interfaces;
    std::vector<std::string> usb;
    ASSERT_TRUE(HidDevices().ListInterfaces(interfaces));
    EXPECT_EQ(interfaces.size(), 1u);
    ASSERT_TRUE(UsbDeviceList().GetHardwareIds(usb));
    EXPECT_EQ(usb, (std::vector<std::string>{"USB\\VID_3E1F&PID_4D10&REV_0100", "usb\\vid_3e1f&pid_cd10"}));

    folder.Write(L"scenario.txt", "hid.1.pid=0x5910\nhid.1.present=0\nusb.1=USB\\VID_3E1F&PID_4D10\nusb.1.present=0\n");
    ASSERT_TRUE(HidDevices().ListInterfaces(interfaces));
    EXPECT_TRUE(interfaces.empty());
    ASSERT_TRUE(UsbDeviceList().GetHardwareIds(usb));
    EXPECT_TRUE(usb.empty());

    folder.Write(L"scenario.txt", headset);
    ASSERT_TRUE(HidDevices().ListInterfaces(interfaces));
    ASSERT_EQ(interfaces.size(), 1u);
    HANDLE device = HidDevices().Open(interfaces[0].path.c_str());
    EXPECT_NE(device, nullptr);

    // Unplugged while the program talks to it: the next exchange sees it at
    // once, and the handle stays dead when the headset returns.
    uint8_t request[kHidRequestSize] = {kHidReportId, kHidGroupInformation};
    uint8_t reply[kHidReplySize] = {};
    EXPECT_EQ(HidTransact(&device, request, reply), 1);
    folder.Write(L"scenario.txt", "hid.1.pid=0x5910\nhid.1.present=0\n");
    EXPECT_EQ(HidTransact(&device, request, reply), 0);
    folder.Write(L"scenario.txt", headset);
    EXPECT_EQ(HidTransact(&device, request, reply), 0);
    EXPECT_TRUE(sleeps.empty());
    CloseHidHandle(device);
    device = OpenHidDevice(0x5910);
    EXPECT_EQ(HidTransact(&device, request, reply), 1);
    CloseHidHandle(device);

    folder.Write(L"scenario.txt", "usblist=fail\nhidlist=fail\n");
    EXPECT_FALSE(HidDevices().ListInterfaces(interfaces));
    EXPECT_FALSE(UsbDeviceList().GetHardwareIds(usb));
}

TEST_F(ScenarioTest, JournalFileGetsEveryLine)
{
    ScratchFolder folder;
    std::wstring journal = folder.path + L"\\journal.txt";
    folder.files.push_back(journal);
    Load("journal=" + Utf8FromWide(journal) + "\nhid.1.pid=0x5910\n");
    HANDLE device = HidDevices().Open(L"\\\\?\\hid#vid_3e1f&pid_5910#sim&1#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    ASSERT_NE(device, nullptr);
    uint8_t request[1023] = {1, 4, 0x15, 1, 0x12, 0x34};
    EXPECT_TRUE(HidDevices().Write(device, request, sizeof(request)));
    EXPECT_TRUE(HidDevices().Write(device, request, sizeof(request)));
    CloseHidHandle(device);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(journal, text));
    EXPECT_EQ(text, "hid 1 04 15 1234\nhid 1 04 15 1234\n");
}

TEST_F(ScenarioTest, FoldersPoseAsDrives)
{
    ScratchFolder camera;
    ScratchFolder other;
    camera.Write(L"lumen.bin", "x");
    other.Write(L"lumen.bin", "x");
    Load("drive.D.type=fixed\ndrive.D.folder=" + Utf8FromWide(other.path) +
         "\ndrive.F.type=removable\ndrive.F.folder=" + Utf8FromWide(other.path) + "\\\ndrive.F.present=0\n"
         "drive.G.type=removable\ndrive.G.folder=" + Utf8FromWide(camera.path) + "\n");
    EXPECT_EQ(Drives().LogicalDrives(), (1u << 3) | (1u << 6));
    EXPECT_EQ(Drives().DriveType(L"G:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    EXPECT_EQ(Drives().DriveType(L"F:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(Drives().ResolvePath(L"G:\\lumen.bin"), CString(camera.path + L"\\lumen.bin"));
    EXPECT_TRUE(Drives().FileExists(L"G:\\lumen.bin"));
    EXPECT_FALSE(Drives().FileExists(L"G:\\KC5.VER"));
    EXPECT_FALSE(Drives().FileExists(L"G:\\"));  // a folder is not a file
    EXPECT_EQ(FindRemovableDriveWithFile(L"lumen.bin"), L'G');  // D is fixed, F is gone
    EXPECT_EQ(FindRemovableDriveWithFile(L"KC5.VER"), 0);
}

TEST_F(ScenarioTest, DemonstrationScenarioHasBothHeadsets)
{
    std::wstring path = L"Z:" + WideFromUtf8(TORVIK_SOURCE_DIR "/sim/scenarios/demo.txt");
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    ASSERT_TRUE(Simulation::Instance().LoadFile(path));

    HANDLE hidHandle1 = nullptr, hidHandle2 = nullptr;
    int targetProductId = 0;
    DeviceSettings settings;
    HidMainState main{hidHandle1, hidHandle2, targetProductId, settings};
    ASSERT_EQ(FindHidDevice(main, 1, nullptr, nullptr), 1);
    uint8_t request[kHidRequestSize] = {kHidReportId, kHidGroupGet, 0x1D};
    uint8_t reply[kHidReplySize] = {};
    ASSERT_EQ(HidTransact(&hidHandle1, request, reply), 1);
    SwapReplyWords(reply);
    std::string name;
    for (int i = 1; i < ReplyWordCount(reply); ++i) name += static_cast<char>(ReplyWord(reply, i) & 0xFF);
    EXPECT_EQ(name, "Torvik Ostrel");
    CloseHidHandle(hidHandle1);

    DFUTransportUSB::init();
    CStringListX list;
    ASSERT_EQ(DFURequestsUSB::EnumerateDevices(list), 1);
    CStringListX::Position position = list.GetHeadPosition();
    CStringX chip = list.GetNext(position);
    EXPECT_NE(std::wstring(DFUTransportUSB::PathInternal(chip)).find(L"VID_3E1F&PID_4D10"), std::wstring::npos);
    DFUTransportCOM transport;
    ASSERT_TRUE(DFURequestsUSB::ConnectDevice(DFUTransportUSB::PathInternal(chip), transport));
    uint8_t version[4] = {};
    ASSERT_TRUE(transport.BCCMDGetPS(0x02A4, version, 4, nullptr));
    EXPECT_EQ(version[0], 43);
    DFUTransportUSB::deinit();

    std::vector<std::string> usb;
    ASSERT_TRUE(UsbDeviceList().GetHardwareIds(usb));
    EXPECT_EQ(usb.size(), 4u);
}

TEST(DeviceSeams, EnvironmentChoosesSimulationOrRealDevices)
{
    ScratchFolder folder;
    std::wstring file = folder.Write(L"scenario.txt", "hid.1.pid=0x5910\nhid.2.pid=0xD340\nhid.3.pid=0xD340\n"
                                                      "usb.1=USB\\VID_3E1F&PID_D340&REV_0100\n");
    SetEnvironmentVariableW(L"TORVIK_SIM", file.c_str());
    EXPECT_TRUE(InstallDeviceSeamsFromEnvironment());
    EXPECT_EQ(&HidDevices(), static_cast<IHidDevices*>(&Simulation::Instance().Hid()));
    EXPECT_EQ(&Drives(), static_cast<IDrives*>(&Simulation::Instance().DriveSet()));
    // What the program asks of its devices comes from the scenario file.
    EXPECT_EQ(CUpdaterDlg::CountHidDfuDevices(2), 2);
    EXPECT_EQ(CUpdaterDlg::CountHidDfuDevices(1), 1);
    std::vector<std::string> usb;
    ASSERT_TRUE(UsbDeviceList().GetHardwareIds(usb));
    EXPECT_EQ(usb, std::vector<std::string>{"USB\\VID_3E1F&PID_D340&REV_0100"});
    folder.Write(L"scenario.txt", "hid.2.pid=0xD340\n");  // one interface gone
    EXPECT_EQ(CUpdaterDlg::CountHidDfuDevices(2), 1);

    SetEnvironmentVariableW(L"TORVIK_SIM", (folder.path + L"\\missing.txt").c_str());
    EXPECT_FALSE(InstallDeviceSeamsFromEnvironment());
    EXPECT_EQ(&HidDevices(), &RealHidDevices());

    SetEnvironmentVariableW(L"TORVIK_SIM", nullptr);
    EXPECT_FALSE(InstallDeviceSeamsFromEnvironment());
    EXPECT_EQ(&Drives(), &RealDrives());
    Simulation::Instance().LoadText("");
}

}  // namespace
