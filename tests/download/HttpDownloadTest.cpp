// HttpDownload against the local server: memory and file mode, the buffer's
// growth, failures, progress and https on localhost.
#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/HttpDownload.h"
#include "download/ShortLimits.h"
#include "support/TempFolder.h"
#include "fixtures/server/TestServer.h"
#include "framework/Internet.h"
#include "framework/Sync.h"

namespace {

// Byte i of a generated body is i % 251.
std::string Generated(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

CString Url(const wchar_t* pathAndQuery)
{
    return testserver::HttpBase() + pathAndQuery;
}

// An address where nothing listens: a port that was free a moment ago.
CString UnreachableUrl()
{
    return L"http://127.0.0.1:9/nothing";
}

std::string FileBytes(const wchar_t* path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

TEST(HttpDownload, MemoryBufferGrowsInStepsAndIsZeroPastTheData)
{
    REQUIRE_TEST_SERVER();
    struct Case {
        size_t body;
        size_t bufferSize;
    };
    const Case cases[] = {{0, 10240}, {1, 10240}, {10239, 10240}, {10240, 20480}, {25000, 30720}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        char* raw = reinterpret_cast<char*>(1);
        int status = 0;
        int result = HttpDownload(Url(CString::Formatted(L"/gen?size=%d", static_cast<int>(c.body))), &raw, nullptr,
                                  nullptr, &status);
        DownloadBuffer buffer(raw);
        ASSERT_EQ(result, static_cast<int>(c.body));
        ASSERT_NE(buffer.get(), nullptr);
        EXPECT_EQ(status, 200);
        ASSERT_EQ(_msize(buffer.get()), c.bufferSize);
        EXPECT_EQ(std::string(buffer.get(), c.body), Generated(c.body));
        EXPECT_EQ(std::string(buffer.get() + c.body, c.bufferSize - c.body), std::string(c.bufferSize - c.body, '\0'));
    }
}

TEST(HttpDownload, ServesFixtureFileAsText)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(testserver::ServeFile(L"download/index.txt", "first:line\nsecond:line\n"));
    char* raw = nullptr;
    int result = HttpDownload(Url(L"/download/index.txt"), &raw, nullptr, nullptr);
    DownloadBuffer buffer(raw);
    ASSERT_EQ(result, 23);
    EXPECT_STREQ(buffer.get(), "first:line\nsecond:line\n");
}

TEST(HttpDownload, ErrorAnswersAreBodiesWithTheirStatus)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"download");
    for (int code : {404, 500}) {
        SCOPED_TRACE(code);
        char* raw = nullptr;
        int status = 0;
        int result = HttpDownload(Url(CString::Formatted(L"/absent?status=%d", code)), &raw, nullptr, nullptr, &status);
        DownloadBuffer buffer(raw);
        EXPECT_GT(result, 0);
        EXPECT_EQ(status, code);
        EXPECT_NE(std::string(buffer.get()).find(std::to_string(code)), std::string::npos);

        CString path = folder / L"error.bin";
        status = 0;
        result = HttpDownload(Url(CString::Formatted(L"/absent?status=%d", code)), nullptr, path, nullptr, &status);
        EXPECT_EQ(result, static_cast<int>(FileBytes(path).size()));
        EXPECT_EQ(status, code);
    }
}

TEST(HttpDownload, FailuresGiveNegativeResults)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"download");
    struct Case {
        const char* name;
        CString url;
        CString file;   // empty: memory mode
        int result;
    };
    const Case cases[] = {
        {"unreachable, memory", UnreachableUrl(), CString(), kHttpDownloadCannotOpenUrl},
        {"unreachable, file", UnreachableUrl(), folder / L"a.bin", kHttpDownloadCannotOpenUrl},
        {"missing folder", Url(L"/gen?size=100"), folder / L"missing\\a.bin", kHttpDownloadCannotWriteFile},
        {"dropped connection, memory", Url(L"/gen?size=50000&drop=20000"), CString(), kHttpDownloadCannotOpenUrl},
        {"dropped connection, file", Url(L"/gen?size=50000&drop=20000"), folder / L"b.bin", kHttpDownloadCannotOpenUrl},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DownloadProgress progress;
        if (c.file.IsEmpty()) {
            char* raw = reinterpret_cast<char*>(1);
            EXPECT_EQ(HttpDownload(c.url, &raw, nullptr, &progress), c.result);
            EXPECT_EQ(raw, nullptr);  // nothing left for the caller to free
        } else {
            EXPECT_EQ(HttpDownload(c.url, nullptr, c.file, &progress), c.result);
            EXPECT_NE(progress.done.load(), kDownloadProgressTotal);  // never reported complete
        }
    }
    // Nothing is created when the address cannot be opened, and a transfer
    // that breaks off leaves no truncated file.
    EXPECT_FALSE(CFile::Exists(folder / L"a.bin"));
    EXPECT_FALSE(CFile::Exists(folder / L"b.bin"));
}

