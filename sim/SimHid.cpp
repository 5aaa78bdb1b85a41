#include "sim/SimHid.h"

#include "device/HidDiscovery.h"
#include "device/HidTransport.h"
#include "framework/Clock.h"
#include "sim/Simulation.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <mutex>

namespace {

constexpr uint8_t kStatusFailure = 2;
constexpr int kNameItem = 0x1D;

std::string Key(const std::string& id, const char* field) { return "hid." + id + "." + field; }

std::string Hex(long value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%0*lX", digits, static_cast<unsigned long>(value) & 0xFFFFFFFFul);
    return text;
}

// The value of "hid.<id>.<field>.<n1>[.<n2>]" whose numbers (decimal or 0x)
// are exactly `numbers`; found is false when there is none.
std::string FieldValue(const Scenario& scenario, const std::string& id, const char* field,
                       std::initializer_list<long> numbers, bool& found)
{
    std::vector<long> wanted(numbers);
    for (const auto& entry : scenario.Entries(Key(id, field) + ".")) {
        if (ParseNumberList(entry.first) == wanted) {
            found = true;
            return entry.second;
        }
    }
    found = false;
    return std::string();
}

// The value for a request: "<field>.<group>.<item>", else "<field>.<group>".
std::string GroupItemValue(const Scenario& scenario, const std::string& id, const char* field, int group, int item,
                           bool& found)
{
    std::string value = FieldValue(scenario, id, field, {group, item}, found);
    return found ? value : FieldValue(scenario, id, field, {group}, found);
}

// The device path of a simulated interface enumerating with productId.
std::string InterfacePath(const Scenario& scenario, const std::string& id, long productId)
{
    long vendorId = scenario.Number(Key(id, "vid"), kMakerVendorId);
    return scenario.Get(Key(id, "path"), DefaultHidPath(id, vendorId, productId));
}

bool Present(const Scenario& scenario, const std::string& id) { return scenario.Number(Key(id, "present"), 1) != 0; }

long PlugNumber(const Scenario& scenario, const std::string& id) { return scenario.Number(Key(id, "plug"), 0); }

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
               CSTR_EQUAL;
}

void PutWordsHighFirst(uint8_t* out, const std::vector<uint16_t>& words)
{
    for (size_t i = 0; i < words.size(); ++i) {
        out[2 * i] = static_cast<uint8_t>(words[i] >> 8);
        out[2 * i + 1] = static_cast<uint8_t>(words[i]);
    }
}

}  // namespace

std::string DefaultHidPath(const std::string& id, long vendorId, long productId)
{
    std::string path = "\\\\?\\hid#vid_" + Hex(vendorId, 4) + "&pid_" + Hex(productId, 4) + "#sim&" + id +
                       "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    return LowerKey(path);
}

SimHidDevices::~SimHidDevices()
{
    for (auto& entry : m_open) CloseHandle(entry.first);
}

bool SimHidDevices::ListInterfaces(std::vector<HidInterfacePath>& out)
{
    out.clear();
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    const Scenario& scenario = m_sim.Current();
    if (LowerKey(scenario.Get("hidlist")) == "fail") return false;  // the class list cannot be had
    m_flash.Advance();
    for (const std::string& id : scenario.Ids("hid")) {
        if (!Present(scenario, id)) continue;
        if (!m_flash.Listed(id)) continue;  // restarting, or not started yet
        // "hidden=<n>": the interface shows up only from the (n + 1)-th list on.
        if (m_listings[id]++ < scenario.Number(Key(id, "hidden"), 0)) continue;
        HidInterfacePath entry;
        entry.pathA = InterfacePath(scenario, id, ProductIdNow(scenario, id));
        entry.path = WideFromUtf8(entry.pathA);
        out.push_back(std::move(entry));
    }
    return true;
}

HANDLE SimHidDevices::Open(const wchar_t* path)
{
    if (!path) return nullptr;
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    const Scenario& scenario = m_sim.Current();
    m_flash.Advance();
    for (const std::string& id : scenario.Ids("hid")) {
        if (!Present(scenario, id) || !m_flash.Listed(id) ||
            !SamePath(WideFromUtf8(InterfacePath(scenario, id, ProductIdNow(scenario, id))), path))
            continue;
        if (LowerKey(scenario.Get(Key(id, "open"))) == "fail") {
            m_sim.Journal("hid-open " + id + " fail");
            return nullptr;
        }
        // A real kernel object stands for the device, so handle values are
        // unique while open.
        HANDLE handle = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (!handle) return nullptr;
        OpenDevice& open = m_open[handle];
        open = OpenDevice{};
        open.id = id;
        open.plug = PlugNumber(scenario, id);
        open.generation = m_flash.Generation(id);
        return handle;
    }
    return nullptr;
}

void SimHidDevices::CheckStillPlugged(const Scenario& scenario, OpenDevice& open)
{
    if (!Present(scenario, open.id) || PlugNumber(scenario, open.id) != open.plug ||
        m_flash.Generation(open.id) != open.generation)
        open.gone = true;
}

