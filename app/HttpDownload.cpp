#include "app/HttpDownload.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "framework/File.h"
#include "framework/HookedValue.h"
#include "framework/Internet.h"
#include "framework/Sync.h"

namespace {

const wchar_t kDefaultServerBaseAddress[] = L"https://update.torvik.example";

// Publish done once every 102 blocks.
constexpr int kProgressBlockInterval = 100;
// Blocks gathered for one write to the file.
constexpr int kWriteBlocks = 64;

// How long the caller sleeps at most between two looks at the clock.
constexpr DWORD kWatchSliceMs = 1000;

HookedValue<HttpDownloadLimits>& TheLimitsHook()
{
    static HookedValue<HttpDownloadLimits> hook;
    return hook;
}

HttpDownloadLimits CurrentLimits()
{
    return TheLimitsHook().Get([] { return HttpDownloadLimits{}; });
}

bool IsRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool IsSecureAddress(const CString& url)
{
    return url.Left(8).CompareNoCase(L"https://") == 0;
}

bool IsHttpAddress(const CString& url)
{
    return IsSecureAddress(url) || url.Left(7).CompareNoCase(L"http://") == 0;
}

// One transfer, shared by the caller and the worker that makes the blocking
// calls. The caller decides once, under the lock, whether the worker finished
// in time or is abandoned; an abandoned worker touches neither the caller's
// progress record nor the target file again, and ends as soon as the
// session's abort has ended its wait.
struct Transfer {
    Transfer(const wchar_t* address, bool memory, const wchar_t* path, DownloadProgress* record,
             const HttpDownloadLimits& bounds)
        : url(address), toMemory(memory), filePath(path ? path : L""), progress(record), limits(bounds)
    {
        session.SetTimeouts(toMemory ? limits.deadlineMs : limits.idleLimitMs);
    }
    ~Transfer() { std::free(buffer); }

    const CString url;
    const bool toMemory;
    const CString filePath;
    DownloadProgress* const progress;
    const HttpDownloadLimits limits;
    CInternetSession session{nullptr};
    // When the answer's headers or the last whole block arrived: a file
    // transfer that moves less than a block in the idle limit has stalled.
    std::atomic<ULONGLONG> lastBlockAt{::GetTickCount64()};

