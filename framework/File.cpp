#include "framework/File.h"

#include <atomic>

bool CFile::Open(const wchar_t* path, UINT flags)
{
    Close();
    DWORD access = (flags & modeReadWrite) ? (GENERIC_READ | GENERIC_WRITE) : (flags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    DWORD share = (flags & shareDenyNone) ? (FILE_SHARE_READ | FILE_SHARE_WRITE) : (flags & shareDenyWrite) ? FILE_SHARE_READ : 0;
    if (!(flags & (shareDenyNone | shareDenyWrite)) && !(flags & (modeWrite | modeReadWrite))) share = FILE_SHARE_READ;
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    m_handle = ::CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    m_path = path;
    return true;
}

bool CFile::CreateNew(const wchar_t* path)
{
    Close();
    m_handle = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    m_path = path;
    return true;
}

void CFile::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (m_handle == INVALID_HANDLE_VALUE || !::ReadFile(m_handle, buffer, count, &got, nullptr)) return 0;
    return got;
}

bool CFile::Write(const void* buffer, UINT count)
{
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(m_handle, p, count, &written, nullptr) || written == 0) return false;
        p += written;
        count -= written;
    }
    return true;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size{};
    if (m_handle == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_handle, &size)) return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG offset, SeekPosition from)
{
    LARGE_INTEGER distance{}, position{};
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(m_handle, distance, &position, static_cast<DWORD>(from))) return 0;
    return static_cast<ULONGLONG>(position.QuadPart);
}

