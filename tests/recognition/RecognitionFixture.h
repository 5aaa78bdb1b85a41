// Recognition against simulated headsets: the HID road on handles opened by
// the test, the whole pass with the main window's members held here.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "device/HidDevices.h"
#include "device/Recognition.h"
#include "device_access/SimFixture.h"
#include "dfu/DFUTransport.h"
#include "framework/CString.h"
#include "sim/SimHid.h"

class RecognitionTest : public SimFixture {
protected:
    void TearDown() override
    {
        CloseHidHandle(hidHandle1);
        CloseHidHandle(hidHandle2);
        while (DFUTransportUSB::InitDepth() > 0) DFUTransportUSB::deinit();
        SimFixture::TearDown();
    }

    // Opens the simulated interface of a headset id as the HID finder would.
    static HANDLE Open(const std::string& id, int productId)
    {
        return HidDevices().Open(WideFromUtf8(DefaultHidPath(id, 0x3E1F, productId)).c_str());
    }

    // The whole pass with the main window's members held by the test.
    RecognitionResult Pass(const DeviceSettings* saved = nullptr)
    {
        RecognitionHost host{hidHandle1, hidHandle2, targetProductId};
        return RunRecognitionPass(host, saved);
    }

    // The journal lines that begin with a prefix ("ps-write", "hid a 04").
    static std::vector<std::string> JournalOf(const std::string& prefix)
    {
        std::vector<std::string> lines;
        for (const std::string& line : Journal()) {
            if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        }
        return lines;
    }
    static bool Journalled(const std::string& line)
    {
        const auto lines = Journal();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    HANDLE hidHandle1 = nullptr;
    HANDLE hidHandle2 = nullptr;
    int targetProductId = 0x4D10;
};

inline std::string Narrow(const CString& text) { return text.ToUtf8(); }
