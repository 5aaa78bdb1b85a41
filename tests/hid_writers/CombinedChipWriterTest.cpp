// The combined-chip writer of 0x5345 with stand-in flashing programs, a
// simulated headset that enters update mode as 0xD340 and a simulated serial
// bridge on COM port 7.
#include "firmware/CombinedChipWriter.h"
#include "hid_writers/ToolFixture.h"

namespace {

const char kHeadset[] =
    "hid.a.pid=0x5345\n"
    "hid.a.on.0x31=pid 0xD340 for 5000\n"
    "hid.b.pid=0x5346\n"
    "hid.b.on.0x31=pid 0xD340 for 5000\n"
    "hid.b.primary=1\n"
    "ftdi.port=7\n";

class CombinedChipWriterTest : public ToolFixture {
protected:
    void Start(const std::string& extra = "", const std::string& dfuScript = "out upgrade succeeded",
               const std::string& loaderScript = "out Erasing | out DOWNLOADING | out done")
    {
        Load(kHeadset + extra);
        main.targetProductId = 0x5345;
        InstallTool(L"HidDfuCmd.exe", dfuScript);
        if (!loaderScript.empty()) InstallTool(L"STMFlashLoader.exe", loaderScript);
        UsePackage(BuildPackage(0x5345, {{0, 1, PatternBytes(1, 3000)}, {1, 2, PatternBytes(2, 5000)}}));
    }

    std::string DfuCommand() const
    {
        return "HidDfuCmd.exe upgrade 3e1f d340 0 0 \"" + FolderUtf8() + "\\__zeph_bluetooth_fw__.dfu\"";
    }

    // No part is left in the folder and the writer's handles are closed.
    void ExpectCleanEnd()
    {
        EXPECT_FALSE(CFile::Exists(folder / L"__zeph_bluetooth_fw__.dfu"));
        EXPECT_FALSE(CFile::Exists(folder / L"__zeph_can_fw__.hex"));
        EXPECT_EQ(OpenHandles(), 0);
    }
};

TEST_F(CombinedChipWriterTest, FlashesBothChipsThroughTheirPrograms)
{
    Start();
    std::vector<int> percents;
    status.percentRecorder = [&](int percent) { percents.push_back(percent); };
    Run(CombinedChipWriteThread);
    status.percentRecorder = nullptr;

    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 01", "a 31", "b 01", "b 31", "a 30", "a 01", "a 30", "a 32",
                                                    "b 01", "b 30", "b 32", "b 33", "a 01", "a 30", "a 32", "b 01",
                                                    "b 30", "b 32", "b 34"}));
    EXPECT_EQ(ToolRuns(L"HidDfuCmd.exe"), (std::vector<std::string>{DfuCommand(), DfuCommand()}));
    EXPECT_EQ(ToolRuns(L"STMFlashLoader.exe"),
              (std::vector<std::string>{"\"" + FolderUtf8() + "\\STMFlashLoader.exe\" -c --pn 7 --br 115200 -i "
                                        "STM32F1_Med-density_128K -e --all -d --a 8000000 --fn \"" +
                                        FolderUtf8() + "\\__zeph_can_fw__.hex\""}));
    EXPECT_EQ(JournalOf("ftdi "), (std::vector<std::string>{"ftdi open", "ftdi port 7", "ftdi close"}));
    EXPECT_EQ(std::wstring(page.ToolLog()), L"[SUCCESS]\r\nErasing\r\nDOWNLOADING\r\ndone\r\n");
    // The progress milestones, each as the writer set it.
    EXPECT_EQ(percents, (std::vector<int>{36, 66, 89}));
    EXPECT_EQ(status.Percent, 89);
    EXPECT_EQ(status.State, UpdateStateWriting);
    EXPECT_FALSE(status.Finished);
    EXPECT_EQ(status.Error, UpdateErrorNone);
    EXPECT_EQ(timerRequests, 1);
    EXPECT_EQ(archiveWrites, 1);
    ExpectCleanEnd();
}