    CCriticalSection lock;  // guards everything below
    bool abandoned = false;
    bool finished = false;
    CFile target;
    bool created = false;
    int result = kHttpDownloadCannotOpenUrl;
    int status = 0;
    char* buffer = nullptr;
};

// Opens the address and follows redirects up to the limit; null when it cannot
// be opened (also bytes that are no HTTP answer at all), the limit is passed,
// or a redirect leaves http and https or falls from https to plain http.
std::unique_ptr<CHttpFile> OpenFollowingRedirects(Transfer& t)
{
    CString url = t.url;
    for (int redirects = 0;; ++redirects) {
        std::unique_ptr<CHttpFile> file = t.session.OpenURL(url);
        if (!file) return nullptr;
        t.lastBlockAt = ::GetTickCount64();
        if (!IsRedirect(file->GetStatusCode())) return file;
        CString location = file->GetLocation();
        if (location.IsEmpty()) return file;  // no target: an answer like any other
        if (redirects >= t.limits.maxRedirects) return nullptr;
        CString next = CombineUrl(url, location);
        if (!IsHttpAddress(next) || (IsSecureAddress(url) && !IsSecureAddress(next))) return nullptr;
        url = next;
    }
}

// Reads the next block of up to kHttpDownloadBlockSize bytes (less only at the
// end), noting each whole block so that the caller sees the transfer move; -1
// when the body cannot arrive whole (the session's framing says so).
int ReadBlock(Transfer& t, CHttpFile& file, char* block)
{
    int filled = 0;
    while (filled < kHttpDownloadBlockSize) {
        int got = file.Read(block + filled, static_cast<UINT>(kHttpDownloadBlockSize - filled));
        if (got < 0) return -1;
        if (got == 0) return filled;
        filled += got;
    }
    t.lastBlockAt = ::GetTickCount64();
    return filled;
}

// Reads the body into a buffer grown in steps; -1 on a failed read, a body
// that cannot be whole or one above the memory limit.
int ReadIntoBuffer(Transfer& t, CHttpFile& file, char** out)
{
    const size_t limit = static_cast<size_t>(std::max(0, t.limits.memoryLimit));
    const long long announced = file.GetContentLength();
    if (announced > static_cast<long long>(limit)) return kHttpDownloadCannotOpenUrl;
    size_t size = kHttpDownloadBufferStep;
    char* data = static_cast<char*>(std::calloc(size, 1));
    if (!data) return kHttpDownloadCannotOpenUrl;
    size_t received = 0;
    char block[kHttpDownloadBlockSize];
    for (;;) {
        int got = ReadBlock(t, file, block);
        if (got < 0) break;
        if (got == 0) {
            *out = data;
            return static_cast<int>(received);
        }
        if (received + static_cast<size_t>(got) > limit) break;
        if (received + static_cast<size_t>(got) >= size) {
            char* grown = static_cast<char*>(std::calloc(size + kHttpDownloadBufferStep, 1));
            if (!grown) break;
            std::memcpy(grown, data, size);
            std::free(data);
            data = grown;
            size += kHttpDownloadBufferStep;
        }
        std::memcpy(data + received, block, static_cast<size_t>(got));
        received += static_cast<size_t>(got);
    }
    std::free(data);
    return kHttpDownloadCannotOpenUrl;
}

// Writes the body to the file, publishing progress; the byte count, or a
// negative code when the body did not arrive and land whole. Blocks are read
// one by one into a larger buffer that is written whenever it is full, so the
// file sees one write per kWriteBlocks blocks.
int CopyIntoFile(Transfer& t, CHttpFile& file)
{
    long long received = 0;
    int counter = 0;
    std::vector<char> pending(static_cast<size_t>(kHttpDownloadBlockSize) * kWriteBlocks);
    size_t filled = 0;
    auto writePending = [&] {
        const bool written = filled == 0 || t.target.Write(pending.data(), static_cast<UINT>(filled));
        filled = 0;
        return written;
    };
    for (;;) {
        int got = ReadBlock(t, file, pending.data() + filled);
        if (got < 0) return kHttpDownloadCannotOpenUrl;
        CSingleLock hold(&t.lock, true);
        if (t.abandoned) return kHttpDownloadCannotOpenUrl;
        if (got == 0) {
            return writePending() && t.target.Flush() ? static_cast<int>(received) : kHttpDownloadCannotWriteFile;
        }
        if (received + got > INT_MAX) return kHttpDownloadCannotOpenUrl;  // more than a count can tell
        filled += static_cast<size_t>(got);
        if (filled + kHttpDownloadBlockSize > pending.size() && !writePending()) return kHttpDownloadCannotWriteFile;
        received += got;
        if (counter <= kProgressBlockInterval) {
            ++counter;
        } else {
            counter = 0;
            if (t.progress) t.progress->done = static_cast<int32_t>(received);
        }
    }
}

// The file mode: creates the file and fills it.
int ReadIntoFile(Transfer& t, CHttpFile& file)
{
    {
        CSingleLock hold(&t.lock, true);
        if (t.abandoned) return kHttpDownloadCannotOpenUrl;
        if (!t.target.Open(t.filePath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
            return kHttpDownloadCannotWriteFile;
        }
        t.created = true;
        if (t.progress) t.progress->total = kDownloadProgressTotal;
    }
    return CopyIntoFile(t, file);
}

// Closes the target; a transfer that failed once the file existed removes it,
// so no truncated file is left to be taken for whole. Under the lock.
void CloseTarget(Transfer& t, bool keep)
{
    t.target.Close();
    if (t.created && !keep) CFile::Remove(t.filePath);
    t.created = false;
}

// The worker: the whole transfer, then the hand-over unless abandoned.
void RunTransfer(Transfer& t)
{
    char* data = nullptr;
    int status = 0;
    int result = kHttpDownloadCannotOpenUrl;
    if (std::unique_ptr<CHttpFile> file = OpenFollowingRedirects(t)) {
        status = static_cast<int>(file->GetStatusCode());
        result = t.toMemory ? ReadIntoBuffer(t, *file, &data) : ReadIntoFile(t, *file);
    }
    CSingleLock hold(&t.lock, true);
    if (t.abandoned) {
        std::free(data);
        return;
    }
    if (!t.toMemory) {
        CloseTarget(t, result >= 0);
        if (result >= 0 && t.progress) t.progress->done = t.progress->total.load();
    }
    t.result = result;
    t.status = status;
    t.buffer = data;
    t.finished = true;
}

// Waits for the worker within the bounds; false when a bound was passed.
bool WaitWithinBounds(Transfer& t, HANDLE worker)
{
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const ULONGLONG end = t.toMemory ? start + t.limits.deadlineMs : t.lastBlockAt.load() + t.limits.idleLimitMs;
        if (now >= end) return false;
        DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(end - now, kWatchSliceMs));
        if (::WaitForSingleObject(worker, slice) != WAIT_TIMEOUT) return true;
    }
}

}  // namespace

