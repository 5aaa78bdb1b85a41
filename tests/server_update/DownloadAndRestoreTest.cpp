// The real program with the local firmware server: a newer firmware offered by
// the index, accepted, downloaded and flashed without another press; the same
// in the demonstration of scripts/run; and the restore of the archived
// version, flashed from the restore page, after which recognition writes the
// archived settings back.
#include "update_e2e/UpdateProgramFixture.h"

#include <algorithm>
#include <filesystem>

#include "app/HttpDownload.h"
#include "device/DeviceSettings.h"
#include "firmware/SettingsArchive.h"
#include "fixtures/server/TestServer.h"

namespace {

class ServerUpdateTest : public UpdateProgramTest {
protected:
    void SetUp() override
    {
        if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
    }
    static std::string FixtureBytes(const char* name)
    {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(DfuFixture(name), bytes));
        return bytes;
    }
    static void Serve(const char* name, const std::string& bytes)
    {
        ASSERT_TRUE(testserver::ServeFile(CString(L"malvobluetoothmanager/") + CString::FromUtf8(name), bytes));
    }
    // The headset after its update to 4.3, which the server offers nothing newer than.
    static std::string HeadsetAt43() { return Tkv8Headset("c", "dfu.c.ps.0x02A4=2B 00 00 00\n"); }
    // Its settings archive beside the program: firmware 4.2 with VOX Phone on.
    void ArchiveVersion42()
    {
        DeviceSettings archived;
        archived.SetDefaults(0x4D10, 4, 2);
        archived.ProductId = 0x4D10;
        archived.Firmware = {4, 2};
        archived.HandsfreeVOX = 1;
        archived.ArchiveTime = 1356994798;
        ASSERT_TRUE(EnsureFolder(program->Folder() + L"\\IMG"));
        ASSERT_TRUE(WriteWholeFile(ImgFile(L"TKV8.wqlnxarch"), SettingsArchiveText(archived).ToAnsi()));
    }
    // Welcome, then NEXT to recognition and NEXT again: recognition goes on to
    // the update page, whose offer gets YES (boxes on the way get OK); the
    // save dialog that follows, null when none came.
    HWND AcceptTheOffer()
    {
        HWND dialog = nullptr;
        if (PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING) && Press(IDC_NEXT))
            WaitFor([&] { return (dialog = FileDialog()) != nullptr; });
        return dialog;
    }
    // The same, the save dialog given the target.
    void AcceptTheOfferSavingTo(const CString& target)
    {
        const HWND dialog = AcceptTheOffer();
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        ASSERT_TRUE(TypeIntoFileDialog(dialog, target));
    }
};

TEST_F(ServerUpdateTest, AnAcceptedOfferIsDownloadedAndFlashedByItself)
{
    Serve("Firmware", "TKV8:v4.3:tkv8_4.3.img\n");
    Serve("tkv8_4.3.img", FixtureBytes("tkv8_4D10_4.3.dfu"));
    Start(Tkv8Headset(), testserver::HttpBase());
    const CString target = folder / L"tkv8_4.3.img";
    ASSERT_NO_FATAL_FAILURE(AcceptTheOfferSavingTo(target));

    // The download, then the update without another press.
    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully")) << "status: " << Status().c_str();
    EXPECT_FALSE(Journal("dfu version c 4.3.0.0").empty());
    std::string downloaded;
    EXPECT_TRUE(ReadWholeFile(target, downloaded));
    EXPECT_EQ(FixtureBytes("tkv8_4D10_4.3.dfu"), downloaded);
}

