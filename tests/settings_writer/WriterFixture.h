// The settings writer against simulated headsets: a recognized HID headset or
// BlueCore chip, the write of a page's body, and the journal lines it leaves.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device_access/SimFixture.h"
#include "dfu/DFUTransport.h"
#include "settings/BasicSettingsBody.h"
#include "settings/SettingsWriter.h"

inline std::wstring SimHidPath(const char* id, int productId)
{
    wchar_t path[128];
    swprintf(path, 128, L"\\\\?\\hid#vid_3e1f&pid_%04x#sim&%hs#{4d1e55b2-f16f-11cf-88cb-001111000030}", productId, id);
    return path;
}

class WriterTest : public SimFixture {
protected:
    void TearDown() override
    {
        CloseHidHandle(state.hidHandle1);
        CloseHidHandle(state.hidHandle2);
        SimFixture::TearDown();
    }

    // A recognized HID headset: interface "h" (and "h2" for the two-interface
    // models) at the version, the main window's handles open on them.
    void RecognizeHid(int productId, VersionGroup version, const std::string& extra = "")
    {
        const std::string pid = std::to_string(productId);
        const std::string dotted = std::to_string(version.Major) + "." + std::to_string(version.Minor) + ".0.0";
        Load("hid.h.pid=" + pid + "\nhid.h.version=" + dotted + "\nhid.h2.pid=" + pid + "\nhid.h2.version=" + dotted +
             "\n" + extra);
        state.targetProductId = productId;
        state.usbStatus = productId;
        state.deviceSettings.ProductId = productId;
        state.deviceSettings.Firmware = version;
        state.deviceSettings.FirstInterface = version;
        state.deviceSettings.SecondInterface = version;
        state.hidHandle1 = HidDevices().Open(SimHidPath("h", productId).c_str());
        state.hidHandle2 = HidDevices().Open(SimHidPath("h2", productId).c_str());
        ASSERT_NE(state.hidHandle1, nullptr);
        ASSERT_NE(state.hidHandle2, nullptr);
        working.CopyFrom(state.deviceSettings, 1);
    }

    // A recognized BlueCore headset: one chip "c" attached under its product
    // id (or the one given).
    void RecognizeChip(int productId, VersionGroup version, const std::string& extra, int attachedAs = 0)
    {
        if (!attachedAs) attachedAs = productId;
        char lines[512];
        std::snprintf(lines, sizeof lines,
                      "usb.1=USB\\VID_3E1F&PID_%04X&REV_0100\ndfu.c.pid=0x%04X\ndfu.c.ps.0x02A3=words:0x%04X\n",
                      attachedAs, attachedAs, productId);
        Load(std::string(lines) + extra);
        state.targetProductId = productId;
        state.usbStatus = attachedAs;
        state.deviceSettings.ProductId = productId;
        state.deviceSettings.Firmware = version;
        working.CopyFrom(state.deviceSettings, 1);
    }

    // A write of the basic settings page's body.
    SettingsWriteOutcome Write(const HidHeadsetFinder& finder = nullptr)
    {
        BasicSettingsWriteBody body(working, state.deviceSettings);
        return Write(body, finder);
    }
    SettingsWriteOutcome Write(SettingsWriteBody& body, const HidHeadsetFinder& finder = nullptr)
    {
        const HidHeadsetFinder find = finder ? finder : [this](int& productId, HANDLE& handle) {
            handle = OpenHidDevice(state.targetProductId);
            productId = state.targetProductId;
            return handle != nullptr;
        };
        const SettingsWriteOutcome outcome = WriteSettingsToHeadset(state, body, find);
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0) << "the DFU library is left started";
        return outcome;
    }

    // The journal lines that start with the prefix, without the information requests.
    static std::vector<std::string> Lines(const std::string& prefix)
    {
        std::vector<std::string> lines;
        for (const std::string& line : Journal()) {
            std::istringstream words(line);
            std::string kind, id, group;
            words >> kind >> id >> group;
            if (line.rfind(prefix, 0) == 0 && !(kind == "hid" && group == "01")) lines.push_back(line);
        }
        return lines;
    }

    AppState state;
    DeviceSettings working;
};

using Lines_ = std::vector<std::string>;
