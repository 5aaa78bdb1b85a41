// The manager update check: reading the version file, the offer, and the
// installer download against the local server.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>

#include "app/ManagerUpdate.h"
#include "framework/File.h"
#include "support/TempFolder.h"
#include "fixtures/server/TestServer.h"

namespace {

const wchar_t Name[] = L"TORVIKBluetoothDeviceManagerForWindows";

// Points the manager at the local server while it lives.
class ServerOverride {
public:
    ServerOverride() { ::SetEnvironmentVariableW(L"TORVIK_SERVER", testserver::HttpBase()); }
    ~ServerOverride() { ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr); }
};

TEST(ManagerVersionFile, ReadsTheFirstMatchingLine)
{
    struct Case {
        const char* name;
        CString text;
        bool found;
        int major, minor, third;
        const wchar_t* installer;
        bool offered;
    };
    CString n(Name);
    const Case cases[] = {
        {"third number after the version line", n + L":v1.0:Setup102.exe\n" + n + L":2\n", true, 1, 0, 2,
         L"Setup102.exe", true},
        {"same version", n + L":v1.0:Setup101.exe\n" + n + L":1\n", true, 1, 0, 1, L"Setup101.exe", false},
        {"newer minor, third from the default", n + L":v1.1:Setup110.exe\n", true, 1, 1, 1, L"Setup110.exe", true},
        {"third number before the version line", n + L":3\r\n" + n + L":v1.0:Setup.exe\r\n", true, 1, 0, 3,
         L"Setup.exe", true},
        {"name in other letter case", L"TorvikBluetoothDeviceManagerForWindows:v2.0:Setup.exe\n", false, 1, 0, 1,
         L"Setup.exe", false},
        {"another product's line only", L"TORVIKBluetoothDeviceManagerForMac:v9.0:Mac.dmg\n", false, 1, 0, 1,
         L"Mac.dmg", false},
        {"another product's line first", L"Other:v9.0:Other.exe\n" + n + L":v2.0:Mine.exe\nOther2:v9.9:Late.exe\n", true,
         2, 0, 1, L"Mine.exe", true},
        {"version without a point", n + L":v2:Setup.exe\n", true, 0, 0, 1, L"Setup.exe", false},
        {"spaces around the fields", L"  " + n + L"  : v3.4 :  Setup 3.4.exe \r\n", true, 3, 4, 1, L"Setup 3.4.exe",
         true},
        {"installer name keeps further colons", n + L":v2.0:a:b.exe\n", true, 2, 0, 1, L"a:b.exe", false},
        {"installer name with a folder is refused", n + L":v2.0:..\\..\\Windows\\evil.exe\n", true, 2, 0, 1,
         L"..\\..\\Windows\\evil.exe", false},
        {"a device name is refused", n + L":v2.0:con.exe\n", true, 2, 0, 1, L"con.exe", false},
        {"a command file is refused", n + L":v2.0:update.cmd\n", true, 2, 0, 1, L"update.cmd", false},
        {"an installer in capitals", n + L":v2.0:SETUP.EXE\n", true, 2, 0, 1, L"SETUP.EXE", true},
        // A third-number line alone names no installer: nothing to offer.
        {"third number without a version line", n + L":5\n", false, 1, 0, 5, L"", false},
        {"second matching version line is not read", n + L":v1.0:A.exe\n" + n + L":v9.0:B.exe\n", true, 1, 0, 1,
         L"A.exe", false},
        {"empty lines and lines without a colon", L"\n\nhello\n\n" + n + L":v1.2:S.exe", true, 1, 2, 1, L"S.exe", true},
        {"empty file", L"", false, 1, 0, 1, L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ManagerVersionLine line = ParseManagerVersionFile(c.text);
        EXPECT_EQ(line.found, c.found);
        EXPECT_EQ(line.major, c.major);
        EXPECT_EQ(line.minor, c.minor);
        EXPECT_EQ(line.third, c.third);
        EXPECT_EQ(line.installerName, c.installer);
        EXPECT_EQ(ShouldOfferManagerUpdate(line), c.offered);
    }
}

// Damaged version files: each is read to an end, and an offer always names a
// newer version and an installer that is a plain ".exe" name of the file.
TEST(ManagerVersionFile, MutatedFilesOfferOnlyPlainInstallers)
{
    const std::wstring base = std::wstring(Name) + L":v1.0:Setup_1.0.2.exe\r\n" + Name + L":2\r\nOther:v9.9:o.exe\n";
    const size_t longest = static_cast<size_t>(LongestPlainFileName());
    const std::wstring pieces[] = {L":", L"\n", L"v", L"9", L".", L"..\\", L"/", L"C:", L"?", L"#", L"%", L"\x01", L"NUL",
                                   L"com1.exe", L".cmd", L" ", std::wstring(Name) + L":v2.0:",
                                   std::wstring(longest, L'n'), std::wstring(longest + 1, L'n')};
    std::mt19937 random(31);
    int offers = 0;
    for (int i = 0; i < 250; ++i) {
        std::wstring text = base;
        for (int edits = 1 + static_cast<int>(random() % 2); edits > 0; --edits) {
            const size_t at = random() % (text.size() + 1);
            switch (random() % 3) {
            case 0: text.insert(at, pieces[random() % std::size(pieces)]); break;
            case 1: text.erase(at, random() % 6); break;
            default: if (at < text.size()) text[at] = static_cast<wchar_t>(random() % 0x3000); break;
            }
        }
        const ManagerVersionLine line = ParseManagerVersionFile(CString(text));
        if (!ShouldOfferManagerUpdate(line)) continue;
        ++offers;
        SCOPED_TRACE(CString(text).ToUtf8());
        EXPECT_TRUE(IsNewerManagerVersion(line.major, line.minor, line.third));
        EXPECT_TRUE(IsPlainFileName(line.installerName));
        EXPECT_EQ(0, line.installerName.Right(4).CompareNoCase(L".exe"));
        EXPECT_NE(text.find(line.installerName.str()), std::wstring::npos);
    }
    EXPECT_GT(offers, 25);
}

TEST(ManagerVersionFile, NewerThanTheRunningVersion)
{
    struct Case {
        int major, minor, third;
        bool newer;
    };
    const Case cases[] = {{1, 0, 1, false}, {1, 0, 2, true}, {1, 0, 0, false}, {1, 1, 0, true}, {2, 0, 0, true},
                          {0, 9, 9, false}, {-1, 5, 5, false}, {1, -1, 9, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsNewerManagerVersion(c.major, c.minor, c.third), c.newer) << c.major << "." << c.minor << "." << c.third;
    }
}

TEST(ManagerVersionFile, AddressesBelowTheServer)
{
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", L"http://127.0.0.1:8080");
    EXPECT_EQ(ManagerUpdateBaseFolder(), L"http://127.0.0.1:8080/malvobluetoothmanager/");
    EXPECT_EQ(ManagerVersionFileUrl(), L"http://127.0.0.1:8080/malvobluetoothmanager/x64/Software");
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);
    EXPECT_EQ(ManagerVersionFileUrl(), L"https://update.torvik.example/malvobluetoothmanager/x64/Software");
}