long SimHidDevices::ProductIdNow(const Scenario& scenario, const std::string& id)
{
    return m_flash.ProductId(id, scenario.Number(Key(id, "pid"), 0));
}

void SimHidDevices::ScenarioApplied()
{
    for (auto& entry : m_open) CheckStillPlugged(m_sim.Current(), entry.second);
    m_listings.clear();
    m_requests.clear();
}

std::string SimHidDevices::PresentId(HANDLE device)
{
    auto found = m_open.find(device);
    if (found == m_open.end()) return std::string();
    CheckStillPlugged(m_sim.Current(), found->second);
    return found->second.gone ? std::string() : found->second.id;
}

bool SimHidDevices::GetAttributes(HANDLE device, HidAttributes& out)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = PresentId(device);
    if (id.empty()) return false;
    const Scenario& scenario = m_sim.Current();
    out.vendorId = static_cast<uint16_t>(scenario.Number(Key(id, "vid"), kMakerVendorId));
    out.productId = static_cast<uint16_t>(ProductIdNow(scenario, id));
    out.versionNumber = static_cast<uint16_t>(scenario.Number(Key(id, "release"), 0x0100));
    return true;
}

bool SimHidDevices::GetCaps(HANDLE device, HidCaps& out)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = PresentId(device);
    if (id.empty()) return false;
    const Scenario& scenario = m_sim.Current();
    out.usagePage = static_cast<uint16_t>(scenario.Number(Key(id, "usagepage"), kVendorUsagePage));
    out.usage = static_cast<uint16_t>(scenario.Number(Key(id, "usage"), kVendorUsage));
    out.inputReportLength = kHidReplySize;
    out.outputReportLength = kHidRequestSize;
    return true;
}

std::vector<uint16_t> SimHidDevices::ItemWords(const std::string& id, int item, bool& known)
{
    known = true;
    auto written = m_written.find({id, item});
    if (written != m_written.end()) return written->second;
    const Scenario& scenario = m_sim.Current();
    bool found = false;
    std::string value = FieldValue(scenario, id, "item", {item}, found);
    if (found) {
        std::vector<uint16_t> words;
        if (value.rfind("text:", 0) == 0) {
            for (unsigned char c : value.substr(5)) words.push_back(c);  // one character per word
        } else {
            for (long word : ParseNumberList(value)) words.push_back(static_cast<uint16_t>(word));
        }
        return words;
    }
    if (item == kNameItem && scenario.Has(Key(id, "name"))) {
        // The name item: word 0, then one byte of the UTF-8 name per word.
        std::vector<uint16_t> words{0};
        for (unsigned char c : scenario.Get(Key(id, "name"))) words.push_back(c);
        return words;
    }
    known = false;
    return {};
}

SimHidDevices::Reply SimHidDevices::Answer(const std::string& id, const uint8_t* request, unsigned size,
                                           int forcedStatus)
{
    Reply reply{};
    reply[0] = request[0];
    const int group = request[1];
    const int item = request[2];
    const Scenario& scenario = m_sim.Current();

    bool found = false;
    std::string raw = GroupItemValue(scenario, id, "raw", group, item, found);
    if (found) {
        std::vector<uint8_t> bytes = ParseHexBytes(raw);
        std::copy_n(bytes.begin(), std::min(bytes.size(), reply.size()), reply.begin());
        return reply;
    }

    uint8_t status = 0;
    switch (group) {
    case kHidGroupInformation: {  // version: major, minor, secondary type, secondary version, build
        std::string installed = m_flash.InstalledVersion(id);
        if (installed.empty()) installed = scenario.Get(Key(id, "version"), "1.0.0.0.0");
        std::vector<long> version = ParseNumberList(installed);
        for (size_t i = 0; i < version.size() && i < 5; ++i) reply[3 + i] = static_cast<uint8_t>(version[i]);
        break;
    }
    case kHidGroupAddress: {  // Bluetooth address, six bytes
        std::vector<uint8_t> address = ParseHexBytes(scenario.Get(Key(id, "address"), "000000000000"));
        std::copy_n(address.begin(), std::min<size_t>(address.size(), 6), reply.begin() + 3);
        break;
    }
    case kHidGroupGet: {  // get an item: word count, then the words high byte first
        bool known = false;
        std::vector<uint16_t> words = ItemWords(id, item, known);
        if (!known) {
            status = kStatusFailure;
            break;
        }
        if (words.size() > kHidReplyMaxWords) words.resize(kHidReplyMaxWords);
        reply[4] = static_cast<uint8_t>(words.size());
        PutWordsHighFirst(reply.data() + 5, words);
        break;
    }
    case kHidGroupSet: {  // set an item: the words arrive high byte first
        size_t count = std::min<size_t>(request[3], (size - 4) / 2);
        std::vector<uint16_t> words(count);
        for (size_t i = 0; i < count; ++i)
            words[i] = static_cast<uint16_t>((request[4 + 2 * i] << 8) | request[5 + 2 * i]);
        m_written[{id, item}] = std::move(words);
        break;
    }
    case kHidGroupPrepare:
    case kHidGroupApply:
    case 0x30:
    case 0x50:
        break;
    default:
        if (m_flash.Reply(id, request, size, forcedStatus, reply.data())) return reply;
        status = kStatusFailure;
        break;
    }
    // "status.<group>[.<item>]": one status for every such request, or a
    // sequence ("2, 0": the first fails, the next ones answer; the last
    // status stays).
    const int sent = m_requests[{id, group, item}]++;
    std::string override = GroupItemValue(scenario, id, "status", group, item, found);
    std::vector<long> statuses = found ? ParseNumberList(override) : std::vector<long>();
    if (!statuses.empty()) status = static_cast<uint8_t>(statuses[std::min<size_t>(sent, statuses.size() - 1)]);
    // "fail.<cmd>" of the flashing keys.
    if (forcedStatus >= 0) status = static_cast<uint8_t>(forcedStatus);
    reply[2] = status;
    return reply;
}

