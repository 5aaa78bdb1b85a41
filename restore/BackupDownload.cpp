#include "restore/BackupDownload.h"

#include <windows.h>

#include "app/HttpDownload.h"
#include "app/ManagerUpdate.h"
#include "device/ProductCatalogue.h"
#include "framework/File.h"

namespace {

constexpr int kHttpOk = 200;
constexpr const wchar_t* kPackageExtension = L"img";
constexpr const wchar_t* kPartialSuffix = L".part";

}  // namespace

CString BackupFirmwareUrl(const CString& serverFile)
{
    return IsPlainFileName(serverFile) ? ManagerUpdateBaseFolder() + serverFile : CString();
}

CString BackupPackagePath(const CString& folder, int targetProductId)
{
    const CString name = CString::Formatted(L"%s.%s", GetModelName(targetProductId, 1).GetString(), kPackageExtension);
    return IsPlainFileName(name) ? folder + name : CString();
}

BackupDownloadOutcome DownloadBackupFirmware(const CString& url, const CString& path)
{
    if (url.IsEmpty()) return BackupDownloadOutcomeCannotConnect;
    const int slash = path.ReverseFind(L'\\');
    if (path.IsEmpty() || slash < 0) return BackupDownloadOutcomeCannotOpenFile;
    EnsureFolder(path.Left(slash));

    const CString partial = path + kPartialSuffix;
    int httpStatus = 0;
    const int received = HttpDownload(url, nullptr, partial, nullptr, &httpStatus);
    if (received == kHttpDownloadCannotWriteFile) {
        CFile::Remove(partial);
        return BackupDownloadOutcomeCannotOpenFile;
    }
    if (received < 1 || httpStatus != kHttpOk) {
        CFile::Remove(partial);
        return BackupDownloadOutcomeCannotConnect;
    }
    if (!::MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        CFile::Remove(partial);
        return BackupDownloadOutcomeCannotOpenFile;
    }
    return BackupDownloadOutcomeDone;
}
