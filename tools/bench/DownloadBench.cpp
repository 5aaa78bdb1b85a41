// Download benchmark: a firmware file fetched from the server into a file, as
// the update page's Download does it (1024-byte reads, a temporary file renamed
// into place). Prints the byte count and the throughput, timed from the start
// of the download to its end (process start-up is not counted).
//
//     bench_download.exe <server base address> <file name> <target path>
#include <windows.h>

#include <cstdio>

#include "firmware/FirmwareServer.h"
#include "framework/File.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_download <server> <file> <target>\n");
        return 2;
    }
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", argv[1]);
    HANDLE ended = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    FirmwareFileDownload download;
    ::QueryPerformanceCounter(&start);
    if (!download.Start(argv[2], argv[3], [ended] { ::SetEvent(ended); })) return 1;
    if (::WaitForSingleObject(ended, 600000) != WAIT_OBJECT_0) return 1;
    ::QueryPerformanceCounter(&end);
    if (download.TakeOutcome() != FirmwareFileDownload::Outcome::Downloaded) {
        std::fprintf(stderr, "download failed\n");
        return 1;
    }
    CFile file;
    if (!file.Open(argv[3], CFile::modeRead)) return 1;
    const ULONGLONG bytes = file.GetLength();
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("%llu %.1f MB/s\n", bytes, static_cast<double>(bytes) / (1024.0 * 1024.0) / seconds);
    return 0;
}
