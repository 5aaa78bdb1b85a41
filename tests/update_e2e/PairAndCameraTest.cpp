// The real program updates the two-unit headset in its two phases and the
// action camera, whose camera part must reach the camera's drive.
#include "UpdateProgramFixture.h"

#include <algorithm>

namespace {

constexpr wchar_t kUpdated[] = L"Firmware updated successfully";

class PairAndCameraTest : public UpdateProgramTest {};

std::string PairUnit(const std::string& id, bool held = false)
{
    const std::string k = "dfu." + id + ".";
    return k + "pid=0x5310\n" + k + "usb=1\n" + k + "ps.0x02A3=words:0x5310\n" + k + "ps.0x0108=text:GZM6\n" + k +
           "ps.0x02A4=0B 00 00 00\n" + k + "download.ms=10000\n" + (held ? k + "download.hold=50\n" : "");
}

TEST_F(PairAndCameraTest, ThePairIsWrittenInTwoPhases)
{
    // Each unit's download holds half way until the test has seen the bar.
    Start(PairUnit("a", true) + PairUnit("b"));
    GoToUpdatePage();
    UpdateWith(DfuFixture("gzm6_5310.dfu"));
    // The first unit fills the lower half of the bar, the second the upper.
    EXPECT_TRUE(WaitFor([&] { return Percent() > 0 && Percent() < 50; }, false)) << "percent: " << Percent();
    WriteScenario(PairUnit("a") + PairUnit("b", true));
    EXPECT_TRUE(WaitFor([&] { return Percent() > 50 && Percent() < 100; }, false, 60000)) << "percent: " << Percent();
    WriteScenario(PairUnit("a") + PairUnit("b"));
    EXPECT_TRUE(AnswerBoxSaying(L"Firmware updated successfully.\nPower off and power on GZM6"));
    ASSERT_TRUE(WaitForStatus(kUpdated)) << "status: " << Status().c_str();
    const std::vector<std::string> versions = Journal("dfu version");
    EXPECT_EQ((std::vector<std::string>{"dfu version a 1.2.0.0", "dfu version b 1.2.0.0"}), versions);
}

class CameraUpdateTest : public UpdateProgramTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureFolder(drive));
        ASSERT_TRUE(WriteWholeFile(drive + L"\\lumen.bin", std::string("camera")));
    }
    std::string Camera(bool drivePresent)
    {
        return "dfu.k.pid=0x3020\ndfu.k.usb=1\ndfu.k.ps.0x02A3=words:0x3020\ndfu.k.ps.0x0108=text:LUMEN\n"
               "dfu.k.ps.0x02A4=00 01 00 02\ndrive.e.type=removable\ndrive.e.folder=" +
               drive.ToUtf8() + "\ndrive.e.present=" + (drivePresent ? "1" : "0") + "\n";
    }
    CString drive = folder / L"camera";
};

TEST_F(CameraUpdateTest, TheCameraPartGoesOntoTheCamerasDrive)
{
    Start(Camera(true));
    GoToUpdatePage();
    UpdateWith(Sample("camera.img"));
    // The camera's own steps; OK holds the rider while the camera finishes.
    EXPECT_TRUE(AnswerBoxSaying(L"1. Disconnect the USB cable")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(kUpdated)) << "status: " << Status().c_str();
    std::string part;
    EXPECT_TRUE(ReadWholeFile(drive + L"\\rvk10_100.bin", part));
    EXPECT_EQ(4096u, part.size());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"__lumen_firmware__.bin")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"__lumen_dfu_bluetooth__.img")));
    EXPECT_FALSE(Journal("dfu version k 2.1.0.0").empty());
}

TEST_F(CameraUpdateTest, WithoutTheCamerasDriveTheUpdateFails)
{
    Start(Camera(true));
    GoToUpdatePage();
    // The drive goes away while the Bluetooth part is written.
    WriteScenario(Camera(false));
    UpdateWith(Sample("camera.img"));
    ASSERT_TRUE(WaitForStatus(L"Failed to update firmware. Camera firmware update failed", 60000))
        << "status: " << Status().c_str();
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT); }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(drive + L"\\rvk10_100.bin"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"__lumen_firmware__.bin")));
    EXPECT_EQ(nullptr, BoxSaying(L"1. Disconnect"));
}

}  // namespace
