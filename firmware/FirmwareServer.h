// The maker's firmware server as the firmware pages use it: the firmware index,
// the revisions index and the firmware files, each a file of the update base
// folder ("<server>/malvobluetoothmanager/"; the server is TORVIK_SERVER when
// set). Indexes are read into memory, firmware files into a file the user
// chose; only a whole answer with HTTP status 200 counts.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "app/HttpDownload.h"
#include "framework/BackgroundJob.h"
#include "framework/CString.h"

inline constexpr const wchar_t* kFirmwareIndexName = L"Firmware";
inline constexpr const wchar_t* kRevisionsIndexName = L"Revisions";

// "%s%s" of the update base folder and a file name.
CString UpdateBaseFolderFile(const wchar_t* name);
CString FirmwareIndexUrl();
CString RevisionsIndexUrl();
// The address of a firmware file an index names; empty for a name that is not
// a plain file name (a folder, a drive or ".." in it), which is never fetched.
CString FirmwareFileUrl(const CString& name);

// An index as the server sent it: 8-bit text in the user's code page, up to
// its first NUL; empty for no bytes.
CString ServerIndexText(const char* bytes, int count);
// Fetches an index into text (ServerIndexText); false when the server cannot
// be reached, sends nothing, sends an error answer or breaks off.
bool FetchServerIndex(const CString& url, CString& text);

// The outcome of a firmware file's download; a failure first, the outcome of
// a worker that broke off.
using FirmwareFileOutcome = FileDownloadOutcome;

// Fetches a firmware file from url into path: DownloadFileIntoPlace, and
// CannotConnect for an empty url (a name that is never fetched).
FirmwareFileOutcome FetchFirmwareFile(const CString& url, const CString& path, DownloadProgress* progress);

// The download of a firmware file. A worker fetches it into a temporary file
// beside the target and renames that into place once the whole answer has come
// with HTTP status 200, so a failed download leaves no file and keeps a file
// that was there before. The user-interface thread polls Percent and GetOutcome.
class FirmwareFileDownload {
public:
    using Outcome = FirmwareFileOutcome;

    // Starts fetching the server file name into path; done, when given, is
    // called on the worker at its end (it should only post a message). False
    // when a download runs, the name is not a plain file name or the worker
    // cannot start.
    bool Start(const CString& name, const CString& path, std::function<void()> done = nullptr);
    // True from Start until the outcome has been taken.
    bool Running() const { return m_job.Running(); }
    // Bytes received against the fixed total of a transfer, 0 to 100; -1 while
    // the transfer has not begun.
    int Percent() const;
    // Running while the worker runs; then the outcome, once, and the download
    // is over. Downloaded only for a body of at least one byte.
    Outcome TakeOutcome();

private:
    std::shared_ptr<DownloadProgress> m_progress;
    BackgroundJob<Outcome> m_job;
};
