#include "sim/SimChips.h"
#include "device/ProductCatalogue.h"

#include "framework/Clock.h"
#include "sim/Simulation.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr long kDefaultVendorId = 0x3E1F;
constexpr uint16_t kFirmwareVersionKey = 0x02A4;
constexpr long kDefaultDownloadMs = 3000;
constexpr long kDefaultRestartMs = 3000;

using Kind = DfuChipAnswer::Kind;
using Code = DFUEngine::Result::Code;
using Activity = DFUEngine::Status::Activity;

// The step's word in the scenario's keys and the journal.
const char* StepWord(DfuChipStep step)
{
    switch (step) {
    case DfuChipStep::Reconfigure: return "reconfigure";
    case DfuChipStep::CheckDevice: return "check";
    case DfuChipStep::Download: return "download";
    case DfuChipStep::Manifest: return "manifest";
    }
    return "";
}

// True when a list of words such as "check, download" holds the word.
bool WordListed(const std::string& list, const char* word)
{
    std::string lower = LowerKey(list);
    size_t start = 0;
    while (start < lower.size()) {
        size_t end = lower.find_first_of(" ,\t", start);
        if (end == std::string::npos) end = lower.size();
        if (lower.compare(start, end - start, word) == 0 && std::strlen(word) == end - start) return true;
        start = end + 1;
    }
    return false;
}

// Key 0x02A4 as a chip of the product keeps its firmware version: byte 0 is
// 10 * major + minor, bytes 2 and 3 the secondary version and type; the
// camera keeps major, minor, secondary type and version in bytes 3 to 0.
std::vector<uint8_t> FirmwareVersionKeyBytes(long productId, const DfuFileInfo& image)
{
    auto byte = [](int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); };
    if (productId == kActionCameraProductId)
        return {byte(image.secondaryVersion), byte(image.secondaryType), byte(image.minor), byte(image.major)};
    return {byte(image.major * 10 + image.minor), 0, byte(image.secondaryVersion), byte(image.secondaryType)};
}

std::string Key(const std::string& id, const char* field) { return "dfu." + id + "." + field; }

std::string KeyText(uint16_t key)
{
    char text[8];
    std::snprintf(text, sizeof(text), "%04X", key);
    return text;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
               CSTR_EQUAL;
}

// True when the key is in a list such as "0x0293, 0x02A4".
bool KeyListed(const std::string& list, uint16_t key)
{
    for (long listed : ParseNumberList(list)) {
        if (listed == key) return true;
    }
    return false;
}

}  // namespace

std::vector<uint8_t> ParseKeyValue(const std::string& text)
{
    std::vector<uint8_t> bytes;
    if (text.rfind("words:", 0) == 0) {
        for (long word : ParseNumberList(text.substr(6))) {
            bytes.push_back(static_cast<uint8_t>(word));
            bytes.push_back(static_cast<uint8_t>(word >> 8));
        }
    } else if (text.rfind("utf16:", 0) == 0) {
        for (wchar_t unit : WideFromUtf8(text.substr(6))) {
            bytes.push_back(static_cast<uint8_t>(unit));
            bytes.push_back(static_cast<uint8_t>(unit >> 8));
        }
    } else if (text.rfind("text:", 0) == 0) {
        bytes.assign(text.begin() + 5, text.end());
        bytes.push_back(0);
        if (bytes.size() % 2) bytes.push_back(0);
    } else {
        bytes = ParseHexBytes(text);
    }
    return bytes;
}

void SimChips::Started() { m_sim.Journal("dfu init"); }

void SimChips::Stopped()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    m_connected.clear();  // a stopped library holds no connection
    m_sim.Journal("dfu deinit");
}

bool SimChips::StillPlugged(const std::string& id, long plug)
{
    const Scenario& scenario = m_sim.Current();
    return scenario.Number(Key(id, "present"), 1) != 0 && scenario.Number(Key(id, "plug"), 0) == plug &&
           !Restarting(id);
}

void SimChips::ScenarioApplied()
{
    for (auto it = m_connected.begin(); it != m_connected.end();)
        it = StillPlugged(it->first, it->second) ? std::next(it) : m_connected.erase(it);
}

std::string SimChips::ConnectedId(const std::wstring& name)
{
    std::string id = IdOfName(name);
    auto connected = m_connected.find(id);
    if (id.empty() || connected == m_connected.end()) return std::string();
    if (!StillPlugged(id, connected->second)) {
        m_connected.erase(connected);
        return std::string();
    }
    return id;
}

