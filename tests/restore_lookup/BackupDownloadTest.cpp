// The backup firmware download against the local server: the outcomes the
// restore page acts on, and that a failed download leaves no half file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "device/ProductCatalogue.h"
#include "fixtures/server/TestServer.h"
#include "framework/File.h"
#include "restore/BackupDownload.h"
#include "support/TempFolder.h"

namespace {

std::string Read(const CString& path)
{
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : std::string("<none>");
}

CString Url(const wchar_t* pathAndQuery) { return testserver::HttpBase() + pathAndQuery; }

TEST(BackupDownload, OutcomesAndWhatTheyLeave)
{
    REQUIRE_TEST_SERVER();
    const std::string firmware(30000, 'F');
    ASSERT_TRUE(testserver::ServeFile(L"backup/V40.img", firmware));

    struct Case {
        const char* name;
        CString url;
        BackupDownloadOutcome outcome;
        bool replaced;  // the package holds the new file, else the earlier one
    };
    const Case cases[] = {
        {"a whole answer", Url(L"/backup/V40.img"), BackupDownloadOutcomeDone, true},
        {"an error answer", Url(L"/backup/absent.img"), BackupDownloadOutcomeCannotConnect, false},
        {"an error answer with a body", Url(L"/backup/V40.img?status=500"), BackupDownloadOutcomeCannotConnect, false},
        {"an empty answer", Url(L"/gen?size=0"), BackupDownloadOutcomeCannotConnect, false},
        {"a broken transfer", Url(L"/gen?size=50000&drop=20000"), BackupDownloadOutcomeCannotConnect, false},
        {"no server", L"http://127.0.0.1:1/V40.img", BackupDownloadOutcomeCannotConnect, false},
        {"no address", CString(), BackupDownloadOutcomeCannotConnect, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder(L"backup_download");
        const CString path = folder / L"V40.img";
        ASSERT_TRUE(WriteWholeFile(path, std::string("earlier package")));
        EXPECT_EQ(c.outcome, DownloadBackupFirmware(c.url, path));
        EXPECT_EQ(c.replaced ? firmware : std::string("earlier package"), Read(path));
        EXPECT_FALSE(CFile::Exists(path + L".part"));
    }
}

TEST(BackupDownload, TheFolderIsMadeWhenMissingAndAFileInTheWayIsReported)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(testserver::ServeFile(L"backup/small.img", "firmware"));
    TempFolder folder(L"backup_folder");

    const CString missing = folder / L"IMG\\V40.img";
    EXPECT_EQ(BackupDownloadOutcomeDone, DownloadBackupFirmware(Url(L"/backup/small.img"), missing));
    EXPECT_EQ("firmware", Read(missing));

    // The folder is a file: nothing can be created.
    ASSERT_TRUE(WriteWholeFile(folder / L"NOTAFOLDER", std::string("x")));
    EXPECT_EQ(BackupDownloadOutcomeCannotOpenFile,
              DownloadBackupFirmware(Url(L"/backup/small.img"), folder / L"NOTAFOLDER\\V40.img"));

    // The package's name is taken by a folder: the download cannot be put in place.
    ASSERT_TRUE(EnsureFolder(folder / L"TAKEN.img"));
    EXPECT_EQ(BackupDownloadOutcomeCannotOpenFile,
              DownloadBackupFirmware(Url(L"/backup/small.img"), folder / L"TAKEN.img"));
    EXPECT_FALSE(CFile::Exists(folder / L"TAKEN.img.part"));
}

TEST(BackupDownload, OnlyPlainNamesBecomeAddressesAndPaths)
{
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", L"http://127.0.0.1:8080");
    EXPECT_EQ(CString(L"http://127.0.0.1:8080/malvobluetoothmanager/V40_4_2.img"), BackupFirmwareUrl(L"V40_4_2.img"));
    for (const wchar_t* name : {L"../V40.img", L"..\\V40.img", L"sub/V40.img", L"C:V40.img", L".", L""})
        EXPECT_TRUE(BackupFirmwareUrl(name).IsEmpty()) << CString(name).ToUtf8();
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);

    EXPECT_EQ(CString(L"C:\\x\\IMG\\") + GetModelName(0x4D10, 1) + L".img", BackupPackagePath(L"C:\\x\\IMG\\", 0x4D10));
}

}  // namespace
