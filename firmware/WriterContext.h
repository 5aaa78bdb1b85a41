// What a firmware writer thread is given, and how it reports.
//
// A writer runs alone on its own thread, started by the user-interface thread
// (UpdateDriver, through StartWriterThread). It is given its inputs by value,
// taken when it starts (WriterInputs), and reports only through what its
// context names: the operation's UpdateStatus record, the few page fields of
// UpdatePageState, the main window's wait-for-user flag, and two calls (the
// settings archive, and the request for the device-return timer, which posts
// the page a message). Writers never touch a window, start a timer or hold
// the main window's state.
//
// The headset, drives, serial bridge and time are reached through the device
// seams (HidDevices, Drives, Ftdi, Clock), so the simulation stands in for
// all of them.
#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>

#include "app/AppState.h"
#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "firmware/UpdateStatus.h"
#include "framework/CString.h"
#include "framework/Sync.h"

// The firmware update page's fields that the writers share with it; the page
// embeds one and reads it on its timers. Who writes what is said per field.
struct UpdatePageState {
    // Set while the server offers a newer firmware (the page); a failing
    // writer clears it.
    std::atomic<int> NewerOffered{0};
    // The id of the device-return timer while it runs, else 0: written by the
    // page only, read by a writer before it asks for the timer.
    std::atomic<int> ReturnTimer{0};
    // The transfer has started: events waited for 0, step active 1. Written by
    // a writer when it begins writing and by the DFU road on the page.
    std::atomic<int> DfuWaitEvents{0};
    std::atomic<int> DfuStepActive{0};

    // The output of the external flashing programs, with the header of each
    // run: written by the combined-chip writer, under its lock.
    void EmptyToolLog();
    void AppendToolLog(const CString& text);
    CString ToolLog() const;

private:
    mutable CCriticalSection m_toolLogLock;
    CString m_toolLog;
};

// Bounds of the waits that the headset or a program could otherwise stretch
// for ever.
struct WriterLimits {
    // The readiness poll after the last image gives up after this long.
    unsigned readinessMs = 180000;
    // Pause after a readiness poll that got no answer.
    unsigned failedPollPauseMs = 500;
    // An external flashing program is ended after this long.
    unsigned toolMs = 10 * 60 * 1000;
    // Resends of one second-stage block whose block check keeps failing.
    int blockResends = 16;
};

// What a writer is given by value: taken on the user-interface thread when
// the writer starts, and from then on the writer's own copy, which nobody else
// reads or writes.
struct WriterInputs {
    // The operation: PageFirmwareUpdate or PageFirmwareRestore (its status
    // titles, and whether the settings archive is written).
    int pageIndex = PageNone;
    // The product id under which the headset is attached (the status titles).
    int usbStatus = 0;
    int targetProductId = 0;
    // The user-interface language (the two-stage headset's voice prompts).
    LanguageIndex language = LanguageEnglish;
    // The main window's two HID handles of the headset, lent for the run.
    // From the start until the writer hands over (its request for timer 205)
    // or ends the run as a failure (Finished), only the writer uses them; the
    // main window is busy meanwhile and neither uses nor closes them. The
    // writer never closes or replaces them: after that they are the main
    // window's again, and its device-return check (IsDeviceBack) closes and
    // reopens them. Handles a writer opens itself are its own and closed by it.
    HANDLE hidHandle1 = nullptr;
    HANDLE hidHandle2 = nullptr;
    // The recognized headset as the main window holds it: the settings
    // archive's source. The writer stamps the archive time on this copy and
    // hands the time back through the record (UpdateStatus::ArchiveTime).
    DeviceSettings deviceSettings;
    // The package file to flash (the record's PackagePath when it starts).
    CString packagePath;
    // The folder beside the program, ending with a backslash: temporary
    // firmware parts and the external flashing programs. Empty: unavailable.
    CString programFolder;
    WriterLimits limits;
};

// The inputs of a writer for the main window's headset and the record's
// package, taken now (the program folder and limits left at their defaults).
WriterInputs TakeWriterInputs(const AppState& app, const UpdateStatus& record);

// A localized text of one language.
using LocalizedTextOf = std::function<CString(LanguageIndex)>;

class WriterContext {
public:
    // record and page are the operation's; waitForUser is the main window's
    // flag. All three must outlive the run: the main window is busy until the
    // run has ended, and refuses to close while it is.
    WriterContext(WriterInputs inputs, UpdateStatus& record, UpdatePageState& page, std::atomic<bool>& waitForUser);
    WriterContext(const WriterContext&) = delete;
    WriterContext& operator=(const WriterContext&) = delete;

    WriterInputs inputs;

    // What the writer hands back. The record of the running operation (the
    // update page's or the restore page's): state, flags, counters, texts and
    // the archive time.
    UpdateStatus& WriterUpdateStatus;
    UpdatePageState& UpdatePage;
    // Set by the writer when the settings archive failed; cleared by the OK
    // of the page's prompt on the user-interface thread.
    std::atomic<bool>& waitForUser;

    // Posts the page a message, on which it starts its device-return timer.
    std::function<void()> requestReturnTimer;
    // Stamps settings with the current time and writes its archive for the
    // target product: non-zero on success (WriteSettingsArchive into the
    // program's "IMG" folder by default).
    std::function<int(DeviceSettings& settings, int targetProductId)> writeSettingsArchive;

    // Titles of the running operation in a language.
    CString InProgressTitle(LanguageIndex language) const;
    CString FailureTitle(LanguageIndex language) const;

    // The eleven status texts at once: format filled with the parts in each
    // language by literal replacement.
    void Compose(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts);
    // Ends the run as a failure: the texts are format filled with the failure
    // title, detail and advice; error flag 1, finished, newer offer cleared.
    // The main window's handles are its own again from here.
    void Fail(const wchar_t* format, const LocalizedTextOf& detail, const LocalizedTextOf& advice = {});
    // Ends the run as a failure with texts composed by the caller.
    void FailComposed(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts);

    // Asks the page for its device-return timer when it is not running.
    void RequestReturnTimer();
};

// The path of a file in the program's folder; false when the folder is
// unavailable or the path would be too long.
bool ProgramFilePath(const WriterContext& context, const wchar_t* name, CString& path);
