// What the simulated headsets do when they are flashed: the image commands
// with their checks, readiness, the camera's drive, identities that change on
// a command (a restart, update mode, a second function that appears), and
// failures scripted per command. Part of SimHidDevices; every call is made with
// the simulation's lock held. Keys in sim/README.md ("Flashing").
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class Scenario;
class Simulation;

class SimHidFlash {
public:
    explicit SimHidFlash(Simulation& simulation) : m_sim(simulation) {}

    // Forgets every headset's state, counters and images.
    void Reset();
    // Applies the identity changes that are due by now.
    void Advance();

    // False while the interface is away (restarting, or a function not yet started).
    bool Listed(const std::string& id);
    // The product id the interface enumerates with just now.
    long ProductId(const std::string& id, long own);
    // Grows whenever the interface leaves or changes identity: handles opened
    // under an older value are dead.
    long Generation(const std::string& id);

    // What becomes of a request the program writes.
    struct Intake {
        bool writeFails = false;  // the write itself fails
        int forcedStatus = -1;    // the reply's status, when the scenario fails this request
        long latencyUs = 0;       // how long the write takes
    };
    // Counts the request, applies the scenario's failures and schedules what
    // the command does to the headset's identity.
    Intake Receive(const std::string& id, const uint8_t* data, unsigned size);
    // The reply to a flashing command into reply (status in byte 2); false for
    // a command that is not one of them.
    bool Reply(const std::string& id, const uint8_t* data, unsigned size, int forcedStatus, uint8_t* reply);
    // What the journal line of a request carries beyond group and item.
    static std::string JournalSuffix(const uint8_t* data, unsigned size);

    // False while a headset keeps the drive of this letter to itself (its
    // camera storage is not presented to the PC).
    bool DriveShown(wchar_t letter);

    // The version a flash installed ("installs"), dotted as the scenario's
    // "version"; empty while the headset runs the scenario's own.
    std::string InstalledVersion(const std::string& id);

private:
    struct Change {
        bool due = false;
        bool leave = false;    // else: take pid
        long pid = 0;
        uint64_t at = 0;       // when it applies
        uint64_t lasting = 0;  // how long it lasts; 0 for good
    };
    struct Headset {
        bool initialised = false;
        long generation = 0;
        bool away = false;
        long pid = -1;        // identity taken on a command, -1 for its own
        uint64_t until = 0;   // when away or the taken identity ends; 0 never
        Change change;
        std::map<int, long> counts;  // requests per command
        long readyPolls = 0;
        // The image being received.
        int imageType = 0;
        std::vector<uint8_t> image;
        size_t blockStart = 0;
        // A whole image was taken since the last finish; the version it installed.
        bool imageTaken = false;
        std::string installed;
        // The camera's drive.
        bool drivePresented = false;
        bool driveWanted = false;
        long driveLag = 0;
    };

    Headset& State(const std::string& id);
    const Scenario& Current() const;
    void TakeCameraFile(const std::string& id);
    void Install(const std::string& id);

    Simulation& m_sim;
    std::map<std::string, Headset> m_headsets;
};