std::vector<SimChips::Chip> SimChips::PresentChips(bool all)
{
    std::vector<Chip> chips;
    const Scenario& scenario = m_sim.Current();
    for (const std::string& id : scenario.Ids("dfu")) {
        if (!all && (scenario.Number(Key(id, "present"), 1) == 0 || Restarting(id))) continue;
        Chip chip;
        chip.id = id;
        chip.productId = scenario.Number(Key(id, "pid"), 0) & 0xFFFF;
        auto update = m_updates.find(id);
        if (update != m_updates.end() && update->second.modeChanged)
            chip.productId = (chip.productId & ~kUpdateModeBit) | (update->second.updateMode ? kUpdateModeBit : 0);
        char path[128];
        std::snprintf(path, sizeof(path), "\\\\?\\USB#VID_%04lX&PID_%04lX#SIM%s#{a5dcbf10-6530-11d2-901f-00c04fb951ed}",
                      scenario.Number(Key(id, "vid"), kDefaultVendorId) & 0xFFFF, chip.productId,
                      id.substr(0, 32).c_str());
        chip.name = WideFromUtf8(scenario.Get(Key(id, "name"), "BlueCoreUSB" + id));
        chip.path = WideFromUtf8(scenario.Get(Key(id, "path"), path));
        chips.push_back(std::move(chip));
    }
    return chips;
}

std::string SimChips::IdOfName(const std::wstring& name, bool all)
{
    for (const Chip& chip : PresentChips(all)) {
        if (chip.name == name) return chip.id;
    }
    return std::string();
}

const SimChips::Chip* SimChips::FindChip(const std::vector<Chip>& chips, const std::wstring& nameOrPath)
{
    for (const Chip& chip : chips) {
        if (SameText(chip.name, nameOrPath) || SameText(chip.path, nameOrPath)) return &chip;
    }
    return nullptr;
}

bool SimChips::InUpdateMode(const std::string& id)
{
    auto update = m_updates.find(id);
    if (update != m_updates.end() && update->second.modeChanged) return update->second.updateMode;
    return LowerKey(m_sim.Current().Get(Key(id, "mode"), "normal")) == "update";
}

bool SimChips::Restarting(const std::string& id)
{
    auto found = m_updates.find(id);
    if (found == m_updates.end() || !found->second.restarting) return false;
    Update& update = found->second;
    if (LowerKey(m_sim.Current().Get(Key(id, "return"))) == "never" || Clock::Now() < update.backAt) return true;
    update.restarting = false;
    m_sim.Journal("dfu back " + id);
    return false;
}

void SimChips::EnterMode(const std::string& id, bool updateMode)
{
    Update& update = m_updates[id];
    update.modeChanged = true;
    update.updateMode = updateMode;
    m_connected.erase(id);  // the chip reset: connections made before are lost
}

std::vector<DfuDeviceEntry> SimChips::ListDevices()
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::vector<DfuDeviceEntry> entries;
    for (const Chip& chip : PresentChips()) entries.push_back({chip.name, chip.path});
    return entries;
}

bool SimChips::Connect(const std::wstring& nameOrPath, std::wstring& deviceName, bool& exists)
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::vector<Chip> chips = PresentChips();
    const Chip* chip = FindChip(chips, nameOrPath);
    exists = chip != nullptr;
    if (!chip) return false;
    bool update = InUpdateMode(chip->id);
    m_sim.Journal("dfu connect " + chip->id + (update ? " refused" : " ok"));
    if (update) return false;
    deviceName = chip->name;
    m_connected[chip->id] = m_sim.Current().Number(Key(chip->id, "plug"), 0);
    return true;
}

bool SimChips::StoredValue(const std::string& id, uint16_t key, std::vector<uint8_t>& value)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    auto written = m_written.find({id, key});
    if (written != m_written.end()) {
        value = written->second;
        return true;
    }
    for (const auto& entry : m_sim.Current().Entries(Key(id, "ps") + ".")) {
        long listed = 0;
        if (ParseNumber(entry.first, listed) && listed == key) {
            value = ParseKeyValue(entry.second);
            return true;
        }
    }
    return false;
}

bool SimChips::GetPS(const std::wstring& deviceName, uint16_t key, uint8_t* buffer, uint16_t length,
                     uint16_t& lengthOut)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    lengthOut = 0;
    std::string id = ConnectedId(deviceName);
    std::vector<uint8_t> value;
    if (id.empty() || KeyListed(m_sim.Current().Get(Key(id, "unreadable")), key) || !StoredValue(id, key, value))
        return false;
    size_t copied = std::min<size_t>(value.size(), length);
    std::copy_n(value.begin(), copied, buffer);
    std::fill(buffer + copied, buffer + length, 0);
    lengthOut = static_cast<uint16_t>(copied);
    return true;
}

