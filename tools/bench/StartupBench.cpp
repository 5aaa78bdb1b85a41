// Start-up benchmark: starts the manager and a minimal Win32 window program
// alternately, each the same way, and times each from its process start until
// its window shows; the manager also until the welcome page shows its status
// text. The manager is asked for its own start-up marks (TORVIK_STARTUP_TRACE),
// which give where its time goes. Prints every run, the phase table (medians),
// then:
//   startup: ours <ms> ms, reference <ms> ms, ratio <reference / ours>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr int kStatusTextId = 1016;

double Milliseconds(LARGE_INTEGER from, LONGLONG to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double MillisecondsSinceStart(const ProgramRunner& program)
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return Milliseconds(program.StartCounter(), now.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Polls (every millisecond, bounded) until the test holds; the milliseconds
// since the program's start when it did, negative when it never did.
double WhenTrue(const ProgramRunner& program, const std::function<bool()>& test)
{
    const ULONGLONG end = ::GetTickCount64() + kTimeoutMs;
    while (::GetTickCount64() < end) {
        if (test()) return MillisecondsSinceStart(program);
        ::Sleep(1);
    }
    return -1;
}

// The visible top-level window of the program with this caption, polled.
double WhenWindowShows(const ProgramRunner& program, const wchar_t* caption, HWND* window)
{
    return WhenTrue(program, [&] {
        *window = program.FindProcessWindow([caption](HWND hwnd) {
            wchar_t text[256] = {};
            ::GetWindowTextW(hwnd, text, 256);
            return wcscmp(text, caption) == 0;
        });
        return *window != nullptr;
    });
}

// One run of the manager: the times seen from outside and the program's own marks.
struct ManagerRun {
    double windowMs = -1;
    double pageMs = -1;
    std::vector<std::pair<std::string, double>> marks;  // in the order they were marked
};

// The marks the program wrote: "<phase>\t<counter>" lines.
std::vector<std::pair<std::string, double>> ReadMarks(const ProgramRunner& program, const CString& path)
{
    std::vector<std::pair<std::string, double>> marks;
    std::ifstream file(path.str().c_str());
    std::string line;
    while (std::getline(file, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        marks.emplace_back(line.substr(0, tab), Milliseconds(program.StartCounter(), std::atoll(line.c_str() + tab + 1)));
    }
    return marks;
}

// The manager: process start to its window and to the welcome page's status text.
bool TimeManager(ManagerRun& run)
{
    const TempFolder traceFolder(L"torvik_startup_trace");
    const CString tracePath = traceFolder / L"startup.trace";
    ProgramRunner program(L"bench", {{L"TORVIK_SERVER", L"http://127.0.0.1:1"}, {L"TORVIK_STARTUP_TRACE", tracePath}});
    if (!program.Started()) return false;
    HWND main = nullptr;
    run.windowMs = WhenWindowShows(program, L"TORVIK Bluetooth Device Manager", &main);
    if (!main) return false;
    // The welcome page is up when the status text holds its ready text.
    HWND status = ::GetDlgItem(main, kStatusTextId);
    run.pageMs = WhenTrue(program, [status] { return ::GetWindowTextLengthW(status) > 0; });
    // A close is refused while the start-up update check runs: it is asked
    // again until it is taken.
    if (run.pageMs < 0 || program.CloseAndWait(main, kTimeoutMs) != 0) return false;
    run.marks = ReadMarks(program, tracePath);
    return true;
}

// The reference: process start to its window.
double TimeReference()
{
    ProgramRunner program(L"bench_reference", {}, TORVIK_MINIMAL_WINDOW_PATH);
    if (!program.Started()) return -1;
    HWND window = nullptr;
    const double ms = WhenWindowShows(program, L"Minimal window", &window);
    if (!window) return -1;
    return program.CloseAndWait(window, kTimeoutMs) == 0 ? ms : -1;
}

// Medians of each phase over the runs: when it ended after the process start,
// and how long it took after the phase before it in its run.
void PrintPhases(const std::vector<ManagerRun>& runs, const std::vector<double>& reference)
{
    struct Phase {
        std::vector<double> at, took;
    };
    std::map<std::string, Phase> phases;
    for (const ManagerRun& run : runs) {
        std::vector<std::pair<std::string, double>> rows = run.marks;
        rows.emplace_back("window seen (from outside)", run.windowMs);
        rows.emplace_back("welcome page ready (status text seen)", run.pageMs);
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        double before = 0;
        for (const auto& [name, at] : rows) {
            phases[name].at.push_back(at);
            phases[name].took.push_back(at - before);
            before = at;
        }
    }
    std::vector<std::pair<double, std::string>> order;
    for (const auto& [name, phase] : phases) order.emplace_back(Median(phase.at), name);
    std::sort(order.begin(), order.end());
    std::printf("%-40s %10s %10s\n", "phase (medians)", "ends at ms", "takes ms");
    std::printf("%-40s %10s %10.1f\n", "process start", "0.0", 0.0);
    for (const auto& [at, name] : order)
        std::printf("%-40s %10.1f %10.1f\n", name.c_str(), at, Median(phases[name].took));
    std::printf("%-40s %10.1f\n", "minimal window seen (reference)", Median(reference));
    std::vector<double> ownWork;
    for (size_t i = 0; i < runs.size(); ++i) ownWork.push_back(runs[i].pageMs - reference[i]);
    std::printf("own work to the welcome page (ours - reference, median of runs): %.1f ms\n", Median(ownWork));
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<ManagerRun> ours;
    std::vector<double> reference;
    TimeReference();  // warm-up of both
    ManagerRun ignored;
    TimeManager(ignored);
    for (int run = 0; run < runs; ++run) {
        ManagerRun manager;
        const bool ran = TimeManager(manager);
        const double minimal = TimeReference();
        if (!ran || minimal < 0) {
            std::printf("run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: manager window %.1f ms, welcome page %.1f ms; minimal window %.1f ms\n", run + 1,
                    manager.windowMs, manager.pageMs, minimal);
        ours.push_back(manager);
        reference.push_back(minimal);
    }
    PrintPhases(ours, reference);
    std::vector<double> pages;
    for (const ManagerRun& run : ours) pages.push_back(run.pageMs);
    const double o = Median(pages), r = Median(reference);
    std::printf("startup: ours %.1f ms, reference %.1f ms, ratio %.2f\n", o, r, o > 0 ? r / o : 0.0);
    return 0;
}
