// The demonstration server that scripts/run starts offers the demonstration
// headsets (sim/scenarios/demo.txt) a newer firmware, with files it holds.
#include <gtest/gtest.h>

#include <string>

#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"
#include "firmware/FirmwareIndex.h"
#include "framework/File.h"

namespace {

CString DemoFile(const wchar_t* name)
{
    CString path = L"Z:" + CString::FromUtf8(TORVIK_DEMO_SERVER_ROOT) + L"/malvobluetoothmanager/" + name;
    path.Replace(L'/', L'\\');
    return path;
}

TEST(DemoServer, OffersTheDemonstrationHeadsetsANewerFirmware)
{
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(DemoFile(L"Firmware"), bytes));
    const CString index = CString::FromAnsi(bytes);
    const struct {
        int product;
        int major, minor;  // the headset's version in the scenario
        size_t variants;
    } headsets[] = {{0x5910, 1, 2, 3}, {0x4D10, 4, 3, 0}};
    for (const auto& headset : headsets) {
        SCOPED_TRACE(headset.product);
        FirmwareIndexQuery query;
        query.modelName = GetModelName(headset.product, 1);
        const FirmwareOffer offer = ParseFirmwareIndex(index.str(), query);
        EXPECT_LT(CompareVersion(headset.major, headset.minor, offer.major, offer.minor), 0);
        EXPECT_EQ(offer.entries.size(), headset.variants);
        EXPECT_TRUE(CFile::Exists(DemoFile(offer.chosenFile)));
        for (const FirmwareIndexEntry& entry : offer.entries) EXPECT_TRUE(CFile::Exists(DemoFile(entry.file)));
    }
}

}  // namespace
