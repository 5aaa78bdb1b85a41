// Updates of simulated BlueCore chips through the DFU library road, from the
// start to the headset's return: the checks before anything is written, the
// preparation and the settings archive, the library's steps driven by its
// callbacks, the second attempt, every failing step, a chip that never comes
// back, the action camera's drive and the two-unit product.
#include "UpdateRunFixture.h"

#include <algorithm>

#include "device/ProductCatalogue.h"
#include "firmware/FirmwarePackage.h"
#include "framework/File.h"

namespace {

using Prompt = IUpdateWindow::Prompt;

class DfuRoadRunTest : public UpdateRunTest {
protected:
    // A 0x4D10 headset at 4.2 given the 4.3 file.
    void Tkv8(const std::string& extra = "", const char* file = "tkv8_4D10_4.3.dfu")
    {
        Load(Tkv8Chip("c", extra));
        RecognizedChip(0x4D10, 4, 2);
        status.PackagePath = DfuFixture(file);
    }
};

TEST_F(DfuRoadRunTest, ABlueCoreHeadsetIsBackedUpFlashedAndComesBack)
{
    Tkv8();
    driver->Start(false);
    // The preparation, the archive and the reconfigure, in this order, before the library runs.
    EXPECT_EQ(UpdateStateDfuDownload, status.State.load());
    EXPECT_EQ(UpdateErrorNone, status.Error.load());
    EXPECT_FALSE(status.Finished);
    // The backup notice stood only while the archive was written.
    EXPECT_EQ(CString(L"On updating firmware."), English());
    EXPECT_TRUE(ArchiveWritten());
    EXPECT_EQ(1, engines.DfuPhase);
    const std::vector<std::string> writes = KeyWrites();
    const std::vector<std::string> prepared = {"ps-write c 0298 00 00", "ps-write c 0299 00 00",
                                               "ps-write c 00EF FF FE 8F 7E 98 FF 59 83"};
    EXPECT_EQ(prepared, writes);

    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(100, status.Percent.load());
    EXPECT_EQ(UpdateErrorNone, status.Error.load());
    EXPECT_TRUE(Journalled("dfu version c 4.3.0.0"));
    EXPECT_TRUE(Journalled("dfu back c"));
    // The key prompt while the chip waits for update mode, the two-key prompt as it restarts.
    EXPECT_EQ(1, CountPrompts(Prompt::HoldKey));
    EXPECT_LE(CountPrompts(Prompt::HoldTwoKeys), 1);
    EXPECT_EQ(ReturnTickResult::Succeeded, returnResults.back());
    // The bar moved into the writing, and only the end shows 100.
    ASSERT_FALSE(frames.empty());
    EXPECT_GE(*std::max_element(frames.begin(), frames.end()), 15);
    EXPECT_LE(*std::max_element(frames.begin(), frames.end()), 98);
    End();
    EXPECT_EQ(nullptr, status.Prompt());
    EXPECT_EQ(0u, driver->Queue().Size());
}

// A 0x5060 unit of the 0x5011 batch given the batch's file is turned into a
// 0x5011 by the file check; it is then prepared like every unit of its family.
TEST_F(DfuRoadRunTest, ABatchUnitTurnedIntoItsBatchModelIsPreparedToo)
{
    Load("dfu.c.pid=0x5060\ndfu.c.usb=1\ndfu.c.ps.0x02A3=words:0x5060\ndfu.c.ps.0x02A4=2A 00 00 00\n"
         "dfu.c.ps.0x0001=33 00 F1 23 00 00 00 00\n");
    RecognizedChip(0x5060, 4, 2);
    status.PackagePath = DfuFixture("tmwpr6_5011.dfu");
    driver->Start(false);
    EXPECT_EQ(UpdateStateDfuDownload, status.State.load());
    const std::vector<std::string> writes = KeyWrites();
    ASSERT_EQ(writes.size(), 7u);
    EXPECT_EQ(writes[0], "ps-write c 02A3 11 50");  // the conversion comes first
    const std::vector<std::string> prepared = {"ps-write c 0298 00 00", "ps-write c 0299 00 00",
                                               "ps-write c 00EF FF FE 8F 7E 98 FF 59 83"};
    EXPECT_EQ(prepared, std::vector<std::string>(writes.begin() + 4, writes.end()));
}

TEST_F(DfuRoadRunTest, AFileThatFailsItsChecksLeavesTheHeadsetUntouched)
{
    const CString model = GetModelName(0x4D10, 0);
    struct Case {
        const char* file;
        CString text;
    };
    const Case cases[] = {
        {"tkv8_4D10_corrupt.dfu", L"Failed to update firmware. Firmware corrupted[9][5]"},
        {"no_such_file.dfu", L"Failed to update firmware. Firmware corrupted[9][5]"},
        {"wpr6t_5020_wrong.dfu", L"Failed to update firmware. Firmware not for " + model + L"[9][6]"},
        {"tkv8_4D10_short.dfu", L"Failed to update firmware. Firmware not for " + model + L"[9][6]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Tkv8("", c.file);
        status.State = UpdateStateStarted;
        driver->Start(false);
        EXPECT_TRUE(status.Finished);
        EXPECT_EQ(UpdateErrorFailed, status.Error.load());
        EXPECT_EQ(UpdateStateStarted, status.State.load());
        EXPECT_EQ(c.text, English());
        EXPECT_TRUE(KeyWrites().empty());
        EXPECT_EQ(0, Count("dfu reconfigure"));
        EXPECT_FALSE(ArchiveWritten());
    }
}

TEST_F(DfuRoadRunTest, AHeadsetThatIsNotTheRecognizedOneIsRefused)
{
    struct Case {
        const char* name;
        std::string chips;
        int recordedProduct;
        VersionGroup recorded;
        int usbStatus;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"another product", Tkv8Chip(), 0x4D30, {4, 2}, 0x4D10,
         L"Failed to update firmware. Not the recognized device[9][3]"},
        {"another firmware version", Tkv8Chip(), 0x4D10, {4, 1}, 0x4D10,
         L"Failed to update firmware. Not the recognized device[9][4]"},
        {"not on the USB list", Tkv8Chip("c", "dfu.c.usb=0\n"), 0x4D10, {4, 2}, 0x4D10,
         L"Failed to update firmware. Not the recognized device[9][2]"},
        {"on the USB list under another id", Tkv8Chip(), 0x4D10, {4, 2}, 0x4D30,
         L"Failed to update firmware. Not the recognized device[9][2]"},
        {"one unit of the pair", "dfu.a.pid=0x5310\ndfu.a.usb=1\n", 0x5310, {1, 1}, 0x5310,
         L"Failed to update firmware. Not the recognized device[9][1]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.chips);
        RecognizedChip(c.recordedProduct, c.recorded.Major, c.recorded.Minor);
        app.usbStatus = c.usbStatus;
        status.PackagePath = DfuFixture("tkv8_4D10_4.3.dfu");
        driver->Start(false);
        EXPECT_TRUE(status.Finished);
        EXPECT_EQ(UpdateErrorWrongDevice, status.Error.load());
        EXPECT_EQ(CString(c.text), English());
        EXPECT_TRUE(KeyWrites().empty());
        EXPECT_FALSE(ArchiveWritten());
    }
}

TEST_F(DfuRoadRunTest, AHeadsetInUpdateModeIsFlashedWithoutBackup)
{
    Load(Tkv8Chip("c", "dfu.c.pid=0xCD10\ndfu.c.mode=update\n"));
    RecognizedChip(0x4D10, 4, 2);
    app.usbStatus = 0xCD10;
    status.PackagePath = DfuFixture("tkv8_4D10_4.3.dfu");
    driver->Start(false);
    EXPECT_EQ(UpdateErrorNone, status.Error.load());
    EXPECT_EQ(CString(L"On updating firmware."), English());
    // Neither the identity check, the preparation nor the archive.
    EXPECT_EQ(0, Count("dfu connect"));
    EXPECT_TRUE(KeyWrites().empty());
    EXPECT_FALSE(ArchiveWritten());
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(100, status.Percent.load());
    // Events in update mode do not ask for the key.
    EXPECT_EQ(0, CountPrompts(Prompt::HoldKey));
}

TEST_F(DfuRoadRunTest, TheConfirmedStartWritesNoArchive)
{
    Tkv8();
    app.targetProductId = 0x4D10;
    driver->Start(true);
    EXPECT_FALSE(status.Finished);
    EXPECT_FALSE(ArchiveWritten());
    EXPECT_EQ(3u, KeyWrites().size());  // the preparation still
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(100, status.Percent.load());

    // Its failures carry no tag.
    Tkv8("", "tkv8_4D10_corrupt.dfu");
    driver->Start(true);
    EXPECT_EQ(CString(L"Failed to update firmware. Firmware corrupted"), English());
}

TEST_F(DfuRoadRunTest, ARestoreFlashesOnTheRestorePagesRecordWithoutArchive)
{
    Tkv8();
    app.currentPage = PageFirmwareRestore;
    restoreStatus.PackagePath = DfuFixture("tkv8_4D10_4.3.dfu");
    restoreStatus.State = UpdateStateStarted;
    driver->Start(false);
    EXPECT_EQ(UpdateStateDfuDownload, restoreStatus.State.load());
    EXPECT_EQ(CString(L"On restoring firmware."), English());
    EXPECT_FALSE(ArchiveWritten());
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(100, restoreStatus.Percent.load());
    // Every state, text and prompt went to the restore page's record.
    EXPECT_EQ(UpdateStateIdle, status.State.load());
    EXPECT_EQ(kNoPercent, status.Percent.load());
    EXPECT_FALSE(status.Finished);

    Tkv8("", "tkv8_4D10_corrupt.dfu");
    restoreStatus.PackagePath = DfuFixture("tkv8_4D10_corrupt.dfu");
    driver->Start(false);
    EXPECT_EQ(CString(L"Failed to restore firmware. Firmware corrupted[9][5]"), English());
}

TEST_F(DfuRoadRunTest, TheCheckFailingWithCode7Or28GetsOneSecondAttempt)
{
    for (int code : {7, 28}) {
        SCOPED_TRACE(code);
        Tkv8("dfu.c.fail.check=" + std::to_string(code) + "\ndfu.c.fail.check.times=1\n");
        driver->Start(false);
        ASSERT_TRUE(RunToEnd());
        EXPECT_EQ(100, status.Percent.load());
        EXPECT_EQ(2, engines.DfuPhase);
        EXPECT_EQ(2, Count("dfu reconfigure c"));
        EXPECT_EQ(2, Count("dfu check c"));
        End();
    }
    // A second failure is the end; the pair gets no second attempt.
    Tkv8("dfu.c.fail.check=7\n");
    driver->Start(false);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(UpdateErrorFailed, status.Error.load());
    EXPECT_EQ(CString(L"Failed to update firmware. Cannot update firmware"), English());
    EXPECT_EQ(2, Count("dfu check c"));
    End();

    // The pair gets no second attempt.
    Load("dfu.a.pid=0x5310\ndfu.a.usb=1\ndfu.a.ps.0x02A3=words:0x5310\ndfu.a.ps.0x02A4=0B 00 00 00\n"
         "dfu.a.fail.check=28\ndfu.a.fail.check.times=1\n"
         "dfu.b.pid=0x5310\ndfu.b.usb=1\ndfu.b.ps.0x02A3=words:0x5310\ndfu.b.ps.0x02A4=0B 00 00 00\n");
    RecognizedChip(0x5310, 1, 1);
    status.PackagePath = DfuFixture("gzm6_5310.dfu");
    driver->Start(false);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(UpdateErrorFailed, status.Error.load());
    EXPECT_EQ(1, Count("dfu reconfigure"));
    EXPECT_EQ(CString(L"Failed to update firmware. Cannot update firmware"), English());
}

TEST_F(DfuRoadRunTest, EveryFailingStepEndsTheUpdate)
{
    struct Case {
        const char* name;
        std::string chip;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"reconfigure refused", "dfu.c.refuse=reconfigure\n", L"Failed to update firmware. Cannot get device[8][3]"},
        {"reconfigure fails", "dfu.c.fail.reconfigure=34\n", L"Failed to update firmware. Cannot update firmware"},
        {"no key press ever", "dfu.c.keypress=forever\n", L"Failed to update firmware. Cannot update firmware"},
        {"check refused", "dfu.c.refuse=check\n", L"Failed to update firmware. Cannot update firmware"},
        {"check fails otherwise", "dfu.c.fail.check=30\n", L"Failed to update firmware. Cannot update firmware"},
        {"download refused", "dfu.c.refuse=download\n", L"Failed to update firmware. Cannot update firmware"},
        {"download fails", "dfu.c.fail.download=30\n", L"Failed to update firmware. Cannot update firmware"},
        {"download never ends", "dfu.c.hang=download\n", L"Failed to update firmware. Cannot update firmware"},
        {"manifest refused", "dfu.c.refuse=manifest\n", L"Failed to update firmware. Cannot update firmware"},
        {"manifest fails", "dfu.c.fail.manifest=33\n", L"Failed to update firmware. Cannot update firmware"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tkv8(c.chip);
        driver->Start(false);
        ASSERT_TRUE(RunToEnd()) << "the update did not end";
        EXPECT_EQ(UpdateErrorFailed, status.Error.load());
        EXPECT_NE(100, status.Percent.load());
        EXPECT_EQ(CString(c.text), English());
        End();
        EXPECT_EQ(nullptr, status.Prompt());
    }
}

TEST_F(DfuRoadRunTest, AHeadsetThatNeverComesBackIsAFailure)
{
    Tkv8("dfu.c.return=never\n");
    // Long enough for the two-key prompt to time out and the bar to reach its pin.
    driver->returnTickLimit = 100;
    driver->Start(false);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(UpdateErrorFailed, status.Error.load());
    EXPECT_EQ(98, status.Percent.load());
    EXPECT_EQ(CString(L"Failed to update firmware. Cannot get device"), English());
    EXPECT_EQ(ReturnTickResult::Failed, returnResults.back());
    EXPECT_EQ(0, page.ReturnTimer.load());
}

TEST_F(DfuRoadRunTest, TheActionCameraPutsItsPartOnItsDrive)
{
    TempFolder drive(L"camera_drive");
    const std::string camera = "dfu.k.pid=0x3020\ndfu.k.usb=1\ndfu.k.ps.0x02A3=words:0x3020\n"
                               "dfu.k.ps.0x02A4=00 01 00 02\n";
    const std::string driveLines = "drive.e.type=removable\ndrive.e.folder=" + drive.Path().ToUtf8() + "\n";
    const CString package = CString::FromUtf8(std::string(TORVIK_SAMPLE_PACKAGES) + "/camera.img");
    struct Case {
        const char* name;
        bool drive;
        bool lumenFile;
    };
    for (const Case& c : {Case{"with its drive", true, true}, Case{"without a drive", false, false},
                          Case{"a drive without the camera's file", true, false}}) {
        SCOPED_TRACE(c.name);
        Load(camera + (c.drive ? driveLines : std::string()));
        ::DeleteFileW(drive / L"lumen.bin");
        ::DeleteFileW(drive / L"rvk10_100.bin");
        if (c.lumenFile) { ASSERT_TRUE(WriteWholeFile(drive / L"lumen.bin", std::string("camera"))); }
        RecognizedChip(0x3020, 2, 0, 1, 0);
        status.PackagePath = L"Z:" + package;
        status.PackagePath.Replace(L'/', L'\\');
        driver->Start(false);
        ASSERT_FALSE(status.Finished) << English().ToUtf8();
        EXPECT_EQ(folder / L"__lumen_dfu_bluetooth__.img", status.PackagePath);
        ASSERT_TRUE(RunToEnd());
        std::string part;
        if (c.drive && c.lumenFile) {
            EXPECT_EQ(100, status.Percent.load());
            ASSERT_TRUE(ReadWholeFile(drive / L"rvk10_100.bin", part));
            EXPECT_EQ(4096u, part.size());
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder / L"__lumen_firmware__.bin"));
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder / L"__lumen_dfu_bluetooth__.img"));
        } else {
            // Never a success without the camera's part on the camera.
            EXPECT_EQ(UpdateErrorFailed, status.Error.load());
            EXPECT_EQ(CString(L"Failed to update firmware. Camera firmware update failed"), English());
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder / L"__lumen_firmware__.bin"));
        }
        EXPECT_EQ(0, CountPrompts(Prompt::HoldKey));  // the camera never asks for keys
        End();
    }
}

