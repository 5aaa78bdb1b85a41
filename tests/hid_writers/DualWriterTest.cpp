// The writers of both HID interfaces (0x4310 to 0x4510) and of 0x4210 with
// its hardware-revision rule.
#include "device/DeviceSettings.h"
#include "hid_writers/WriterFixture.h"

namespace {

class DualWriterTest : public WriterFixture {
protected:
    void Start(int product, const std::string& extra = "") { StartPair(product, extra); }
};

TEST_F(DualWriterTest, FinishesOnEachInterfaceThatTookAFinishingImage)
{
    Start(0x4310);
    const std::vector<BuiltImage> images = {{1, 7, PatternBytes(1, 2000)}, {0, 8, PatternBytes(2, 30)}};
    UsePackage(BuildPackage(0x4310, images));
    Run(DualHidWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"b 05", "b 06*2", "b 07", "a 05", "a 06*1", "a 07", "a 08", "b 08"}));
    EXPECT_EQ(JournalOf("image "),
              (std::vector<std::string>{ImageLine("b", 7, images[0].bytes), ImageLine("a", 8, images[1].bytes)}));
    // No readiness poll, no restarting flag, five seconds after state 9.
    EXPECT_EQ(sleeps, (std::vector<unsigned>{5000}));
    EXPECT_FALSE(status.DeviceRestarting);
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
    EXPECT_EQ(archiveWrites, 1);
}

TEST_F(DualWriterTest, OnlyFirstInterfaceImagesWithoutFinishStillHandOver)
{
    Start(0x4510);
    UsePackage(BuildPackage(0x4510, {{2, 1, PatternBytes(1, 10)}, {2, 2, PatternBytes(2, 10)}}));
    Run(DualHidWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"a 05", "a 06*1", "a 07", "a 05", "a 06*1", "a 07"}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
}

TEST_F(DualWriterTest, FlashesWithoutAProductCheck)
{
    Start(0x4410);
    UsePackage(BuildPackage(0x6010, {{0, 1, PatternBytes(1, 10)}}));
    Run(DualHidWriteThread);
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(DualWriterTest, AFailedFinishOnTheSecondInterfaceIsAFailure)
{
    Start(0x4330, "hid.b.fail.8=1\n");
    UsePackage(BuildPackage(0x4330, {{0, 1, PatternBytes(1, 10)}, {1, 1, PatternBytes(2, 10)}}));
    Run(DualHidWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted");
    EXPECT_EQ(status.State, UpdateStateWriting);
}

// 0x4210: the revision in item 5 and the version in the package's name.
struct RevisionCase {
    const char* revisionItem;  // scenario line of item 5, or empty for a headset that does not answer
    const wchar_t* fileName;
    bool refused;
};

class RevisionGate : public DualWriterTest, public testing::WithParamInterface<RevisionCase> {};

TEST_P(RevisionGate, RefusesOldPackagesOnTwoRevisionsOnly)
{
    const RevisionCase& row = GetParam();
    Start(0x4210, row.revisionItem);
    UsePackage(BuildPackage(0x4210, {{0, 1, PatternBytes(1, 10)}}), row.fileName);
    Run(RevisionCheckedHidWriteThread);
    // The revision is asked first, twice when the first exchange fails.
    const std::vector<std::string> requests = Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0], "a 03");
    if (row.refused) {
        EXPECT_EQ(std::wstring(EnglishText()),
                  L"Firmware version is not supported by the V40 NX. Update to the latest version of V40 NX "
                  L"firmware..[0]");
        EXPECT_TRUE(status.Finished);
        EXPECT_EQ(page.NewerOffered, 0);
        EXPECT_EQ(requests.size(), 1u);
        EXPECT_EQ(archiveWrites, 0);
    } else {
        EXPECT_FALSE(status.Finished);
        EXPECT_EQ(status.State, UpdateStateRestarting);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Revisions, RevisionGate,
    testing::Values(RevisionCase{"hid.a.item.5=16\n", L"name_v1.7.4.img", true},
                    RevisionCase{"hid.a.item.5=27\n", L"V40_v1.7.4-a1.img", true},
                    RevisionCase{"hid.a.item.5=16\n", L"name_v1.7.5.img", false},
                    RevisionCase{"hid.a.item.5=17\n", L"name_v1.7.4.img", false},
                    RevisionCase{"hid.a.item.5=16\n", L"name_v2.img", false},
                    RevisionCase{"hid.a.status.3.5=2\n", L"name_v1.0.0.img", false}));

TEST_F(DualWriterTest, TheRevisionQueryIsAskedTwiceBeforeItCountsAsZero)
{
    Start(0x4210, "hid.a.status.3.5=2\n");
    UsePackage(BuildPackage(0x4210, {{0, 1, PatternBytes(1, 10)}}));
    Run(RevisionCheckedHidWriteThread);
    const std::vector<std::string> requests = Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[0], "a 03");
    EXPECT_EQ(requests[1], "a 03");
}

TEST_F(DualWriterTest, The4210WriterTakesItsThreeProductIds)
{
    const struct {
        uint32_t product;
        bool accepted;
    } rows[] = {{0, true}, {0x4210, true}, {0x4220, true}, {0x4310, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.product);
        Again();
        Start(0x4210);
        UsePackage(BuildPackage(row.product, {{0, 1, PatternBytes(1, 10)}}));
        Run(RevisionCheckedHidWriteThread);
        EXPECT_EQ(status.State, row.accepted ? UpdateStateRestarting : UpdateStatePackageRead);
    }
}

TEST(PackageNameVersion, ReadsTheVersionAfterTheLastV)
{
    const struct {
        const wchar_t* path;
        bool dotted;
        int major, minor, build;
    } rows[] = {
        {L"C:\\fw\\V40_v1.7.4-a1.img", true, 1, 7, 4},
        {L"name_v1.7.5.img", true, 1, 7, 5},
        {L"name_v2.img", false, 0, 0, 0},
        {L"name_v2.1.img", true, 2, 1, 0},
        {L"name_v3.x.9_b.img", true, 3, 0, 9},
        {L"D:\\a.b\\v40_v1.10.2.img", true, 1, 10, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
        int version[3] = {-1, -1, -1};
        EXPECT_EQ(PackageNameVersion(row.path, &version[0], &version[1], &version[2]), row.dotted);
        if (row.dotted) {
            EXPECT_EQ(version[0], row.major);
            EXPECT_EQ(version[1], row.minor);
            EXPECT_EQ(version[2], row.build);
        }
    }
}

}  // namespace
