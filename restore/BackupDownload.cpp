#include "restore/BackupDownload.h"

#include "device/ProductCatalogue.h"
#include "firmware/FirmwareServer.h"
#include "framework/File.h"

namespace {

constexpr const wchar_t* kPackageExtension = L"img";

}  // namespace

RevisionsLookup LookUpRevisions(const RevisionsQuery& query)
{
    RevisionsLookup lookup;
    CString text;
    lookup.fetched = FetchServerIndex(RevisionsIndexUrl(), text);
    if (lookup.fetched) lookup.match = ParseRevisionsIndex(text.str(), query);
    return lookup;
}

CString BackupFirmwareUrl(const CString& serverFile) { return FirmwareFileUrl(serverFile); }

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
    switch (FetchFirmwareFile(url, path, nullptr)) {
    case FirmwareFileOutcome::Downloaded: return BackupDownloadOutcomeDone;
    case FirmwareFileOutcome::CannotOpenFile: return BackupDownloadOutcomeCannotOpenFile;
    default: return BackupDownloadOutcomeCannotConnect;
    }
}
