// Test fixture of the writer threads: simulated headsets from a scenario text,
// every wait recorded instead of spent, a package file in a folder of its own,
// and a writer context on a main-window state of the fixture's.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "app/AppState.h"
#include "app/StatusLine.h"
#include "device/Crc16.h"
#include "device/HidDevices.h"
#include "firmware/HidWriters.h"
#include "firmware/UpdateMessages.h"
#include "firmware/UpdateStatus.h"
#include "firmware/WriterContext.h"
#include "firmware_package/PackageBuilder.h"
#include "framework/Clock.h"
#include "framework/File.h"
#include "device_access/SimFixture.h"
#include "sim/SimHid.h"
#include "sim/Simulation.h"

class WriterFixture : public SimFixture {
protected:
    void SetUp() override
    {
        SimFixture::SetUp();
        Clock::SetSleepHook([this](unsigned ms) {
            sleeps.push_back(ms);
            slept += ms;
            if (onSleep) onSleep(ms);
        });
        main.currentPage = PageFirmwareUpdate;
        page.NewerOffered = 1;
    }
    void TearDown() override
    {
        CloseHidHandle(main.hidHandle1);
        CloseHidHandle(main.hidHandle2);
        SimFixture::TearDown();
    }

    // Another run in the same test: the headsets forget what they were sent,
    // the main window's handles are closed, and the record is open again.
    void Again()
    {
        Simulation::Instance().Reset();
        CloseHidHandle(main.hidHandle1);
        CloseHidHandle(main.hidHandle2);
        status.Finished = false;
        status.Error = UpdateErrorNone;
        status.State = UpdateStateStarted;
        sleeps.clear();
        slept = 0;
    }

    // A headset of the product with two interfaces, a and b, open in the main window.
    void StartPair(int product, const std::string& extra = "")
    {
        char text[128];
        std::snprintf(text, sizeof text, "hid.a.pid=0x%X\nhid.b.pid=0x%X\n", product, product);
        Load(text + extra);
        OpenMain("a", product, "b", product);
        main.targetProductId = product;
    }

    // Opens a simulated interface the way recognition leaves it in the main window.
    static HANDLE OpenSimulated(const char* id, long productId)
    {
        const std::string path = DefaultHidPath(id, 0x3E1F, productId);
        return HidDevices().Open(CString::FromUtf8(path));
    }
    void OpenMain(const char* first, long firstProduct, const char* second = nullptr, long secondProduct = 0)
    {
        main.hidHandle1 = OpenSimulated(first, firstProduct);
        ASSERT_NE(main.hidHandle1, nullptr);
        if (second) {
            main.hidHandle2 = OpenSimulated(second, secondProduct);
            ASSERT_NE(main.hidHandle2, nullptr);
        }
    }

    // Writes a package into the folder and makes it the one to flash.
    void UsePackage(const std::vector<uint8_t>& bytes, const wchar_t* name = L"package.img")
    {
        status.PackagePath = folder / name;
        ASSERT_TRUE(WriteWholeFile(status.PackagePath, bytes.data(), bytes.size()));
    }

    std::unique_ptr<WriterContext> MakeContext()
    {
        WriterInputs inputs = TakeWriterInputs(main, status);
        inputs.programFolder = folder.Path() + L"\\";
        inputs.limits.readinessMs = 60000;
        inputs.limits.toolMs = 3000;
        auto context = std::make_unique<WriterContext>(std::move(inputs), status, page, main.waitForUser);
        context->requestReturnTimer = [this] { ++timerRequests; };
        context->writeSettingsArchive = [this](DeviceSettings&, int) {
            ++archiveWrites;
            archiveState = status.State;
            requestsBeforeArchive = static_cast<int>(JournalOf("hid ").size());
            return archiveResult;
        };
        return context;
    }

    void Run(WriterProcedure procedure)
    {
        std::unique_ptr<WriterContext> context = MakeContext();
        RunWriter(procedure, *context);
    }

    // The journal lines that begin with prefix.
    static std::vector<std::string> JournalOf(const std::string& prefix)
    {
        std::vector<std::string> lines;
        for (const std::string& line : Simulation::Instance().JournalLines()) {
            if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
        }
        return lines;
    }

    // The requests as "<id> <command>", a run of data reports as "<id> 06*<n>".
    static std::vector<std::string> Requests()
    {
        std::vector<std::string> out;
        int dataRun = 0;
        for (const std::string& line : JournalOf("hid ")) {
            const size_t idEnd = line.find(' ', 4);
            std::string request = line.substr(4, idEnd + 3 - 4);  // "<id> <command>"
            if (line.find("write-failed") != std::string::npos) request += " write-failed";
            const bool data = line.compare(idEnd + 1, 2, "06") == 0 && request.find("write-failed") == std::string::npos;
            if (data && dataRun && out.back().compare(0, request.size(), request) == 0) {
                out.back() = request + "*" + std::to_string(++dataRun);
                continue;
            }
            dataRun = data ? 1 : 0;
            out.push_back(data ? request + "*1" : request);
        }
        return out;
    }

    // The journal line of an image as the headset took it.
    static std::string ImageLine(const char* id, int type, const std::vector<uint8_t>& bytes)
    {
        char text[64];
        std::snprintf(text, sizeof text, "image %s %02X %zu %04X", id, type, bytes.size(),
                      Crc16Xmodem(bytes.data(), static_cast<int>(bytes.size())));
        return text;
    }

    CString EnglishText() const { return status.PeekStatusText(LanguageEnglish); }
    CString Text(LanguageIndex language) const { return status.PeekStatusText(language); }

    // Expects a run that ended as a failure with this English text.
    void ExpectFailure(const wchar_t* english)
    {
        EXPECT_EQ(std::wstring(EnglishText()), std::wstring(english));
        EXPECT_TRUE(status.Finished);
        EXPECT_EQ(status.Error, UpdateErrorFailed);
        EXPECT_EQ(page.NewerOffered, 0);
        EXPECT_EQ(timerRequests, 0);
    }

    TempFolder folder{L"writers"};
    AppState main;
    UpdateStatus status;
    UpdatePageState page;
    int timerRequests = 0;
    int archiveWrites = 0;
    int archiveState = -1;
    int requestsBeforeArchive = -1;
    int archiveResult = 1;
    uint64_t slept = 0;
    std::function<void(unsigned)> onSleep;
};