bool CFile::Exists(const wchar_t* path)
{
    DWORD a = ::GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CFile::Rename(const wchar_t* from, const wchar_t* to)
{
    // A read-only file (or a folder) is never replaced: some systems let the
    // rename go over it and drop the mark.
    const DWORD attributes = ::GetFileAttributesW(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool CStdioFile::Open(const wchar_t* path, UINT flags)
{
    m_text.Empty();
    m_pos = 0;
    m_reading = !(flags & (modeWrite | modeReadWrite));
    if (!CFile::Open(path, flags)) return false;
    if (m_reading) {
        std::string bytes(static_cast<size_t>(GetLength()), '\0');
        UINT got = bytes.empty() ? 0 : Read(bytes.data(), static_cast<UINT>(bytes.size()));
        bytes.resize(got);
        m_text = CString::FromAnsi(bytes);
    }
    return true;
}

void CStdioFile::Close()
{
    m_text.Empty();
    m_pos = 0;
    CFile::Close();
}

bool CStdioFile::ReadString(CString& line)
{
    if (!m_reading || m_pos >= m_text.GetLength()) return false;
    int nl = m_text.Find(L'\n', m_pos);
    int end = nl < 0 ? m_text.GetLength() : nl;
    line = m_text.Mid(m_pos, end - m_pos);
    if (!line.IsEmpty() && line[line.GetLength() - 1] == L'\r') line.Truncate(line.GetLength() - 1);
    m_pos = nl < 0 ? m_text.GetLength() : nl + 1;
    return true;
}

bool CStdioFile::WriteString(const wchar_t* text)
{
    CString t(text);
    CString out;
    for (int i = 0; i < t.GetLength(); ++i) {
        if (t[i] == L'\n' && (i == 0 || t[i - 1] != L'\r')) out += L'\r';
        out += t[i];
    }
    std::string bytes = out.ToAnsi();
    return Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

bool ReadWholeFile(const wchar_t* path, std::string& bytes)
{
    CFile f;
    if (!f.Open(path, CFile::modeRead | CFile::shareDenyNone)) return false;
    ULONGLONG size = f.GetLength();
    if (size > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes.size()) {
        UINT got = f.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

namespace {

// The endings of the temporary names that writes and downloads fill.
constexpr wchar_t kTemporarySuffix[] = L".tmp";
constexpr wchar_t kPartialSuffix[] = L".part";

// Fails with error, after removing the temporary file.
bool FailWriting(const wchar_t* temp, DWORD error)
{
    if (temp) ::DeleteFileW(temp);
    ::SetLastError(error);
    return false;
}

// Creates a temporary file beside path under a name no file or folder has:
// "<path>.<process>-<count>.tmp".
bool CreateOwnTemporary(const wchar_t* path, CFile& file, CString& temp)
{
    static std::atomic<unsigned> count{0};
    constexpr int kAttempts = 64;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temp = CString(path) + CString::Formatted(L".%lx-%x", ::GetCurrentProcessId(), ++count) + kTemporarySuffix;
        if (file.CreateNew(temp)) return true;
        DWORD error = ::GetLastError();
        // Taken by a leftover file, or by a folder (which some systems deny).
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
        if (error == ERROR_ACCESS_DENIED && ::GetFileAttributesW(temp) == INVALID_FILE_ATTRIBUTES) break;
    }
    return false;
}

}  // namespace

bool WriteWholeFile(const wchar_t* path, const void* data, size_t size)
{
    CString temp;
    {
        CFile f;
        if (!CreateOwnTemporary(path, f, temp)) return FailWriting(nullptr, ::GetLastError());
        const char* p = static_cast<const char*>(data);
        size_t left = size;
        while (left > 0) {
            UINT chunk = static_cast<UINT>(left > 0x40000000 ? 0x40000000 : left);
            if (!f.Write(p, chunk)) {
                DWORD error = ::GetLastError();
                f.Close();
                return FailWriting(temp, error);
            }
            p += chunk;
            left -= chunk;
        }
        if (!f.Flush()) {
            DWORD error = ::GetLastError();
            f.Close();
            return FailWriting(temp, error);
        }
    }
    if (!CFile::Rename(temp, path)) return FailWriting(temp, ::GetLastError());
    return true;
}

bool EnsureFolder(const wchar_t* path)
{
    CString p(path);
    p.TrimRight(L'\\');
    if (p.IsEmpty()) return false;
    DWORD a = ::GetFileAttributesW(p);
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    int slash = p.ReverseFind(L'\\');
    if (slash > 2) EnsureFolder(p.Left(slash));
    return ::CreateDirectoryW(p, nullptr) != FALSE || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

namespace {

// Characters that a plain name never holds: folders and drives, what the
// system refuses in a name or reads as a pattern, and what an address reads
// as its query, fragment or an escape.
constexpr wchar_t kNotInPlainNames[] = L"\\/:*?\"<>|#%";

bool HasControlCharacter(const CString& name)
{
    for (int i = 0; i < name.GetLength(); ++i) {
        if (name[i] < L' ' || name[i] == 0x7F) return true;
    }
    return false;
}

// True when text is longer than suffix and ends in it (letter case as given).
bool EndsIn(const CString& text, const wchar_t* suffix)
{
    const int length = static_cast<int>(wcslen(suffix));
    return text.GetLength() > length && text.Right(length) == suffix;
}

// Hexadecimal digits of text from begin to end, at least one and at most
// eight; false for anything else.
bool ReadHex(const CString& text, int begin, int end, DWORD& value)
{
    if (end <= begin || end - begin > 8) return false;
    value = 0;
    for (int i = begin; i < end; ++i) {
        const wchar_t c = text[i];
        const int digit = (c >= L'0' && c <= L'9') ? c - L'0' : (c >= L'a' && c <= L'f') ? c - L'a' + 10 : -1;
        if (digit < 0) return false;
        value = value * 16 + static_cast<DWORD>(digit);
    }
    return true;
}

// For "<file>.<process>-<count>.tmp" (as CreateOwnTemporary names it): true,
// with the process id of the write.
bool IsOwnTemporaryName(const CString& name, DWORD& process)
{
    if (!EndsIn(name, kTemporarySuffix)) return false;
    const int length = name.GetLength() - static_cast<int>(wcslen(kTemporarySuffix));
    const int dash = name.Left(length).ReverseFind(L'-');
    if (dash < 0) return false;
    const int point = name.Left(dash).ReverseFind(L'.');
    DWORD count = 0;
    return point > 0 && ReadHex(name, point + 1, dash, process) && ReadHex(name, dash + 1, length, count);
}

// True while another program with this process id runs.
bool IsOtherRunningProcess(DWORD process)
{
    if (process == ::GetCurrentProcessId()) return false;
    HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process);
    if (!handle) return false;
    const bool running = ::WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    ::CloseHandle(handle);
    return running;
}

}  // namespace

bool IsDeviceFileName(const CString& name)
{
    // The system opens these as devices, whatever extension follows ...
    static constexpr const wchar_t* kDeviceNames[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    // ... and these with a digit (or a superscript digit) after them.
    static constexpr const wchar_t* kNumberedDeviceNames[] = {L"COM", L"LPT"};
    static constexpr wchar_t kDeviceDigits[] = L"0123456789\u00B9\u00B2\u00B3";
    // It reads the part before the first point or colon, without the spaces at its end.
    int end = name.FindOneOf(L".:");
    if (end < 0) end = name.GetLength();
    while (end > 0 && name[end - 1] == L' ') --end;
    const CString base = name.Left(end);
    for (const wchar_t* device : kDeviceNames) {
        if (base.CompareNoCase(device) == 0) return true;
    }
    if (base.GetLength() != 4 || !wcschr(kDeviceDigits, base[3])) return false;
    for (const wchar_t* device : kNumberedDeviceNames) {
        if (base.Left(3).CompareNoCase(device) == 0) return true;
    }
    return false;
}

CString PartialFilePath(const CString& path) { return path + kPartialSuffix; }

int RemoveLeftoverTemporaries(const CString& folder)
{
    CString base(folder);
    base.TrimRight(L'\\');
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(base + L"\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int removed = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const CString name(found.cFileName);
        DWORD process = 0;
        const bool leftover =
            IsOwnTemporaryName(name, process) ? !IsOtherRunningProcess(process) : EndsIn(name, kPartialSuffix);
        // A download in progress holds its file open, and the system refuses to remove it.
        if (leftover && CFile::Remove(base + L"\\" + name)) ++removed;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return removed;
}

bool IsPlainFileName(const CString& name)
{
    if (name.IsEmpty() || name.GetLength() > LongestPlainFileName()) return false;
    if (name.FindOneOf(kNotInPlainNames) >= 0 || HasControlCharacter(name)) return false;
    if (name.Find(L"..") >= 0 || name.Right(1) == L"." || name.Right(1) == L" ") return false;
    return !IsDeviceFileName(name);
}

int LongestPlainFileName()
{
    // The program does not move while it runs.
    static const int longest =
        kMaxPathLength - ProgramImgFolder().GetLength() - static_cast<int>(wcslen(kPartialSuffix));
    return longest;
}

CString ProgramFolder()
{
    wchar_t buf[MAX_PATH * 2] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
    CString path(buf, static_cast<int>(n));
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash) : CString(L".");
}

CString ProgramImgFolder() { return ProgramFolder() + L"\\IMG\\"; }
