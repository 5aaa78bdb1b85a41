// The DFU library road of a firmware update: BlueCore headsets (and the action
// camera's Bluetooth part) are flashed through the chip vendor's library. Here
// are the checks and steps around that flash: the search for the headset among
// the library's devices, its persistent-store identity and the preparation
// writes, the start of the library's reconfigure step, the identity of the
// firmware file, whether a newer firmware is offered, and whether the headset
// is back after an update.
//
// Window-free: each step returns its outcome with the tag that the start of an
// update appends to its failure text, and the start of an update chooses the
// texts, the order of the steps and the record they fill. Everything here runs
// on the user-interface thread; the engines' callbacks come on their own
// threads.
#pragma once

#include <vector>

#include "app/AppState.h"
#include "dfu/CStringX.h"
#include "dfu/DFUEngine.h"
#include "dfu/DFUTransport.h"
#include "firmware/UpdateStatus.h"

// What a failed step names as its detail text.
enum class DfuRoadOutcome {
    Passed,
    NotRecognizedDevice,  // "Not the recognized device"
    CannotGetDevice,      // "Cannot get device"
    UsbNotMatch,          // "USB not match"
};

struct DfuRoadResult {
    DfuRoadOutcome outcome = DfuRoadOutcome::Passed;
    // Appended to the failure text "%s. %s": "[9][3]", "[8][2]", or the count
    // of devices as "(2)".
    CString tag;
    // The update record's Error value on failure: UpdateErrorWrongDevice when
    // the headset is not the recognized one, else UpdateErrorFailed.
    int error = UpdateErrorNone;

    bool Passed() const { return outcome == DfuRoadOutcome::Passed; }
    // The detail text of the failure in a language; empty when it passed.
    CString Detail(LanguageIndex language) const;
};

// A device of the library that the road accepts: vendor id 0x3E1F and a product
// id of the USB scan's list (bit 15 set in update mode, 0x0001 and 0xFFFF
// included).
struct DfuRoadDevice {
    CStringX name;
    CStringX path;
    int productId = 0;
};

// The product id of an accepted device from its internal path; -1 for a path
// the road does not accept.
int AcceptedDfuProductId(const std::wstring& path);

// The library started for one enumeration: init on construction, the accepted
// devices in list order, deinit on destruction, whatever path returns.
class DfuLibrarySession {
public:
    DfuLibrarySession();
    ~DfuLibrarySession();
    DfuLibrarySession(const DfuLibrarySession&) = delete;
    DfuLibrarySession& operator=(const DfuLibrarySession&) = delete;

    const std::vector<DfuRoadDevice>& Devices() const { return m_devices; }
    // The Bluetooth address's lower part (key 1, bytes 0, 3, 2) as six
    // upper-case hexadecimal digits, from the first accepted device when it
    // connects; false when it does not or the key cannot be read. The
    // connection stays in transport.
    bool ReadFirstAddress(DFUTransportCOM& transport, CString& lap) const;

private:
    std::vector<DfuRoadDevice> m_devices;
};

// The persistent-store identity check: every accepted device that connects
// (0xFFFF is never connected) must hold the recognized product id (key 0x02A3;
// 0x4D10 when it cannot be read, else "[9][3]") and firmware version (read as
// recognition reads it; else "[9][4]"). Devices that do not connect are passed
// over, so a check without any passes.
DfuRoadResult CheckDfuIdentity(const DeviceSettings& recorded);

// The preparation of a headset for its new firmware, a step of its own so that
// it runs only once the file has passed its checks: on each accepted device
// that connects and holds the recognized identity, for the target products that
// need it, the link-manager feature mask 0x00EF set to its EDR-on value and,
// on the models with VOX switches below firmware 4.0, the switches 0x0298 and
// 0x0299 cleared (and before them key 0x02A4 when the recorded firmware is
// 3.2). The number of writes the chips refused.
int WriteDfuPreparation(int targetProductId, const DeviceSettings& recorded);

// The library's two engines of an update, held by the update page.
struct DfuEngines {
    DFUEngine PrimaryEngine;
    DFUEngine SecondaryEngine;
    bool PrimaryEngineOpen = false;    // given a device by the last start
    bool SecondaryEngineOpen = false;
    int DfuPhase = 0;                  // 1 once started; 2 while the second engine works
};

// Gives the engines their devices and starts the library's reconfigure step
// with the record's package: waits 3 s, lists the library's devices (on the
// road of 0x6020, 0x6022 and 0x6024 up to 600 times, a second apart, until
// exactly one is there), gives the first accepted device to the primary engine
// and any further ones to the secondary, checks their number (two for 0x5310,
// else one) and starts the reconfigure on the primary engine. Both engines
// report to callback. DfuPhase is 1 when it passed.
DfuRoadResult StartDfuReconfigure(DfuEngines& engines, DFUEngine::Callback* callback, int targetProductId,
                                  const UpdateStatus& status);

// True when the record's package was made for the recognized headset: its
// identity text (at byte 16, up to its first zero within the first 1648
// bytes, without the white space around it) is the model's "%s#%04X" tag or
// that of a sibling model. A 0x5060 headset of the 0x5011 batch also takes a
// 0x5011 file, which makes it a 0x5011 unit (its identity keys are written;
// when the chip refuses one, the file is not for it).
bool IsImageForDevice(const AppState& app, const UpdateStatus& status);

// True when the version the server offers (the record's offered version) is to
// be offered to the recognized headset as an update, by the rules of its model.
bool IsNewerFirmwareOffered(const AppState& app, const UpdateStatus& status);

// True when the flashed headset is back with its normal firmware: HID models are
// searched and opened again (their handles into app, closed when not found),
// the others must show on USB without bit 15. dfuPhase picks the unit of the
// 0x5310 pair (0 and 1 the first, 2 the second).
bool IsDeviceBack(AppState& app, int dfuPhase);
