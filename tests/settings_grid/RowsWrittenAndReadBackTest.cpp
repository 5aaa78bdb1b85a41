// Every row of every product and firmware band, against a simulated headset:
// a change of the row counts as a change of the page, the settings writer's
// requests carry it, and the recognition reads it back so that the row shows
// the new value again.
#include <gtest/gtest.h>

#include "device/HidDevices.h"
#include "device/RecognitionHid.h"
#include "device_access/SimFixture.h"
#include "settings/BasicSettingsBody.h"
#include "settings/HidSettingsProducts.h"
#include "settingslist/SettingsRows.h"

namespace {

class RowRoundTrip : public SimFixture {
protected:
    void TearDown() override
    {
        CloseHidHandle(handle1);
        CloseHidHandle(handle2);
        SimFixture::TearDown();
    }

    // A headset of the product at the version on interfaces "a" and "b".
    void Plug(int productId, int major, int minor)
    {
        CloseHidHandle(handle1);
        CloseHidHandle(handle2);
        Simulation::Instance().Reset();
        const std::string pid = std::to_string(productId);
        const std::string version = std::to_string(major) + "." + std::to_string(minor) + ".0.0";
        Load("hid.a.pid=" + pid + "\nhid.a.version=" + version + "\nhid.b.pid=" + pid + "\nhid.b.version=" + version +
             "\n");
        handle1 = Open("a", productId);
        handle2 = Open("b", productId);
    }
    static HANDLE Open(const std::string& id, int productId)
    {
        return HidDevices().Open(WideFromUtf8(DefaultHidPath(id, 0x3E1F, productId)).c_str());
    }

    DeviceSettings Read(int productId)
    {
        RecognitionResult result;
        RecognizeOverHid(productId, handle1, handle2, nullptr, result);
        return result.settings;
    }
    bool Write(int productId, const DeviceSettings& working, const DeviceSettings& device)
    {
        BasicSettingsWriteBody body(working, device);
        HidSettingsRequests requests(&handle1, &handle2, HidSettingsWantApply(productId));
        return body.WriteHid(productId, requests) && !requests.Failed();
    }

    HANDLE handle1 = nullptr;
    HANDLE handle2 = nullptr;
};

// What a row shows: the half of a check box, the item of a combo.
int ShownValue(const SettingsRows& rows, int row, const DeviceSettings& record)
{
    return rows.IsCheckBox(row) ? (rows.ShownCheck(row, record) ? 1 : 0) : rows.ShownIndex(row, record);
}

// The other half, or the next item.
void ChangeRow(const SettingsRows& rows, int row, DeviceSettings& working)
{
    if (rows.IsCheckBox(row)) {
        rows.StoreCheck(row, working, !rows.ShownCheck(row, working));
    } else {
        const int next = (rows.ShownIndex(row, working) + 1) % rows.ComboItemCount(row);
        rows.StoreChoice(row, working, next);
    }
}

TEST_F(RowRoundTrip, EveryRowIsWrittenAndReadBack)
{
    for (const RowFamilyInfo& family : AllRowFamilies()) {
        for (int productId : family.products) {
            std::vector<std::pair<int, int>> versions{{0, 1}};
            for (const RowBand& band : family.bands) {
                if (band.belowMajor >= 0) versions.emplace_back(band.belowMajor, band.belowMinor);
            }
            for (const auto& [major, minor] : versions) {
                Plug(productId, major, minor);
                DeviceSettings device = Read(productId);
                const SettingsRows rows = ResolveSettingsRows(productId, device);
                ASSERT_FALSE(rows.IsEmpty());
                for (int row = 0; row < rows.Count(); ++row) {
                    SCOPED_TRACE(testing::Message() << std::hex << "0x" << productId << std::dec << " at " << major
                                                    << "." << minor << ", row " << row << " "
                                                    << rows.Label(row, 0).ToUtf8());
                    if (rows.IsDisabled(row, device)) {
                        // Switch its gate so that the row can be changed.
                        const int gate = rows.GateRow(row);
                        DeviceSettings working = device;
                        ChangeRow(rows, gate, working);
                        ASSERT_TRUE(Write(productId, working, device));
                        device = Read(productId);
                        ASSERT_FALSE(rows.IsDisabled(row, device));
                    }
                    DeviceSettings working = device;
                    ChangeRow(rows, row, working);
                    const int wanted = ShownValue(rows, row, working);
                    ASSERT_NE(wanted, ShownValue(rows, row, device));
                    EXPECT_NE(device.Differs(working, 0), 0) << "the change does not count as one";
                    ASSERT_TRUE(Write(productId, working, device));
                    device = Read(productId);
                    EXPECT_EQ(ShownValue(rows, row, device), wanted) << "not read back";
                }
            }
        }
    }
}

}  // namespace
