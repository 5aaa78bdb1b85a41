// The DFU road's decisions: whether a firmware file is for the headset,
// whether the server's version is offered, and whether the headset is back.
#include "dfu_road/RoadFixture.h"

#include "firmware/DfuRoad.h"
#include "support/DfuFixtures.h"

namespace {

// A 0x5060 chip whose address's lower part is the given six digits (key 1
// holds them as bytes 0, 3, 2).
std::string Wpr6Chip(const char* lap)
{
    std::string digits(lap);
    return "dfu.1.pid=0x5060\ndfu.1.ps.0x02A3=words:0x5060\ndfu.1.ps.0x0001=" + digits.substr(0, 2) + " 00 " +
           digits.substr(4, 2) + " " + digits.substr(2, 2) + " 00 00 00 00\n";
}

class FileOfferReturnTest : public RoadFixture {};

TEST_F(FileOfferReturnTest, ImageIdentityByModelAndSibling)
{
    struct Case {
        int productId;  // recorded
        int target;
        const char* file;
        bool forDevice;
    };
    const Case cases[] = {
        {0x4D10, 0x4D10, "tkv8_4D10_4.3.dfu", true},
        {0x4D10, 0x4D10, "tkv8_4D10_padded.dfu", true},
        {0x4D10, 0x4D10, "tkv8_4D10_short.dfu", false},   // 1647 bytes
        {0x4D10, 0x4D10, "tkv8_4D10_longer.dfu", false},  // "TKV8#4D10X"
        {0x4D10, 0x4D10, "tkv8_4D10_lower.dfu", false},   // the comparison is exact
        {0x4D10, 0x4D10, "tkv8_4D30_sibling.dfu", true},
        {0x4D30, 0x4D30, "tkv8_4D10_4.3.dfu", false},     // a sibling's own file is not the base model's
        {0x4D10, 0x4D10, "tkv8_blank.dfu", true},         // no identity: a TKV8 takes it
        {0x5010, 0x5010, "tkv8_blank.dfu", false},
        {0x4D10, 0x4D10, "wpr6t_5020_wrong.dfu", false},
        {0x5010, 0x5010, "wpr6_5010.dfu", true},
        {0x5010, 0x5010, "wpr6_5061.dfu", true},
        {0x5010, 0x5010, "wpr6_5060.dfu", true},
        {0x5060, 0x5060, "wpr6_5060.dfu", true},
        {0x5060, 0x5060, "wpr6_5061.dfu", true},
        {0x5060, 0x5060, "wpr6_5010.dfu", false},
        {0x4D65, 0x4D45, "tkv3fm_4D45.dfu", true},        // the tag takes the target's id
        {0x4D65, 0x4D45, "tkv3fm_4D15.dfu", true},
        {0x4D65, 0x4D45, "tkv3fm_4D65.dfu", false},
        {0x4D10, 0x4D10, "no_such_file.dfu", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Recognized(c.productId, 4, 3);
        app.targetProductId = c.target;
        status.PackagePath = DfuFixture(c.file);
        EXPECT_EQ(IsImageForDevice(app, status), c.forDevice) << std::hex << c.productId;
    }
    EXPECT_TRUE(KeyWrites().empty());
}

TEST_F(FileOfferReturnTest, BatchUnitOf0x5060BecomesA0x5011WithItsFile)
{
    // "Thunder Audio WP": the display name cut to 32 bytes of UTF-16.
    const std::string name =
        "54 00 68 00 75 00 6E 00 64 00 65 00 72 00 20 00 41 00 75 00 64 00 69 00 6F 00 20 00 57 00 50 00";
    struct Case {
        const char* name;
        std::string chips;
        const char* file;
        bool forDevice;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"lowest address of the batch", Wpr6Chip("3323F1"), "tmwpr6_5011.dfu", true,
         {"ps-write 1 02A3 11 50", "ps-write 1 02BF 11 50", "ps-write 1 02CB 11 D0", "ps-write 1 02C2 " + name}},
        {"highest address of the batch", Wpr6Chip("333584"), "tmwpr6_5011.dfu", true,
         {"ps-write 1 02A3 11 50", "ps-write 1 02BF 11 50", "ps-write 1 02CB 11 D0", "ps-write 1 02C2 " + name}},
        {"outside the batch", Wpr6Chip("333585"), "tmwpr6_5011.dfu", false, {}},
        {"batch unit with its own file", Wpr6Chip("3323F1"), "wpr6_5060.dfu", true, {}},
        {"address unreadable", Wpr6Chip("3323F1") + "dfu.1.unreadable=1\n", "tmwpr6_5011.dfu", false, {}},
        {"not connected", Wpr6Chip("3323F1") + "dfu.1.mode=update\n", "tmwpr6_5011.dfu", false, {}},
        {"name refused", Wpr6Chip("3323F1") + "dfu.1.refused=0x02C2\n", "tmwpr6_5011.dfu", false,
         {"ps-write 1 02A3 11 50", "ps-write 1 02BF 11 50", "ps-write 1 02CB 11 D0", "ps-refused 1 02C2 " + name}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.chips);
        Recognized(0x5060, 4, 3);
        status.PackagePath = DfuFixture(c.file);
        EXPECT_EQ(IsImageForDevice(app, status), c.forDevice);
        EXPECT_EQ(KeyWrites(), c.writes);
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
    }
}

TEST_F(FileOfferReturnTest, NewerFirmwareOfferedByTheModelsRules)
{
    struct Case {
        const char* name;
        int target;
        VersionGroup recorded;
        VersionGroup offered;
        std::string chips;
        bool offer;
    };
    const Case cases[] = {
        {"type 1 is offered the same version", 0x4D10, {2, 1, 1, 0}, {2, 1, 0, 0}, "", 1},
        {"type 1, older offered", 0x4D10, {2, 1, 1, 0}, {2, 0, 0, 0}, "", 0},
        {"later secondary version", 0x4D10, {2, 1, 0, 3}, {2, 1, 0, 4}, "", 1},
        {"same secondary version", 0x4D10, {2, 1, 0, 3}, {2, 1, 0, 3}, "", 0},
        {"newer minor", 0x4D10, {2, 1, 0, 9}, {2, 2, 0, 0}, "", 1},
        {"newer major", 0x4D10, {2, 9, 0, 0}, {3, 0, 0, 0}, "", 1},
        {"older", 0x4D10, {2, 1, 0, 0}, {1, 9, 0, 9}, "", 0},
        {"0x3110 type 5, no secondary offered", 0x3110, {1, 0, 5, 0}, {1, 0, 0, 0}, "", 0},
        {"0x3110 type 5, any secondary offered", 0x3110, {1, 0, 5, 7}, {1, 0, 0, 1}, "", 1},
        {"0x3110 type 2", 0x3110, {1, 0, 2, 2}, {1, 0, 0, 3}, "", 1},
        {"0x3110 type 1", 0x3110, {1, 0, 1, 0}, {1, 0, 0, 0}, "", 1},
        {"camera, same", 0x3020, {2, 1, 3, 4}, {2, 1, 3, 4}, "", 0},
        {"camera, newer", 0x3020, {2, 1, 3, 4}, {3, 0, 3, 4}, "", 1},
        {"0x5060 out of reach", 0x5060, {4, 2, 0, 0}, {4, 3, 0, 0}, "", 0},
        {"0x5060 of the batch, older offered", 0x5060, {4, 2, 0, 0}, {1, 1, 0, 0}, Wpr6Chip("333000"), 1},
        {"0x5060 outside the batch, newer", 0x5060, {4, 2, 0, 0}, {4, 3, 0, 0}, Wpr6Chip("111111"), 1},
        {"0x5060 outside the batch, older", 0x5060, {4, 2, 0, 0}, {1, 1, 0, 0}, Wpr6Chip("111111"), 0},
        {"0x5060 address unreadable", 0x5060, {4, 2, 0, 0}, {4, 3, 0, 0},
         Wpr6Chip("333000") + "dfu.1.unreadable=1\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.chips);
        Recognized(c.target, c.recorded.Major, c.recorded.Minor, c.recorded.SecondaryType, c.recorded.SecondaryVersion);
        status.OfferedMajor = c.offered.Major;
        status.OfferedMinor = c.offered.Minor;
        status.OfferedSecondaryType = c.offered.SecondaryType;
        status.OfferedSecondaryVersion = c.offered.SecondaryVersion;
        EXPECT_EQ(IsNewerFirmwareOffered(app, status), c.offer);
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);
    }
}

TEST_F(FileOfferReturnTest, DeviceBackByModelFamily)
{
    struct Case {
        const char* name;
        int target;
        int phase;
        std::string devices;
        bool back;
    };
    const Case cases[] = {
        {"library model back", 0x4D10, 1, "usb.1=USB\\VID_3E1F&PID_4D10\n", 1},
        {"library model still in update mode", 0x4D10, 1, "usb.1=USB\\VID_3E1F&PID_CD10\n", 0},
        {"library model gone", 0x4D10, 1, "", 0},
        {"other makers do not count", 0x4D10, 1, "usb.1=USB\\VID_046D&PID_4D10\n", 0},
        {"pair, first unit back", 0x5310, 1, "usb.1=USB\\VID_3E1F&PID_5310\nusb.2=USB\\VID_3E1F&PID_D310\n", 1},
        {"pair, phase 0 counts as 1", 0x5310, 0, "usb.1=USB\\VID_3E1F&PID_5310\nusb.2=USB\\VID_3E1F&PID_D310\n", 1},
        {"pair, second unit not back", 0x5310, 2, "usb.1=USB\\VID_3E1F&PID_5310\nusb.2=USB\\VID_3E1F&PID_D310\n", 0},
        {"pair, second unit back", 0x5310, 2, "usb.1=USB\\VID_3E1F&PID_5310\nusb.2=USB\\VID_3E1F&PID_5310\n", 1},
        {"pair, one unit only", 0x5310, 1, "usb.1=USB\\VID_3E1F&PID_5310\n", 0},
        {"camera's chip back", 0x3020, 1, "usb.1=USB\\VID_3E1F&PID_3020\n", 1},
        {"HID model back", 0x5510, 1, "hid.h.pid=0x5910\n", 1},
        {"HID model gone", 0x5510, 1, "", 0},
        {"HID model does not show on USB", 0x5510, 1, "usb.1=USB\\VID_3E1F&PID_4D10\n", 0},
        {"combined chip gone", 0x5345, 1, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.devices);
        app.targetProductId = c.target;
        EXPECT_EQ(IsDeviceBack(app, c.phase), c.back);
        if (c.target == 0x5510) {
            EXPECT_EQ(app.hidHandle1 != nullptr, c.back);
        }
        EXPECT_EQ(app.hidHandle2, nullptr);
        CloseHidHandle(app.hidHandle1);
    }
}

TEST_F(FileOfferReturnTest, ChipFlashedByTheEngineIsBackOnceItReturns)
{
    Load("dfu.1.pid=0x4D10\ndfu.1.usb=1\ndfu.1.restart.ms=5000\n");
    app.targetProductId = 0x4D10;
    EXPECT_TRUE(IsDeviceBack(app, 1));
    DfuRecorder recorder;
    DFUEngine engine;
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    engine.SetCallback(&recorder);
    const CString file = DfuFixture("tkv8_4D10_4.3.dfu");
    DfuEvent done;
    ASSERT_TRUE(engine.StartReconfigure(false, true, file.str().c_str()) && recorder.WaitDone(&done));
    EXPECT_FALSE(IsDeviceBack(app, 1));  // in update mode
    ASSERT_TRUE(engine.StartDownload(file.str().c_str()) && recorder.WaitDone(&done));
    ASSERT_TRUE(engine.StartDownload(file.str().c_str()) && recorder.WaitDone(&done));
    // The sleep hook lets the engine run without waiting, so the clock only
    // moves with the waits: the chip is away until they pass 5 s.
    ASSERT_TRUE(engine.StartManifest() && recorder.WaitDone(&done));
    EXPECT_EQ(done.code, 0);
    EXPECT_FALSE(IsDeviceBack(app, 1));
    Clock::Sleep(5000);
    EXPECT_TRUE(IsDeviceBack(app, 1));
}

}  // namespace
