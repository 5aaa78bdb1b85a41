// Files: CFile (raw bytes), CStdioFile (8-bit text lines in the ANSI code page)
// and whole-file helpers that write through a temporary name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/CString.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile() { Close(); }

    virtual bool Open(const wchar_t* path, UINT flags);
    // Creates path for writing only when no file or folder of that name exists.
    bool CreateNew(const wchar_t* path);
    virtual void Close();
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Reads up to count bytes; returns the count read (0 at the end or on error).
    UINT Read(void* buffer, UINT count);
    // Writes all bytes; false on a short or failed write.
    bool Write(const void* buffer, UINT count);
    ULONGLONG GetLength() const;
    ULONGLONG Seek(LONGLONG offset, SeekPosition from);
    bool Flush() { return m_handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(m_handle) != FALSE; }
    const CString& GetFilePath() const { return m_path; }
    HANDLE Handle() const { return m_handle; }

    static bool Exists(const wchar_t* path);
    static bool Remove(const wchar_t* path) { return ::DeleteFileW(path) != FALSE; }
    // Moves from into place at to, replacing a file there, but never a
    // read-only file or a folder (false, with ERROR_ACCESS_DENIED): every
    // rename into place goes through here.
    static bool Rename(const wchar_t* from, const wchar_t* to);

protected:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    CString m_path;
};

// Text file of 8-bit lines in the ANSI code page. The whole file is read and
// converted at once on open for reading, so no double-byte character is split.
class CStdioFile : public CFile {
public:
    bool Open(const wchar_t* path, UINT flags) override;
    void Close() override;
    // Next line without its line break; false at the end of the file.
    bool ReadString(CString& line);
    // Writes text, turning "\n" into "\r\n" (text mode) as it goes.
    bool WriteString(const wchar_t* text);

private:
    CString m_text;  // whole content when reading
    int m_pos = 0;
    bool m_reading = false;
};

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const wchar_t* path, std::string& bytes);
// Writes a whole file through a temporary name in the same folder and renames
// it into place, so a crash never leaves half a file. Each save takes a new
// temporary name of its own, so a leftover of an earlier crash never blocks
// it. A read-only file is left as it is. False (with the system's error code
// for GetLastError) when the file was not replaced.
bool WriteWholeFile(const wchar_t* path, const void* data, size_t size);
inline bool WriteWholeFile(const wchar_t* path, const std::string& bytes) { return WriteWholeFile(path, bytes.data(), bytes.size()); }
// Creates a folder (and its parents) when missing.
bool EnsureFolder(const wchar_t* path);
// The name a download fills before it is renamed into place: "<path>.part".
CString PartialFilePath(const CString& path);
// Removes from the folder the temporary files that runs stopped before their
// rename left there, and nothing else: "<file>.<process>-<count>.tmp" of a
// whole-file write whose process has ended (a running program may be about
// to rename its own), and "<file>.part" of a download that no program holds
// open. Returns how many were removed.
int RemoveLeftoverTemporaries(const CString& folder);

// True when the system opens the name (the last part of a path) as a device,
// not as a file: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9 and LPT1
// to LPT9 (and COM0, LPT0 and their superscript digits), in any case, with any
// extension and with points, spaces or a colon after them.
bool IsDeviceFileName(const CString& name);
// The longest path the system's file calls and dialogs take, without the closing NUL.
inline constexpr int kMaxPathLength = MAX_PATH - 1;
// True when a name from outside (a server, an archive) may be used as a file
// name as it stands: not empty; no folder, drive or ".."; none of the
// characters * ? " < > | # % nor a control character; not one of the system's
// device names (IsDeviceFileName); not ending in a point or a space, which the
// system would drop; and no longer than LongestPlainFileName.
bool IsPlainFileName(const CString& name);
// The longest plain file name: its file in the program's "IMG" folder, and the
// partial file of its download beside it, stay within kMaxPathLength.
int LongestPlainFileName();
// The folder of the running program, without a trailing backslash.
CString ProgramFolder();
// The program's folder followed by "IMG" and "\": where our own files live.
CString ProgramImgFolder();