// Downloads url into place over a good earlier file, which a broken answer
// leaves as it was, with no partial file beside it.
void ExpectNothingReplaced(const CString& url)
{
    TempFolder folder(L"download");
    const CString path = folder / L"TKV8.img";
    ASSERT_TRUE(WriteWholeFile(path, std::string("the earlier good package")));
    DownloadProgress progress;
    EXPECT_EQ(DownloadFileIntoPlace(url, path, &progress), FileDownloadOutcome::CannotConnect);
    EXPECT_TRUE(FileBytes(path) == "the earlier good package") << "the earlier file was replaced";
    EXPECT_FALSE(CFile::Exists(PartialFilePath(path)));
    EXPECT_EQ(progress.done.load(), kHttpDownloadCannotOpenUrl);
}

// Bytes that are no HTTP answer at all are not an answer with status 200,
// whatever the platform makes of them.
TEST(HttpDownload, BytesWithoutStatusLineAreNoAnswer)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(testserver::ServeFile(L"download/raw.img", "body-after-blank-lines"));
    const CString url = Url(L"/download/raw.img?nostatus=1");
    char* raw = reinterpret_cast<char*>(1);
    EXPECT_EQ(HttpDownload(url, &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
    EXPECT_EQ(raw, nullptr);
    ExpectNothingReplaced(url);
}

// Bytes beyond the announced Content-Length are not part of the body, however
// many follow it: the download keeps exactly the announced bytes.
TEST(HttpDownload, BodyLongerThanItsLengthKeepsTheAnnouncedBytes)
{
    REQUIRE_TEST_SERVER();
    for (const wchar_t* query : {L"/gen?size=1001&length=1000", L"/gen?size=4000&length=1000",
                                 L"/gen?size=200000&length=1000"}) {
        SCOPED_TRACE(query);
        char* raw = nullptr;
        EXPECT_EQ(HttpDownload(Url(query), &raw, nullptr, nullptr), 1000);
        DownloadBuffer buffer(raw);
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(std::string(raw, 1000), Generated(1000));
        EXPECT_EQ(raw[1000], 0);
    }
    TempFolder folder(L"download");
    EXPECT_EQ(DownloadFileIntoPlace(Url(L"/gen?size=4000&length=1000"), folder / L"long.img", nullptr),
              FileDownloadOutcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"long.img"), Generated(1000));
}

