#include "app/HttpDownload.h"

#include <cstring>

#include "framework/File.h"
#include "framework/Internet.h"

namespace {

const wchar_t kDefaultServerBaseAddress[] = L"https://update.torvik.example";

// Publish done once every 102 blocks.
constexpr int kProgressBlockInterval = 100;

// The body ended before the length the server announced.
bool IsShortBody(const CHttpFile& file, long long received)
{
    long long announced = file.GetContentLength();
    return announced >= 0 && received < announced;
}

// Reads the body into a buffer grown in steps; -1 on a failed or short read.
int ReadIntoBuffer(CHttpFile& file, char** out)
{
    size_t size = kHttpDownloadBufferStep;
    char* data = static_cast<char*>(std::calloc(size, 1));
    if (!data) return kHttpDownloadCannotOpenUrl;
    *out = data;
    size_t received = 0;
    char block[kHttpDownloadBlockSize];
    for (;;) {
        int got = file.Read(block, sizeof block);
        if (got < 0 || (got == 0 && IsShortBody(file, static_cast<long long>(received)))) break;
        if (got == 0) return static_cast<int>(received);
        if (received + static_cast<size_t>(got) >= size) {
            char* grown = static_cast<char*>(std::calloc(size + kHttpDownloadBufferStep, 1));
            if (!grown) break;
            std::memcpy(grown, data, size);
            std::free(data);
            data = grown;
            *out = data;
            size += kHttpDownloadBufferStep;
        }
        std::memcpy(data + received, block, static_cast<size_t>(got));
        received += static_cast<size_t>(got);
    }
    std::free(data);
    *out = nullptr;
    return kHttpDownloadCannotOpenUrl;
}

// Writes the body to the file block by block, publishing progress; the
// result, or a negative code when the body did not arrive and land whole.
int CopyIntoFile(CHttpFile& file, CFile& target, DownloadProgress* progress)
{
    long long received = 0;
    int counter = 0;
    char block[kHttpDownloadBlockSize];
    for (;;) {
        int got = file.Read(block, sizeof block);
        if (got < 0 || (got == 0 && IsShortBody(file, received))) return kHttpDownloadCannotOpenUrl;
        if (got == 0) break;
        if (!target.Write(block, static_cast<UINT>(got))) return kHttpDownloadCannotWriteFile;
        received += got;
        if (counter <= kProgressBlockInterval) {
            ++counter;
        } else {
            counter = 0;
            if (progress) progress->done = static_cast<int32_t>(received);
        }
    }
    if (!target.Flush()) return kHttpDownloadCannotWriteFile;
    return static_cast<int>(received);
}

// The file mode: creates the file and fills it. A transfer that fails once the
// file exists removes it, so no truncated file is left to be taken for whole.
int ReadIntoFile(CHttpFile& file, const wchar_t* filePath, DownloadProgress* progress)
{
    CFile target;
    if (!target.Open(filePath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return kHttpDownloadCannotWriteFile;
    if (progress) progress->total = kDownloadProgressTotal;
    const int result = CopyIntoFile(file, target, progress);
    target.Close();
    if (result < 0) {
        CFile::Remove(filePath);
        return result;
    }
    if (progress) progress->done = progress->total.load();
    return result;
}

}  // namespace

CString ServerBaseAddress()
{
    wchar_t value[512] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TORVIK_SERVER", value, static_cast<DWORD>(std::size(value)));
    CString base = (n > 0 && n < std::size(value)) ? CString(value, static_cast<int>(n)) : CString(kDefaultServerBaseAddress);
    base.TrimRight(L'/');
    return base;
}

int HttpDownload(const wchar_t* url, char** buffer, const wchar_t* filePath, DownloadProgress* progress, int* httpStatus)
{
    if (buffer) *buffer = nullptr;
    if (httpStatus) *httpStatus = 0;
    CInternetSession session(nullptr);
    std::unique_ptr<CHttpFile> file = session.OpenURL(url);
    if (!file) return kHttpDownloadCannotOpenUrl;
    if (httpStatus) *httpStatus = static_cast<int>(file->GetStatusCode());
    // Handles, the file and the session are closed on every way out.
    return buffer ? ReadIntoBuffer(*file, buffer) : ReadIntoFile(*file, filePath, progress);
}