bool SimHidDevices::Write(HANDLE device, const uint8_t* data, unsigned size)
{
    // Every exchange starts with a write: the scenario file is read again here
    // too, so a headset can be unplugged while the program talks to it.
    m_sim.Refresh();
    long latencyUs = 0;
    bool written = WriteLocked(device, data, size, latencyUs);
    // "latency.us": the time a report takes on the bus, kept exactly, so that
    // the flashing benchmark has a device floor to measure against.
    if (latencyUs > 0) {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const LONGLONG ticks = frequency.QuadPart * latencyUs / 1000000;
        do {
            QueryPerformanceCounter(&now);
        } while (now.QuadPart - start.QuadPart < ticks);
    }
    return written;
}

bool SimHidDevices::WriteLocked(HANDLE device, const uint8_t* data, unsigned size, long& latencyUs)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    m_flash.Advance();
    std::string id = PresentId(device);
    if (id.empty() || !data || size < 4) return false;
    const Scenario& scenario = m_sim.Current();

    std::string line = "hid " + id + " " + Hex(data[1], 2) + " " + Hex(data[2], 2);
    if (data[1] == kHidGroupSet || data[1] == kHidGroupApply) {
        size_t count = std::min<size_t>(data[3], (size - 4) / 2);
        for (size_t i = 0; i < count; ++i) line += " " + Hex((data[4 + 2 * i] << 8) | data[5 + 2 * i], 4);
    }
    line += SimHidFlash::JournalSuffix(data, size);
    const SimHidFlash::Intake intake = m_flash.Receive(id, data, size);
    latencyUs = intake.latencyUs;
    if (scenario.Number(Key(id, "writefail"), 0) != 0 || intake.writeFails) {
        m_sim.Journal(line + " write-failed");
        return false;
    }
    m_sim.Journal(line);

    Exchange& exchange = m_open[device].exchange;
    exchange = Exchange{};
    if (scenario.Number(Key(id, "silent"), 0) != 0) return true;
    exchange.pending = true;
    // Busy replies before the answer: "busy.<group>[.<item>]" for one request, else "busy".
    bool found = false;
    std::string busy = GroupItemValue(scenario, id, "busy", data[1], data[2], found);
    if (!found) busy = scenario.Get(Key(id, "busy"));
    long busyCount = 0;
    exchange.busyLeft = LowerKey(busy) == "forever" ? -1 : (ParseNumber(busy, busyCount) ? busyCount : 0);
    exchange.reply = Answer(id, data, size, intake.forcedStatus);
    return true;
}

bool SimHidDevices::Read(HANDLE device, uint8_t* data, unsigned size, unsigned timeoutMs)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
        std::string id = PresentId(device);
        if (id.empty() || !data) return false;
        Exchange& exchange = m_open[device].exchange;
        long failAfter = m_sim.Current().Number(Key(id, "readfail"), -1);
        if (failAfter >= 0 && exchange.reads >= failAfter) return false;
        if (exchange.pending) {
            ++exchange.reads;
            Reply out = exchange.reply;
            if (exchange.busyLeft != 0) {
                if (exchange.busyLeft > 0) --exchange.busyLeft;
                out.fill(0);
                out[0] = exchange.reply[0];
                out[2] = kHidStatusBusy;
            } else {
                exchange.pending = false;
            }
            std::copy_n(out.begin(), std::min<size_t>(size, out.size()), data);
            return true;
        }
    }
    // Nothing owed: the headset stays silent until the read times out.
    Clock::Sleep(timeoutMs);
    return false;
}

void SimHidDevices::Close(HANDLE device)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    auto found = m_open.find(device);
    if (found == m_open.end()) return;
    CloseHandle(found->first);
    m_open.erase(found);
}

void SimHidDevices::Reset()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    m_written.clear();
    m_requests.clear();
    m_listings.clear();
    m_flash.Reset();
}

int SimHidDevices::OpenHandleCount()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    return static_cast<int>(m_open.size());
}
