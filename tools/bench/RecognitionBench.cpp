// Recognition benchmark: one recognition pass against simulated headsets that
// answer at once (no device latency), over HID and over the persistent store.
// Prints the median of many passes per road; the last line gives the slower
// road: "recognition: own work <x> ms".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "device/HidDevices.h"
#include "device/Recognition.h"
#include "sim/Simulation.h"

namespace {

// An Ostrel with every item it is asked for.
const char kHidHeadset[] =
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.address=00025B3D4E5F\n"
    "hid.o.item.0x04=0x1D2F, 0\n"
    "hid.o.item.0x15=0x66E9, 10170, 3, 8850, 9410, 10170, 10630, 0, 0, 0, 0, 0, 0, 1, 0\n"
    "hid.o.item.0x5A=text:+4915112345678\nhid.o.item.0x5B=text:+358401234567\nhid.o.item.0x5C=text:112\n"
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n";

// A TKV8 at 4.3 whose keys all read, on a system with other devices listed too.
const char kBlueCoreHeadset[] =
    "dfu.t.pid=0x4D10\ndfu.t.ps.0x02A3=words:0x4D10\ndfu.t.ps.0x0001=2C 00 00 90 5B 00 02 00\n"
    "dfu.t.ps.0x0108=text:TKV8\ndfu.t.ps.0x02A4=2B 00 00 00\ndfu.t.ps.0x028E=words:0x006F 0\n"
    "dfu.t.ps.0x00EF=FF FE 8F 78 18 1E 59 83\ndfu.t.ps.0x2280=utf16:+4915112345678\n"
    "dfu.t.ps.0x2281=utf16:+358401234567\ndfu.t.ps.0x2282=utf16:112\n"
    "usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\nusb.2=USB\\VID_046D&PID_C52B&REV_1211\n"
    "usb.3=usb\\vid_8087&pid_0a2b&rev_0001\n";

constexpr int kPasses = 200;

// The median milliseconds of one pass; -1 when a pass does not recognize.
double MedianPass(const char* scenario, bool overHid)
{
    Simulation& simulation = Simulation::Instance();
    simulation.LoadText(scenario);
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < kPasses; ++i) {
        simulation.Reset();
        HANDLE first = nullptr;
        HANDLE second = nullptr;
        int target = 0x4D10;
        RecognitionHost host{first, second, target};
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        const RecognitionResult result = RunRecognitionPass(host, nullptr);
        ::QueryPerformanceCounter(&end);
        CloseHidHandle(first);
        CloseHidHandle(second);
        if (!IsRecognized(result.outcome) || result.overHid != overHid) return -1;
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    Simulation::Instance().Install();
    const double hid = MedianPass(kHidHeadset, true);
    const double store = MedianPass(kBlueCoreHeadset, false);
    Simulation::Instance().Uninstall();
    if (hid < 0 || store < 0) {
        std::printf("recognition: a simulated headset was not recognized\n");
        return 1;
    }
    std::printf("recognition over HID: median %.2f ms of %d passes\n", hid, kPasses);
    std::printf("recognition over the persistent store: median %.2f ms of %d passes\n", store, kPasses);
    std::printf("recognition: own work %.2f ms\n", std::max(hid, store));
    return 0;
}
