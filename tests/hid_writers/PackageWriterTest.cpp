// The HID package writer (0x6010 to 0x6018, 0x5410 to 0x5416) against a
// simulated headset with two interfaces.
#include <tuple>

#include "hid_writers/WriterFixture.h"

namespace {

const char kHeadset[] =
    "hid.a.pid=0x6010\n"
    "hid.b.pid=0x6010\n";

struct Wait {
    unsigned ms;
    int state;
    bool restarting;
    bool operator==(const Wait&) const = default;
};

class PackageWriterTest : public WriterFixture {
protected:
    void Start(const std::string& extra = "")
    {
        Load(kHeadset + extra);
        OpenMain("a", 0x6010, "b", 0x6010);
        main.targetProductId = 0x6010;
        onSleep = [this](unsigned ms) { waits.push_back({ms, status.State, status.DeviceRestarting}); };
    }

    // Targets 0, 2 and 1: a first image that asks for the finish command, one
    // of exactly one report and one just over it.
    std::vector<BuiltImage> ThreeImages() const
    {
        return {{0, 1, PatternBytes(1, 5000)}, {2, 3, PatternBytes(2, 1019)}, {1, 4, PatternBytes(3, 1020)}};
    }

    std::vector<Wait> waits;
};

TEST_F(PackageWriterTest, SendsEachImageToItsInterfaceThenPollsAndFinishes)
{
    Start();
    const std::vector<BuiltImage> images = ThreeImages();
    UsePackage(BuildPackage(0x6010, images));
    Run(HidPackageWriteThread);

    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*5", "a 07", "a 05", "a 06*1", "a 07", "b 05",
                                                    "b 06*2", "b 07", "a 0D", "a 08"}));
    EXPECT_EQ(JournalOf("image "), (std::vector<std::string>{ImageLine("a", 1, images[0].bytes),
                                                             ImageLine("a", 3, images[1].bytes),
                                                             ImageLine("b", 4, images[2].bytes)}));
    // 1019 bytes go in one report, 1020 in two: lengths 0x03FB, then 0x03FB and 0x0001.
    EXPECT_EQ(JournalOf("hid a 06").back().substr(0, 16), "hid a 06 03 03FB");
    const std::vector<std::string> second = JournalOf("hid b 06");
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].substr(0, 16), "hid b 06 03 03FB");
    EXPECT_EQ(second[1].substr(0, 16), "hid b 06 00 0001");

    // The archive was written once the package was checked; the only wait is
    // the headset's restart, after the finish took the restarting flag down.
    EXPECT_EQ(archiveWrites, 1);
    EXPECT_EQ(archiveState, UpdateStatePackageVerified);
    EXPECT_EQ(requestsBeforeArchive, 0);
    EXPECT_EQ(waits, (std::vector<Wait>{{65000, UpdateStateWriting, false}}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_TRUE(status.DeviceRestarting);
    EXPECT_FALSE(status.Finished);
    EXPECT_EQ(status.Error, UpdateErrorNone);
    EXPECT_EQ(timerRequests, 1);
    EXPECT_EQ(page.NewerOffered, 1);
    EXPECT_EQ(page.DfuStepActive, 1);
    EXPECT_EQ(std::wstring(EnglishText()), L"On updating firmware.");
    // The writer neither closed nor opened the main window's handles.
    EXPECT_EQ(OpenHandles(), 2);
}

TEST_F(PackageWriterTest, RunsOnAThreadOfItsOwn)
{
    Start();
    UsePackage(BuildPackage(0x6010, ThreeImages()));
    EXPECT_EQ(StartWriterThread(nullptr), nullptr);
    main.targetProductId = 0x4D10;  // flashed by the DFU library, not by a writer
    EXPECT_EQ(StartWriterThread(MakeContext()), nullptr);
    main.targetProductId = 0x6010;
    HANDLE thread = StartWriterThread(MakeContext());
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(::WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    ::CloseHandle(thread);
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
}

TEST_F(PackageWriterTest, PollsUntilTheHeadsetIsReady)
{
    Start("hid.a.ready=3\n");
    UsePackage(BuildPackage(0x6010, {{0, 1, PatternBytes(1, 10)}}));
    Run(HidPackageWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*1", "a 07", "a 0D", "a 0D", "a 0D", "a 0D", "a 08"}));
    EXPECT_EQ(waits, (std::vector<Wait>{{500, UpdateStateWriting, true},
                                        {500, UpdateStateWriting, true},
                                        {500, UpdateStateWriting, true},
                                        {65000, UpdateStateWriting, false}}));
}

TEST_F(PackageWriterTest, WithoutATargetZeroImageNoFinishIsSentYetTheWaitsRun)
{
    Start();
    UsePackage(BuildPackage(0x6010, {{2, 1, PatternBytes(1, 100)}, {2, 2, PatternBytes(2, 0)}}));
    Run(HidPackageWriteThread);
    // An image of no bytes is begun and ended without a data report.
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*1", "a 07", "a 05", "a 07", "a 0D"}));
    EXPECT_EQ(waits, (std::vector<Wait>{{65000, UpdateStateWriting, true}}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
}

// A package of no image, or of empty images only, would flash nothing and end
// as a success: every writer refuses it once it is read, with the tag of its
// road, before anything goes to the headset.
TEST_F(PackageWriterTest, EveryWriterRefusesAPackageWithoutImageBytes)
{
    const std::vector<BuiltImage> packages[] = {{}, {{0, 1, {}}, {1, 2, {}}, {2, 3, {}}}};
    const struct {
        int product;
        WriterProcedure writer;
        const wchar_t* english;
    } rows[] = {
        {0x6010, HidPackageWriteThread, L"Failed to restore firmware. Firmware corrupted"},
        {0x5910, HidAndDriveWriteThread, L"Failed to restore firmware. Firmware corrupted"},
        {0x4310, DualHidWriteThread, L"Failed to restore firmware. Firmware corrupted"},
        {0x4210, RevisionCheckedHidWriteThread, L"Failed to restore firmware. Firmware corrupted"},
        {0x3110, TwoStageHidWriteThread, L"Failed to restore firmware. Firmware corrupted"},
        {0x5345, CombinedChipWriteThread, L"Failed to restore firmware. Firmware corrupted[7]"},
    };
    for (const auto& row : rows) {
        for (const std::vector<BuiltImage>& images : packages) {
            SCOPED_TRACE(testing::Message() << std::hex << row.product << ", images " << images.size());
            Again();
            timerRequests = 0;
            page.NewerOffered = 1;
            StartPair(row.product);
            main.currentPage = PageFirmwareRestore;
            UsePackage(BuildPackage(row.product, images));
            Run(row.writer);
            ExpectFailure(row.english);
            EXPECT_EQ(status.State, UpdateStatePackageRead);
            for (const std::string& request : Requests()) EXPECT_EQ(request.find(" 05"), std::string::npos) << request;
        }
    }
}

TEST_F(PackageWriterTest, ARestoreKeepsTheArchiveAndReportsAsARestore)
{
    Start("hid.a.fail.7=1\n");
    main.currentPage = PageFirmwareRestore;
    UsePackage(BuildPackage(0x6010, ThreeImages()));
    Run(HidPackageWriteThread);
    EXPECT_EQ(archiveWrites, 0);
    ExpectFailure(L"Failed to restore firmware. Firmware corrupted[9][2]");
}

TEST_F(PackageWriterTest, AFailedArchiveWaitsForTheUsersOkThenGoesOn)
{
    Start();
    archiveResult = 0;
    int userPolls = 0;
    onSleep = [&](unsigned ms) {
        waits.push_back({ms, status.State, main.waitForUser});
        if (ms == 1000 && ++userPolls == 3) main.waitForUser = false;  // the prompt's OK
    };
    UsePackage(BuildPackage(0x6010, ThreeImages()));
    Run(HidPackageWriteThread);
    EXPECT_EQ(waits, (std::vector<Wait>{{5000, UpdateStateWaitingForUser, true},
                                        {1000, UpdateStateWaitingForUser, true},
                                        {1000, UpdateStateWaitingForUser, true},
                                        {1000, UpdateStateWaitingForUser, true},
                                        {65000, UpdateStateWriting, false}}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(PackageWriterTest, TheStatusTextsComeInEveryLanguage)
{
    Start("hid.a.fail.8=1\n");
    UsePackage(BuildPackage(0x6010, ThreeImages()));
    Run(HidPackageWriteThread);
    EXPECT_EQ(std::wstring(Text(LanguageGerman)),
              std::wstring(StatusFailureText(PageFirmwareUpdate, 0, LanguageGerman) + L". " +
                           TextFirmwareCorrupted(LanguageGerman) + L"[9][3]"));
    for (int language = 0; language < LanguageCount; ++language) EXPECT_FALSE(Text(language).IsEmpty()) << language;
}

// Every step that can fail, with the status it leaves.
struct StepFailure {
    const char* scenario;
    std::vector<BuiltImage> images;
    const wchar_t* english;
    int state;
};

class PackageWriterFailure : public PackageWriterTest, public testing::WithParamInterface<StepFailure> {};

TEST_P(PackageWriterFailure, EndsTheRunWithItsText)
{
    const StepFailure& row = GetParam();
    Start(row.scenario);
    UsePackage(BuildPackage(0x6010, row.images));
    Run(HidPackageWriteThread);
    ExpectFailure(row.english);
    EXPECT_EQ(status.State, row.state);
    // Nothing waits past its bound: the poll of a headset that is gone gives up
    // after the readiness limit (60 s in these tests).
    EXPECT_LE(slept, 61000u);
    EXPECT_EQ(OpenHandles(), 2);
}

const std::vector<BuiltImage> kImages = {{0, 1, PatternBytes(1, 3000)}, {1, 2, PatternBytes(2, 20)}};
const std::vector<BuiltImage> kOneImage = {{0, 1, PatternBytes(1, 3000)}};

INSTANTIATE_TEST_SUITE_P(
    Steps, PackageWriterFailure,
    testing::Values(
        StepFailure{"hid.a.fail.5=1", kImages, L"Failed to update firmware. Firmware corrupted", UpdateStateWriting},
        StepFailure{"hid.b.fail.5=1", kImages, L"Failed to update firmware. Firmware corrupted", UpdateStateWriting},
        StepFailure{"hid.a.writefail.6=2", kImages, L"Failed to update firmware. Firmware corrupted[9][0]",
                    UpdateStateWriting},
        StepFailure{"hid.a.fail.6=3", kImages, L"Failed to update firmware. Firmware corrupted[9][1]",
                    UpdateStateWriting},
        StepFailure{"hid.b.fail.7=1", kImages, L"Failed to update firmware. Firmware corrupted[9][2]",
                    UpdateStateWriting},
        StepFailure{"hid.a.fail.8=1", kImages, L"Failed to update firmware. Firmware corrupted[9][3]",
                    UpdateStateWriting},
        StepFailure{"hid.a.ready=never", kImages, L"Failed to update firmware. Cannot get status[9][4]",
                    UpdateStateWriting},
        // Unplugged after the first data report: the next one cannot be written.
        StepFailure{"hid.a.on.6=leave", kImages, L"Failed to update firmware. Firmware corrupted[9][0]",
                    UpdateStateWriting},
        // Unplugged after the last image: the readiness poll gives up.
        StepFailure{"hid.a.on.7=leave", kOneImage, L"Failed to update firmware. Cannot get status[9][4]",
                    UpdateStateWriting},
        // A headset that stays busy.
        StepFailure{"hid.a.busy.5=forever", kImages, L"Failed to update firmware. Firmware corrupted",
                    UpdateStateWriting}));

// Packages refused before anything goes to the headset.
struct PackageCase {
    const char* name;
    std::function<std::vector<uint8_t>()> bytes;
};

class PackageWriterRefusal : public PackageWriterTest, public testing::WithParamInterface<PackageCase> {};

TEST_P(PackageWriterRefusal, SendsNothing)
{
    Start();
    const std::vector<uint8_t> bytes = GetParam().bytes();
    if (!bytes.empty()) UsePackage(bytes);
    else status.PackagePath = folder / L"missing.img";
    Run(HidPackageWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted");
    EXPECT_TRUE(JournalOf("hid ").empty());
    EXPECT_LE(status.State, UpdateStatePackageRead);
    EXPECT_EQ(archiveWrites, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, PackageWriterRefusal,
    testing::Values(PackageCase{"missing", [] { return std::vector<uint8_t>(); }},
                    PackageCase{"35bytes", [] { return std::vector<uint8_t>(35, 0); }},
                    PackageCase{"otherproduct",
                                [] { return BuildPackage(0x6012, {{0, 1, PatternBytes(1, 10)}}); }},
                    PackageCase{"productzero", [] { return BuildPackage(0, {{0, 1, PatternBytes(1, 10)}}); }},
                    PackageCase{"flippedbyte",
                                [] {
                                    std::vector<uint8_t> bytes =
                                        BuildPackage(0x6010, {{0, 1, PatternBytes(1, 10)}, {1, 1, PatternBytes(2, 10)}});
                                    bytes.back() ^= 0x01;
                                    return bytes;
                                }},
                    PackageCase{"imagepastend",
                                [] {
                                    std::vector<uint8_t> bytes = BuildPackage(0x6010, {{0, 1, PatternBytes(1, 10)}});
                                    bytes.pop_back();
                                    return bytes;
                                }}),
    [](const testing::TestParamInfo<PackageCase>& info) { return std::string(info.param.name); });

}  // namespace
