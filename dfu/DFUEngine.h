// The DFU library's firmware download engine: the result of a call, the status
// an engine reports, the callback interface through which it reports, and the
// engine itself.
//
// An engine is bound to one chip (CreateUSB) and runs one operation at a time
// on a thread of its own; it reports through the three callbacks of its
// Callback, always on that thread. A firmware update is the sequence:
//
//   StartReconfigure  operation 2: the chip switches into update mode.
//                     Activity 16 while the engine waits for it (repeated while
//                     the chip waits for a key press), 17 once it is there.
//   StartDownload     operation 3 (the first call after a reconfigure): the
//                     chip is asked in update mode; fails with code 7 when no
//                     chip answers in update mode, 28 when it is not ready.
//   StartDownload     operation 4 (after operation 3 succeeded): the image is
//                     sent; notifications carry the percentage (activity 20).
//   StartManifest     operation 5: the chip takes the image (activity 18) and
//                     restarts (activity 19); it comes back in normal mode on
//                     its own, which the caller watches for.
//
// Each operation ends with one OperationDone callback whose Status carries the
// operation, the last activity and the result. Nothing waits for ever: a chip
// that stops answering fails the operation with TimedOut.
#pragma once

#include <memory>

#include "dfu/CStringX.h"

class DFUEngine {
public:
    // The outcome of a library call: code 0 is success.
    class Result {
    public:
        enum Code {
            Success = 0,
            // Codes of the engine's operations.
            NoUpdateModeDevice = 7,  // no chip answers in update mode
            DeviceNotReady = 28,     // the chip is in update mode but not ready
            TransferFailed = 30,     // the chip did not take a block of the image
            TimedOut = 31,           // the chip stopped answering
            FileNotValid = 32,       // the firmware file cannot be read or is not one
            ManifestFailed = 33,     // the chip could not take the image
            ReconfigureFailed = 34,  // the chip could not switch into update mode
            // Codes of the transport.
            NotInitialised = 101,    // DFUTransportUSB::init was not called
            NoSuchDevice = 102,      // no present device of that name or path
            NotConnectable = 103,    // the device is in update mode
            NotConnected = 104,      // the transport has no device
            KeyFailed = 105,         // the chip refused the key read or write
            BadArgument = 106,
        };

        Result(int code = Success, CStringX text = CStringX()) : m_code(code), m_text(std::move(text)) {}
        explicit operator bool() const { return m_code == Success; }
        int GetCode() const { return m_code; }
        const CStringX& GetText() const { return m_text; }

    private:
        int m_code;
        CStringX m_text;
    };

    // What an engine reports with each callback: the operation it runs, the
    // activity within it and the result so far.
    class Status {
    public:
        enum Operation {
            OperationNone = 0,
            OperationReconfigure = 2,
            OperationCheckDevice = 3,
            OperationDownload = 4,
            OperationManifest = 5,
        };
        enum Activity {
            ActivityIdle = 0,
            ActivityWaitingForDevice = 16,  // the chip is not in update mode yet
            ActivityDeviceFound = 17,       // the chip answers in update mode
            ActivityRestarting = 18,        // the chip takes the image and restarts
            ActivityRestarted = 19,         // the chip has left to restart
            ActivityTransferring = 20,      // a block of the image went over
        };

        int operation = OperationNone;
        int activity = ActivityIdle;
        Result result;
    };

    // Receives an engine's reports, on the engine's own thread. Every callback
    // does nothing unless overridden. A callback must not wait for the thread
    // that destroys the engine: it only records or queues what it is given.
    class Callback {
    public:
        virtual ~Callback() = default;
        // Slot 1, value: the percentage of a download (else 0).
        virtual void OnDfuNotify(int value, const Status& status) {}
        // Slot 2, value: the activity.
        virtual void OnDfuStateChange(int value, const Status& status) {}
        // Slot 3, value: the operation.
        virtual void OnDfuOperationDone(int value, const Status& status) {}
    };

    DFUEngine();
    // Destroys the engine as Destroy does.
    ~DFUEngine();
    DFUEngine(const DFUEngine&) = delete;
    DFUEngine& operator=(const DFUEngine&) = delete;

    // True when the file is a firmware file the library takes (see DfuFile.h).
    static bool IsDFUFileValid(const CStringX& path);
    // Fills names (emptied first) with every chip of the library, in normal
    // and in update mode; returns their number: 0 for none, 1 for exactly one.
    static int GetUSBDeviceNames(CStringListX& names);

    // Binds the engine to the chip named by its name, internal path or
    // canonical path; an operation still running is stopped first. Fails with
    // NoSuchDevice when no such chip is present.
    Result CreateUSB(const CStringX& name);
    // The object that receives the reports (not owned; null for none).
    void SetCallback(Callback* callback);

    // Each starts an operation and returns true when it has started; false
    // when another one runs, the chip is gone or refuses it, or the file is
    // not valid. An engine that was given no chip takes the library's only
    // chip, when there is exactly one.
    //
    // Reconfigure: waitOnly leaves the switch to the user (no reset request is
    // sent); checkFile refuses to start unless the file is valid.
    bool StartReconfigure(bool waitOnly, bool checkFile, const CStringX& path);
    bool StartDownload(const CStringX& path);
    // Only after a successful download.
    bool StartManifest();

    // Stops the running operation, joins the engine's thread and releases the
    // chip: no callback is made once it has returned. Safe to call again.
    void Destroy();

    // The backend name of the chip the engine is bound to; empty when none.
    CStringX DeviceName() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};