TEST(ManagerVersionFile, FetchedFromTheServer)
{
    REQUIRE_TEST_SERVER();
    ServerOverride server;
    ManagerVersionLine line;
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/x64/Software",
                                      "TORVIKBluetoothDeviceManagerForWindows:v1.0:TORVIKSetup.exe\n"
                                      "TORVIKBluetoothDeviceManagerForWindows:2\n"));
    ASSERT_TRUE(FetchManagerVersion(line));
    EXPECT_TRUE(ShouldOfferManagerUpdate(line));
    EXPECT_EQ(line.installerName, L"TORVIKSetup.exe");

    // An empty answer and an error answer count as not fetched.
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/x64/Software", ""));
    EXPECT_FALSE(FetchManagerVersion(line));
    ::DeleteFileW(testserver::StateFolder() + L"\\root\\malvobluetoothmanager\\x64\\Software");
    EXPECT_FALSE(FetchManagerVersion(line));
}

TEST(ManagerInstallerDownload, OutcomeOnlyOnceTheWorkerHasEnded)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"installer");
    struct Case {
        const char* name;
        const wchar_t* pathAndQuery;
        const wchar_t* file;
        ManagerInstallerDownload::Outcome outcome;
        bool fileKept;
    };
    using Outcome = ManagerInstallerDownload::Outcome;
    const Case cases[] = {
        {"whole installer", L"/gen?size=300000", L"ok.exe", Outcome::Downloaded, true},
        {"error answer", L"/gen?size=3000&status=404", L"notfound.exe", Outcome::CannotConnect, false},
        {"server error", L"/absent?status=500", L"error.exe", Outcome::CannotConnect, false},
        // A truncated installer is never left behind to be started by hand.
        {"dropped connection", L"/gen?size=300000&drop=150000", L"dropped.exe", Outcome::CannotConnect, false},
        {"unreachable", nullptr, L"none.exe", Outcome::CannotConnect, false},
        {"folder missing", L"/gen?size=10", L"missing\\x.exe", Outcome::CannotOpenFile, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ManagerInstallerDownload download;
        EXPECT_EQ(download.GetOutcome(), Outcome::Running);
        EXPECT_EQ(download.Percent(), -1);
        CString url = c.pathAndQuery ? testserver::HttpBase() + c.pathAndQuery : CString(L"http://127.0.0.1:9/x.exe");
        ASSERT_TRUE(download.Start(url, folder / c.file));
        DWORD deadline = ::GetTickCount() + 30000;
        while (download.GetOutcome() == Outcome::Running && ::GetTickCount() < deadline) ::Sleep(10);
        EXPECT_EQ(download.GetOutcome(), c.outcome);
        if (c.outcome == Outcome::Downloaded) {
            EXPECT_EQ(download.Percent(), 100);
        }
        EXPECT_EQ(CFile::Exists(folder / c.file), c.fileKept);
    }
}

TEST(ManagerInstallerDownload, PercentFollowsBytesUntilTheEnd)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"installer");
    ManagerInstallerDownload download;
    // The percentage follows the bytes against the fixed total; the outcome
    // waits for the worker, whatever the percentage reads.
    const int before = 102 * 1024 * 11;
    testserver::Gate gate(L"percent");
    CString url = testserver::HttpBase() +
                  CString::Formatted(L"/gen?size=%d&pause_after=%d&gate=percent", before + 10, before);
    ASSERT_TRUE(download.Start(url, folder / L"slow.exe"));
    DWORD deadline = ::GetTickCount() + 20000;
    while (download.Percent() < 1 && ::GetTickCount() < deadline) ::Sleep(10);
    EXPECT_EQ(download.Percent(), 1);
    EXPECT_EQ(download.GetOutcome(), ManagerInstallerDownload::Outcome::Running);
    gate.Open();
    while (download.GetOutcome() == ManagerInstallerDownload::Outcome::Running && ::GetTickCount() < deadline) ::Sleep(10);
    EXPECT_EQ(download.GetOutcome(), ManagerInstallerDownload::Outcome::Downloaded);
    EXPECT_EQ(download.Percent(), 100);
}

}  // namespace
