#include "firmware/FirmwareServer.h"

#include <cstring>

#include "app/ManagerUpdate.h"
#include "framework/File.h"

namespace {

constexpr int kHttpOk = 200;

}  // namespace

CString UpdateBaseFolderFile(const wchar_t* name)
{
    return CString::Formatted(L"%s%s", ManagerUpdateBaseFolder().GetString(), name ? name : L"");
}

CString FirmwareIndexUrl() { return UpdateBaseFolderFile(kFirmwareIndexName); }

CString RevisionsIndexUrl() { return UpdateBaseFolderFile(kRevisionsIndexName); }

CString FirmwareFileUrl(const CString& name)
{
    return IsPlainFileName(name) ? UpdateBaseFolderFile(name) : CString();
}

CString ServerIndexText(const char* bytes, int count)
{
    if (!bytes || count <= 0) return CString();
    return CString::FromAnsi(bytes, static_cast<int>(strnlen(bytes, static_cast<size_t>(count))));
}

bool FetchServerIndex(const CString& url, CString& text)
{
    char* raw = nullptr;
    int status = 0;
    const int result = HttpDownload(url, &raw, nullptr, nullptr, &status);
    DownloadBuffer buffer(raw);  // freed on every way out
    if (result <= 0 || status != kHttpOk || !buffer) return false;
    text = ServerIndexText(buffer.get(), result);
    return true;
}

FirmwareFileOutcome FetchFirmwareFile(const CString& url, const CString& path, DownloadProgress* progress)
{
    if (url.IsEmpty()) return FirmwareFileOutcome::CannotConnect;
    return DownloadFileIntoPlace(url, path, progress);
}

bool FirmwareFileDownload::Start(const CString& name, const CString& path, std::function<void()> done)
{
    const CString url = FirmwareFileUrl(name);
    if (url.IsEmpty() || path.IsEmpty() || m_job.Running()) return false;
    auto progress = std::make_shared<DownloadProgress>();
    if (!m_job.Start([url, path, progress] { return FetchFirmwareFile(url, path, progress.get()); }, std::move(done))) {
        return false;
    }
    m_progress = std::move(progress);
    return true;
}

int FirmwareFileDownload::Percent() const
{
    return m_progress ? m_progress->Percent() : -1;
}

FirmwareFileDownload::Outcome FirmwareFileDownload::TakeOutcome()
{
    std::optional<Outcome> outcome = m_job.Take();
    if (!outcome) return Outcome::Running;
    m_progress.reset();
    return *outcome;
}
