#include "dfu/DfuBackend.h"

#include <atomic>

namespace {

// The shipped backend: the vendor's library is not available, so no chip is
// ever found.
class NoChips final : public IDfuBackend {
public:
    std::vector<DfuDeviceEntry> ListDevices() override { return {}; }
    bool Connect(const std::wstring&, std::wstring&, bool& exists) override
    {
        exists = false;
        return false;
    }
    bool GetPS(const std::wstring&, uint16_t, uint8_t*, uint16_t, uint16_t& lengthOut) override
    {
        lengthOut = 0;
        return false;
    }
    bool SetPS(const std::wstring&, uint16_t, const uint8_t*, uint16_t) override { return false; }
};

std::atomic<IDfuBackend*> g_installed{nullptr};

}  // namespace

IDfuBackend& DfuBackend()
{
    static NoChips shipped;
    IDfuBackend* installed = g_installed.load();
    return installed ? *installed : shipped;
}

void SetDfuBackend(IDfuBackend* backend) { g_installed = backend; }