void SetHttpDownloadLimitsHook(const HttpDownloadLimits* limits)
{
    TheLimitsHook().Set(limits);
}

CString ServerBaseAddress()
{
    wchar_t value[512] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TORVIK_SERVER", value, static_cast<DWORD>(std::size(value)));
    CString base = (n > 0 && n < std::size(value)) ? CString(value, static_cast<int>(n)) : CString(kDefaultServerBaseAddress);
    base.TrimRight(L'/');
    return base;
}

int HttpDownload(const wchar_t* url, char** buffer, const wchar_t* filePath, DownloadProgress* progress, int* httpStatus)
{
    if (buffer) *buffer = nullptr;
    if (httpStatus) *httpStatus = 0;
    auto transfer = std::make_shared<Transfer>(url, buffer != nullptr, filePath, buffer ? nullptr : progress,
                                               CurrentLimits());
    // The worker shares the transfer; it is waited for within the bounds and
    // otherwise abandoned, to end with its blocked call.
    HANDLE worker = StartThread([transfer] { RunTransfer(*transfer); }, L"a transfer");
    if (!worker) return kHttpDownloadCannotOpenUrl;
    WaitWithinBounds(*transfer, worker);
    ::CloseHandle(worker);

    Transfer& t = *transfer;
    CSingleLock hold(&t.lock, true);
    if (!t.finished) {
        // A bound was passed (or the worker died): the abort ends the
        // worker's wait, and the worker ends and closes its connection.
        t.abandoned = true;
        t.session.Abort();
        CloseTarget(t, false);
        return kHttpDownloadCannotOpenUrl;
    }
    if (httpStatus) *httpStatus = t.status;
    if (buffer) {
        *buffer = t.buffer;
        t.buffer = nullptr;
    }
    return t.result;
}

FileDownloadOutcome DownloadFileIntoPlace(const wchar_t* url, const CString& path, DownloadProgress* progress)
{
    using Outcome = FileDownloadOutcome;
    constexpr int kHttpOk = 200;
    if (path.IsEmpty()) return Outcome::CannotOpenFile;
    const CString partial = PartialFilePath(path);
    int status = 0;
    const int result = HttpDownload(url, nullptr, partial, progress, &status);
    if (result < 0 && progress) progress->done = result;
    if (result == kHttpDownloadCannotWriteFile) return Outcome::CannotOpenFile;
    if (result <= 0 || status != kHttpOk) {
        // An error answer or an empty body is not the file asked for.
        CFile::Remove(partial);
        return Outcome::CannotConnect;
    }
    if (!CFile::Rename(partial, path)) {
        CFile::Remove(partial);
        return Outcome::CannotOpenFile;
    }
    return Outcome::Downloaded;
}
