// The HID writer with the camera drive: the headsets of the 0x55xx to 0x57xx
// families and their kin, and the camera road of 0x5510 against a simulated
// camera whose storage a folder poses as.
#include "hid_writers/WriterFixture.h"

namespace {

class DriveWriterTest : public WriterFixture {
protected:
    void Start(int product, const std::string& extra = "") { StartPair(product, extra); }

    // The camera headset with its drive K:, whose version file says version.
    void StartCamera(const char* version, const std::string& extra = "hid.a.camera.installs=3.4\n")
    {
        drive = folder / L"k";
        ::CreateDirectoryW(drive, nullptr);
        if (version) WriteDriveFile(L"KC5.VER", version);
        Start(0x5510, "hid.a.camera=k\ndrive.k.type=removable\ndrive.k.folder=" + drive.ToUtf8() + "\n" + extra);
    }

    // A camera package: the headset's two images, then the camera image of version 3.4.
    void UseCameraPackage()
    {
        std::vector<uint8_t> bytes = BuildPackage(0x5510, {{0, 1, headsetImage}, {2, 2, PatternBytes(5, 300)},
                                                           {1, 9, cameraImage}});
        PutWord(bytes, ImageEntryAt(3, 2) + 0x10, 3);
        PutWord(bytes, ImageEntryAt(3, 2) + 0x14, 4);
        UsePackage(bytes);
    }

    void WriteDriveFile(const wchar_t* name, const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(drive + L"\\" + name, text));
    }
    bool DriveHas(const wchar_t* name) const { return CFile::Exists(drive + L"\\" + name); }
    std::string DriveFile(const wchar_t* name) const
    {
        std::string bytes;
        ReadWholeFile(drive + L"\\" + name, bytes);
        return bytes;
    }

    CString drive;
    const std::vector<uint8_t> headsetImage = PatternBytes(4, 2500);
    const std::vector<uint8_t> cameraImage = PatternBytes(6, 4000);
};

