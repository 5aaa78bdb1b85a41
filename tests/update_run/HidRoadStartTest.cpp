// The start of an update on the roads of the HID writers: the headset checked
// over HID (a handle pair of the check's own, closed after it), the restart of
// the package writer's models, the combined-chip headset's poll, and the
// writer thread given its context; and the waits of the road that restarts a
// headset into update mode.
#include "UpdateRunFixture.h"

#include "device/HidDiscovery.h"
#include "firmware/WriterRun.h"
#include "framework/Time.h"
#include "sim/Simulation.h"

namespace {

class HidRoadStartTest : public UpdateRunTest {
protected:
    // A 0x5910 headset at 1.3 over HID, recognized (its handle open).
    void Ostrel(const std::string& extra = "")
    {
        Load("hid.h.pid=0x5910\nhid.h.version=1.3.0.0.0\n" + extra);
        Recognized(0x5910, 1, 3);
        app.usbStatus = 0x5910;
        app.hidHandle1 = OpenHidDevice(0x5910);
        ASSERT_NE(nullptr, app.hidHandle1);
        status.PackagePath = folder / L"ostrel.img";
    }
    int OpenHandles() { return Simulation::Instance().Hid().OpenHandleCount(); }
};

TEST_F(HidRoadStartTest, TheRecognizedHeadsetGetsItsWriterThread)
{
    Ostrel();
    driver->Start(false);
    ASSERT_EQ(1u, writers.size());
    const WriterContext& context = *writers[0];
    EXPECT_EQ(&status, &context.WriterUpdateStatus);
    EXPECT_EQ(PageFirmwareUpdate, context.inputs.pageIndex);
    EXPECT_EQ(0x5910, context.inputs.targetProductId);
    EXPECT_EQ(app.hidHandle1, context.inputs.hidHandle1);
    // The writer owns the update from here: failed until it writes.
    EXPECT_FALSE(status.Finished);
    EXPECT_EQ(UpdateErrorFailed, status.Error.load());
    EXPECT_EQ(CString(L"On updating firmware. Checking firmware"), English());
    // Only the main window's handle stays open.
    EXPECT_EQ(1, OpenHandles());
    // Its archive goes where the update's does, and its timer request reaches the page.
    // The writer stamps its own copy of the settings; the time reaches the
    // main window's only through the record, on the next progress tick.
    SetCurrentTimeHook(1356994798);
    WriterRun(*writers[0]).BackUpSettings();
    SetCurrentTimeHook(0);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder / (GetModelName(0x5910, 1) + L".wqlnxarch")));
    EXPECT_EQ(0, app.deviceSettings.ArchiveTime);
    driver->ProgressTick(status);
    EXPECT_EQ(1356994798, app.deviceSettings.ArchiveTime);
    writers[0]->requestReturnTimer();
    EXPECT_EQ(1, returnTimerRequests.load());
    driver->OnReturnTimerRequest();
    EXPECT_NE(0, page.ReturnTimer.load());
}

TEST_F(HidRoadStartTest, AHeadsetThatIsNotTheRecognizedOneGetsNoWriter)
{
    struct Case {
        const char* name;
        std::string extra;
        int target;
        VersionGroup recorded;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"another version", "", 0x5910, {1, 2}, L"Failed to update firmware. Not the recognized device"},
        {"another secondary version", "", 0x5910, {1, 3, 0, 1}, L"Failed to update firmware. Not the recognized device"},
        {"another model attached", "", 0x5920, {1, 3}, L"Failed to update firmware. Not the recognized device"},
        {"the headset is gone", "hid.h.pid=0x5910\nhid.h.present=0\n", 0x5910, {1, 3},
         L"Failed to update firmware. Not the recognized device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ostrel();
        if (!c.extra.empty()) Change(c.extra);
        app.targetProductId = c.target;
        app.deviceSettings.Firmware = c.recorded;
        status.State = UpdateStateStarted;
        driver->Start(false);
        EXPECT_TRUE(writers.empty());
        EXPECT_TRUE(status.Finished);
        EXPECT_EQ(UpdateStateStarted, status.State.load());
        EXPECT_EQ(CString(c.text), English());
        EXPECT_LE(OpenHandles(), 1);
        CloseHidHandle(app.hidHandle1);
    }
}

