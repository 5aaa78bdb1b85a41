// The application-wide state that every page reads and writes: held by the
// main window, window-free so that the layers below the pages can be given it.
//
// Threads: every field is read and written on the user-interface thread only,
// but for the two marked below that a firmware writer thread shares. No worker
// thread holds an AppState: a writer is given a copy of what it needs when it
// starts (WriterInputs, taken by the update's start), and hands its results
// back through the operation's UpdateStatus record, which the page's timers
// read (the settings archive's time included; UpdateDriver stores it here).
#pragma once

#include <atomic>

#include <windows.h>

#include "app/StatusLine.h"
#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"

// Page numbers of the wizard; the current page also selects the operation
// whose texts the status line shows.
enum PageIndex : int {
    PageNone = 0,
    PageWelcome = 1,
    PageRecognition = 2,
    PageFirmwareUpdate = 3,
    PageFirmwareRestore = 4,
    PageDeviceSetting = 5,
    PageDeviceSettingSecond = 6,
    PageSpeedDial = 7,
};
inline constexpr int kFirstPage = PageWelcome;
inline constexpr int kLastPage = PageSpeedDial;

// The left tabs of the frame: one per page up to the restore page, and one for
// the three settings pages.
inline constexpr int kTabCount = 5;

// The code of an automatic recognition pass (GoToRecognition's autoRun): 0 for
// a pass the user starts, a page 3 to 7 to come back to with its success text,
// or kAutoRunGoOn plus a page the user asked for before the pass ran.
inline constexpr int kAutoRunInteractive = 0;
inline constexpr int kAutoRunGoOn = 100;
constexpr int AutoRunGoingOnTo(int page) { return kAutoRunGoOn + page; }
constexpr bool IsAutoRunGoingOn(int code) { return code > kAutoRunGoOn; }
constexpr int AutoRunPage(int code) { return IsAutoRunGoingOn(code) ? code - kAutoRunGoOn : code; }


struct AppState {
    int currentPage = PageNone;
    bool recognized = false;
    // The two HID interfaces of the connected headset (null when not open).
    // Shared: lent to a firmware writer thread for its run, which uses its
    // copies of them while the window is busy and never closes them; they are
    // the window's own again once the writer hands over or fails (see
    // WriterInputs), and the device-return check reopens them.
    HANDLE hidHandle1 = nullptr;
    HANDLE hidHandle2 = nullptr;
    int sectionCount = 0;
    int sectionKinds[kMaxSettingSections] = {};
    int currentSection = 0;
    bool sectionListOpen = false;
    // The product id every page branches on: the model the user aims at.
    int targetProductId = 0;
    // Set after a successful action-camera update while its camera part waits.
    bool cameraPending = false;
    // Shared: set by a firmware writer thread that needs the user (through its
    // context) and polled by it; cleared by the message box's OK on the
    // user-interface thread.
    std::atomic<bool> waitForUser{false};
    LanguageIndex language = LanguageEnglish;
    bool applyToFirmwareLanguage = true;
    // The voice-prompt language, by its English name.
    CString firmwareLanguage;
    StatusLine statusLine;
    // Folder of the last file chosen or downloaded, with a trailing "\".
    CString currentPath;
    // The product id under which the headset is attached (see IsUpdateModeStatus).
    int usbStatus = 0;
    bool busy = false;
    // Percentage of a transfer; -1 hides the progress bar.
    int transferPercent = -1;
    // The recognized headset as read from it, or as last written to it; its
    // ArchiveTime is the time of the last settings archive written of it.
    DeviceSettings deviceSettings;
    // Variant byte of a 0x4210 headset (its HID item 5), kept by recognition so
    // the frame never asks the headset; -1 while it has not been read.
    int hidVariant = -1;

    // The index of a settings page's section among the headset's sections, -1
    // when it has none.
    int SettingSectionIndexOfPage(int page) const
    {
        int kind = 0;
        switch (page) {
        case PageDeviceSetting: kind = kSectionBasic; break;
        case PageDeviceSettingSecond: kind = kSectionFmRadio; break;
        case PageSpeedDial: kind = kSectionSpeedDial; break;
        default: return -1;
        }
        for (int i = 0; i < sectionCount && i < kMaxSettingSections; ++i) {
            if (sectionKinds[i] == kind) return i;
        }
        return -1;
    }

    // True while the frame refuses whatever starts something.
    bool Refuses() const { return busy || sectionListOpen; }
};
