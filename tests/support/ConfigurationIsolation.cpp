#include "ConfigurationIsolation.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/Configuration.h"
#include "support/TempFolder.h"

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
    IsolationFolder() = UniqueTempPath(L"torvik_test");
    SetConfigurationFileHook(IsolationFolder() + L"\\IMG\\TORVIKBluetoothDeviceManager.wqlnxconf");
    std::atexit(RemoveIsolationFolder);
}
