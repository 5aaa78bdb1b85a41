// The DFU library's engine types: the result of a call, the status an engine
// reports, and the callback interface through which it reports.
//
// The firmware download engine itself (device names in update mode, binding an
// engine to a device, reconfigure, download, manifest) builds on these.
#pragma once

#include "dfu/CStringX.h"

class DFUEngine {
public:
    // The outcome of a library call: code 0 is success.
    class Result {
    public:
        enum Code {
            Success = 0,
            NotInitialised = 101,   // DFUTransportUSB::init was not called
            NoSuchDevice = 102,     // no present device of that name or path
            NotConnectable = 103,   // the device is in update mode
            NotConnected = 104,     // the transport has no device
            KeyFailed = 105,        // the chip refused the key read or write
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
        int operation = 0;
        int activity = 0;
        Result result;
    };

    // Receives an engine's reports, on the engine's own thread. Every callback
    // does nothing unless overridden.
    class Callback {
    public:
        virtual ~Callback() = default;
        virtual void OnDfuNotify(int value, const Status& status) {}
        virtual void OnDfuStateChange(int value, const Status& status) {}
        virtual void OnDfuOperationDone(int value, const Status& status) {}
    };
};
