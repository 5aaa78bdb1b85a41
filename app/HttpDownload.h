// The manager's one network operation: an uncached GET of raw bytes from a full
// address, into a growing memory buffer or into a file, with a progress record
// that a worker writes and the user-interface thread polls. Every transfer ends
// within bounds whatever the server does.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "framework/CString.h"

// Progress of a file download: total is set to kDownloadProgressTotal at the
// start, done follows the bytes received every 102 blocks and equals total at
// the end. A caller may store a negative result in done after a failure.
struct DownloadProgress {
    std::atomic<int32_t> total{0};
    std::atomic<int32_t> done{0};

    // done against total, 0 to 100; -1 before the transfer has begun or after
    // a failure stored in done.
    int Percent() const
    {
        const int32_t all = total.load();
        const int32_t part = done.load();
        if (part < 0 || all <= 0) return -1;
        const int64_t percent = static_cast<int64_t>(part) * 100 / all;
        return static_cast<int>(percent < 100 ? percent : 100);
    }
};

inline constexpr int32_t kDownloadProgressTotal = 104857600;
inline constexpr int kHttpDownloadBlockSize = 1024;
inline constexpr int kHttpDownloadBufferStep = 10240;

// Results besides the byte count.
inline constexpr int kHttpDownloadCannotOpenUrl = -1;    // also no HTTP answer, a broken body, a time-out, a body too large
inline constexpr int kHttpDownloadCannotWriteFile = -2;  // cannot create or write the file

// The bounds of a transfer. Into memory (the small text files): the whole call
// ends within the deadline, and a body above the size limit is refused. Into a
// file: the transfer fails when less than one block (kHttpDownloadBlockSize
// bytes) has arrived in the idle limit, however long a moving download takes.
// Both modes follow at most kHttpDownloadMaxRedirects redirects.
inline constexpr DWORD kHttpDownloadDeadlineMs = 20000;
inline constexpr DWORD kHttpDownloadIdleLimitMs = 30000;
inline constexpr int kHttpDownloadMemoryLimit = 2 * 1024 * 1024;
inline constexpr int kHttpDownloadMaxRedirects = 10;

struct HttpDownloadLimits {
    DWORD deadlineMs = kHttpDownloadDeadlineMs;
    DWORD idleLimitMs = kHttpDownloadIdleLimitMs;
    int memoryLimit = kHttpDownloadMemoryLimit;
    int maxRedirects = kHttpDownloadMaxRedirects;
};
// Test hook: every later transfer keeps these bounds instead (null restores
// the constants), so a test sees a stalled server fail without waiting long.
void SetHttpDownloadLimitsHook(const HttpDownloadLimits* limits);

// The maker's server: scheme, host and port, without a trailing "/"; the
// environment variable TORVIK_SERVER replaces it (tests, demonstrations).
CString ServerBaseAddress();

// GET url, within the bounds above. With buffer given the body goes to a new
// malloc'ed buffer (stored in *buffer, freed by the caller) whose size is a
// multiple of 10,240 bytes and exceeds the body, zero past the data; filePath
// and progress are then unused. Else the body is written to filePath (created
// or truncated) and progress, when given, is kept. Returns the byte count, or
// -1 when the address cannot be opened, the body cannot be read whole or a
// bound is passed (*buffer is then null), or -2 when the file cannot be
// created or written; a file that a failed transfer had begun is removed.
// Bytes without an HTTP/1.x status line are no answer (-1). A body is whole
// when it holds the bytes its Content-Length announces: bytes a server sends
// beyond them are not part of it, however they arrive (as with Windows' own
// HTTP layer), so the download keeps exactly the announced bytes; one that
// ends short of them is not whole (-1). A chunked body is whole only once its
// terminating chunk has come and every chunk held the bytes its size
// announced; a body cut short or with a chunk size that lies is not (-1). A
// body with neither ends over http where the server closes the connection,
// but over https only at the server's close_notify: an https connection
// closed without it may have been cut anywhere, and its body is not whole
// (-1). An error answer is a body like any other: httpStatus, when given,
// receives the answer's HTTP status (0 when there was none).
// The blocking calls run on a worker of their own, which the call abandons
// when a bound is passed: it returns at once and aborts the worker's session,
// which ends the worker's wait at once, so that the worker ends and closes its
// connection; it touches neither the buffer, the file nor progress again.
int HttpDownload(const wchar_t* url, char** buffer, const wchar_t* filePath, DownloadProgress* progress,
                 int* httpStatus = nullptr);

// The outcome of a file's download into place.
enum class FileDownloadOutcome { CannotConnect, CannotOpenFile, Downloaded, Running };

// Fetches url into path (blocking, within the bounds of HttpDownload) through
// the partial file beside it (PartialFilePath), which is renamed into place
// only once the whole answer has come with HTTP status 200 and at least one
// byte: a failed download leaves no file and keeps the file that was there. A
// file that cannot be created, or a read-only file at path, is CannotOpenFile;
// no answer, an error answer or an empty body is CannotConnect. progress, when
// given, follows the transfer and holds the negative result of a failed one.
// Never Running.
FileDownloadOutcome DownloadFileIntoPlace(const wchar_t* url, const CString& path, DownloadProgress* progress);

// Owner of a buffer that HttpDownload allocated.
struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using DownloadBuffer = std::unique_ptr<char, FreeDeleter>;