// A chunked body is whole only once its terminating chunk has come after
// chunks that each held the bytes their size announced; over http and https,
// into memory and into place.
TEST(HttpDownload, ChunkedBodyIsWholeOnlyWithItsTerminatingChunk)
{
    REQUIRE_TEST_SERVER();
    const bool secure = !testserver::HttpsBase().IsEmpty() && testserver::TrustCertificate();
    TempFolder folder(L"download");
    char* raw = nullptr;
    EXPECT_EQ(HttpDownload(Url(L"/gen?size=5000&chunked=700"), &raw, nullptr, nullptr), 5000);
    DownloadBuffer whole(raw);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(raw, 5000), Generated(5000));
    EXPECT_EQ(DownloadFileIntoPlace(Url(L"/gen?size=300000&chunked=7000"), folder / L"chunked.img", nullptr),
              FileDownloadOutcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"chunked.img"), Generated(300000));
    // A size may have any number of leading zeros.
    const CString padded = Url(L"/gen?size=1000&chunk_size=000000000000000003e8");
    EXPECT_EQ(HttpDownload(padded, &raw, nullptr, nullptr), 1000);
    DownloadBuffer paddedBody(raw);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(raw, 1000), Generated(1000));
    EXPECT_EQ(DownloadFileIntoPlace(padded, folder / L"padded.img", nullptr), FileDownloadOutcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"padded.img"), Generated(1000));

    std::vector<CString> broken = {
        Url(L"/gen?size=5000&chunked=700&chunk_cut=2500"),
        Url(L"/gen?size=300000&chunked=7000&chunk_cut=120000"),
        Url(L"/gen?size=1000&chunk_size=7d0"),   // larger than the bytes that follow
        Url(L"/gen?size=1000&chunk_size=100"),   // smaller: the bytes after it are no chunk
        Url(L"/gen?size=1000&chunk_size=-5"),
        Url(L"/gen?size=1000&chunk_size=ffffffffffffffff"),
        Url(L"/gen?size=1000&chunk_size=00001000000000000000"),  // too large: 16 digits after the zeros
    };
    if (secure) broken.push_back(testserver::HttpsBase() + L"/gen?size=5000&chunked=700&chunk_cut=2500");
    for (const CString& url : broken) {
        SCOPED_TRACE(url.ToUtf8());
        raw = reinterpret_cast<char*>(1);
        EXPECT_EQ(HttpDownload(url, &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
        EXPECT_EQ(raw, nullptr);
        ExpectNothingReplaced(url);
    }
}

TEST(HttpDownload, FileProgressMovesEvery102BlocksAndEndsAtTotal)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"download");
    CString path = folder / L"firmware.img";
    const int before = 102 * kHttpDownloadBlockSize;
    const int size = before + 5000;
    DownloadProgress progress;
    int result = 0;
    testserver::Gate gate(L"progress");
    CString url = Url(CString::Formatted(L"/gen?size=%d&pause_after=%d&gate=progress", size, before));
    HANDLE thread = StartThread([&] { result = HttpDownload(url, nullptr, path, &progress); });
    ASSERT_NE(thread, nullptr);

    // The server holds the rest back: done shows the 102 blocks, total the fixed figure.
    DWORD deadline = ::GetTickCount() + 20000;
    while (progress.done.load() != before && ::GetTickCount() < deadline) ::Sleep(10);
    EXPECT_EQ(progress.done.load(), before);
    EXPECT_EQ(progress.total.load(), kDownloadProgressTotal);

    gate.Open();
    ASSERT_TRUE(WaitThread(thread, 30000));
    ::CloseHandle(thread);
    EXPECT_EQ(result, size);
    EXPECT_EQ(progress.done.load(), kDownloadProgressTotal);
    EXPECT_EQ(FileBytes(path), Generated(static_cast<size_t>(size)));
}

TEST(HttpDownload, MemoryModeLeavesProgressAlone)
{
    REQUIRE_TEST_SERVER();
    DownloadProgress progress;
    progress.done = 7;
    char* raw = nullptr;
    EXPECT_EQ(HttpDownload(Url(L"/gen?size=300000"), &raw, nullptr, &progress), 300000);
    DownloadBuffer buffer(raw);
    EXPECT_EQ(progress.total.load(), 0);
    EXPECT_EQ(progress.done.load(), 7);
}

