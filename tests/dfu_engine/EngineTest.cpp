// The DFU library's engine against the simulated chips: the callbacks of a
// whole update, every fault the chips can play, and Destroy.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/DfuFixtures.h"
#include "support/TempFolder.h"
#include "device/FirmwareVersionKey.h"
#include "device/ProductCatalogue.h"
#include "dfu/DFUEngine.h"
#include "dfu/DFUTransport.h"
#include "dfu/DfuFile.h"
#include "framework/Clock.h"
#include "framework/File.h"
#include "sim/Simulation.h"

namespace {

using Status = DFUEngine::Status;
using Result = DFUEngine::Result;

constexpr int kRefused = 0;  // slot of a step whose start returned false

class EngineTest : public DfuSimulationTest {
protected:
    static size_t JournalIndex(const std::string& line)
    {
        auto journal = Journal();
        return std::find(journal.begin(), journal.end(), line) - journal.begin();
    }

    // Takes the steps of an update one after the other, as the update page
    // does: each once the one before has succeeded. The end of each step, or a
    // refused start (slot 0) with the operation it would have run.
    static std::vector<DfuEvent> RunUpdate(DFUEngine& engine, DfuRecorder& recorder, const CString& file)
    {
        const std::pair<int, std::function<bool()>> steps[] = {
            {Status::OperationReconfigure, [&] { return engine.StartReconfigure(false, true, file.str().c_str()); }},
            {Status::OperationCheckDevice, [&] { return engine.StartDownload(file.str().c_str()); }},
            {Status::OperationDownload, [&] { return engine.StartDownload(file.str().c_str()); }},
            {Status::OperationManifest, [&] { return engine.StartManifest(); }},
        };
        std::vector<DfuEvent> ends;
        for (const auto& [operation, start] : steps) {
            DfuEvent done;
            if (!start()) {
                ends.push_back({kRefused, 0, operation, 0, 0});
                break;
            }
            if (!recorder.WaitDone(&done)) {
                ADD_FAILURE() << "operation " << operation << " never ended";
                break;
            }
            ends.push_back(done);
            if (done.code != Result::Success) break;
        }
        return ends;
    }

    // Waits at most five seconds of real time for the condition.
    static bool WaitFor(const std::function<bool()>& condition)
    {
        for (int i = 0; i < 500; ++i) {
            if (condition()) return true;
            ::Sleep(10);
        }
        return condition();
    }

    static std::vector<int> UsbProducts()
    {
        int ids[4] = {};
        int n = EnumerateUsbProducts(ids, 4);
        return std::vector<int>(ids, ids + std::min(n, 4));
    }

