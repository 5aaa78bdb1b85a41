// The real program with the local firmware server: a newer firmware offered by
// the index, accepted, downloaded and flashed without another press; and the
// restore of the archived version, flashed from the restore page, after which
// recognition writes the archived settings back.
#include "UpdateProgramFixture.h"

#include <algorithm>

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
    // The system's save dialog: its file name box.
    HWND SaveDialogNameBox()
    {
        HWND found = program->FindProcessWindow([this](HWND hwnd) {
            return hwnd != main && (::GetDlgItem(hwnd, 0x480) || ::GetDlgItem(hwnd, 0x47C));
        });
        if (!found) return nullptr;
        HWND box = ::GetDlgItem(found, 0x480);
        return box ? box : ::GetDlgItem(found, 0x47C);
    }
};

TEST_F(ServerUpdateTest, AnAcceptedOfferIsDownloadedAndFlashedByItself)
{
    Serve("Firmware", "TKV8:v4.3:tkv8_4.3.img\n");
    Serve("tkv8_4.3.img", FixtureBytes("tkv8_4D10_4.3.dfu"));
    Start(Tkv8Headset(), testserver::HttpBase());
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    // Recognition goes on to the update page, whose index offers 4.3: YES.
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
    HWND nameBox = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (nameBox = SaveDialogNameBox()) != nullptr; })) << "no save dialog";
    const CString target = folder / L"tkv8_4.3.img";
    ::SendMessageTimeoutW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(target)),
                          SMTO_NORMAL, 5000, nullptr);
    ::PostMessageW(::GetParent(nameBox), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    // The download, then the update without another press.
    EXPECT_TRUE(AnswerBoxSaying(L"It is strongly recommended")) << "status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully")) << "status: " << Status().c_str();
    EXPECT_FALSE(Journal("dfu version c 4.3.0.0").empty());
    std::string downloaded;
    EXPECT_TRUE(ReadWholeFile(target, downloaded));
    EXPECT_EQ(FixtureBytes("tkv8_4D10_4.3.dfu"), downloaded);
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

    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
    HWND nameBox = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (nameBox = SaveDialogNameBox()) != nullptr; })) << "no save dialog";
    EXPECT_EQ(TextOf(nameBox), CString::FromUtf8(fits).str());
    ::PostMessageW(::GetParent(nameBox), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

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
    Start(Tkv8Headset("c", "dfu.c.ps.0x02A4=2B 00 00 00\n"), testserver::HttpBase());
    DeviceSettings archived;
    archived.SetDefaults(0x4D10, 4, 2);
    archived.ProductId = 0x4D10;
    archived.Firmware = {4, 2};
    archived.HandsfreeVOX = 1;
    archived.ArchiveTime = 1356994798;
    ASSERT_TRUE(EnsureFolder(program->Folder() + L"\\IMG"));
    ASSERT_TRUE(WriteWholeFile(ImgFile(L"TKV8.wqlnxarch"), SettingsArchiveText(archived).ToAnsi()));

    GoToUpdatePage();
    ASSERT_TRUE(PressUntilPage(IDC_TAB_FIRMWARE_RESTORE, IDC_RESTORE_LIST)) << "no restore page";
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_ACTION); })) << "RESTORE is not offered; status: " << Status().c_str();
    std::string archiveBefore;
    ASSERT_TRUE(ReadWholeFile(ImgFile(L"TKV8.wqlnxarch"), archiveBefore));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_CLICKED), 0);

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

}  // namespace
