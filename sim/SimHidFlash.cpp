#include "sim/SimHidFlash.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <sstream>

#include "device/Crc16.h"
#include "framework/Clock.h"
#include "sim/Simulation.h"

namespace {

constexpr uint8_t kStatusFailure = 2;
constexpr int kMostChunkBytes = 1019;

// Commands of the flashing protocol.
enum FlashCommand : int {
    CommandBeginImage = 0x05,
    CommandImageData = 0x06,
    CommandEndImage = 0x07,
    CommandFinish = 0x08,
    CommandReadiness = 0x0D,
    CommandDriveRequest = 0x20,
    CommandDriveRelease = 0x21,
    CommandDriveState = 0x22,
    CommandModeDfu = 0x31,
    CommandRole = 0x32,
    CommandAfterDfu = 0x33,
    CommandAfterLoader = 0x34,
    CommandStageDone = 0x52,
    CommandVoicePrompt = 0x59,
    CommandBlockCheck = 0x5A,
    CommandImageCheck = 0x5B,
};

const wchar_t kCameraImageName[] = L"FWCARCAM.bin";
const wchar_t kCameraVersionName[] = L"KC5.VER";

std::string Key(const std::string& id, const char* field) { return "hid." + id + "." + field; }

std::string Hex(unsigned long value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%0*lX", digits, value & 0xFFFFFFFFul);
    return text;
}

// The value of "hid.<id>.<field>.<command>", the command written in any form.
bool CommandValue(const Scenario& scenario, const std::string& id, const char* field, int command, std::string& out)
{
    for (const auto& entry : scenario.Entries(Key(id, field) + ".")) {
        long number = 0;
        if (ParseNumber(entry.first, number) && number == command) {
            out = entry.second;
            return true;
        }
    }
    return false;
}

// "all", or a list of request numbers counted from 1.
bool ListNames(const std::string& value, long number)
{
    if (LowerKey(value) == "all") return true;
    const std::vector<long> numbers = ParseNumberList(value);
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(LowerKey(word));
    return words;
}

wchar_t CameraLetter(const Scenario& scenario, const std::string& id)
{
    const std::string value = scenario.Get(Key(id, "camera"));
    return value.size() == 1 && std::iswalpha(static_cast<wint_t>(value[0]))
               ? static_cast<wchar_t>(std::towupper(static_cast<wint_t>(value[0])))
               : 0;
}

bool FileThere(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const Scenario& SimHidFlash::Current() const { return m_sim.Current(); }

void SimHidFlash::Reset() { m_headsets.clear(); }

SimHidFlash::Headset& SimHidFlash::State(const std::string& id)
{
    Headset& headset = m_headsets[id];
    if (!headset.initialised) {
        headset.initialised = true;
        // A function that starts on another's command is not there before it.
        headset.away = Current().Has(Key(id, "appears"));
    }
    return headset;
}

void SimHidFlash::Advance()
{
    const uint64_t now = Clock::Now();
    for (auto& [id, headset] : m_headsets) {
        Change& change = headset.change;
        if (change.due && now >= change.at) {
            change.due = false;
            ++headset.generation;
            headset.away = change.leave;
            headset.pid = change.leave ? -1 : change.pid;
            headset.until = change.lasting ? change.at + change.lasting : 0;
            m_sim.Journal(change.leave ? "hid-leave " + id : "hid-identity " + id + " " + Hex(change.pid, 4));
        }
        if ((headset.away || headset.pid >= 0) && headset.until && now >= headset.until) {
            ++headset.generation;
            headset.away = false;
            headset.pid = -1;
            headset.until = 0;
            m_sim.Journal("hid-return " + id);
        }
    }
}

bool SimHidFlash::Listed(const std::string& id) { return !State(id).away; }

long SimHidFlash::ProductId(const std::string& id, long own)
{
    const Headset& headset = State(id);
    return headset.pid >= 0 ? headset.pid : own;
}

long SimHidFlash::Generation(const std::string& id) { return State(id).generation; }

SimHidFlash::Intake SimHidFlash::Receive(const std::string& id, const uint8_t* data, unsigned size)
{
    Intake intake;
    const Scenario& scenario = Current();
    Headset& headset = State(id);
    const int command = data[1];
    const long number = ++headset.counts[command];
    intake.latencyUs = scenario.Number(Key(id, "latency.us"), 0);

    std::string value;
    if (CommandValue(scenario, id, "writefail", command, value) && ListNames(value, number)) {
        intake.writeFails = true;
        return intake;
    }
    if (CommandValue(scenario, id, "fail", command, value) && ListNames(value, number)) {
        intake.forcedStatus = kStatusFailure;
        return intake;  // a refused command changes nothing
    }

    // "on.<command>": leave, or take another product id, after a while and for a while.
    if (CommandValue(scenario, id, "on", command, value)) {
        const std::vector<std::string> words = Words(value);
        Change change;
        change.due = !words.empty();
        change.at = Clock::Now();
        for (size_t i = 0; i < words.size(); ++i) {
            long amount = 0;
            if (words[i] == "leave") {
                change.leave = true;
            } else if (i + 1 < words.size() && ParseNumber(words[i + 1], amount) && amount >= 0) {
                if (words[i] == "pid") change.pid = amount;
                else if (words[i] == "after") change.at += static_cast<uint64_t>(amount);
                else if (words[i] == "for") change.lasting = static_cast<uint64_t>(amount);
                ++i;
            }
        }
        if (change.due) headset.change = change;
    }

    // "appears=<id> <command>": a function that this command starts.
    for (const std::string& other : scenario.Ids("hid")) {
        const std::vector<std::string> words = Words(scenario.Get(Key(other, "appears")));
        long trigger = 0;
        if (words.size() < 2 || words[0] != LowerKey(id) || !ParseNumber(words[1], trigger) || trigger != command) continue;
        Headset& started = State(other);
        if (!started.away) continue;
        started.away = false;
        started.until = 0;
        ++started.generation;
        m_sim.Journal("hid-appear " + other);
    }
    (void)size;
    return intake;
}

bool SimHidFlash::Reply(const std::string& id, const uint8_t* data, unsigned size, int forcedStatus, uint8_t* reply)
{
    const Scenario& scenario = Current();
    Headset& headset = State(id);
    const bool refused = forcedStatus >= 0;
    uint8_t status = 0;
    switch (data[1]) {
    case CommandBeginImage:
        if (refused) break;
        headset.imageType = data[2];
        headset.image.clear();
        headset.blockStart = 0;
        break;
    case CommandImageData: {
        const unsigned length = (data[2] << 8) | data[3];
        if (length > kMostChunkBytes || 4 + length > size) {
            status = kStatusFailure;
            break;
        }
        if (refused) break;
        headset.blockStart = headset.image.size();
        headset.image.insert(headset.image.end(), data + 4, data + 4 + length);
        break;
    }
    case CommandEndImage:
        if (refused) break;
        headset.imageTaken = true;
        m_sim.Journal("image " + id + " " + Hex(static_cast<unsigned long>(headset.imageType), 2) + " " +
                      std::to_string(headset.image.size()) + " " +
                      Hex(Crc16Xmodem(headset.image.data(), static_cast<int>(headset.image.size())), 4));
        break;
    case CommandFinish:
        if (!refused) Install(id);
        break;
    case CommandModeDfu:
    case CommandAfterDfu:
    case CommandAfterLoader:
    case CommandStageDone:
    case CommandVoicePrompt:
        break;
    case CommandReadiness: {
        // "ready=<n>": not ready for the first n polls; "never": not at all.
        ++headset.readyPolls;
        const std::string ready = LowerKey(scenario.Get(Key(id, "ready"), "0"));
        long polls = 0;
        reply[3] = ready != "never" && (!ParseNumber(ready, polls) || headset.readyPolls > polls) ? 1 : 0;
        break;
    }
    case CommandRole:
        reply[3] = static_cast<uint8_t>(scenario.Number(Key(id, "primary"), 0));
        break;
    case CommandDriveRequest:
    case CommandDriveRelease:
    case CommandDriveState: {
        if (!CameraLetter(scenario, id)) {
            status = kStatusFailure;
            break;
        }
        if (data[1] == CommandDriveState) {
            // The drive follows a request or a release after "camera.lag" polls.
            if (headset.drivePresented != headset.driveWanted) {
                if (headset.driveLag > 0) --headset.driveLag;
                else headset.drivePresented = headset.driveWanted;
            }
            reply[3] = headset.drivePresented ? 1 : 0;
            break;
        }
        if (refused) break;
        const bool request = data[1] == CommandDriveRequest;
        if (!request && headset.drivePresented) TakeCameraFile(id);
        headset.driveWanted = request;
        headset.driveLag = scenario.Number(Key(id, "camera.lag"), 0);
        if (headset.driveLag <= 0) headset.drivePresented = request;
        break;
    }
    case CommandBlockCheck:
    case CommandImageCheck: {
        // The check value arrives low byte first after the length 0x0002.
        const uint16_t sent = static_cast<uint16_t>(data[4] | (data[5] << 8));
        const bool block = data[1] == CommandBlockCheck;
        const size_t from = block ? headset.blockStart : 0;
        const uint16_t held =
            Crc16Xmodem(headset.image.data() + from, static_cast<int>(headset.image.size() - from));
        if (!refused && ((data[2] << 8) | data[3]) == 2 && sent == held) {
            headset.blockStart = headset.image.size();
            break;
        }
        // A refused block is dropped; a refused image is received again from its start.
        status = kStatusFailure;
        headset.image.resize(from);
        headset.blockStart = from;
        break;
    }
    default:
        return false;
    }
    reply[2] = refused ? static_cast<uint8_t>(forcedStatus) : status;
    return true;
}

std::string SimHidFlash::JournalSuffix(const uint8_t* data, unsigned size)
{
    if (size < 6) return std::string();
    const unsigned length = (data[2] << 8) | data[3];
    unsigned word = 0;
    switch (data[1]) {
    case CommandImageData:  // length and the CRC of the chunk
        word = Crc16Xmodem(data + 4, static_cast<int>(std::min<unsigned>(length, size - 4)));
        break;
    case CommandBlockCheck:  // length and the check value sent
    case CommandImageCheck:
        word = data[4] | (data[5] << 8);
        break;
    default:
        return std::string();
    }
    char text[16];
    std::snprintf(text, sizeof(text), " %04X %04X", length, word);
    return text;
}

void SimHidFlash::Install(const std::string& id)
{
    Headset& headset = State(id);
    // "installs=<version>": the finish after a whole image makes the headset
    // run that version; without it the headset keeps its version.
    const std::string installs = Current().Get(Key(id, "installs"));
    if (!headset.imageTaken || installs.empty()) return;
    headset.imageTaken = false;
    headset.installed = installs;
    m_sim.Journal("hid-installs " + id + " " + installs);
}

std::string SimHidFlash::InstalledVersion(const std::string& id) { return State(id).installed; }

void SimHidFlash::TakeCameraFile(const std::string& id)
{
    const Scenario& scenario = Current();
    const wchar_t letter = CameraLetter(scenario, id);
    const std::string driveKey = std::string("drive.") + static_cast<char>(std::towlower(letter)) + ".folder";
    const std::wstring folder = WideFromUtf8(scenario.Get(driveKey));
    if (folder.empty()) return;
    const std::wstring image = folder + L"\\" + kCameraImageName;
    if (!FileThere(image)) return;
    // "camera.installs=<major>.<minor>": the camera takes the file as that
    // version; without it the camera leaves the file and keeps its version.
    const std::string installs = scenario.Get(Key(id, "camera.installs"));
    if (installs.empty()) {
        m_sim.Journal("camera " + id + " ignores");
        return;
    }
    const std::string text = installs + "\r\n";
    HANDLE file = ::CreateFileW((folder + L"\\" + kCameraVersionName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    ::DeleteFileW(image.c_str());
    m_sim.Journal("camera " + id + " installs " + installs);
}

bool SimHidFlash::DriveShown(wchar_t letter)
{
    const Scenario& scenario = Current();
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
    for (const std::string& id : scenario.Ids("hid")) {
        if (CameraLetter(scenario, id) != wanted || scenario.Number(Key(id, "present"), 1) == 0) continue;
        return State(id).drivePresented;
    }
    return true;
}