bool SimChips::SetPS(const std::wstring& deviceName, uint16_t key, const uint8_t* data, uint16_t length)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = ConnectedId(deviceName);
    if (id.empty()) return false;
    std::string bytes = HexBytesText(data, length);
    if (KeyListed(m_sim.Current().Get(Key(id, "refused")), key)) {
        m_sim.Journal("ps-refused " + id + " " + KeyText(key) + " " + bytes);
        return false;
    }
    m_written[{id, key}].assign(data, data + length);
    m_sim.Journal("ps-write " + id + " " + KeyText(key) + " " + bytes);
    return true;
}

void SimChips::Reset()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    m_written.clear();
    m_connected.clear();
    m_updates.clear();
}

unsigned long SimChips::StepPolls()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    return m_stepPolls;
}

bool SimChips::StepRunning()
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    for (const auto& [id, update] : m_updates) {
        if (update.running) return true;
    }
    return false;
}

void SimChips::AddUsbHardwareIds(std::vector<std::string>& ids)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    for (const Chip& chip : PresentChips()) {
        if (m_sim.Current().Number(Key(chip.id, "usb"), 0) == 0) continue;
        char hardwareId[64];
        std::snprintf(hardwareId, sizeof(hardwareId), "USB\\VID_%04lX&PID_%04lX&REV_0100",
                      m_sim.Current().Number(Key(chip.id, "vid"), kDefaultVendorId) & 0xFFFF, chip.productId);
        ids.push_back(hardwareId);
    }
}

bool SimChips::FindDevice(const std::wstring& nameOrPath, std::wstring& deviceName)
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::vector<Chip> chips = PresentChips();
    const Chip* chip = FindChip(chips, nameOrPath);
    if (chip) deviceName = chip->name;
    return chip != nullptr;
}

long SimChips::FailureCode(const std::string& id, DfuChipStep step)
{
    const Scenario& scenario = m_sim.Current();
    std::string key = Key(id, "fail.") + StepWord(step);
    long code = scenario.Number(key, 0);
    long times = scenario.Number(key + ".times", -1);
    if (code == 0 || (times >= 0 && m_updates[id].failures[step] >= times)) return 0;
    return code;
}

bool SimChips::BeginStep(const std::wstring& deviceName, DfuChipStep step, bool switchMode, const DfuFileInfo* image)
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = IdOfName(deviceName);
    if (id.empty()) return false;
    if (WordListed(m_sim.Current().Get(Key(id, "refuse")), StepWord(step))) {
        m_sim.Journal("dfu refuse " + id + " " + StepWord(step));
        return false;
    }
    Update& update = m_updates[id];
    if ((step == DfuChipStep::Manifest && !update.downloaded) || (step == DfuChipStep::Download && !image))
        return false;
    update.running = true;
    update.step = step;
    update.switchMode = switchMode;
    update.found = false;
    update.polls = 0;
    update.startedAt = Clock::Now();
    update.percent = -1;
    std::string line = "dfu " + std::string(StepWord(step)) + " " + id;
    if (step == DfuChipStep::Download) {
        update.downloaded = false;
        update.image = *image;
        line += " " + image->identity;
    }
    m_sim.Journal(line);
    return true;
}

DfuChipAnswer SimChips::EndStep(Update& update, DfuChipAnswer answer)
{
    update.running = false;
    if (answer.kind == Kind::Failed) ++update.failures[update.step];
    return answer;
}

DfuChipAnswer SimChips::PollStep(const std::wstring& deviceName)
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    // A chip restarting after its manifest still ends that step.
    std::string id = IdOfName(deviceName, true);
    auto found = m_updates.find(id);
    if (id.empty() || found == m_updates.end() || !found->second.running)
        return {Kind::Failed, Code::DeviceNotReady};
    Update& update = found->second;
    ++update.polls;
    ++m_stepPolls;
    bool present = m_sim.Current().Number(Key(id, "present"), 1) != 0 && !Restarting(id);
    if (update.step != DfuChipStep::Manifest && !present)
        return EndStep(update, {Kind::Failed, Code::NoUpdateModeDevice});
    if (WordListed(m_sim.Current().Get(Key(id, "hang")), StepWord(update.step))) return {Kind::Busy, 0};

    switch (update.step) {
    case DfuChipStep::Reconfigure: return Reconfigure(id, update);
    case DfuChipStep::CheckDevice:
        if (long code = FailureCode(id, update.step)) return EndStep(update, {Kind::Failed, static_cast<int>(code)});
        if (!InUpdateMode(id)) return EndStep(update, {Kind::Failed, Code::NoUpdateModeDevice});
        return EndStep(update, {Kind::Done, 0});
    case DfuChipStep::Download: return Download(id, update);
    case DfuChipStep::Manifest: return Manifest(id, update);
    }
    return {Kind::Busy, 0};
}

