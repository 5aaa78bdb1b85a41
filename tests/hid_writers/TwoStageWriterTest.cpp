// The two-stage writer of 0x3110: the first stage over the headset's HID
// interface, the second on its function 0x3120 in CRC-checked blocks.
#include "device/Crc16.h"
#include "hid_writers/WriterFixture.h"

namespace {

// The headset restarts after its first stage; its second function starts on
// command 0x50 and goes away after its own finish.
const char kHeadset[] =
    "hid.ctl.pid=0x3110\n"
    "hid.ctl.on.8=leave for 20000\n"
    "hid.s2.pid=0x3120\n"
    "hid.s2.appears=ctl 0x50\n"
    "hid.s2.on.8=leave\n"
    "hid.s2.version=1.0.2.1\n";

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

class TwoStageWriterTest : public WriterFixture {
protected:
    void Start(const std::string& extra = "", size_t stageTwoBytes = 116)
    {
        Load(kHeadset + extra);
        OpenMain("ctl", 0x3110);
        main.targetProductId = 0x3110;
        main.language = LanguageGerman;
        stageTwo = PatternBytes(9, stageTwoBytes);
        // The second image's target would send it to the second interface
        // elsewhere; here the whole first stage goes to the first.
        UsePackage(BuildPackage(0x3110, {{0, 1, PatternBytes(1, 2000)}, {1, 2, PatternBytes(2, 100)}, {2, 3, stageTwo}}));
    }

    std::vector<uint8_t> stageTwo;
};

TEST(Crc16, KnownVectors)
{
    const uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc16Xmodem(check, 9), 0x31C3);
    EXPECT_EQ(Crc16Xmodem(check, 0), 0);
    EXPECT_EQ(Crc16Xmodem(check, -1), 0);
    const uint8_t ones[] = {0xFF, 0xFF};
    EXPECT_EQ(Crc16Xmodem(ones, 2), 0x1D0F);
    // Chained over blocks, the CRC is that of the whole.
    const std::vector<uint8_t> bytes = PatternBytes(3, 1000);
    uint16_t chained = 0;
    for (size_t at = 0; at < bytes.size(); at += 58)
        chained = Crc16XmodemUpdate(chained, bytes.data() + at, static_cast<int>(std::min<size_t>(58, bytes.size() - at)));
    EXPECT_EQ(chained, Crc16Xmodem(bytes.data(), 1000));
    EXPECT_EQ(Crc16XmodemUpdate(0x1234, bytes.data(), -5), 0x1234);
}