// The demonstration of scripts/run: its Ostrel at 1.2 takes the offered 1.3,
// is recognized with it, and is offered nothing more.
TEST_F(ServerUpdateTest, TheDemonstrationsUpdateEndsOnTheOfferedVersion)
{
    // The demonstration server's index and files, below a base of their own.
    const CString demoRoot = testserver::StateFolder() + L"\\root\\demo";
    struct Served {
        CString root;
        ~Served() { std::filesystem::remove_all(std::filesystem::path(root.str())); }
    } served{demoRoot};
    const std::string index = "Firmware";
    for (const std::string& name : {index, std::string("TorvikOstrel_v1.3_English.img"),
                                    std::string("TorvikOstrel_v1.3_French.img"),
                                    std::string("TorvikOstrel_v1.3_German.img")}) {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(
            L"Z:" + CString::FromUtf8(TORVIK_DEMO_SERVER_ROOT "/malvobluetoothmanager/" + name), bytes));
        ASSERT_TRUE(testserver::ServeFile(L"demo/malvobluetoothmanager/" + CString::FromUtf8(name), bytes));
    }
    std::string scenario;
    ASSERT_TRUE(ReadWholeFile(L"Z:" + CString::FromUtf8(TORVIK_SOURCE_DIR "/sim/scenarios/demo.txt"), scenario));
    Start(scenario + "\ntime.scale=0.01\n", testserver::HttpBase() + L"/demo");
    ASSERT_NO_FATAL_FAILURE(AcceptTheOfferSavingTo(folder / L"ostrel_1.3.img"));
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully")) << "status: " << Status().c_str();
    EXPECT_FALSE(Journal("hid-installs ostrel 1.3").empty());
    // The update page reads the index again: an offer now would hold it busy.
    EXPECT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT) && PageWith(IDC_FW_STEPS); }, false)) << "offered again";
    const std::wstring device = TextOf(::GetDlgItem(main, IDC_DEVICE_TEXT));
    EXPECT_NE(std::wstring::npos, device.find(L"1.3")) << device;
}

// A name that would not fit the system's path limit in the program's folder is
// a line without a file; the longest that fits is offered, saved under its own
// name in "IMG" and flashed.
TEST_F(ServerUpdateTest, TheLongestNameThatFitsIsDownloadedIntoTheProgramsFolder)
{
    Start(Tkv8Headset(), testserver::HttpBase());
    const CString img = program->Folder() + L"\\IMG\\";
    ASSERT_TRUE(EnsureFolder(img));
    // Room for the name and the ".part" of the download beside it.
    const int longest = MAX_PATH - 1 - img.GetLength() - 5;
    ASSERT_GT(longest, 20);
    const std::string fits = std::string(static_cast<size_t>(longest) - 4, 'f') + ".img";
    const std::string oneTooMany = "x" + fits;
    const std::string farTooLong = std::string(296, 'x') + ".img";
    Serve("Firmware", "TKV8:v4.3:" + farTooLong + "\nTKV8:v4.3:" + oneTooMany + "\nTKV8:v4.3:" + fits + "\n");
    Serve(fits.c_str(), FixtureBytes("tkv8_4D10_4.3.dfu"));

    const HWND dialog = AcceptTheOffer();
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, kFileNameBox)), CString::FromUtf8(fits).str());
    ASSERT_TRUE(PressIn(dialog, IDOK));

    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully")) << "status: " << Status().c_str();
    std::string downloaded;
    EXPECT_TRUE(ReadWholeFile(img + CString::FromUtf8(fits), downloaded));
    EXPECT_EQ(FixtureBytes("tkv8_4D10_4.3.dfu"), downloaded);
}