// https takes only a certificate that chains to the machine's trusted roots
// and names the address's host; any other is refused as a server that cannot
// be reached, and replaces no file.
TEST(HttpDownload, HttpsTakesOnlyACertificateTrustedForItsHost)
{
    REQUIRE_TEST_SERVER();
    ASSERT_FALSE(testserver::HttpsBase().IsEmpty()) << "the local server has no https (openssl missing?)";
    ASSERT_TRUE(testserver::TrustCertificate()) << "cannot add the test certificates to the trusted roots";
    ASSERT_TRUE(testserver::ServeFile(L"secure/Software", "hello over tls\n"));
    char* raw = nullptr;
    int status = 0;
    int result = HttpDownload(testserver::HttpsBase() + L"/secure/Software", &raw, nullptr, nullptr, &status);
    DownloadBuffer buffer(raw);
    ASSERT_EQ(result, 15);
    EXPECT_EQ(status, 200);
    EXPECT_STREQ(buffer.get(), "hello over tls\n");

    // Issued by a trusted CA, which alone is among the roots.
    TempFolder folder(L"download");
    ASSERT_FALSE(testserver::HttpsBaseWith(L"issued").IsEmpty());
    EXPECT_EQ(DownloadFileIntoPlace(testserver::HttpsBaseWith(L"issued") + L"/secure/Software", folder / L"issued.img",
                                    nullptr),
              FileDownloadOutcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"issued.img"), "hello over tls\n");

    // The trusted certificate for localhost reached under another name, and
    // certificates that are untrusted, for another host or expired.
    CString otherName = testserver::HttpsBase();
    otherName.Replace(L"localhost", L"127.0.0.1");
    std::vector<CString> refused = {otherName};
    for (const wchar_t* certificate : {L"self_signed", L"untrusted_issuer", L"other_name", L"expired"}) {
        refused.push_back(testserver::HttpsBaseWith(certificate));
        ASSERT_FALSE(refused.back().IsEmpty()) << certificate;
    }
    for (const CString& base : refused) {
        SCOPED_TRACE(base.ToUtf8());
        raw = reinterpret_cast<char*>(1);
        EXPECT_EQ(HttpDownload(base + L"/secure/Software", &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
        EXPECT_EQ(raw, nullptr);
        ExpectNothingReplaced(base + L"/secure/Software");
    }
}

// Over https a server may end its answer with TLS's close_notify and wait for
// the client's own before it closes the connection: a body without a length
// ends there whole, and a chunked or sized body cut there is refused at once,
// not at the transfer's time-out.
TEST(HttpDownload, HttpsBodyEndsAtTheServersCloseNotify)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(!testserver::HttpsBase().IsEmpty() && testserver::TrustCertificate())
        << "no https with a trusted certificate on the local server";
    // Far above what a local transfer takes, far below the usual bounds.
    constexpr DWORD kLimitMs = 8000;
    ShortLimits limits(kLimitMs, kLimitMs);
    const CString base = testserver::HttpsBase();

    char* raw = nullptr;
    EXPECT_EQ(HttpDownload(base + L"/gen?size=5000&nolength=1&close_notify=1", &raw, nullptr, nullptr), 5000);
    DownloadBuffer whole(raw);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(raw, 5000), Generated(5000));
    TempFolder folder(L"download");
    EXPECT_EQ(DownloadFileIntoPlace(base + L"/gen?size=300000&nolength=1&close_notify=1", folder / L"whole.img",
                                    nullptr),
              FileDownloadOutcome::Downloaded);
    EXPECT_EQ(FileBytes(folder / L"whole.img"), Generated(300000));

    for (const wchar_t* cut : {L"/gen?size=300000&chunked=7000&chunk_cut=120000&close_notify=1",
                               L"/gen?size=5000&length=8000&close_notify=1"}) {
        SCOPED_TRACE(CString(cut).ToUtf8());
        const ULONGLONG start = ::GetTickCount64();
        raw = reinterpret_cast<char*>(1);
        EXPECT_EQ(HttpDownload(base + cut, &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
        EXPECT_EQ(raw, nullptr);
        ExpectNothingReplaced(base + cut);
        // Each of the two would have ended at kLimitMs had it waited for more.
        EXPECT_LT(::GetTickCount64() - start, kLimitMs) << "refused at the time-out, not at the close_notify";
    }
}

// Over https a TCP close without close_notify is what a broken connection, or
// anyone on the path, makes: it does not end a body without a length, which
// is refused, into memory and into place. Over plain http that close is the
// body's end.
TEST(HttpDownload, HttpsBodyWithoutLengthIsNotEndedByATcpClose)
{
    REQUIRE_TEST_SERVER();
    ASSERT_TRUE(!testserver::HttpsBase().IsEmpty() && testserver::TrustCertificate())
        << "no https with a trusted certificate on the local server";
    const CString query = L"/gen?size=15360&nolength=1&no_close_notify=1";
    const CString secure = testserver::HttpsBase() + query;
    char* raw = reinterpret_cast<char*>(1);
    EXPECT_EQ(HttpDownload(secure, &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
    EXPECT_EQ(raw, nullptr);
    ExpectNothingReplaced(secure);

    raw = nullptr;
    EXPECT_EQ(HttpDownload(Url(query), &raw, nullptr, nullptr), 15360);
    DownloadBuffer plain(raw);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(raw, 15360), Generated(15360));
}

// The system's proxy settings (stood in for by the hook) send http and https
// through the proxy they name, but not the hosts they bypass.
TEST(HttpDownload, GoesThroughTheProxyOfTheSystemSettings)
{
    REQUIRE_TEST_SERVER();
    const CString port = testserver::ReadStateFile(L"http_port");
    struct ProxyCase {
        const char* name;
        const wchar_t* proxy;
        const wchar_t* bypass;
        CString url;
        int result;
    };
    const CString proxied = L"http://torvik-proxied.invalid/gen?size=100";  // only the proxy knows it
    std::vector<ProxyCase> cases = {
        {"http through the proxy", L"127.0.0.1:", L"", proxied, 100},
        {"http's own entry", L"https=127.0.0.1:9 http=127.0.0.1:", L"", proxied, 100},
        {"a proxy that is not there", L"127.0.0.1:9", L"", Url(L"/gen?size=100"), kHttpDownloadCannotOpenUrl},
        {"a bypassed host", L"127.0.0.1:9", L"*.example;127.0.0.*", Url(L"/gen?size=100"), 100},
    };
    if (!testserver::HttpsBase().IsEmpty() && testserver::TrustCertificate()) {
        cases.push_back({"https through the proxy's tunnel", L"127.0.0.1:", L"",
                         testserver::HttpsBase() + L"/gen?size=100", 100});
        cases.push_back({"https through a proxy that is not there", L"127.0.0.1:9", L"",
                         testserver::HttpsBase() + L"/gen?size=100", kHttpDownloadCannotOpenUrl});
        cases.push_back({"a local host bypassed", L"127.0.0.1:9", L"<local>",
                         testserver::HttpsBase() + L"/gen?size=100", 100});
    }
    for (const ProxyCase& c : cases) {
        SCOPED_TRACE(c.name);
        InternetProxySettings settings;
        settings.useProxy = true;
        settings.proxy = c.proxy;
        if (settings.proxy.Right(1) == L":") settings.proxy += port;
        settings.bypass = c.bypass;
        SetInternetProxyHook(&settings);
        char* raw = nullptr;
        EXPECT_EQ(HttpDownload(c.url, &raw, nullptr, nullptr), c.result);
        DownloadBuffer buffer(raw);
        SetInternetProxyHook(nullptr);
    }
}

// Another certificate of the same subject and issuer: der with the last byte
// of its serial number changed (nothing here checks signatures).
std::string WithOtherSerial(const std::string& der, uint8_t change)
{
    PCCERT_CONTEXT parsed = ::CertCreateCertificateContext(
        X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), static_cast<DWORD>(der.size()));
    if (!parsed) return std::string();
    const CRYPT_INTEGER_BLOB& serial = parsed->pCertInfo->SerialNumber;  // least significant byte first
    std::string bigEndian(reinterpret_cast<const char*>(serial.pbData), serial.cbData);
    std::reverse(bigEndian.begin(), bigEndian.end());
    ::CertFreeCertificateContext(parsed);
    std::string other = der;
    const size_t at = other.find(bigEndian);
    if (bigEndian.empty() || at == std::string::npos) return std::string();
    other[at + bigEndian.size() - 1] = static_cast<char>(other[at + bigEndian.size() - 1] ^ change);
    return other;
}

// Test certificates of earlier runs in the store give way to the server's.
TEST(TestServerCertificate, ReplacesEveryEarlierCertificateOfItsSubject)
{
    REQUIRE_TEST_SERVER();
    std::string der;
    if (!ReadWholeFile(testserver::StateFolder() + L"\\cert.der", der)) GTEST_SKIP() << "the local server has no certificate";
    HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
    ASSERT_NE(store, nullptr);
    for (uint8_t change : {1, 2}) {
        const std::string earlier = WithOtherSerial(der, change);
        ASSERT_FALSE(earlier.empty());
        ASSERT_TRUE(::CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                                       reinterpret_cast<const BYTE*>(earlier.data()),
                                                       static_cast<DWORD>(earlier.size()), CERT_STORE_ADD_NEW, nullptr));
    }
    bool replaced = false;
    HANDLE worker = StartThread([&] { replaced = testserver::ReplaceCertificatesOfSubject(store, der); });
    if (!WaitThread(worker, 20000)) {
        // A replacement that does not end grows until the machine runs out of memory.
        std::fprintf(stderr, "the replacement of the certificates did not end\n");
        ::TerminateProcess(::GetCurrentProcess(), 3);
    }
    ::CloseHandle(worker);
    EXPECT_TRUE(replaced);
    std::vector<std::string> left;
    for (PCCERT_CONTEXT c = nullptr; (c = ::CertEnumCertificatesInStore(store, c)) != nullptr;)
        left.emplace_back(reinterpret_cast<const char*>(c->pbCertEncoded), c->cbCertEncoded);
    EXPECT_EQ(left, std::vector<std::string>{der});
    ::CertCloseStore(store, 0);
}

TEST(ServerBaseAddress, DefaultAndEnvironmentOverride)
{
    wchar_t saved[512] = {};
    DWORD had = ::GetEnvironmentVariableW(L"TORVIK_SERVER", saved, 512);
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);
    EXPECT_EQ(ServerBaseAddress(), L"https://update.torvik.example");
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", L"http://127.0.0.1:8080/");
    EXPECT_EQ(ServerBaseAddress(), L"http://127.0.0.1:8080");
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", had ? saved : nullptr);
}

}  // namespace