    static int ChipCount()
    {
        CStringListX names;
        return DFUEngine::GetUSBDeviceNames(names);
    }
};

TEST_F(EngineTest, WholeUpdateReportsEachStepAndTheChipReturnsWithTheFilesVersion)
{
    struct Case {
        const char* name;
        int productId;
        const char* file;
        int keyPresses;
        VersionGroup version;
    };
    const Case cases[] = {
        {"headset after two key-press polls", 0x4D10, "tkv8_4D10_4.3.dfu", 2, {4, 3, 0, 0}},
        {"camera without key press", 0x3020, "lumen_3020.dfu", 0, {2, 1, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char scenario[256];
        std::snprintf(scenario, sizeof(scenario),
                      "time.scale=0.01\ndfu.1.pid=0x%04X\ndfu.1.usb=1\ndfu.1.keypress=%d\ndfu.1.restart.ms=60000\n"
                      "dfu.1.ps.0x02A3=words:0x%04X\ndfu.1.ps.0x02A4=0A 00 00 00\n",
                      c.productId, c.keyPresses, c.productId);
        Load(scenario);
        DfuRecorder recorder;
        DFUEngine engine;
        ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
        engine.SetCallback(&recorder);
        EXPECT_EQ(UsbProducts(), std::vector<int>{c.productId});

        std::vector<DfuEvent> ends = RunUpdate(engine, recorder, DfuFixture(c.file));
        const std::vector<DfuEvent> expectedEnds = {
            {3, 2, 2, Status::ActivityDeviceFound, 0},
            {3, 3, 3, Status::ActivityIdle, 0},
            {3, 4, 4, Status::ActivityTransferring, 0},
            {3, 5, 5, Status::ActivityRestarted, 0},
        };
        EXPECT_EQ(ends, expectedEnds);

        std::vector<DfuEvent> events = recorder.Events();
        std::vector<int> reconfigure, manifest, percents;
        for (const DfuEvent& e : events) {
            if (e.slot == 2 && e.operation == 2) reconfigure.push_back(e.activity);
            if (e.slot == 2 && e.operation == 5) manifest.push_back(e.activity);
            if (e.slot == 1) {
                EXPECT_EQ(e.operation, 4);
                EXPECT_EQ(e.activity, Status::ActivityTransferring);
                percents.push_back(e.value);
            }
            if (e.slot == 2) {
                EXPECT_EQ(e.value, e.activity);
            }
        }
        std::vector<int> expectedReconfigure(1 + c.keyPresses, Status::ActivityWaitingForDevice);
        expectedReconfigure.push_back(Status::ActivityDeviceFound);
        EXPECT_EQ(reconfigure, expectedReconfigure);
        EXPECT_EQ(manifest, (std::vector<int>{Status::ActivityRestarting, Status::ActivityRestarted}));
        ASSERT_FALSE(percents.empty());
        EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
        EXPECT_EQ(percents.back(), 100);

        // Restarting: gone from the library and from USB, then back in normal mode.
        EXPECT_EQ(ChipCount(), 0);
        EXPECT_TRUE(UsbProducts().empty());
        EXPECT_TRUE(WaitFor([] { return ChipCount() == 1; }));
        EXPECT_EQ(UsbProducts(), std::vector<int>{c.productId});
        EXPECT_TRUE(Journalled("dfu back 1"));

        DFUTransportUSB::init();
        DFUTransportCOM transport;
        ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", transport));
        VersionGroup version = ReadFirmwareVersion(c.productId, [&](uint16_t key, uint8_t* buffer, int length) {
            return static_cast<bool>(transport.BCCMDGetPS(key, buffer, static_cast<uint16_t>(length), nullptr));
        });
        DFUTransportUSB::deinit();
        EXPECT_EQ(version.Major, c.version.Major);
        EXPECT_EQ(version.Minor, c.version.Minor);
        EXPECT_EQ(version.SecondaryType, c.version.SecondaryType);
        EXPECT_EQ(version.SecondaryVersion, c.version.SecondaryVersion);
        engine.Destroy();
    }
}

TEST_F(EngineTest, InUpdateModeTheChipShowsBit15AndTakesNoConnection)
{
    Load("time.scale=0.01\ndfu.1.pid=0x4D10\ndfu.1.usb=1\n");
    DfuRecorder recorder;
    DFUEngine engine;
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    engine.SetCallback(&recorder);
    DFUTransportUSB::init();
    DFUTransportCOM before;
    ASSERT_TRUE(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", before));

    ASSERT_TRUE(engine.StartReconfigure(false, true, DfuFixture("tkv8_4D10_4.3.dfu").str().c_str()));
    DfuEvent done;
    ASSERT_TRUE(recorder.WaitDone(&done));
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(UsbProducts(), std::vector<int>{0xCD10});
    CStringListX names;
    ASSERT_EQ(DFUEngine::GetUSBDeviceNames(names), 1);  // still listed, in update mode
    CStringListX::Position head = names.GetHeadPosition();
    EXPECT_NE(DFUTransportUSB::PathInternal(names.GetNext(head)).str().find(L"PID_CD10"), std::wstring::npos);
    uint8_t buffer[2];
    EXPECT_FALSE(before.BCCMDGetPS(0x02A3, buffer, 2, nullptr));  // the reset ended the connection
    DFUTransportCOM after;
    EXPECT_EQ(DFURequestsUSB::ConnectDevice(L"BlueCoreUSB1", after).GetCode(), Result::NotConnectable);
    DFUTransportUSB::deinit();
}

TEST_F(EngineTest, EveryFaultOfTheChipEndsAsAFailure)
{
    struct Case {
        const char* scenario;   // lines added to the chip's
        const char* file;
        int operation;          // the step that ends the update
        int slot;               // 3: it ended with code; 0: its start was refused
        int code;
    };
    const Case cases[] = {
        {"dfu.1.refuse=reconfigure", "tkv8_4D10_4.3.dfu", 2, kRefused, 0},
        {"dfu.1.refuse=check", "tkv8_4D10_4.3.dfu", 3, kRefused, 0},
        {"dfu.1.refuse=download", "tkv8_4D10_4.3.dfu", 4, kRefused, 0},
        {"dfu.1.refuse=manifest", "tkv8_4D10_4.3.dfu", 5, kRefused, 0},
        {"", "tkv8_4D10_corrupt.dfu", 2, kRefused, 0},
        {"dfu.1.fail.reconfigure=34", "tkv8_4D10_4.3.dfu", 2, 3, 34},
        {"dfu.1.fail.check=7", "tkv8_4D10_4.3.dfu", 3, 3, 7},
        {"dfu.1.fail.check=28", "tkv8_4D10_4.3.dfu", 3, 3, 28},
        {"dfu.1.fail.download=30", "tkv8_4D10_4.3.dfu", 4, 3, 30},
        {"dfu.1.fail.download=99", "tkv8_4D10_4.3.dfu", 4, 3, 99},
        {"dfu.1.fail.manifest=33", "tkv8_4D10_4.3.dfu", 5, 3, 33},
        {"dfu.1.hang=reconfigure", "tkv8_4D10_4.3.dfu", 2, 3, Result::TimedOut},
        {"dfu.1.keypress=forever", "tkv8_4D10_4.3.dfu", 2, 3, Result::TimedOut},
        {"dfu.1.hang=check", "tkv8_4D10_4.3.dfu", 3, 3, Result::TimedOut},
        {"dfu.1.hang=download", "tkv8_4D10_4.3.dfu", 4, 3, Result::TimedOut},
        {"dfu.1.hang=manifest", "tkv8_4D10_4.3.dfu", 5, 3, Result::TimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scenario) + " " + c.file);
        Load(std::string("time.scale=0.001\ndfu.1.pid=0x4D10\n") + c.scenario + "\n");
        DfuRecorder recorder;
        DFUEngine engine;
        ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
        engine.SetCallback(&recorder);
        std::vector<DfuEvent> ends = RunUpdate(engine, recorder, DfuFixture(c.file));
        ASSERT_FALSE(ends.empty());
        EXPECT_EQ(ends.back().slot, c.slot);
        EXPECT_EQ(ends.back().operation, c.operation);
        EXPECT_EQ(ends.back().code, c.code);
        EXPECT_EQ(ends.size(), static_cast<size_t>(c.operation - 1));  // the steps before it succeeded
        EXPECT_FALSE(Journalled("dfu version 1 4.3.0.0") && c.operation == 5);
        engine.Destroy();
    }
}

TEST_F(EngineTest, ChipUnpluggedDuringTheDownloadFailsIt)
{
    const std::string chip = "time.scale=0.01\ndfu.1.pid=0x4D10\ndfu.1.download.ms=100000\n";
    Load(chip);
    DfuRecorder recorder;
    DFUEngine engine;
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    engine.SetCallback(&recorder);
    CString file = DfuFixture("tkv8_4D10_4.3.dfu");
    DfuEvent done;
    ASSERT_TRUE(engine.StartReconfigure(false, true, file.str().c_str()) && recorder.WaitDone(&done));
    ASSERT_TRUE(engine.StartDownload(file.str().c_str()) && recorder.WaitDone(&done));
    ASSERT_TRUE(engine.StartDownload(file.str().c_str()));
    ASSERT_TRUE(recorder.WaitSlot(1));
    Change(chip + "dfu.1.present=0\n");
    ASSERT_TRUE(recorder.WaitDone(&done));
    EXPECT_EQ(done.operation, 4);
    EXPECT_EQ(done.code, Result::NoUpdateModeDevice);
    EXPECT_FALSE(engine.StartManifest());
}

TEST_F(EngineTest, DestroyDuringAnOperationStopsItAndNothingIsReportedAfterwards)
{
    // Real time: the chip waits for a key press that never comes.
    Load("dfu.1.pid=0x4D10\ndfu.1.keypress=forever\n");
    DfuRecorder recorder;
    DFUEngine engine;
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    engine.SetCallback(&recorder);
    ASSERT_TRUE(engine.StartReconfigure(false, true, DfuFixture("tkv8_4D10_4.3.dfu").str().c_str()));
    ASSERT_TRUE(recorder.WaitSlot(2));

    const ULONGLONG before = GetTickCount64();
    engine.Destroy();
    EXPECT_LT(GetTickCount64() - before, 2000u);  // a hang guard, not a measurement
    const size_t reported = recorder.Count();
    ::Sleep(1200);  // more than two poll intervals of the engine
    EXPECT_EQ(recorder.Count(), reported);
    EXPECT_TRUE(Journalled("dfu abort 1 reconfigure"));
    EXPECT_EQ(std::wstring(engine.DeviceName()), L"");  // the chip is released
    engine.Destroy();  // again: no harm
}

TEST_F(EngineTest, CallbackThatDestroysItsEngineEndsTheOperationWithoutWaitingForItself)
{
    struct Destroyer : DfuRecorder {
        DFUEngine* engine = nullptr;
        void OnDfuStateChange(int value, const DFUEngine::Status& status) override
        {
            DfuRecorder::OnDfuStateChange(value, status);
            engine->Destroy();
        }
    };
    Load("time.scale=0.01\ndfu.1.pid=0x4D10\ndfu.1.keypress=3\n");
    Destroyer destroyer;
    DFUEngine engine;
    destroyer.engine = &engine;
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    engine.SetCallback(&destroyer);
    ASSERT_TRUE(engine.StartReconfigure(false, true, DfuFixture("tkv8_4D10_4.3.dfu").str().c_str()));
    ASSERT_TRUE(destroyer.WaitSlot(2));
    ::Sleep(200);  // many poll intervals at this time scale
    EXPECT_EQ(destroyer.Count(), 1u);
    engine.Destroy();  // joins the thread that ended
    EXPECT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));  // and the engine can be used again
}

TEST_F(EngineTest, SecondEngineTakesTheOnlyChipAndRetriesAfterTheCheckFailed)
{
    Load("time.scale=0.01\ndfu.1.pid=0x4D10\ndfu.1.fail.check=28\ndfu.1.fail.check.times=1\n");
    CString file = DfuFixture("tkv8_4D10_4.3.dfu");
    DfuRecorder first, second;
    DFUEngine primary, secondary;
    ASSERT_TRUE(primary.CreateUSB(L"BlueCoreUSB1"));
    primary.SetCallback(&first);
    std::vector<DfuEvent> ends = RunUpdate(primary, first, file);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends.back().code, 28);