TEST_F(CombinedChipWriterTest, TheChipsProgramGetsThreeTries)
{
    Start("", "out error\nout error\nout upgrade succeeded");
    Run(CombinedChipWriteThread);
    EXPECT_EQ(ToolRuns(L"HidDfuCmd.exe").size(), 4u);
    // Two seconds before the first run, one before each further run.
    const std::vector<unsigned> pauses = {2000, 1000, 1000};
    EXPECT_NE(std::search(sleeps.begin(), sleeps.end(), pauses.begin(), pauses.end()), sleeps.end());
    EXPECT_EQ(status.Percent, 89);
    EXPECT_FALSE(status.Finished);
}

TEST_F(CombinedChipWriterTest, ThreeFailedRunsNameTheCommandLine)
{
    Start("", "out upgrade failed");
    Run(CombinedChipWriteThread);
    ExpectFailure((L"Failed to update firmware. Firmware corrupted[1][19](" + CString::FromUtf8(DfuCommand()) + L")")
                      .GetString());
    EXPECT_EQ(ToolRuns(L"HidDfuCmd.exe").size(), 3u);
    ExpectCleanEnd();
}


struct ChipFailure {
    const char* name;
    const char* scenario;
    const char* dfuScript;
    const char* loaderScript;  // empty: no loader in the folder
    const wchar_t* english;
};

class CombinedChipFailure : public CombinedChipWriterTest, public testing::WithParamInterface<ChipFailure> {};

TEST_P(CombinedChipFailure, EndsWithItsTagAndCleansUp)
{
    const ChipFailure& row = GetParam();
    Start(row.scenario, row.dfuScript, row.loaderScript);
    Run(CombinedChipWriteThread);
    ExpectFailure(row.english);
    ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CombinedChipFailure,
    testing::Values(
        ChipFailure{"NoInterfaces", "hid.b.present=0\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[16]"},
        ChipFailure{"BackAfterFirstRun", "hid.a.fail.0x30=1\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[18]"},
        ChipFailure{"BackAfterSecondRun", "hid.a.fail.0x30=1\n", "out no\nout upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[1][18]"},
        ChipFailure{"FurtherRun", "", "out upgrade succeeded\nout upgrade failed", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[20]"},
        ChipFailure{"ChipDone", "hid.b.fail.0x33=1\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[21]"},
        ChipFailure{"NoBridgePort", "ftdi.port=fail\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[23]"},
        ChipFailure{"BridgeWithoutPort", "ftdi.port=none\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[23]"},
        ChipFailure{"BridgeWillNotOpen", "ftdi.open=fail\n", "out upgrade succeeded", "out DOWNLOADING",
                    L"Failed to update firmware. Firmware corrupted[24]"},
        ChipFailure{"LoaderSaysNothing", "", "out upgrade succeeded", "out Erasing",
                    L"Failed to update firmware. Firmware corrupted[25]"},
        ChipFailure{"NoLoader", "", "out upgrade succeeded", "",
                    L"Failed to update firmware. Firmware corrupted[25]"},
        ChipFailure{"LoaderHangs", "", "out upgrade succeeded", "out DOWNLOADING | hang",
                    L"Failed to update firmware. Firmware corrupted[25]"}),
    [](const testing::TestParamInfo<ChipFailure>& info) { return std::string(info.param.name); });

TEST_F(CombinedChipWriterTest, WithoutTheBridgeLibraryThereIsNoDevice)
{
    Start();
    Load(std::string(kHeadset).substr(0, std::string(kHeadset).find("ftdi")));
    Run(CombinedChipWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted[24]");
    EXPECT_EQ(JournalOf("ftdi "), (std::vector<std::string>{"ftdi open none"}));
}

TEST_F(CombinedChipWriterTest, AMissingLoaderLeavesItsFailHeader)
{
    Start("", "out upgrade succeeded", "");
    Run(CombinedChipWriteThread);
    EXPECT_EQ(std::wstring(page.ToolLog()), L"[FAIL]\r\n");
    EXPECT_EQ(status.Percent, 89);
}

TEST_F(CombinedChipWriterTest, PackageFailuresAreTagged)
{
    const struct {
        std::function<std::vector<uint8_t>()> bytes;
        const wchar_t* english;
    } rows[] = {
        {[] { return std::vector<uint8_t>(); }, L"Failed to update firmware. Firmware corrupted[2]"},
        {[] { return std::vector<uint8_t>(35, 0); }, L"Failed to update firmware. Firmware corrupted[3]"},
        {[] { return BuildPackage(0x5346, {{0, 1, PatternBytes(1, 9)}, {1, 1, PatternBytes(2, 9)}}); },
         L"Failed to update firmware. Firmware corrupted[6]"},
        {[] {
             auto bytes = BuildPackage(0x5345, {{0, 1, PatternBytes(1, 9)}, {1, 1, PatternBytes(2, 9)}});
             bytes.pop_back();
             return bytes;
         },
         L"Failed to update firmware. Firmware corrupted[7]"},
        {[] { return BuildPackage(0x5345, {{0, 1, PatternBytes(1, 9)}}); },
         L"Failed to update firmware. Firmware corrupted[7]"},
        {[] {
             auto bytes = BuildPackage(0x5345, {{0, 1, PatternBytes(1, 9)}, {1, 1, PatternBytes(2, 9)}});
             bytes.back() ^= 0x80;
             return bytes;
         },
         L"Failed to update firmware. Firmware corrupted[8]"},
    };
    Load(kHeadset);
    main.targetProductId = 0x5345;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.english)));
        status.Finished = false;
        const std::vector<uint8_t> bytes = row.bytes();
        if (bytes.empty()) status.PackagePath = folder / L"missing.img";
        else UsePackage(bytes);
        Run(CombinedChipWriteThread);
        ExpectFailure(row.english);
        EXPECT_TRUE(JournalOf("hid ").empty());
    }
}