TEST_F(DfuRoadRunTest, ThePairIsWrittenOneUnitAfterTheOther)
{
    Load("dfu.a.pid=0x5310\ndfu.a.usb=1\ndfu.a.ps.0x02A3=words:0x5310\ndfu.a.ps.0x02A4=0B 00 00 00\n"
         "dfu.b.pid=0x5310\ndfu.b.usb=1\ndfu.b.ps.0x02A3=words:0x5310\ndfu.b.ps.0x02A4=0B 00 00 00\n");
    RecognizedChip(0x5310, 1, 1);
    status.PackagePath = DfuFixture("gzm6_5310.dfu");
    driver->Start(false);
    ASSERT_FALSE(status.Finished) << English().ToUtf8();
    EXPECT_TRUE(engines.PrimaryEngineOpen && engines.SecondaryEngineOpen);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(100, status.Percent.load());
    EXPECT_EQ(2, engines.DfuPhase);
    EXPECT_TRUE(Journalled("dfu version a 1.2.0.0"));
    EXPECT_TRUE(Journalled("dfu version b 1.2.0.0"));
    EXPECT_NE(std::find(returnResults.begin(), returnResults.end(), ReturnTickResult::GoesOn), returnResults.end());
    // The first unit fills the lower half of the bar, the second the upper.
    const auto upper = std::find_if(frames.begin(), frames.end(), [](int f) { return f >= 50; });
    ASSERT_NE(upper, frames.end());
    EXPECT_TRUE(std::all_of(frames.begin(), upper, [](int f) { return f < 50; }));
    EXPECT_TRUE(prompts.empty());
}

}  // namespace
