// What a firmware writer thread is given, and how it reports.
//
// A writer runs alone on its own thread; the page that started it follows it
// only through the UpdateStatus record, the few page fields of
// UpdatePageState, and a message it posts itself when a writer asks for its
// device-return timer. Writers never touch a window or start a timer.
//
// The headset, drives, serial bridge and time are reached through the device
// seams (HidDevices, Drives, Ftdi, Clock), so the simulation stands in for
// all of them; the settings archive is a call the context carries.
#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>

#include "app/AppState.h"
#include "app/Texts.h"
#include "firmware/UpdateStatus.h"
#include "framework/CString.h"
#include "framework/Sync.h"

// The firmware update page's fields that the writers read and write; the
// page embeds one and reads it on its timers.
struct UpdatePageState {
    // Set while the server offers a newer firmware; a failing writer clears it.
    std::atomic<int> NewerOffered{0};
    // The id of the device-return timer while it runs, else 0 (set by the page).
    std::atomic<int> ReturnTimer{0};
    // The transfer has started: events waited for 0, step active 1.
    std::atomic<int> DfuWaitEvents{0};
    std::atomic<int> DfuStepActive{0};

    // The output of the external flashing programs, with the header of each run.
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

// A localized text of one language.
using LocalizedTextOf = std::function<CString(LanguageIndex)>;

class WriterContext {
public:
    // Takes what the writers read of the main window while the update runs
    // (its page, USB status word, target product, language and HID handles);
    // the main window stays busy meanwhile, so none of them changes.
    WriterContext(AppState& mainDialog, UpdateStatus& updateStatus, UpdatePageState& updatePage);
    WriterContext(const WriterContext&) = delete;
    WriterContext& operator=(const WriterContext&) = delete;

    // The main window's state: read for the settings archive, the wait-for-user flag.
    AppState& WriterMainDialog;
    // The record of the running operation (the update page's or the restore page's).
    UpdateStatus& WriterUpdateStatus;
    UpdatePageState& UpdatePage;

    const int pageIndex;
    const int usbStatus;
    const int targetProductId;
    const LanguageIndex language;
    HANDLE hidHandle1;
    HANDLE hidHandle2;

    // The page posts itself a message and starts its device-return timer.
    std::function<void()> requestReturnTimer;
    // Writes the settings archive of the main window's headset: non-zero on
    // success (WriteSettingsArchive by default).
    std::function<int(AppState&)> writeSettingsArchive;
    // The folder beside the program, ending with a backslash: temporary
    // firmware parts and the external flashing programs. Empty: unavailable.
    CString programFolder;
    WriterLimits limits;

    // The package file to flash.
    CString PackagePath() const { return WriterUpdateStatus.PackagePath; }

    // Titles of the running operation in a language.
    CString InProgressTitle(LanguageIndex language) const;
    CString FailureTitle(LanguageIndex language) const;

    // The eleven status texts at once: format filled with the parts in each
    // language by literal replacement.
    void Compose(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts);
    // Ends the run as a failure: the texts are format filled with the failure
    // title, detail and advice; error flag 1, finished, newer offer cleared.
    void Fail(const wchar_t* format, const LocalizedTextOf& detail, const LocalizedTextOf& advice = {});
    // Ends the run as a failure with texts composed by the caller.
    void FailComposed(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts);

    // Asks the page for its device-return timer when it is not running.
    void RequestReturnTimer();
};

// The path of a file in the program's folder; false when the folder is
// unavailable or the path would be too long.
bool ProgramFilePath(const WriterContext& context, const wchar_t* name, CString& path);