DfuChipAnswer SimChips::Reconfigure(const std::string& id, Update& update)
{
    if (update.found) return EndStep(update, {Kind::Done, 0});
    const bool updateMode = InUpdateMode(id);
    if (update.polls == 1 && !updateMode) return {Kind::Activity, Activity::ActivityWaitingForDevice};
    if (long code = FailureCode(id, update.step)) return EndStep(update, {Kind::Failed, static_cast<int>(code)});
    if (!updateMode) {
        // Polls after the first one that the chip spends waiting for a key press.
        std::string keypress = LowerKey(m_sim.Current().Get(Key(id, "keypress")));
        long presses = m_sim.Current().Number(Key(id, "keypress"), 0);
        if (!update.switchMode || keypress == "forever" || update.polls - 1 <= presses)
            return {Kind::Activity, Activity::ActivityWaitingForDevice};
        EnterMode(id, true);
        m_sim.Journal("dfu update-mode " + id);
    }
    update.found = true;
    return {Kind::Activity, Activity::ActivityDeviceFound};
}

DfuChipAnswer SimChips::Download(const std::string& id, Update& update)
{
    if (!InUpdateMode(id)) return EndStep(update, {Kind::Failed, Code::NoUpdateModeDevice});
    long duration = m_sim.Current().Number(Key(id, "download.ms"), kDefaultDownloadMs);
    uint64_t elapsed = Clock::Now() - update.startedAt;
    int percent = duration <= 0 ? 100 : static_cast<int>(std::min<uint64_t>(100, elapsed * 100 / duration));
    long code = FailureCode(id, update.step);
    if (code && percent >= 50) return EndStep(update, {Kind::Failed, static_cast<int>(code)});
    // A held download stays at its percentage, with news at every poll, until
    // the scenario lets it go on.
    const long hold = m_sim.Current().Number(Key(id, "download.hold"), -1);
    if (hold >= 0 && hold < 100 && percent >= hold) {
        update.percent = static_cast<int>(hold);
        return {Kind::Progress, update.percent};
    }
    if (percent > update.percent) {
        update.percent = percent;
        return {Kind::Progress, percent};
    }
    if (percent < 100) return {Kind::Busy, 0};
    update.downloaded = true;
    m_sim.Journal("dfu downloaded " + id);
    return EndStep(update, {Kind::Done, 0});
}

DfuChipAnswer SimChips::Manifest(const std::string& id, Update& update)
{
    switch (update.polls) {
    case 1: {
        if (long code = FailureCode(id, update.step)) {
            update.downloaded = false;
            return EndStep(update, {Kind::Failed, static_cast<int>(code)});
        }
        long productId = 0;
        for (const Chip& chip : PresentChips(true)) {
            if (chip.id == id) productId = chip.productId & ~kUpdateModeBit;
        }
        m_written[{id, kFirmwareVersionKey}] = FirmwareVersionKeyBytes(productId, update.image);
        char version[32];
        std::snprintf(version, sizeof(version), "%d.%d.%d.%d", update.image.major, update.image.minor,
                      update.image.secondaryType, update.image.secondaryVersion);
        m_sim.Journal("dfu version " + id + " " + version);
        return {Kind::Activity, Activity::ActivityRestarting};
    }
    case 2:
        EnterMode(id, false);
        update.restarting = true;
        update.backAt = Clock::Now() + m_sim.Current().Number(Key(id, "restart.ms"), kDefaultRestartMs);
        m_sim.Journal("dfu restart " + id);
        return {Kind::Activity, Activity::ActivityRestarted};
    default:
        update.downloaded = false;
        return EndStep(update, {Kind::Done, 0});
    }
}

void SimChips::AbortStep(const std::wstring& deviceName)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = IdOfName(deviceName, true);
    auto found = m_updates.find(id);
    if (id.empty() || found == m_updates.end() || !found->second.running) return;
    found->second.running = false;
    if (found->second.step == DfuChipStep::Download) found->second.downloaded = false;
    m_sim.Journal("dfu abort " + id + " " + StepWord(found->second.step));
}
