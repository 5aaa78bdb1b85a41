// Flashing benchmark: a package of one 1 MB image written by the HID package
// writer to a simulated headset whose every report takes a fixed time on the
// bus, against the device floor measured side by side: the same number of
// reports written straight to the same simulated headset. The waits the
// writer is told to make (the headset's restart) are skipped.
//
//     bench_flash.exe [runs] [latency-us]
//
// Prints each run, then "flash: ours <ms> ms, reference <ms> ms, ratio <floor / ours>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "device/HidDevices.h"
#include "device/HidTransport.h"
#include "firmware/FirmwarePackage.h"
#include "firmware/HidWriters.h"
#include "firmware/Md5.h"
#include "firmware/WriterContext.h"
#include "framework/Clock.h"
#include "framework/File.h"
#include "sim/SimHid.h"
#include "sim/Simulation.h"

namespace {

constexpr size_t kImageBytes = 1 << 20;
constexpr int kProduct = 0x6010;

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// One image of target 0 (the finish command follows) in a package for the product.
std::vector<uint8_t> Package()
{
    const size_t start = kPackageHeaderSize + kPackageShortEntrySize + kPackageImageEntrySize;
    std::vector<uint8_t> bytes(start + kImageBytes);
    Put(bytes, 0x1C, kProduct);
    Put(bytes, 0x20, 1);
    uint32_t state = 12345;
    for (size_t i = start; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    uint8_t digest[kMd5DigestSize];
    Md5Digest(bytes.data() + start, kImageBytes, digest);
    for (size_t entry : {size_t{kPackageHeaderSize}, size_t{kPackageHeaderSize + kPackageShortEntrySize}}) {
        Put(bytes, entry + 8, static_cast<uint32_t>(start));
        Put(bytes, entry + 12, static_cast<uint32_t>(kImageBytes));
    }
    std::copy(digest, digest + kMd5DigestSize, bytes.begin() + kPackageHeaderSize + kPackageShortEntrySize + 0x128);
    std::copy(digest, digest + kMd5DigestSize, bytes.begin() + kPackageHeaderSize + 0x10);
    return bytes;
}

HANDLE OpenHeadset() { return HidDevices().Open(CString::FromUtf8(DefaultHidPath("a", 0x3E1F, kProduct))); }

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const int latencyUs = argc > 2 ? _wtoi(argv[2]) : 1000;

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const CString packagePath = CString(temp) + L"torvik_flash_bench.img";
    const std::vector<uint8_t> package = Package();
    if (!WriteWholeFile(packagePath, package.data(), package.size())) {
        std::fprintf(stderr, "cannot write the package\n");
        return 2;
    }

    Simulation& simulation = Simulation::Instance();
    simulation.LoadText("hid.a.pid=0x6010\nhid.a.latency.us=" + std::to_string(latencyUs) + "\n");
    simulation.Install();
    Clock::SetSleepHook([](unsigned) {});

    std::vector<double> ours, floors;
    int reports = 0;
    for (int run = 0; run < runs; ++run) {
        // Ours: the whole writer, from reading the package to handing over.
        simulation.Reset();
        AppState main;
        main.currentPage = PageFirmwareRestore;  // no settings archive
        main.targetProductId = kProduct;
        main.hidHandle1 = OpenHeadset();
        UpdateStatus status;
        status.PackagePath = packagePath;
        UpdatePageState page;
        WriterContext context(TakeWriterInputs(main, status), status, page, main.waitForUser);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        RunWriter(HidPackageWriteThread, context);
        QueryPerformanceCounter(&end);
        CloseHidHandle(main.hidHandle1);
        if (status.State != UpdateStateRestarting) {
            std::fprintf(stderr, "the writer failed (state %d)\n", status.State.load());
            return 1;
        }
        reports = static_cast<int>(simulation.JournalLines().size()) - 1;  // the image line is no report
        ours.push_back(Milliseconds(start, end));

        // The floor: as many reports, each with its reply, and nothing else.
        simulation.Reset();
        HANDLE device = OpenHeadset();
        uint8_t report[kHidRequestSize] = {kHidReportId, 0x06, 0x03, 0xFB};
        QueryPerformanceCounter(&start);
        for (int i = 0; i < reports; ++i) {
            WriteHidReport(&device, report);
            ReadHidReportStatus(&device);
        }
        QueryPerformanceCounter(&end);
        CloseHidHandle(device);
        floors.push_back(Milliseconds(start, end));
        std::printf("run %d: ours %.1f ms, floor %.1f ms, %d reports\n", run + 1, ours.back(), floors.back(), reports);
    }
    Clock::SetSleepHook(nullptr);
    simulation.Uninstall();
    DeleteFileW(packagePath);

    std::sort(ours.begin(), ours.end());
    std::sort(floors.begin(), floors.end());
    const double o = ours[ours.size() / 2];
    const double f = floors[floors.size() / 2];
    std::printf("reports: %d of up to 1023 bytes, latency %d us; own work per report %.3f ms\n", reports, latencyUs,
                (o - f) / reports);
    std::printf("flash: ours %.1f ms, reference %.1f ms, ratio %.3f\n", o, f, f / o);
    return 0;
}