TEST_F(DriveWriterTest, OtherProductsSendEveryImageOverHid)
{
    Start(0x5520);
    UsePackage(BuildPackage(0x5520, {{0, 1, PatternBytes(1, 100)}, {2, 2, PatternBytes(2, 100)},
                                     {1, 3, PatternBytes(3, 100)}, {1, 4, PatternBytes(4, 100)}}));
    Run(HidAndDriveWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*1", "a 07", "a 05", "a 06*1", "a 07", "b 05",
                                                    "b 06*1", "b 07", "b 05", "b 06*1", "b 07", "a 0D", "a 08"}));
    EXPECT_EQ(sleeps, (std::vector<unsigned>{65000}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_TRUE(status.DeviceRestarting);
    EXPECT_EQ(timerRequests, 1);
}

TEST_F(DriveWriterTest, TheQuietModelsEndWithoutPollOrRestartingFlag)
{
    for (int product : {0x5720, 0x3050}) {
        SCOPED_TRACE(product);
        Again();
        bool raised = false;
        onSleep = [&](unsigned) { raised = raised || status.DeviceRestarting; };
        status.DeviceRestarting = true;  // as a previous run may have left it
        Start(product);
        UsePackage(BuildPackage(static_cast<uint32_t>(product), {{0, 1, PatternBytes(1, 100)}}));
        Run(HidAndDriveWriteThread);
        EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*1", "a 07", "a 08"}));
        EXPECT_EQ(sleeps, (std::vector<unsigned>{500, 65000}));
        EXPECT_EQ(status.State, UpdateStateRestarting);
        EXPECT_FALSE(status.DeviceRestarting);
    }
}

TEST_F(DriveWriterTest, ImageFailuresCarryNoTagAndOnlyTheFinishIsLate)
{
    const struct {
        const char* scenario;
    } rows[] = {{"hid.a.fail.5=1\n"}, {"hid.a.writefail.6=1\n"}, {"hid.a.fail.6=1\n"}, {"hid.a.fail.7=1\n"},
                {"hid.a.fail.8=1\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scenario);
        Again();
        Start(0x5620, row.scenario);
        UsePackage(BuildPackage(0x5620, {{0, 1, PatternBytes(1, 100)}}));
        Run(HidAndDriveWriteThread);
        ExpectFailure(L"Failed to update firmware. Firmware corrupted");
    }
}

TEST_F(DriveWriterTest, TheCameraTakesItsNewImageBeforeTheHeadsetsImagesGo)
{
    StartCamera("3.3\r\n");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 20", "a 22", "a 22", "a 21", "a 22", "a 20", "a 22", "a 21",
                                                    "a 22", "a 05", "a 06*3", "a 07", "a 05", "a 06*1", "a 07", "a 0D",
                                                    "a 08"}));
    EXPECT_EQ(JournalOf("camera "), (std::vector<std::string>{"camera a installs 3.4"}));
    EXPECT_EQ(DriveFile(L"KC5.VER"), "3.4\r\n");
    EXPECT_FALSE(DriveHas(L"__kc5_firmware__.bin"));
    // The camera image never goes over HID.
    EXPECT_EQ(JournalOf("image ").size(), 2u);
    EXPECT_EQ(sleeps, (std::vector<unsigned>{15000, 15000, 2000, 3000, 65000}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
}

TEST_F(DriveWriterTest, ACurrentCameraGetsNoFile)
{
    StartCamera("3.4");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 20", "a 22", "a 22", "a 21", "a 05", "a 06*3", "a 07", "a 05",
                                                    "a 06*1", "a 07", "a 0D", "a 08"}));
    EXPECT_TRUE(JournalOf("camera ").empty());
    EXPECT_EQ(sleeps, (std::vector<unsigned>{15000, 10000, 65000}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(DriveWriterTest, TheVersionFileIsReadAsMajorDotMinor)
{
    const struct {
        const char* text;
        int major, minor;
        bool current;
    } rows[] = {
        {"2.1", 2, 1, true},         {"2", 2, 0, true},   {"2\r\n.1\r\n", 2, 1, true}, {"2.1.7", 2, 1, true},
        {"x.y", 0, 0, true},         {"2.2", 2, 1, false}, {"12.1", 2, 1, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Again();
        StartCamera(row.text, "hid.a.camera.installs=" + std::to_string(row.major) + "." + std::to_string(row.minor) + "\n");
        std::vector<uint8_t> bytes =
            BuildPackage(0x5510, {{0, 1, headsetImage}, {2, 2, PatternBytes(5, 30)}, {1, 9, cameraImage}});
        PutWord(bytes, ImageEntryAt(3, 2) + 0x10, static_cast<uint32_t>(row.major));
        PutWord(bytes, ImageEntryAt(3, 2) + 0x14, static_cast<uint32_t>(row.minor));
        UsePackage(bytes);
        Run(HidAndDriveWriteThread);
        EXPECT_EQ(JournalOf("camera ").empty(), row.current);
        EXPECT_EQ(status.State, UpdateStateRestarting);
    }
}

TEST_F(DriveWriterTest, AnUnreadableVersionFileLeadsToWritingTheImage)
{
    StartCamera("3.4");
    UseCameraPackage();
    HANDLE lock = INVALID_HANDLE_VALUE;
    int long_waits = 0;
    onSleep = [&](unsigned ms) {
        if (ms != 15000) return;
        if (++long_waits == 1) {
            lock = ::CreateFileW(drive + L"\\KC5.VER", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        } else if (lock != INVALID_HANDLE_VALUE) {
            ::CloseHandle(lock);
            lock = INVALID_HANDLE_VALUE;
        }
    };
    Run(HidAndDriveWriteThread);
    if (lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);
    EXPECT_EQ(JournalOf("camera ").size(), 1u);
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(DriveWriterTest, AnEarlierTemporaryImageIsRemovedInTheFirstSearch)
{
    StartCamera("3.4");
    WriteDriveFile(L"__kc5_firmware__.bin", "stale");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    EXPECT_FALSE(DriveHas(L"__kc5_firmware__.bin"));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(DriveWriterTest, ACameraThatKeepsItsVersionFailsWithoutHidImages)
{
    StartCamera("3.3", "");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    ExpectFailure(L"Failed to update firmware. Camera firmware update failed [2][2]. Try again.");
    EXPECT_TRUE(JournalOf("image ").empty());
    // The file the camera left is the camera image, whole.
    EXPECT_EQ(DriveFile(L"FWCARCAM.bin"), std::string(cameraImage.begin(), cameraImage.end()));
}

TEST_F(DriveWriterTest, AnOldCameraImageOnTheDriveMakesTheRenameFail)
{
    StartCamera("3.3");
    WriteDriveFile(L"FWCARCAM.bin", "old");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    ExpectFailure(L"Failed to update firmware. Camera firmware update failed [2][1]. Try again.");
    EXPECT_FALSE(DriveHas(L"FWCARCAM.bin"));
    EXPECT_FALSE(DriveHas(L"__kc5_firmware__.bin"));
}

TEST_F(DriveWriterTest, WhenNoFileCanBeCreatedNoOldImageIsTaken)
{
    StartCamera("3.3");
    ASSERT_TRUE(::CreateDirectoryW(drive + L"\\__kc5_firmware__.bin", nullptr));
    WriteDriveFile(L"FWCARCAM.bin", "old image");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    ExpectFailure(L"Failed to update firmware. Camera firmware update failed [2][2]. Try again.");
    EXPECT_FALSE(DriveHas(L"FWCARCAM.bin"));
    EXPECT_TRUE(JournalOf("camera ").empty());
}

TEST_F(DriveWriterTest, WithoutACameraDriveTheRiderIsToldToCheckTheCard)
{
    Start(0x5510, "hid.a.camera=k\n");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    ExpectFailure(L"Failed to update firmware. Check your SD Card.");
    EXPECT_EQ(slept, 15000u + 70 * 1000u);
}

TEST_F(DriveWriterTest, AFailedSixthDriveStatePollCountsAsTheAwaitedState)
{
    StartCamera("3.4", "hid.a.fail.0x22=1,2,3,4,5,6\n");
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    EXPECT_EQ(std::vector<unsigned>(sleeps.begin(), sleeps.begin() + 6),
              (std::vector<unsigned>{500, 500, 500, 500, 500, 15000}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(DriveWriterTest, APackageWithoutTheCameraImageIsRefused)
{
    StartCamera("3.3");
    UsePackage(BuildPackage(0x5510, {{0, 1, headsetImage}, {2, 2, PatternBytes(5, 30)}}));
    Run(HidAndDriveWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted");
    EXPECT_TRUE(JournalOf("hid ").empty());
}

// Failures of the camera road, with the camera files they leave.
struct CameraFailure {
    const char* version;   // the camera's version file
    const char* scenario;
    const wchar_t* english;
    bool finalFileLeft;
};

class CameraRoadFailure : public DriveWriterTest, public testing::WithParamInterface<CameraFailure> {};

TEST_P(CameraRoadFailure, EndsWithItsTagAndAdvice)
{
    const CameraFailure& row = GetParam();
    StartCamera(row.version, std::string("hid.a.camera.installs=3.4\n") + row.scenario);
    UseCameraPackage();
    Run(HidAndDriveWriteThread);
    ExpectFailure(row.english);
    EXPECT_EQ(DriveHas(L"FWCARCAM.bin"), row.finalFileLeft);
    EXPECT_FALSE(DriveHas(L"__kc5_firmware__.bin"));
    EXPECT_TRUE(JournalOf("image ").empty());
    EXPECT_LE(slept, 15000u + 15000u + 200 * 3000u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CameraRoadFailure,
    testing::Values(
        CameraFailure{"3.3", "hid.a.fail.0x20=1\n", L"Failed to update firmware. Cannot get status [1][0]. Try again.",
                      false},
        CameraFailure{"3.3", "hid.a.camera.lag=100\n",
                      L"Failed to update firmware. Cannot get status [4][1]. Try again.", false},
        CameraFailure{"3.4", "hid.a.fail.0x21=1\n", L"Failed to update firmware. Cannot get status [3][2]. Try again.",
                      false},
        CameraFailure{"3.3", "hid.a.fail.0x21=1\n", L"Failed to update firmware. Cannot get status [0][0]. Try again.",
                      false},
        CameraFailure{"3.3", "hid.a.fail.0x22=2,3,4,5,6,7\nhid.a.fail.0x21=1\n",
                      L"Failed to update firmware. Cannot get status [3][2]. Try again.", false},
        CameraFailure{"3.3", "hid.a.fail.0x20=2\n", L"Failed to update firmware. Cannot get status [3][3]. Try again.",
                      false},
        CameraFailure{"3.3", "hid.a.fail.0x22=3,4,5,6,7,8\nhid.a.fail.0x20=2\n",
                      L"Failed to update firmware. Cannot get status [1][1]. Try again.", false},
        CameraFailure{"3.3", "hid.a.fail.0x21=2\n", L"Failed to update firmware. Cannot get status [3][4]. Try again.",
                      false}));

}  // namespace