TEST_F(CombinedChipWriterTest, APartThatCannotBeWrittenFailsAndNothingStaleRemains)
{
    Start();
    // A stale Bluetooth part from an earlier run, and a folder where the
    // microcontroller part should go.
    ASSERT_TRUE(WriteWholeFile(folder / L"__zeph_bluetooth_fw__.dfu", std::string("stale")));
    ASSERT_TRUE(::CreateDirectoryW(folder / L"__zeph_can_fw__.hex", nullptr));
    Run(CombinedChipWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted[11]");
    EXPECT_FALSE(CFile::Exists(folder / L"__zeph_bluetooth_fw__.dfu"));
    EXPECT_TRUE(ToolRuns(L"HidDfuCmd.exe").empty());
    EXPECT_TRUE(JournalOf("hid ").empty());
}

TEST_F(CombinedChipWriterTest, TheInterfacesAreFoundInEnumerationOrder)
{
    Load(std::string(kHeadset) + "hid.c.pid=0xD340\nhid.d.pid=0x5345\nhid.d.usagepage=0xFF01\n");
    CString first, second;
    EXPECT_EQ(FindHidInterfaces(&first, &second, 2), 2);
    EXPECT_NE(first.Find(L"sim&a"), -1);
    EXPECT_NE(second.Find(L"sim&b"), -1);
    EXPECT_EQ(FindHidInterfaces(&first, &second, 1), 1);
    EXPECT_TRUE(second.IsEmpty());
    Load("hid.c.pid=0xD340\nhid.a.pid=0x5345\n");
    EXPECT_EQ(FindHidInterfaces(&first, &second, 2), 1);
    EXPECT_EQ(FindHidInterfacesWithDfu(&first, &second, 2), 2);
    EXPECT_NE(first.Find(L"sim&c"), -1);
    HANDLE one = nullptr, two = nullptr;
    EXPECT_FALSE(OpenHidInterfaces(one, two, 2));
    EXPECT_TRUE(OpenHidInterfaces(one, two, 1));
    EXPECT_TRUE(OpenHidInterfacesWithDfu(one, two, 2));
    EXPECT_EQ(OpenHandles(), 2);
    CloseHidHandle(one);
    CloseHidHandle(two);
    EXPECT_EQ(OpenHandles(), 0);
}

}  // namespace