    secondary.SetCallback(&second);  // never given a chip
    ends = RunUpdate(secondary, second, file);
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends.back().code, 0);
    EXPECT_EQ(std::wstring(secondary.DeviceName()), L"BlueCoreUSB1");
    // Already in update mode: found at once, without waiting for the device.
    std::vector<DfuEvent> events = second.Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], (DfuEvent{2, 17, 2, 17, 0}));
}

TEST_F(EngineTest, PairIsFlashedOneChipAfterTheOther)
{
    Load("time.scale=0.01\n"
         "dfu.a.pid=0x5310\ndfu.a.restart.ms=500\ndfu.a.ps.0x02A3=words:0x5310\n"
         "dfu.b.pid=0x5310\ndfu.b.restart.ms=500\ndfu.b.ps.0x02A3=words:0x5310\n");
    CStringListX names;
    ASSERT_EQ(DFUEngine::GetUSBDeviceNames(names), 2);
    CString file = DfuFixture("gzm6_5310.dfu");

    DFUEngine unbound;
    EXPECT_FALSE(unbound.StartReconfigure(false, true, file.str().c_str()));  // two chips: which one?

    DfuRecorder first, second;
    DFUEngine primary, secondary;
    ASSERT_TRUE(primary.CreateUSB(L"BlueCoreUSBa"));
    ASSERT_TRUE(secondary.CreateUSB(DFUTransportUSB::PathInternal(L"BlueCoreUSBb")));  // by its path
    primary.SetCallback(&first);
    secondary.SetCallback(&second);
    EXPECT_EQ(RunUpdate(primary, first, file).back(), (DfuEvent{3, 5, 5, Status::ActivityRestarted, 0}));
    EXPECT_TRUE(WaitFor([] { return ChipCount() == 2; }));
    EXPECT_EQ(RunUpdate(secondary, second, file).back(), (DfuEvent{3, 5, 5, Status::ActivityRestarted, 0}));
    EXPECT_LT(JournalIndex("dfu version a 1.2.0.0"), JournalIndex("dfu reconfigure b"));
    EXPECT_TRUE(Journalled("dfu version b 1.2.0.0"));
}

