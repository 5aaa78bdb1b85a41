// The real program updates a simulated BlueCore headset from the update page:
// the settings archive, the prompts, the progress on the frame, the return of
// the headset and the recognition that reads the new version; files that are
// not for the headset, a headset in update mode, the second attempt and the
// failures of the library's steps, each ending with the program idle.
#include "update_e2e/UpdateProgramFixture.h"

#include <algorithm>

#include "app/Texts.h"
#include "device/ProductCatalogue.h"

namespace {

constexpr wchar_t kUpdated[] = L"Firmware updated successfully";

class BlueCoreUpdateTest : public UpdateProgramTest {};

TEST_F(BlueCoreUpdateTest, FromVersion42To43WithPromptsArchiveAndRecognition)
{
    // In real time, so that the chip waits for its key as long as the rider
    // takes: it holds the key prompt, then the download half way, until the
    // test has seen them.
    const std::string chip = "time.scale=1\ndfu.c.download.ms=1000\ndfu.c.restart.ms=300\n";
    const std::string held = chip + "dfu.c.download.hold=50\n";
    Start(Tkv8Headset("c", held + "dfu.c.keypress=forever\n"));
    GoToUpdatePage();
    UpdateWith(DfuFixture("tkv8_4D10_4.3.dfu"));

    // The key prompt: no buttons, the text for this headset.
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (prompt = Box()) != nullptr; }, false)) << "no key prompt";
    EXPECT_EQ(std::wstring(TextHoldKey(LanguageEnglish, 0x4D10)), TextOf(::GetDlgItem(prompt, IDC_MESSAGE_TEXT)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(prompt, IDOK)));
    // Meanwhile the status line says the firmware is being updated: the
    // backup notice went with the archive's writing.
    EXPECT_TRUE(WaitFor([&] { return Status() == L"On updating firmware."; }, false))
        << "status: " << Status().c_str();
    // The archive was written before anything went to the headset.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"TKV8.wqlnxarch")));
    EXPECT_FALSE(Enabled(IDC_NEXT)) << "the frame refuses while the update runs";

    // The key is pressed: the bar moves into the writing while the download holds.
    WriteScenario(Tkv8Headset("c", held));
    EXPECT_TRUE(WaitFor([&] { return Percent() >= 15; }, false)) << "percent: " << Percent();
    EXPECT_FALSE(Enabled(IDC_NEXT)) << "the frame refuses while the update runs";
    WriteScenario(Tkv8Headset("c", chip));

    // The pairing advice, then the automatic recognition reads the new version.
    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "no pairing advice";
    ASSERT_TRUE(WaitForStatus(kUpdated)) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT) && PageWith(IDC_FW_STEPS); }));
    EXPECT_FALSE(Journal("dfu version c 4.3.0.0").empty());
    const std::wstring device = TextOf(::GetDlgItem(main, IDC_DEVICE_TEXT));
    EXPECT_NE(std::wstring::npos, device.find(L"4.3")) << device;
    // The preparation wrote before the flash; the recognition afterwards writes nothing.
    const std::vector<std::string> journal = Journal();
    const auto back = std::find(journal.begin(), journal.end(), "dfu back c");
    ASSERT_NE(back, journal.end());
    EXPECT_TRUE(std::none_of(back, journal.end(), [](const std::string& l) { return l.rfind("ps-write", 0) == 0; }));
    EXPECT_EQ(1, static_cast<int>(Journal("ps-write c 00EF").size()));
}

}  // namespace

namespace {

TEST_F(BlueCoreUpdateTest, FilesNotForTheHeadsetLeaveItsSettingsUntouched)
{
    Start(Tkv8Headset());
    GoToUpdatePage();
    const std::wstring model = GetModelName(0x4D10, 0).str();
    struct Case {
        const char* file;
        std::wstring status;
    };
    const Case cases[] = {
        {"wpr6t_5020_wrong.dfu", L"Failed to update firmware. Firmware not for " + model + L"[9][6]"},
        {"tkv8_4D10_corrupt.dfu", L"Failed to update firmware. Firmware corrupted[9][5]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        UpdateWith(DfuFixture(c.file));
        ASSERT_TRUE(WaitForStatus(c.status)) << "status: " << Status().c_str();
        ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT); })) << "the program stays busy";
        EXPECT_TRUE(PageWith(IDC_FW_STEPS));
    }
    EXPECT_TRUE(Journal("ps-write").empty());
    EXPECT_TRUE(Journal("dfu reconfigure").empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"TKV8.wqlnxarch")));
}

TEST_F(BlueCoreUpdateTest, AHeadsetInUpdateModeIsFlashedWithoutBackup)
{
    Start(Tkv8Headset("h", "dfu.h.pid=0xCD10\ndfu.h.mode=update\n"));
    GoToUpdatePage();
    UpdateWith(DfuFixture("tkv8_4D10_4.3.dfu"));
    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(kUpdated)) << "status: " << Status().c_str();
    EXPECT_FALSE(Journal("dfu version h 4.3.0.0").empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ImgFile(L"TKV8.wqlnxarch")));
    // Back in its normal firmware, recognized as such.
    EXPECT_NE(std::wstring::npos, TextOf(::GetDlgItem(main, IDC_DEVICE_TEXT)).find(L"4.3"));
}

TEST_F(BlueCoreUpdateTest, TheCheckFailingWithCode7Or28IsTriedOnceMore)
{
    for (const char* code : {"7", "28"}) {
        SCOPED_TRACE(code);
        const std::string id = std::string("x") + code;
        Start(Tkv8Headset(id, "dfu." + id + ".fail.check=" + code + "\ndfu." + id + ".fail.check.times=1\n"));
        GoToUpdatePage();
        UpdateWith(DfuFixture("tkv8_4D10_4.3.dfu"));
        EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
        ASSERT_TRUE(WaitForStatus(kUpdated)) << "status: " << Status().c_str();
        EXPECT_EQ(2u, Journal("dfu check " + id).size());
        EXPECT_EQ(program->CloseAndWait(main, kStepMs), 0);
        main = nullptr;
    }
}

// One run: each case is a new headset, recognized again from the recognition page.
TEST_F(BlueCoreUpdateTest, EveryFailureEndsTheUpdateAndLeavesTheProgramFree)
{
    struct Case {
        const char* fault;
        std::wstring status;
    };
    const Case cases[] = {
        {"fail.reconfigure=34", L"Failed to update firmware. Cannot update firmware"},
        {"fail.check=30", L"Failed to update firmware. Cannot update firmware"},
        {"fail.download=30", L"Failed to update firmware. Cannot update firmware"},
        {"hang=download", L"Failed to update firmware. Cannot update firmware"},
        {"fail.manifest=33", L"Failed to update firmware. Cannot update firmware"},
        {"return=never", L"Failed to update firmware. Cannot get device"},
    };
    Start("");
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::string id = "f" + std::to_string(++n);
        WriteScenario(Tkv8Headset(id, "dfu." + id + "." + c.fault + "\n"));
        if (!PageWith(IDC_RECOGNITION_WARNING)) { ASSERT_TRUE(PressUntilPage(IDC_BACK, IDC_RECOGNITION_WARNING)); }
        GoToUpdatePageFromRecognition();
        UpdateWith(DfuFixture("tkv8_4D10_4.3.dfu"));
        ASSERT_TRUE(WaitForStatus(c.status, 60000)) << "status: " << Status().c_str();
        ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT) && !Box(); })) << "the program stays busy";
        EXPECT_NE(100, Percent());
        EXPECT_TRUE(Journal("dfu version " + id).empty() || std::string(c.fault) == "return=never");
    }
}

}  // namespace
