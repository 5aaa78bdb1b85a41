#include "firmware/HidDfuEngine.h"

CRITICAL_SECTION* CreateCriticalSectionObject()
{
    auto* section = new CRITICAL_SECTION;
    ::InitializeCriticalSection(section);
    return section;
}

void EnterCriticalSectionObject(CRITICAL_SECTION* section) { ::EnterCriticalSection(section); }
void LeaveCriticalSectionObject(CRITICAL_SECTION* section) { ::LeaveCriticalSection(section); }

void DeleteCriticalSectionObject(CRITICAL_SECTION* section)
{
    if (!section) return;
    ::DeleteCriticalSection(section);
    delete section;
}

void HandleHolder::Close()
{
    if (m_handle && m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    m_handle = nullptr;
}

// ---------------------------------------------------------------------------
// Threadable

Threadable::Threadable() : m_state(std::make_unique<ThreadState>()) {}

Threadable::~Threadable()
{
    if (IsRunning()) Stop(kThreadStopGraceMs);
    Collect();
}

bool Threadable::Start()
{
    if (IsRunning()) return false;
    Collect();
    CSingleLock lock(&m_state->lock, true);
    m_state->keepGoing = true;
    m_state->stopRequested = false;
    // The object owns the handle: Wait and Stop collect it, the destructor stops a thread still running.
    m_state->thread = StartThread([this] { Run(); }, L"a thread object");
    m_state->running = m_state->thread != nullptr;
    return m_state->running;
}

bool Threadable::IsRunning() const
{
    return m_state->running && m_state->thread && ::WaitForSingleObject(m_state->thread, 0) == WAIT_TIMEOUT;
}

void Threadable::RequestStop()
{
    CSingleLock lock(&m_state->lock, true);
    if (!m_state->running) m_state->stopRequested = true;
    m_state->keepGoing = false;
}

void Threadable::Collect()
{
    if (m_state->thread) ::CloseHandle(m_state->thread);
    m_state->thread = nullptr;
    m_state->running = false;
}

bool Threadable::Wait(DWORD milliseconds)
{
    if (!m_state->thread) return true;
    const DWORD limit = milliseconds == 0 ? kThreadWaitLimitMs : milliseconds;
    if (::WaitForSingleObject(m_state->thread, limit) != WAIT_OBJECT_0) return false;
    Collect();
    return true;
}

void Threadable::Stop(DWORD milliseconds)
{
    {
        CSingleLock lock(&m_state->lock, true);
        if (!m_state->running) {
            m_state->stopRequested = true;
            m_state->keepGoing = false;
        } else {
            RequestStop();
        }
    }
    if (Wait(milliseconds)) return;
    ::TerminateThread(m_state->thread, kForcedThreadExitCode);
    ::WaitForSingleObject(m_state->thread, kThreadStopGraceMs);
    Collect();
}

// ---------------------------------------------------------------------------
// HID DFU engine

namespace {

struct ErrorText {
    int code;
    const char* text;
};

// In the order the table is built.
constexpr ErrorText kErrorTexts[] = {
    {HidDfuErrorNone, ""},
    {HidDfuErrorInvalidSequence, "Invalid sequence (hidDfuConnect must be called first)"},
    {HidDfuErrorConnect, "Failed to connect to device"},
    {HidDfuErrorOpenFile, "Failed to open file"},
    {HidDfuErrorWriteFile, "Failed to write to file"},
    {HidDfuErrorFileFormat, "File format is invalid"},
    {HidDfuErrorFileCrc, "File CRC is incorrect"},
    {HidDfuErrorFileRead, "File read failed"},
    {HidDfuErrorUpgrade, "Upgrade failed"},
    {HidDfuErrorDeviceReset, "Device reset failed"},
    {HidDfuErrorOutOfMemory, "Out of memory"},
    {HidDfuErrorInvalidParameter, "Invalid parameter"},
    {HidDfuErrorDriver, "Driver operation failed"},
    {HidDfuErrorStart, "Operation failed to start"},
    {HidDfuErrorBusy, "Busy, operation in progress"},
    {HidDfuErrorClearStatus, "Failed to clear device status"},
    {HidDfuErrorCorruptFirmware, "Device firmware is corrupt"},
    {HidDfuErrorUnknown, "Unknown error"},
};

constexpr const char* kUnknownCodeText = "Unknown error code";

}  // namespace

HidDfuErrorTable::HidDfuErrorTable() : m_lock(CreateCriticalSectionObject()) {}

HidDfuErrorTable::~HidDfuErrorTable() { DeleteCriticalSectionObject(m_lock); }

int HidDfuErrorTable::Report(int code)
{
    EnterCriticalSectionObject(m_lock);
    const auto found = m_texts.find(code);
    m_lastError = found != m_texts.end() ? found->second : kUnknownCodeText;
    LeaveCriticalSectionObject(m_lock);
    return code;
}

std::string HidDfuErrorTable::LastError() const
{
    EnterCriticalSectionObject(m_lock);
    std::string text = m_lastError;
    LeaveCriticalSectionObject(m_lock);
    return text;
}

CHidDfuEngine::CHidDfuEngine()
{
    for (const ErrorText& entry : kErrorTexts) m_errors.Add(entry.code, entry.text);
    m_engineLock = CreateCriticalSectionObject();
}

CHidDfuEngine::~CHidDfuEngine()
{
    // The thread goes before the members it may use.
    if (IsRunning()) Stop(kThreadStopGraceMs);
    Close();
    DeleteCriticalSectionObject(m_engineLock);
}

void CHidDfuEngine::Run()
{
    if (m_job) (this->*m_job)();
}

int CHidDfuEngine::Close()
{
    if (IsRunning()) return GetErrorText(HidDfuErrorBusy);
    if (m_device != INVALID_HANDLE_VALUE) ::CloseHandle(m_device);
    m_device = INVALID_HANDLE_VALUE;
    return 0;
}

CHidDfuEngine HidDfuEngineInstance;

namespace {
// Set to none at start-up and closed at exit; nothing else uses it.
HandleHolder g_handleHolder;
}  // namespace
