// The restore's calls on the server: the lookup of the archived version in
// the revisions index, and the download of its backup firmware from the
// server's update base folder into the package the update then flashes.
#pragma once

#include "framework/CString.h"
#include "restore/RevisionsIndex.h"

// The revisions index read for a query; not fetched when the server cannot be
// reached, sends an error answer, breaks off or sends nothing.
struct RevisionsLookup {
    bool fetched = false;
    RevisionsMatch match;
};
// Fetches the index and reads it for the query (blocking, within the bounds
// of HttpDownload: run it on a worker).
RevisionsLookup LookUpRevisions(const RevisionsQuery& query);

// Outcomes, as the download thread reports them (the wParam of WM_BACKUP_DOWNLOAD_DONE).
enum BackupDownloadOutcome : int {
    BackupDownloadOutcomeDone = 0,           // the file arrived whole (at least one byte)
    BackupDownloadOutcomeCannotOpenFile = 1, // the package file cannot be created or put in place
    BackupDownloadOutcomeCannotConnect = 2,  // no answer, an error answer, a broken or empty transfer
};

// The address of a server file in the update base folder; empty for a name
// that is not a plain file name, which is never fetched.
CString BackupFirmwareUrl(const CString& serverFile);
// The package of a target product in folder (ending with a backslash):
// "<model file-name form>.img"; empty when the model's name is no plain file name.
CString BackupPackagePath(const CString& folder, int targetProductId);

// Fetches url into path (blocking, within the download's bounds). The file
// arrives under a temporary name beside path and replaces path only once the
// whole answer came with HTTP status 200, so a failed download leaves no half
// file. A missing folder is created.
BackupDownloadOutcome DownloadBackupFirmware(const CString& url, const CString& path);
