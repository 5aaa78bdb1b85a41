// The manager's check for a newer version of itself: the version file on the
// maker's server, the offer, and the installer download that a worker runs
// while the user-interface thread polls it.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "app/HttpDownload.h"
#include "framework/BackgroundJob.h"
#include "framework/CString.h"

// The name that keys the manager's lines in the version file.
inline constexpr const wchar_t* kManagerApplicationName = L"TORVIKBluetoothDeviceManagerForWindows";

// The update base folder on the server, ending in "/malvobluetoothmanager/".
CString ManagerUpdateBaseFolder();
// The version file "Software" in the base folder's "x64/" subfolder.
CString ManagerVersionFileUrl();

// What the version file says of this manager.
struct ManagerVersionLine {
    bool found = false;   // a version line with the manager's name was read
    int major = 1;
    int minor = 0;
    int third = 1;
    CString installerName;
};

// Reads the first version line keyed by the manager's name (case-sensitive)
// and the third-number line just before or right after it.
ManagerVersionLine ParseManagerVersionFile(const CString& text);
// True when major.minor.third is newer than the running 1.0.1.
bool IsNewerManagerVersion(int major, int minor, int third);
// True when a path ends in ".exe" (any case): the only files the manager starts.
bool HasInstallerExtension(const CString& path);
// True for an installer name from the server that may be fetched and started:
// a plain file name (IsPlainFileName) with the installer extension.
bool IsInstallerFileName(const CString& name);
// True when a matching line names a newer version.
bool OffersNewerManager(const ManagerVersionLine& line);
// True when a matching line names a newer version and an installer file name.
bool ShouldOfferManagerUpdate(const ManagerVersionLine& line);
// Fetches the version file into line; false when it could not be fetched
// whole with HTTP status 200 (try again later).
bool FetchManagerVersion(ManagerVersionLine& line);

// The version check off the user-interface thread, so that the window keeps
// painting and answering while the server takes its time (within the bounds
// of HttpDownload). A worker fetches and reads the version file and then calls
// done, on the worker: done should only post a message to the window that
// takes the result.
class ManagerVersionCheck {
public:
    // Starts the worker; false when it cannot start (or one runs already).
    bool Start(std::function<void()> done);
    // True from Start until the result has been taken.
    bool Running() const { return m_job.Running(); }
    // False while the worker runs. Once it has ended: true, and the check is
    // over; fetched tells whether the version file came whole with HTTP
    // status 200, and line holds what it says.
    bool TakeResult(bool& fetched, ManagerVersionLine& line);

private:
    struct Result {
        bool fetched = false;  // also after an exception stopped the check
        ManagerVersionLine line;
    };
    BackgroundJob<Result> m_job{L"the manager's version check"};
};

// The installer download. A detached worker thread fetches the file; the
// user-interface thread polls Percent and GetOutcome. The state is shared with
// the worker, so this object may go away while the worker still runs.
class ManagerInstallerDownload {
public:
    using Outcome = FileDownloadOutcome;

    // Starts fetching url into path; false when the worker cannot start.
    bool Start(const CString& url, const CString& path);
    // Bytes received against the fixed total, 0 to 100; -1 before the transfer
    // has begun.
    int Percent() const;
    // Running until the worker has ended, then what DownloadFileIntoPlace gave:
    // the installer is at path only after a whole body with HTTP status 200.
    Outcome GetOutcome() const;

private:
    // Written by the worker, read by the user-interface thread: progress as
    // the bytes come; the outcome, then finished last. path is set before the
    // worker starts and only read after.
    struct Shared {
        DownloadProgress progress;
        std::atomic<bool> finished{false};
        std::atomic<Outcome> outcome{Outcome::Running};
        CString path;
    };
    std::shared_ptr<Shared> m_shared;
};