TEST_F(EngineTest, StartsThatCannotRunAreRefused)
{
    Load("time.scale=0.01\ndfu.1.pid=0x4D10\n");
    CString file = DfuFixture("tkv8_4D10_4.3.dfu");
    DfuRecorder recorder;
    DFUEngine engine;
    EXPECT_EQ(engine.CreateUSB(L"no such chip").GetCode(), Result::NoSuchDevice);
    ASSERT_TRUE(engine.CreateUSB(Device::Canonicalise(DFUTransportUSB::PathInternal(L"BlueCoreUSB1"), true)));
    EXPECT_EQ(std::wstring(engine.DeviceName()), L"BlueCoreUSB1");
    engine.SetCallback(&recorder);
    EXPECT_FALSE(engine.StartManifest());  // nothing downloaded
    EXPECT_FALSE(engine.StartDownload(DfuFixture("tkv8_4D10_corrupt.dfu").str().c_str()));
    EXPECT_FALSE(engine.StartReconfigure(false, true, L"Z:\\no\\such\\file.dfu"));
    EXPECT_TRUE(engine.StartReconfigure(false, false, L""));  // the file is not asked for
    EXPECT_FALSE(engine.StartDownload(file.str().c_str()));   // one operation at a time
    DfuEvent done;
    ASSERT_TRUE(recorder.WaitDone(&done));

    // In normal mode the check finds no chip in update mode, and a chip the
    // user does not switch is waited for until the engine gives up.
    Load("time.scale=0.001\ndfu.1.pid=0x4D10\n");
    ASSERT_TRUE(engine.CreateUSB(L"BlueCoreUSB1"));
    ASSERT_TRUE(engine.StartDownload(file.str().c_str()));
    ASSERT_TRUE(recorder.WaitDone(&done));
    EXPECT_EQ(done.operation, 3);
    EXPECT_EQ(done.code, Result::NoUpdateModeDevice);
    ASSERT_TRUE(engine.StartReconfigure(true, true, file.str().c_str()));
    ASSERT_TRUE(recorder.WaitDone(&done));
    EXPECT_EQ(done.code, Result::TimedOut);
    EXPECT_FALSE(Journalled("dfu update-mode 1"));

    Change("");
    EXPECT_EQ(ChipCount(), 0);
    DFUEngine lonely;
    EXPECT_FALSE(lonely.StartReconfigure(false, true, file.str().c_str()));  // no chip at all
}