TEST_F(TwoStageWriterTest, FlashesBothStagesAndSetsTheVoicePromptLanguage)
{
    Start();
    Run(TwoStageHidWriteThread);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"ctl 05", "ctl 06*2", "ctl 07", "ctl 05", "ctl 06*1", "ctl 07",
                                                    "ctl 08", "ctl 50", "s2 01", "s2 05", "s2 06*1", "s2 5A",
                                                    "s2 06*1", "s2 5A", "s2 5B", "s2 07", "ctl 52", "s2 08", "ctl 50",
                                                    "ctl 59"}));
    // Two blocks of 58 bytes, each checked by its CRC low byte first, then the whole.
    const uint16_t first = Crc16Xmodem(stageTwo.data(), 58);
    const uint16_t second = Crc16Xmodem(stageTwo.data() + 58, 58);
    EXPECT_EQ(JournalOf("hid s2 5A"),
              (std::vector<std::string>{"hid s2 5A 00 0002 " + Hex4(first), "hid s2 5A 00 0002 " + Hex4(second)}));
    EXPECT_EQ(JournalOf("hid s2 5B"),
              (std::vector<std::string>{"hid s2 5B 00 0002 " + Hex4(Crc16Xmodem(stageTwo.data(), 116))}));
    EXPECT_EQ(JournalOf("image s2"), (std::vector<std::string>{ImageLine("s2", 0, stageTwo)}));
    // German is voice-prompt language 4.
    EXPECT_EQ(JournalOf("hid ctl 59"), (std::vector<std::string>{"hid ctl 59 04"}));
    EXPECT_EQ(sleeps, (std::vector<unsigned>{65000, 6000, 65000, 8000}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
    EXPECT_EQ(timerRequests, 1);
    EXPECT_FALSE(status.Finished);
    // Only the main window's handle is left open.
    EXPECT_EQ(OpenHandles(), 1);
}

TEST_F(TwoStageWriterTest, OlderHeadsetsGetPlainBlocks)
{
    const struct {
        const char* scenario;
    } rows[] = {{"hid.s2.version=1.0.0.9\n"}, {"hid.s2.version=1.0.1.9\n"}, {"hid.s2.fail.1=1\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scenario);
        Again();
        Start(row.scenario, 59);
        Run(TwoStageHidWriteThread);
        const std::vector<std::string> requests = Requests();
        const std::vector<std::string> expected = {"s2 05", "s2 06*2", "s2 07"};
        EXPECT_NE(std::search(requests.begin(), requests.end(), expected.begin(), expected.end()), requests.end());
        EXPECT_EQ(JournalOf("hid s2 06")[0].substr(0, 17), "hid s2 06 00 003A");
        EXPECT_EQ(JournalOf("hid s2 06")[1].substr(0, 17), "hid s2 06 00 0001");
        EXPECT_TRUE(JournalOf("hid s2 5A").empty());
        EXPECT_TRUE(JournalOf("hid s2 5B").empty());
        EXPECT_EQ(JournalOf("image s2"), (std::vector<std::string>{ImageLine("s2", 0, stageTwo)}));
        EXPECT_EQ(status.State, UpdateStateRestarting);
    }
}

TEST_F(TwoStageWriterTest, ARefusedBlockIsSentAgain)
{
    Start("hid.s2.fail.0x5A=2\n");
    Run(TwoStageHidWriteThread);
    EXPECT_EQ(JournalOf("hid s2 06").size(), 3u);
    EXPECT_EQ(JournalOf("image s2"), (std::vector<std::string>{ImageLine("s2", 0, stageTwo)}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(TwoStageWriterTest, TheImageIsSentWholeAgainAfterEachRefusedImageCheckUpToFiveTimes)
{
    Start("hid.s2.fail.0x5B=1,2,3,4,5\n");
    Run(TwoStageHidWriteThread);
    EXPECT_EQ(JournalOf("hid s2 5B").size(), 6u);
    EXPECT_EQ(JournalOf("hid s2 06").size(), 12u);
    EXPECT_EQ(JournalOf("image s2"), (std::vector<std::string>{ImageLine("s2", 0, stageTwo)}));
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

TEST_F(TwoStageWriterTest, APackageOfTwoImagesIsRefusedAndAFourthIsIgnored)
{
    Load(kHeadset);
    OpenMain("ctl", 0x3110);
    main.targetProductId = 0x3110;
    UsePackage(BuildPackage(0x3110, {{0, 1, PatternBytes(1, 20)}, {0, 2, PatternBytes(2, 20)}}));
    Run(TwoStageHidWriteThread);
    ExpectFailure(L"Failed to update firmware. Firmware corrupted");
    EXPECT_TRUE(JournalOf("hid ").empty());

    Again();
    Start();
    UsePackage(BuildPackage(0x3110, {{0, 1, PatternBytes(1, 20)}, {0, 2, PatternBytes(2, 20)},
                                     {0, 3, PatternBytes(3, 20)}, {0, 4, PatternBytes(4, 20)}}));
    Run(TwoStageHidWriteThread);
    EXPECT_EQ(JournalOf("image ").size(), 3u);
    EXPECT_EQ(status.State, UpdateStateRestarting);
}

struct StageFailure {
    const char* scenario;
    const wchar_t* english;
};

class TwoStageFailure : public TwoStageWriterTest, public testing::WithParamInterface<StageFailure> {};

TEST_P(TwoStageFailure, EndsWithItsTagAndClosesItsHandles)
{
    Start(GetParam().scenario);
    Run(TwoStageHidWriteThread);
    ExpectFailure(GetParam().english);
    EXPECT_EQ(OpenHandles(), 1);
    EXPECT_LE(slept, 2 * 65000u + 200 * 1000u + 14000u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, TwoStageFailure,
    testing::Values(
        StageFailure{"hid.ctl.fail.5=1\n", L"Failed to update firmware. Firmware corrupted[0]"},
        StageFailure{"hid.ctl.writefail.6=1\n", L"Failed to update firmware. Firmware corrupted[1]"},
        StageFailure{"hid.ctl.fail.6=2\n", L"Failed to update firmware. Firmware corrupted[2]"},
        StageFailure{"hid.ctl.fail.7=2\n", L"Failed to update firmware. Firmware corrupted[3]"},
        StageFailure{"hid.ctl.fail.8=1\n", L"Failed to update firmware. Firmware corrupted[4]"},
        StageFailure{"hid.ctl.on.8=leave\n", L"Failed to update firmware. Firmware corrupted[5]"},
        StageFailure{"hid.ctl.fail.0x50=1\n", L"Failed to update firmware. Firmware corrupted[6]"},
        StageFailure{"hid.s2.appears=ctl 0x51\n", L"Failed to update firmware. Firmware corrupted[7]"},
        StageFailure{"hid.s2.fail.5=1\n", L"Failed to update firmware. Firmware corrupted[8]"},
        StageFailure{"hid.s2.version=1.0.0.0\nhid.s2.writefail.6=2\n",
                     L"Failed to update firmware. Firmware corrupted[9][1]"},
        StageFailure{"hid.s2.version=1.0.0.0\nhid.s2.fail.6=2\n",
                     L"Failed to update firmware. Firmware corrupted[10][1]"},
        StageFailure{"hid.s2.writefail.6=2\n", L"Failed to update firmware. Firmware corrupted[9][2]"},
        StageFailure{"hid.s2.fail.6=2\n", L"Failed to update firmware. Firmware corrupted[10][2]"},
        StageFailure{"hid.s2.fail.0x5B=all\n", L"Failed to update firmware. Firmware corrupted[10][3]"},
        StageFailure{"hid.s2.fail.0x5A=all\n", L"Failed to update firmware. Firmware corrupted[10][4]"},
        StageFailure{"hid.s2.fail.7=1\n", L"Failed to update firmware. Firmware corrupted[11]"},
        StageFailure{"hid.s2.fail.8=1\n", L"Failed to update firmware. Firmware corrupted[12]"},
        StageFailure{"hid.ctl.fail.0x50=2\n", L"Failed to update firmware. Firmware corrupted[13]"},
        // The second function comes back under another identity.
        StageFailure{"hid.s2.on.8=pid 0x3121\n", L"Failed to update firmware. Firmware corrupted[14]"}));

}  // namespace
