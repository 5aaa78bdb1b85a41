#include "ConfigurationIsolation.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/Configuration.h"

namespace {

CString& IsolationFolder()
{
    static CString folder;
    return folder;
}

void RemoveIsolationFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(IsolationFolder().str()), ignored);
}

}  // namespace

void IsolateConfigurationFile()
{
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    IsolationFolder() = CString::Formatted(L"%storvik_test_%lu", base, ::GetCurrentProcessId());
    SetConfigurationFileHook(IsolationFolder() + L"\\IMG\\TORVIKBluetoothDeviceManager.wqlnxconf");
    std::atexit(RemoveIsolationFolder);
}