TEST_F(EngineTest, DeviceNamesListNormalAndUpdateModeChipsOfEveryVendor)
{
    Load("dfu.1.pid=0x4D10\ndfu.2.pid=0xCD30\ndfu.2.mode=update\ndfu.3.vid=0x0A12\ndfu.3.pid=0x0001\n"
         "dfu.4.pid=0x4D40\ndfu.4.present=0\n");
    CStringListX names;
    names.AddTail(L"stale");
    EXPECT_EQ(DFUEngine::GetUSBDeviceNames(names), 3);
    EXPECT_EQ(names.GetCount(), 3);
}

TEST(DfuFileTest, ValidityOfFiles)
{
    TempFolder folder(L"dfu");
    std::string valid;
    ASSERT_TRUE(ReadWholeFile(DfuFixture("tkv8_4D10_4.3.dfu"), valid));
    ASSERT_TRUE(WriteWholeFile(folder / L"cut.dfu", valid.substr(0, valid.size() - 1)));
    ASSERT_TRUE(WriteWholeFile(folder / L"longer.dfu", valid + '\0'));
    ASSERT_TRUE(WriteWholeFile(folder / L"header.dfu", valid.substr(0, 63)));
    ASSERT_TRUE(WriteWholeFile(folder / L"empty.dfu", std::string()));

    struct Case {
        CString path;
        bool valid;
    };
    const Case cases[] = {
        {DfuFixture("tkv8_4D10_4.3.dfu"), true},
        {DfuFixture("tkv8_4D10_short.dfu"), true},  // shorter than a headset reads, still a file
        {DfuFixture("tkv8_4D10_padded.dfu"), true},
        {DfuFixture("tkv8_4D10_corrupt.dfu"), false},
        {folder / L"cut.dfu", false},
        {folder / L"longer.dfu", false},
        {folder / L"header.dfu", false},
        {folder / L"empty.dfu", false},
        {folder / L"missing.dfu", false},
        {CString(), false},
    };
    for (const Case& c : cases) EXPECT_EQ(DFUEngine::IsDFUFileValid(c.path.str().c_str()), c.valid) << c.path.ToUtf8();

    DfuFileInfo info;
    ASSERT_TRUE(ReadDfuFile(DfuFixture("lumen_3020.dfu"), &info));
    EXPECT_EQ(info.identity, "LUMEN#3020");
    EXPECT_EQ(info.productId, 0x3020);
    EXPECT_EQ((std::vector<int>{info.major, info.minor, info.secondaryType, info.secondaryVersion}),
              (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(DfuCrc32(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);
}

// Damaged firmware files: a change the checksum does not cover is refused;
// with length and checksum made to fit again the header is read within its
// fields, whatever the bytes.
TEST(DfuFileTest, MutatedFilesAreRefusedOrReadWithinTheHeader)
{
    std::string original;
    ASSERT_TRUE(ReadWholeFile(DfuFixture("tkv8_4D10_4.3.dfu"), original));
    std::mt19937 random(31);
    int accepted = 0;
    for (int round = 0; round < 250; ++round) {
        std::vector<uint8_t> bytes(original.begin(), original.end());
        switch (random() % 3) {
        case 0:  // cut short or made longer
            bytes.resize(random() % 2 ? random() % bytes.size() : bytes.size() + 1 + random() % 64, 0xFF);
            break;
        case 1:  // a header byte, the identity's closing zeros among them
            bytes[16 + random() % 48] ^= static_cast<uint8_t>(1 + random() % 255);
            break;
        default:  // a byte anywhere the checksum covers
            bytes[16 + random() % (bytes.size() - 16)] ^= static_cast<uint8_t>(1 + random() % 255);
            break;
        }
        const bool repaired = random() % 2 && bytes.size() >= kDfuFileHeaderSize;
        if (repaired) {
            const uint32_t length = static_cast<uint32_t>(bytes.size());
            const uint32_t crc = DfuCrc32(bytes.data() + 16, bytes.size() - 16);
            for (int i = 0; i < 4; ++i) {
                bytes[8 + i] = static_cast<uint8_t>(length >> (8 * i));
                bytes[12 + i] = static_cast<uint8_t>(crc >> (8 * i));
            }
        }
        DfuFileInfo info;
        const bool read = ParseDfuFile(bytes.data(), bytes.size(), &info);
        EXPECT_EQ(read, repaired) << "round " << round;
        if (!read) continue;
        ++accepted;
        EXPECT_EQ(info.size, bytes.size());
        EXPECT_LE(info.identity.size(), kDfuFileIdentitySize);
        EXPECT_EQ(info.productId, bytes[52] | (bytes[53] << 8));
    }
    EXPECT_GT(accepted, 50);
}

TEST(DfuShippedEngine, FindsNoChips)
{
    CStringListX names;
    EXPECT_EQ(DFUEngine::GetUSBDeviceNames(names), 0);
    DFUEngine engine;
    EXPECT_FALSE(engine.CreateUSB(L"BlueCoreUSB1"));
    EXPECT_FALSE(engine.StartReconfigure(false, false, L""));
}

}  // namespace
