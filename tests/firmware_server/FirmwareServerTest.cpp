// The firmware server as the firmware pages reach it: the paths below the base
// address, the index fetch, and the download of a firmware file into the place
// the user chose, against the local server.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "firmware/FirmwareServer.h"
#include "fixtures/server/TestServer.h"
#include "framework/Dialog.h"
#include "framework/File.h"
#include "support/TempFolder.h"

namespace {

using Outcome = FirmwareFileDownload::Outcome;

// The server base address for the test, restored afterwards.
class ServerBase {
public:
    explicit ServerBase(const CString& base) { ::SetEnvironmentVariableW(L"TORVIK_SERVER", base); }
    ~ServerBase() { ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr); }
};

std::string FileBytes(const wchar_t* path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

// Waits (bounded) for the download to end and takes its outcome.
Outcome Finish(FirmwareFileDownload& download)
{
    Outcome outcome = Outcome::Running;
    const ULONGLONG deadline = ::GetTickCount64() + 30000;
    while ((outcome = download.TakeOutcome()) == Outcome::Running && ::GetTickCount64() < deadline) ::Sleep(10);
    return outcome;
}

TEST(FirmwareServer, FilesOfTheUpdateBaseFolder)
{
    ServerBase base(L"http://127.0.0.1:8080/");
    EXPECT_EQ(FirmwareIndexUrl(), L"http://127.0.0.1:8080/malvobluetoothmanager/Firmware");
    EXPECT_EQ(RevisionsIndexUrl(), L"http://127.0.0.1:8080/malvobluetoothmanager/Revisions");
    EXPECT_EQ(FirmwareFileUrl(L"TKV8_v4.3.img"), L"http://127.0.0.1:8080/malvobluetoothmanager/TKV8_v4.3.img");
    // Names that would leave the folder are never fetched.
    for (const wchar_t* name : {L"", L"..", L"../Firmware", L"a/b.img", L"a\\b.img", L"C:fw.img", L"x..img"}) {
        EXPECT_TRUE(FirmwareFileUrl(name).IsEmpty()) << CString(name).ToUtf8();
    }
}

TEST(FirmwareServer, IndexIsTakenOnlyWhenItCameWhole)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(testserver::ServeFile(L"idx/Firmware", std::string("TKV8:v4.3:a.img\n\0rest", 22)));
    ASSERT_TRUE(testserver::ServeFile(L"idx/Empty", ""));
    const struct {
        const wchar_t* path;
        bool fetched;
        const wchar_t* text;
    } cases[] = {
        {L"/idx/Firmware", true, L"TKV8:v4.3:a.img\n"},  // up to the first NUL
        {L"/idx/Missing", false, L""},                    // 404
        {L"/idx/Firmware?status=500", false, L""},         // an error answer with a body
        {L"/idx/Empty", false, L""},
        {L"/idx/Firmware?drop=5", false, L""},             // broken off
    };
    for (const auto& c : cases) {
        CString text;
        EXPECT_EQ(FetchServerIndex(testserver::HttpBase() + c.path, text), c.fetched) << CString(c.path).ToUtf8();
        EXPECT_EQ(text, c.text) << CString(c.path).ToUtf8();
    }
    CString text;
    EXPECT_FALSE(FetchServerIndex(L"http://127.0.0.1:9/malvobluetoothmanager/Firmware", text));
}

TEST(FirmwareFileDownload, WholeFileReplacesTheTargetOnlyWhenItArrived)
{
    REQUIRE_TEST_SERVER();
    ServerBase base(testserver::HttpBase());
    TempFolder folder(L"fwdownload");
    std::string package(300000, '\0');
    for (size_t i = 0; i < package.size(); ++i) package[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/TKV8_v4.3.img", package));
    const CString target = folder / L"fw.img";
    ASSERT_TRUE(WriteWholeFile(target, std::string("the file that was there")));

    const struct {
        const char* name;
        const wchar_t* file;
        const char* served;  // how the server answers for the file
        Outcome outcome;
    } failures[] = {
        {"not on the server", L"Absent.img", "", Outcome::CannotConnect},
        {"an error answer", L"Error.img", "status=503", Outcome::CannotConnect},
        {"broken off", L"Broken.img", "size=200000&drop=50000", Outcome::CannotConnect},
        {"an empty body", L"Empty.img", "size=0", Outcome::CannotConnect},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.name);
        if (*c.served) {
            ASSERT_TRUE(testserver::ServeFile(CString(L"malvobluetoothmanager/") + c.file + L".with", c.served));
        }
        FirmwareFileDownload download;
        ASSERT_TRUE(download.Start(c.file, target));
        EXPECT_EQ(Finish(download), c.outcome);
        EXPECT_EQ(FileBytes(target), "the file that was there");
        EXPECT_FALSE(CFile::Exists(target + L".part"));
    }

    FirmwareFileDownload download;
    ASSERT_TRUE(download.Start(L"TKV8_v4.3.img", target));
    EXPECT_FALSE(download.Start(L"TKV8_v4.3.img", target));  // one at a time
    EXPECT_EQ(Finish(download), Outcome::Downloaded);
    EXPECT_EQ(FileBytes(target), package);
    EXPECT_FALSE(CFile::Exists(target + L".part"));
    EXPECT_EQ(download.TakeOutcome(), Outcome::Running);  // taken once
}

TEST(FirmwareFileDownload, RefusedBeforeItStarts)
{
    REQUIRE_TEST_SERVER();
    ServerBase base(testserver::HttpBase());
    TempFolder folder(L"fwdownload");
    FirmwareFileDownload download;
    EXPECT_FALSE(download.Start(L"../Firmware", folder / L"a.img"));
    EXPECT_FALSE(download.Start(L"", folder / L"a.img"));
    EXPECT_FALSE(download.Start(L"a.img", L""));
    EXPECT_FALSE(download.Running());

    // A folder that does not exist: the file cannot be created.
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Small.img", "small"));
    ASSERT_TRUE(download.Start(L"Small.img", folder / L"missing\\a.img"));
    EXPECT_EQ(Finish(download), Outcome::CannotOpenFile);
    // The server cannot be reached.
    ServerBase nowhere(L"http://127.0.0.1:9");
    ASSERT_TRUE(download.Start(L"a.img", folder / L"b.img"));
    EXPECT_EQ(Finish(download), Outcome::CannotConnect);
    EXPECT_FALSE(CFile::Exists(folder / L"b.img"));
}

TEST(FirmwareFileDownload, ProgressFollowsTheBytesAgainstTheFixedTotal)
{
    REQUIRE_TEST_SERVER();
    ServerBase base(testserver::HttpBase());
    TempFolder folder(L"fwdownload");
    const int before = 102 * 1024 * 11;  // about one percent of the fixed total
    FirmwareFileDownload download;
    EXPECT_EQ(download.Percent(), -1);
    testserver::Gate gate(L"fwserver");
    ASSERT_TRUE(testserver::ServeFile(
        L"malvobluetoothmanager/Gated.img.with",
        "size=" + std::to_string(before + 500) + "&pause_after=" + std::to_string(before) + "&gate=fwserver"));
    ASSERT_TRUE(download.Start(L"Gated.img", folder / L"p.img"));
    const ULONGLONG deadline = ::GetTickCount64() + 20000;
    while (download.Percent() < 1 && ::GetTickCount64() < deadline) ::Sleep(10);
    EXPECT_EQ(download.Percent(), 1);
    EXPECT_TRUE(download.Running());
    gate.Open();
    EXPECT_EQ(Finish(download), Outcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"p.img").size(), static_cast<size_t>(before + 500));
}

}  // namespace