TEST_F(HidRoadStartTest, AWriterThatCannotStartIsAFailure)
{
    Ostrel();
    writerStarts = false;
    page.NewerOffered = 1;
    driver->Start(false);
    EXPECT_TRUE(status.Finished);
    EXPECT_EQ(0, page.NewerOffered.load());
    EXPECT_EQ(CString(L"Failed to update firmware. Cannot update firmware"), English());
}

TEST_F(HidRoadStartTest, ARestoreHandsTheRestoreRecordToTheWriter)
{
    Ostrel();
    app.currentPage = PageFirmwareRestore;
    restoreStatus.PackagePath = folder / L"backup.img";
    driver->Start(false);
    ASSERT_EQ(1u, writers.size());
    EXPECT_EQ(&restoreStatus, &writers[0]->WriterUpdateStatus);
    EXPECT_EQ(PageFirmwareRestore, writers[0]->inputs.pageIndex);
    EXPECT_EQ(CString(L"On restoring firmware. Checking backup firmware"), English());
}

TEST_F(HidRoadStartTest, ThePackageWritersModelsAreRestartedFirst)
{
    // Discovery knows the 0x5910 headset only: a 0x6010 does not come back under its id.
    Load("hid.p.pid=0x6010\nhid.p.version=2.0.0.0.0\n");
    Recognized(0x6010, 2, 0);
    app.hidHandle1 = OpenHidDevice(0x6010);
    ASSERT_NE(nullptr, app.hidHandle1);
    driver->Start(false);
    EXPECT_TRUE(Journalled("hid p 0E 00"));
    EXPECT_EQ(std::vector<unsigned>{3000}, testSleeps);
    EXPECT_EQ(nullptr, app.hidHandle1);
    EXPECT_TRUE(writers.empty());
    EXPECT_EQ(CString(L"Failed to update firmware. Not the recognized device"), English());
    EXPECT_EQ(0, OpenHandles());
}

TEST_F(HidRoadStartTest, TheCombinedChipHeadsetIsPolledNotCompared)
{
    Load("hid.a.pid=0x5345\nhid.a.version=1.0.0.0.0\nhid.b.pid=0x5346\nhid.b.version=2.0.0.0.0\n");
    Recognized(0x5345, 9, 9);
    driver->Start(false);
    EXPECT_EQ(1u, writers.size());
    EXPECT_FALSE(status.Finished);
    CloseHidHandle(app.hidHandle1);
    CloseHidHandle(app.hidHandle2);
    writers.clear();

    Load("");
    driver->Start(false);
    EXPECT_TRUE(writers.empty());
    EXPECT_EQ(CString(L"Failed to update firmware. Not the recognized device[0]"), English());
}

TEST_F(HidRoadStartTest, TheRoadIntoUpdateModeWaitsUnderTheWaitCursor)
{
    // In update mode already: two settling waits, then the USB check.
    Load("");
    Recognized(0x6020, 1, 0);
    app.usbStatus = 0xE020;
    status.PackagePath = folder / L"nq3.dfu";
    driver->Start(false);
    EXPECT_EQ((std::vector<unsigned>{1000, 1000}), testSleeps);
    EXPECT_EQ((std::vector<bool>{true, false}), waitCursor);
    EXPECT_EQ(CString(L"Failed to update firmware. Not the recognized device[9][2]"), English());

    // In its normal firmware it must be found over HID first.
    testSleeps.clear();
    waitCursor.clear();
    app.usbStatus = 0x6020;
    driver->Start(false);
    EXPECT_EQ((std::vector<bool>{true, false}), waitCursor);
    EXPECT_EQ(0x6020, app.usbStatus);
    EXPECT_EQ(CString(L"Failed to update firmware. Not the recognized device"), English());
}

}  // namespace
