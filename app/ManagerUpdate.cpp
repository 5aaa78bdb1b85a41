#include "app/ManagerUpdate.h"

#include <algorithm>

#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "framework/Diagnostics.h"
#include "framework/File.h"
#include "framework/Sync.h"

namespace {

const wchar_t kUpdateFolder[] = L"/malvobluetoothmanager/";
const wchar_t kVersionFileFolder[] = L"x64/";
const wchar_t kVersionFileName[] = L"Software";
const wchar_t kInstallerExtension[] = L".exe";
constexpr int kHttpOk = 200;

}  // namespace

CString ManagerUpdateBaseFolder()
{
    return ServerBaseAddress() + kUpdateFolder;
}

CString ManagerVersionFileUrl()
{
    return CString::Formatted(L"%s%s", (ManagerUpdateBaseFolder() + kVersionFileFolder).GetString(), kVersionFileName);
}

ManagerVersionLine ParseManagerVersionFile(const CString& text)
{
    ManagerVersionLine line;
    const int length = text.GetLength();
    int pos = 0;
    while (pos < length) {
        if (text[pos] == L'\n') {
            ++pos;
            if (length - pos < 2) break;
            continue;
        }
        int feed = text.Find(L'\n', pos);
        int end = feed < 0 ? length : feed;
        CString current = text.Mid(pos, end - pos);
        pos = end;

        int colon = current.Find(L':');
        if (colon >= 1) {
            CString name = current.Left(colon);
            name.Trim();
            CString rest = current.Mid(colon + 1);
            int second = rest.Find(L':', 1);
            bool mine = name == kManagerApplicationName;
            if (second >= 1) {
                CString version = rest.Left(second);
                version.Trim();
                if (!line.found) {
                    line.installerName = rest.Mid(second + 1);
                    line.installerName.Trim();
                }
                if (mine) {
                    if (line.found) break;
                    line.found = true;
                    ParseVersion2(version.Mid(1), &line.major, &line.minor);
                    continue;
                }
            } else if (mine) {
                line.third = StrToInt(rest);
            }
        }
        if (line.found) break;
    }
    return line;
}

bool IsNewerManagerVersion(int major, int minor, int third)
{
    if (major != kManagerVersionMajor) return major > kManagerVersionMajor;
    if (minor != kManagerVersionMinor) return minor > kManagerVersionMinor;
    return third > StrToInt(kManagerVersionSuffix + 1);
}

bool HasInstallerExtension(const CString& path)
{
    const int length = static_cast<int>(wcslen(kInstallerExtension));
    return path.GetLength() > length && path.Right(length).CompareNoCase(kInstallerExtension) == 0;
}

bool IsInstallerFileName(const CString& name) { return IsPlainFileName(name) && HasInstallerExtension(name); }

bool OffersNewerManager(const ManagerVersionLine& line)
{
    return line.found && IsNewerManagerVersion(line.major, line.minor, line.third);
}

bool ShouldOfferManagerUpdate(const ManagerVersionLine& line)
{
    return OffersNewerManager(line) && IsInstallerFileName(line.installerName);
}

bool FetchManagerVersion(ManagerVersionLine& line)
{
    char* raw = nullptr;
    int status = 0;
    int result = HttpDownload(ManagerVersionFileUrl(), &raw, nullptr, nullptr, &status);
    DownloadBuffer buffer(raw);  // freed on every way out, an empty answer too
    if (result <= 0 || status != kHttpOk) return false;
    line = ParseManagerVersionFile(CString::FromAnsi(buffer.get(), result));
    return true;
}

bool ManagerVersionCheck::Start(std::function<void()> done)
{
    return m_job.Start(
        [] {
            Result result;
            result.fetched = FetchManagerVersion(result.line);
            return result;
        },
        std::move(done));
}

bool ManagerVersionCheck::TakeResult(bool& fetched, ManagerVersionLine& line)
{
    std::optional<Result> result = m_job.Take();
    if (!result) return false;
    fetched = result->fetched;
    line = result->line;
    return true;
}

bool ManagerInstallerDownload::Start(const CString& url, const CString& path)
{
    auto shared = std::make_shared<Shared>();
    shared->path = path;
    const bool started = StartDetachedThread([shared, url] {
        Outcome outcome = Outcome::CannotConnect;
        try {
            outcome = DownloadFileIntoPlace(url, shared->path, &shared->progress);
        } catch (...) {
            // Still end as a failure, so the page never waits on a worker that has gone.
            ReportCaughtException(L"the manager installer download");
        }
        shared->outcome = outcome;
        shared->finished = true;
    }, L"the manager installer download");
    if (!started) return false;
    m_shared = std::move(shared);
    return true;
}

int ManagerInstallerDownload::Percent() const
{
    return m_shared ? m_shared->progress.Percent() : -1;
}

ManagerInstallerDownload::Outcome ManagerInstallerDownload::GetOutcome() const
{
    if (!m_shared || !m_shared->finished.load()) return Outcome::Running;
    return m_shared->outcome.load();
}
