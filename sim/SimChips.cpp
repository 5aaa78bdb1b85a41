#include "sim/SimChips.h"

#include "sim/Simulation.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <mutex>

namespace {

constexpr long kDefaultVendorId = 0x3E1F;

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
    return scenario.Number(Key(id, "present"), 1) != 0 && scenario.Number(Key(id, "plug"), 0) == plug;
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

std::vector<SimChips::Chip> SimChips::PresentChips()
{
    std::vector<Chip> chips;
    const Scenario& scenario = m_sim.Current();
    for (const std::string& id : scenario.Ids("dfu")) {
        if (scenario.Number(Key(id, "present"), 1) == 0) continue;
        char path[128];
        std::snprintf(path, sizeof(path), "\\\\?\\USB#VID_%04lX&PID_%04lX#SIM%s#{a5dcbf10-6530-11d2-901f-00c04fb951ed}",
                      scenario.Number(Key(id, "vid"), kDefaultVendorId) & 0xFFFF,
                      scenario.Number(Key(id, "pid"), 0) & 0xFFFF, id.substr(0, 32).c_str());
        Chip chip;
        chip.id = id;
        chip.name = WideFromUtf8(scenario.Get(Key(id, "name"), "BlueCoreUSB" + id));
        chip.path = WideFromUtf8(scenario.Get(Key(id, "path"), path));
        chips.push_back(std::move(chip));
    }
    return chips;
}

std::string SimChips::IdOfName(const std::wstring& name)
{
    for (const Chip& chip : PresentChips()) {
        if (chip.name == name) return chip.id;
    }
    return std::string();
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
    exists = false;
    for (const Chip& chip : PresentChips()) {
        if (!SameText(chip.name, nameOrPath) && !SameText(chip.path, nameOrPath)) continue;
        exists = true;
        bool update = LowerKey(m_sim.Current().Get(Key(chip.id, "mode"), "normal")) == "update";
        m_sim.Journal("dfu connect " + chip.id + (update ? " refused" : " ok"));
        if (update) return false;
        deviceName = chip.name;
        m_connected[chip.id] = m_sim.Current().Number(Key(chip.id, "plug"), 0);
        return true;
    }
    return false;
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
}
