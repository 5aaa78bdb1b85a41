// Start-up benchmark: starts the manager and a minimal Win32 window program
// alternately, each the same way, and times each from its process start until
// its window shows; the manager also until the welcome page shows its status
// text. Prints every run, then the medians:
//   startup: ours <ms> ms, reference <ms> ms, ratio <reference / ours>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/ProgramRunner.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The manager: process start to the welcome page's status text. Negative on failure.
double TimeManager(double* windowMs)
{
    ProgramRunner program(L"bench", {{L"TORVIK_SERVER", L"http://127.0.0.1:1"}});
    if (!program.Started()) return -1;
    HWND main = program.WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000);
    if (!main) return -1;
    *windowMs = Milliseconds(program.StartCounter(), Now());
    // The welcome page is up when the status text holds its ready text.
    HWND status = ::GetDlgItem(main, 1016);
    double pageMs = -1;
    for (int i = 0; i < 30000 && pageMs < 0; ++i) {
        wchar_t text[128] = {};
        ::GetWindowTextW(status, text, 128);
        if (text[0]) pageMs = Milliseconds(program.StartCounter(), Now());
        else ::Sleep(1);
    }
    // A close is refused while the start-up update check runs: it is asked
    // again until it is taken.
    return program.CloseAndWait(main, 30000) == 0 ? pageMs : -1;
}

// The reference: process start to its window.
double TimeReference()
{
    ProgramRunner program(L"bench_reference", {}, TORVIK_MINIMAL_WINDOW_PATH);
    if (!program.Started()) return -1;
    HWND window = program.WaitForWindow(L"Minimal window", 30000);
    if (!window) return -1;
    const double ms = Milliseconds(program.StartCounter(), Now());
    return program.CloseAndWait(window, 30000) == 0 ? ms : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<double> ours, windows, reference;
    TimeReference();  // warm-up of both
    double ignored = 0;
    TimeManager(&ignored);
    for (int run = 0; run < runs; ++run) {
        double windowMs = 0;
        const double page = TimeManager(&windowMs);
        const double minimal = TimeReference();
        if (page < 0 || minimal < 0) {
            std::printf("run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: manager window %.1f ms, welcome page %.1f ms; minimal window %.1f ms\n", run + 1,
                    windowMs, page, minimal);
        ours.push_back(page);
        windows.push_back(windowMs);
        reference.push_back(minimal);
    }
    const double o = Median(ours), r = Median(reference);
    std::printf("manager window median %.1f ms\n", Median(windows));
    std::printf("startup: ours %.1f ms, reference %.1f ms, ratio %.2f\n", o, r, o > 0 ? r / o : 0.0);
    return 0;
}