TEST_F(ServerUpdateTest, ARestoreFlashesTheArchivedVersionAndWritesTheArchivedSettingsBack)
{
    // The headset went to 4.3; its archive holds 4.2 with VOX Phone on.
    Serve("Revisions", "TKV8:v4.2:tkv8_4.2.img\n");
    Serve("tkv8_4.2.img", FixtureBytes("tkv8_4D10_4.2.dfu"));
    Start(HeadsetAt43(), testserver::HttpBase());
    ArchiveVersion42();

    GoToUpdatePage();
    ASSERT_TRUE(PressUntilPage(IDC_TAB_FIRMWARE_RESTORE, IDC_RESTORE_LIST)) << "no restore page";
    std::string archiveBefore;
    ASSERT_TRUE(ReadWholeFile(ImgFile(L"TKV8.wqlnxarch"), archiveBefore));
    ASSERT_TRUE(Press(IDC_ACTION)) << "RESTORE is not offered; status: " << Status().c_str();

    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(L"Firmware restored successfully")) << "status: " << Status().c_str();
    EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_RESTORE_LIST) != nullptr; })) << "the restore page is not shown again";
    EXPECT_FALSE(Journal("dfu version c 4.2.0.0").empty());
    // After the headset came back, recognition wrote the archived feature word (VOX Phone on).
    const std::vector<std::string> journal = Journal();
    const auto back = std::find(journal.begin(), journal.end(), "dfu back c");
    ASSERT_NE(back, journal.end());
    const auto feature = std::find_if(back, journal.end(), [](const std::string& l) { return l.rfind("ps-write c 028E ", 0) == 0; });
    ASSERT_NE(feature, journal.end());
    EXPECT_EQ(1, std::stoi(feature->substr(16, 2), nullptr, 16) & 1) << *feature;
    // The restore leaves the archive as it was.
    std::string archiveAfter;
    ASSERT_TRUE(ReadWholeFile(ImgFile(L"TKV8.wqlnxarch"), archiveAfter));
    EXPECT_EQ(archiveBefore, archiveAfter);
}

// The server sends the revisions index's headers and holds its body back:
// the window answers throughout the lookup, which then ends as usual.
TEST_F(ServerUpdateTest, TheWindowAnswersWhileTheServerHoldsTheRevisionsBack)
{
    // Long enough that a window frozen by the lookup is told from a busy machine.
    constexpr ULONGLONG kHoldMs = 12000;
    constexpr ULONGLONG kLongestSilenceMs = 6000;
    Serve("Revisions", "TKV8:v4.2:tkv8_4.2.img\n");
    const CString logPath = testserver::StateFolder() + L"\\log";
    const auto revisionsRequests = [&logPath] {
        std::string log;
        ReadWholeFile(logPath, log);
        size_t count = 0;
        for (size_t at = 0; (at = log.find("/Revisions HTTP", at)) != std::string::npos; ++at) ++count;
        return count;
    };
    const size_t requestsBefore = revisionsRequests();
    testserver::Gate gate(L"revisions_held");
    Start(HeadsetAt43(), testserver::HttpBase() + L"/with/pause_after=0&gate=revisions_held&only=Revisions");
    ArchiveVersion42();
    GoToUpdatePage();

    // From the press on, the window is asked again and again; the server
    // holds the index back for a while after the lookup's request came.
    ASSERT_TRUE(Press(IDC_TAB_FIRMWARE_RESTORE));
    const ULONGLONG pressed = ::GetTickCount64();
    ULONGLONG asked = 0, lastAnswer = pressed, longestSilence = 0;
    bool released = false;
    while (!(released && Enabled(IDC_ACTION)) && ::GetTickCount64() - pressed < kHoldMs + 2 * kStepMs) {
        const ULONGLONG now = ::GetTickCount64();
        if (!asked && revisionsRequests() > requestsBefore) asked = now;
        if (asked && !released && now - asked >= kHoldMs) {
            gate.Open();
            released = true;
        }
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) {
            longestSilence = std::max(longestSilence, ::GetTickCount64() - lastAnswer);
            lastAnswer = ::GetTickCount64();
        }
        ::Sleep(100);
    }
    ASSERT_NE(asked, 0u) << "the lookup did not ask the server";
    EXPECT_LT(longestSilence, kLongestSilenceMs) << "the window stopped answering during the lookup";
    EXPECT_NE(WaitForPage(IDC_RESTORE_LIST), nullptr) << "no restore page";
    EXPECT_TRUE(Enabled(IDC_ACTION)) << "RESTORE is not offered; status: " << Status().c_str();
    EXPECT_EQ(Status(), L"Press the [RESTORE] button");
}

}  // namespace
