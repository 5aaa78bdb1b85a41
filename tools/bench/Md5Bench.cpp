// MD5 benchmark: the digest of a whole file, read and digested as the package
// readers do it. Prints the digest and the throughput of each run, timed from
// opening the file to the digest (process start-up is not counted).
//
//     bench_md5.exe <file> [runs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "firmware/Md5.h"
#include "framework/File.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_md5 <file> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? _wtoi(argv[2]) : 1;
    CFile file;
    if (!file.Open(argv[1], CFile::modeRead)) {
        std::fprintf(stderr, "cannot open the file\n");
        return 2;
    }
    const double megabytes = static_cast<double>(file.GetLength()) / (1024.0 * 1024.0);
    file.Close();
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        uint8_t digest[kMd5DigestSize];
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        if (!Md5DigestOfFile(argv[1], digest)) return 1;
        ::QueryPerformanceCounter(&end);
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        for (uint8_t b : digest) std::printf("%02x", b);
        std::printf(" %.1f MB/s\n", megabytes / seconds);
    }
    return 0;
}
