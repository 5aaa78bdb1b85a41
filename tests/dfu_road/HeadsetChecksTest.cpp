// The DFU road's checks of the headset: the device filter, the persistent-
// store identity, the preparation writes and the start of the reconfigure.
#include "dfu_road/RoadFixture.h"

#include "firmware/DfuRoad.h"
#include "support/DfuFixtures.h"

namespace {

// A 0x4D10 chip at firmware 4.3 (key 0x02A4 byte 0 = 43).
const char kTkv8[] = "dfu.1.pid=0x4D10\ndfu.1.ps.0x02A3=words:0x4D10\ndfu.1.ps.0x02A4=2B 00 00 00\n";

TEST(DfuDeviceFilter, AcceptsTheMakersKnownIdsInEitherMode)
{
    struct Case {
        const wchar_t* path;
        int productId;
    };
    const Case cases[] = {
        {L"\\\\?\\USB#VID_3E1F&PID_4D10#SIM1#{a5dcbf10}", 0x4D10},
        {L"\\\\?\\usb#vid_3e1f&pid_cd10#sim1", 0xCD10},
        {L"\\\\?\\USB#VID_3E1F&PID_5061#X", 0x5061},
        {L"\\\\?\\USB#VID_3E1F&PID_D061#X", 0xD061},
        {L"\\\\?\\USB#VID_3E1F&PID_0001#X", 0x0001},
        {L"\\\\?\\USB#VID_3E1F&PID_FFFF#X", 0xFFFF},
        {L"\\\\?\\USB#VID_0A12&PID_0001#X", -1},   // the chip vendor's own id
        {L"\\\\?\\USB#VID_3E1F&PID_5910#X", -1},   // a HID model
        {L"\\\\?\\USB#VID_3E1F&PID_6021#X", -1},   // the 0x6020 road's update mode is not listed
        {L"VID_3E1F&PID_4D10", -1},                // the path must not begin with the vendor
        {L"\\\\?\\USB#VID_3E1F#X", -1},
        {L"", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(AcceptedDfuProductId(c.path), c.productId) << CString(c.path).ToUtf8();
}

class HeadsetChecksTest : public RoadFixture {};

TEST_F(HeadsetChecksTest, IdentityCheckByProductAndVersion)
{
    struct Case {
        const char* name;
        std::string chips;
        int productId;  // recorded
        VersionGroup firmware;
        const wchar_t* tag;  // null: passes
    };
    const Case cases[] = {
        {"same headset", kTkv8, 0x4D10, {4, 3}, nullptr},
        {"other product", kTkv8, 0x4D30, {4, 3}, L"[9][3]"},
        {"other version", kTkv8, 0x4D10, {4, 2}, L"[9][4]"},
        {"other secondary version", "dfu.1.pid=0x4D10\ndfu.1.ps.0x02A3=words:0x4D10\ndfu.1.ps.0x02A4=2B 00 05 01\n",
         0x4D10, {4, 3}, L"[9][4]"},
        {"unreadable product id counts as 0x4D10", "dfu.1.pid=0x4D10\ndfu.1.ps.0x02A4=2B 00 00 00\n", 0x4D10, {4, 3},
         nullptr},
        {"unreadable product id is not 0x4D30", "dfu.1.pid=0x4D30\ndfu.1.ps.0x02A4=2B 00 00 00\n", 0x4D30, {4, 3},
         L"[9][3]"},
        {"older version key", "dfu.1.pid=0x4D10\ndfu.1.ps.0x02A3=words:0x4D10\ndfu.1.ps.0x02A4=00 00 00 00\n"
                              "dfu.1.ps.0x0293=1E 00 00 00\n",
         0x4D10, {3, 0}, nullptr},
        {"default version", "dfu.1.pid=0x4D30\ndfu.1.ps.0x02A3=words:0x4D30\n", 0x4D30, {4, 2}, nullptr},
        {"camera without its version key", "dfu.1.pid=0x3020\ndfu.1.ps.0x02A3=words:0x3020\n", 0x3020, {1, 0, 1, 0},
         nullptr},
        {"camera byte order", "dfu.1.pid=0x3020\ndfu.1.ps.0x02A3=words:0x3020\ndfu.1.ps.0x02A4=04 03 01 02\n", 0x3020,
         {2, 1, 3, 4}, nullptr},
        {"update mode is passed over", "dfu.1.pid=0xCD30\ndfu.1.mode=update\ndfu.1.ps.0x02A3=words:0x4D30\n", 0x4D10,
         {4, 3}, nullptr},
        {"generic id is passed over", "dfu.1.pid=0xFFFF\ndfu.1.ps.0x02A3=words:0x4D30\n", 0x4D10, {4, 3}, nullptr},
        {"other vendors are passed over", "dfu.1.vid=0x0A12\ndfu.1.pid=0x4D10\ndfu.1.ps.0x02A3=words:0x4D30\n",
         0x4D10, {4, 3}, nullptr},
        {"no chip", "", 0x4D10, {4, 3}, nullptr},
        {"second chip differs", std::string(kTkv8) + "dfu.2.pid=0x4D30\ndfu.2.ps.0x02A3=words:0x4D30\n", 0x4D10,
         {4, 3}, L"[9][3]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.chips);
        Recognized(c.productId, c.firmware.Major, c.firmware.Minor, c.firmware.SecondaryType,
                   c.firmware.SecondaryVersion);
        DfuRoadResult result = CheckDfuIdentity(app.deviceSettings);
        if (!c.tag) {
            EXPECT_TRUE(result.Passed());
        } else {
            EXPECT_EQ(result.outcome, DfuRoadOutcome::NotRecognizedDevice);
            EXPECT_EQ(result.tag, CString(c.tag));
            EXPECT_EQ(result.error, UpdateErrorWrongDevice);
            EXPECT_EQ(result.Detail(LanguageGerman), TextNotRecognizedDevice(LanguageGerman));
        }
        EXPECT_TRUE(KeyWrites().empty());  // the check writes nothing
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
    }
}

TEST_F(HeadsetChecksTest, PreparationWritesByTargetAndVersion)
{
    const std::string mask = "FF FE 8F 7E 98 FF 59 83";
    struct Case {
        const char* name;
        int productId;
        int major, minor;
        std::string extra;  // scenario lines added to the chip's
        std::vector<std::string> writes;
        int refused;
    };
    const Case cases[] = {
        {"0x4D30 at 3.2", 0x4D30, 3, 2, "",
         {"ps-write 1 02A4 00 00 00 00", "ps-write 1 0298 00 00", "ps-write 1 0299 00 00", "ps-write 1 00EF " + mask},
         0},
        {"0x4D30 at 3.3", 0x4D30, 3, 3, "",
         {"ps-write 1 0298 00 00", "ps-write 1 0299 00 00", "ps-write 1 00EF " + mask}, 0},
        {"0x4D35", 0x4D35, 1, 2, "", {"ps-write 1 00EF " + mask}, 0},
        {"0x5210", 0x5210, 1, 0, "", {}, 0},
        {"0x5310", 0x5310, 1, 0, "", {}, 0},
        {"0x3010", 0x3010, 1, 0, "", {}, 0},
        {"0x4111", 0x4111, 1, 0, "", {}, 0},
        {"refused mask", 0x4D35, 1, 2, "dfu.1.refused=0x00EF\n", {"ps-refused 1 00EF " + mask}, 1},
        {"another headset", 0x4D35, 1, 2, "dfu.2.pid=0x4D35\ndfu.2.ps.0x02A3=words:0x4D35\ndfu.2.ps.0x02A4=0D\n",
         {"ps-write 1 00EF " + mask}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char chip[160];
        std::snprintf(chip, sizeof(chip),
                      "dfu.1.pid=0x%04X\ndfu.1.ps.0x02A3=words:0x%04X\ndfu.1.ps.0x02A4=%02X 00 00 00\n", c.productId,
                      c.productId, c.major * 10 + c.minor);
        Load(chip + c.extra);
        Recognized(c.productId, c.major, c.minor);
        ASSERT_TRUE(CheckDfuIdentity(app.deviceSettings).Passed() || !c.extra.empty());
        EXPECT_EQ(WriteDfuPreparation(c.productId, app.deviceSettings), c.refused);
        EXPECT_EQ(KeyWrites(), c.writes);
    }
}

TEST_F(HeadsetChecksTest, StartDfuReconfigureGivesTheEnginesTheirDevices)
{
    const std::string pair = "dfu.a.pid=0x5310\ndfu.b.pid=0x5310\n";
    struct Case {
        const char* name;
        std::string chips;
        int target;
        const char* file;
        DfuRoadOutcome outcome;
        const wchar_t* tag;
        bool primaryOpen, secondaryOpen;
    };
    const Case cases[] = {
        {"one headset", kTkv8, 0x4D10, "tkv8_4D10_4.3.dfu", DfuRoadOutcome::Passed, L"", true, false},
        {"a headset in update mode", "dfu.1.pid=0xCD10\ndfu.1.mode=update\n", 0x4D10, "tkv8_4D10_4.3.dfu",
         DfuRoadOutcome::Passed, L"", true, false},
        {"the pair", pair, 0x5310, "gzm6_5310.dfu", DfuRoadOutcome::Passed, L"", true, true},
        {"no device", "", 0x4D10, "tkv8_4D10_4.3.dfu", DfuRoadOutcome::CannotGetDevice, L"[8][2]", false, false},
        {"two headsets", std::string(kTkv8) + "dfu.2.pid=0xCD10\n", 0x4D10, "tkv8_4D10_4.3.dfu",
         DfuRoadOutcome::UsbNotMatch, L"(2)", true, true},
        {"half the pair", "dfu.a.pid=0x5310\n", 0x5310, "gzm6_5310.dfu", DfuRoadOutcome::UsbNotMatch, L"(1)", true,
         false},
        {"another vendor's chip", "dfu.1.vid=0x0A12\ndfu.1.pid=0x0001\n", 0x4D10, "tkv8_4D10_4.3.dfu",
         DfuRoadOutcome::UsbNotMatch, L"(0)", false, false},
        {"reconfigure refused", std::string(kTkv8) + "dfu.1.refuse=reconfigure\n", 0x4D10, "tkv8_4D10_4.3.dfu",
         DfuRoadOutcome::CannotGetDevice, L"[8][3]", true, false},
        {"corrupt file", kTkv8, 0x4D10, "tkv8_4D10_corrupt.dfu", DfuRoadOutcome::CannotGetDevice, L"[8][3]", true,
         false},
        // The 0x6020 road lists its headset, but the update-mode id is not one
        // the filter knows.
        {"0x6020 road", "dfu.1.pid=0x6021\n", 0x6020, "tkv8_4D10_4.3.dfu", DfuRoadOutcome::UsbNotMatch, L"(0)", false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.chips);
        ClearSleeps();
        status.PackagePath = DfuFixture(c.file);
        DfuRecorder recorder;
        DfuEngines engines;
        DfuRoadResult result = StartDfuReconfigure(engines, &recorder, c.target, status);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.tag, CString(c.tag));
        EXPECT_EQ(result.error, result.Passed() ? UpdateErrorNone : UpdateErrorFailed);
        EXPECT_EQ(engines.DfuPhase, result.Passed() ? 1 : 0);
        EXPECT_EQ(engines.PrimaryEngineOpen, c.primaryOpen);
        EXPECT_EQ(engines.SecondaryEngineOpen, c.secondaryOpen);
        EXPECT_EQ(Sleeps(), std::vector<unsigned>{3000});
        if (result.Passed()) {
            DfuEvent done;
            EXPECT_TRUE(recorder.WaitDone(&done));  // the reconfigure reports to the callback
            EXPECT_EQ(done.operation, DFUEngine::Status::OperationReconfigure);
            EXPECT_EQ(done.code, 0);
        }
        engines.PrimaryEngine.Destroy();
        engines.SecondaryEngine.Destroy();
    }
}

TEST_F(HeadsetChecksTest, HeadsetRestartedIntoUpdateModeIsWaitedForTenMinutesAtMost)
{
    status.PackagePath = DfuFixture("tkv8_4D10_4.3.dfu");
    DfuEngines engines;
    DfuRoadResult result = StartDfuReconfigure(engines, nullptr, 0x6022, status);
    EXPECT_EQ(result.outcome, DfuRoadOutcome::CannotGetDevice);
    EXPECT_EQ(result.tag, CString(L"[8][0]"));
    EXPECT_EQ(result.Detail(LanguageEnglish), CString(L"Cannot get device"));
    std::vector<unsigned> expected(1, 3000);
    expected.insert(expected.end(), 600, 1000);
    EXPECT_EQ(Sleeps(), expected);
}

}  // namespace
