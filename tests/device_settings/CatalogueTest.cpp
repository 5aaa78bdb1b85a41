// The product catalogue, the USB scan over a fake device list and the
// firmware-version key.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/FirmwareVersionKey.h"
#include "device/ProductCatalogue.h"
#include "device/UsbDeviceList.h"

namespace {

TEST(Catalogue, kModelNames)
{
    struct Case {
        int ProductId;
        const wchar_t* Display;
        const wchar_t* FileName;
    };
    const Case cases[] = {
        {0x5011, L"Thunder Audio WPR6", L"T-M_WPR6"},
        {0x4D10, L"TKV8", L"TKV8"},
        {0x5620, L"M7X Helm-S/SX", L"M7X_Helm-S_SX"},
        {0x6121, L"PVQIII", L"PAVLO2"},
        {0x5345, L"ZEPH", L"ZEPH"},
        {0x1234, L"", L""},
        {0xCD10, L"", L""},  // an id with bit 15 set is not looked up
        {0, L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetModelName(c.ProductId, 0), c.Display) << std::hex << c.ProductId;
        EXPECT_EQ(GetModelName(c.ProductId, 1), c.FileName) << std::hex << c.ProductId;
    }
    CString out = L"old";
    EXPECT_EQ(GetModelName(&out, 0x5910, 1), &out);
    EXPECT_EQ(out, L"TorvikOstrel");
}

TEST(Catalogue, KnownUsbProductIds)
{
    const std::set<int> unique(KnownUsbProductIds.begin(), KnownUsbProductIds.end());
    EXPECT_EQ(unique.size(), 70u);
    for (int id : {0x0001, 0xFFFF, 0x4D10, 0xCD10, 0x4120, 0xC120, 0x3020, 0xB020, 0x5310, 0xD310})
        EXPECT_TRUE(IsKnownUsbProductId(id)) << std::hex << id;
    for (int id : {0x4111, 0x5910, 0x8001, 0x0000, 0x4210})
        EXPECT_FALSE(IsKnownUsbProductId(id)) << std::hex << id;
}

TEST(Catalogue, SettingSections)
{
    struct Case {
        int ProductId, Major, Minor;
        std::vector<int> Kinds;
    };
    const Case cases[] = {
        {0x4D10, 4, 2, {1}},
        {0x4D10, 4, 3, {1, 2}},
        {0x5080, 5, 0, {1, 2}},
        {0x5040, 4, 2, {1, 3}},
        {0x5050, 4, 10, {1, 2, 3}},
        {0x4D35, 1, 2, {1}},
        {0x4D35, 1, 3, {1, 2}},
        {0x4D65, 2, 0, {1, 2, 3}},
        {0x4D15, 1, 0, {1, 3}},
        {0x6020, 1, 0, {1, 2}},
        {0x4111, 1, 0, {2}},
        {0x5910, 1, 0, {1, 2, 3}},
        {0x5624, 1, 0, {1}},
        {0x3020, 1, 0, {1}},
        {0x5310, 1, 0, {}},
        {0x5345, 1, 0, {}},
        {0x1234, 9, 9, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.ProductId << std::dec << " " << c.Major << "." << c.Minor);
        int count = -1, kinds[3] = {9, 9, 9}, current = 2;
        BuildSettingSections(c.ProductId, c.Major, c.Minor, &count, kinds, &current);
        ASSERT_EQ(count, static_cast<int>(c.Kinds.size()));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(kinds[i], i < count ? c.Kinds[static_cast<size_t>(i)] : 0) << i;
        EXPECT_EQ(current, 0);
    }
}

TEST(Catalogue, SiblingRelationIsOneWay)
{
    EXPECT_EQ(IsSameDeviceFamily(0x4D10, 0x4D30), 1);
    EXPECT_EQ(IsSameDeviceFamily(0x4D20, 0x4D30), 0);
    EXPECT_EQ(IsSameDeviceFamily(0x4D35, 0x4D05), 0);
    EXPECT_EQ(IsSameDeviceFamily(0x4D35, 0x4D35), 1);
    EXPECT_EQ(IsSameDeviceFamily(0x4D30, 0x4D40), 0);
    const std::pair<int, int> pairs[] = {{0x4D05, 0x4D35}, {0x4D05, 0x4D55}, {0x4D15, 0x4D45}, {0x4D15, 0x4D65},
                                         {0x5040, 0x5050}, {0x4D10, 0x4D30}, {0x4D10, 0x4D40}, {0x4D20, 0x4D50},
                                         {0x5010, 0x5060}, {0x5010, 0x5061}, {0x5020, 0x5070}, {0x5030, 0x5080}};
    for (const auto& [base, sibling] : pairs) {
        EXPECT_EQ(IsSameDeviceFamily(base, sibling), 1) << std::hex << base;
        EXPECT_EQ(IsSameDeviceFamily(sibling, base), 0) << std::hex << sibling;
    }
}

// ---------------------------------------------------------------------------

class FakeUsbDeviceList : public IUsbDeviceList {
public:
    std::vector<std::string> Ids;
    bool Available = true;
    bool GetHardwareIds(std::vector<std::string>& ids) override
    {
        ids = Ids;
        return Available;
    }
};

class UsbScan : public testing::Test {
protected:
    void SetUp() override { SetUsbDeviceList(&fake); }
    void TearDown() override { SetUsbDeviceList(nullptr); }
    FakeUsbDeviceList fake;
};

TEST_F(UsbScan, CountsBeyondCapacityAndStoresTheFirst)
{
    fake.Ids = {"USB\\VID_3E1F&PID_4D10&REV_0100", "USB\\VID_3E1F&PID_CD30&REV_0100"};
    int ids[2] = {-1, -1};
    EXPECT_EQ(EnumerateUsbProducts(ids, 1), 2);
    EXPECT_EQ(ids[0], 0x4D10);
    EXPECT_EQ(ids[1], -1);

    EXPECT_EQ(EnumerateUsbProducts(ids, 2), 2);
    EXPECT_EQ(ids[1], 0xCD30);  // update-mode id kept as enumerated
    EXPECT_EQ(EnumerateUsbProducts(nullptr, 0), 2);
}

TEST_F(UsbScan, AcceptsOnlyKnownDevicesOfTheMaker)
{
    fake.Ids = {
        "USB\\ROOT_HUB30&VID_8086&PID_A36D",
        "usb\\vid_3e1f&pid_5010&rev_0100",   // lower case is found
        "USB\\VID_3E1F&PID_5910",            // HID-only model: not a USB scan id
        "USB\\VID_1234&PID_4D10",            // another vendor
        "USB\\VID_3E1F",                     // no product id
        "USB\\PID_4D10",                     // no vendor id
        "",
        "USB\\VID_3E1F&PID_0001",
        "USB\\Vid_3E1F&Pid_ffff&MI_00",
    };
    int ids[8] = {};
    EXPECT_EQ(EnumerateUsbProducts(ids, 8), 3);
    EXPECT_EQ(ids[0], 0x5010);
    EXPECT_EQ(ids[1], 0x0001);
    EXPECT_EQ(ids[2], 0xFFFF);
}

TEST_F(UsbScan, NoListGivesZero)
{
    fake.Ids = {"USB\\VID_3E1F&PID_4D10"};
    fake.Available = false;
    int ids[1] = {-1};
    EXPECT_EQ(EnumerateUsbProducts(ids, 1), 0);
    EXPECT_EQ(ids[0], -1);
}

// The system's own device list: no headset of the maker is attached here, so
// the scan finds none and writes nothing, whether or not the list is there.
TEST(UsbScanSystem, FindsNoHeadsetOfTheMaker)
{
    SetUsbDeviceList(nullptr);
    int ids[4] = {-1, -1, -1, -1};
    EXPECT_EQ(EnumerateUsbProducts(ids, 4), 0);
    for (int id : ids)
        EXPECT_EQ(id, -1);
}

TEST(UsbIds, ParseVendorAndProduct)
{
    int vid = 0, pid = 0;
    EXPECT_TRUE(ParseUsbVendorProduct("\\\\?\\usb#vid_3e1f&pid_cd10#5&1a2b", &vid, &pid));
    EXPECT_EQ(vid, 0x3E1F);
    EXPECT_EQ(pid, 0xCD10);
    EXPECT_FALSE(ParseUsbVendorProduct("USB\\PID_4D10&VID_3E1F", &vid, &pid));  // no PID_ after VID_
    EXPECT_TRUE(ParseUsbVendorProduct("VID_&PID_", &vid, &pid));
    EXPECT_EQ(vid, 0);
    EXPECT_EQ(pid, 0);
}

// ---------------------------------------------------------------------------

// Persistent-store keys of a simulated chip; a key missing from the map cannot
// be read. Records the keys asked for.
struct KeyStore {
    std::map<uint16_t, std::vector<uint8_t>> Keys;
    std::vector<uint16_t> Reads;
    PsKeyReader Reader()
    {
        return [this](uint16_t key, uint8_t* buffer, int length) {
            Reads.push_back(key);
            auto it = Keys.find(key);
            if (it == Keys.end())
                return false;
            std::copy_n(it->second.begin(), std::min<size_t>(it->second.size(), static_cast<size_t>(length)), buffer);
            return true;
        };
    }
};

TEST(FirmwareVersionKey, Decode)
{
    const uint8_t headset[4] = {42, 0, 3, 2};
    VersionGroup v;
    ASSERT_TRUE(DecodeFirmwareVersionKey(0x4D10, headset, v));
    EXPECT_EQ(v.Major, 4);
    EXPECT_EQ(v.Minor, 2);
    EXPECT_EQ(v.SecondaryVersion, 3);  // byte 2
    EXPECT_EQ(v.SecondaryType, 2);     // byte 3

    const uint8_t camera[4] = {0, 1, 2, 3};
    ASSERT_TRUE(DecodeFirmwareVersionKey(0x3020, camera, v));
    EXPECT_EQ(v.Major, 3);
    EXPECT_EQ(v.Minor, 2);
    EXPECT_EQ(v.SecondaryType, 1);
    EXPECT_EQ(v.SecondaryVersion, 0);

    const uint8_t empty[4] = {0, 0, 9, 9};
    v = {7, 7, 7, 7};
    EXPECT_FALSE(DecodeFirmwareVersionKey(0x4D35, empty, v));
    EXPECT_EQ(v.Major, 7);
}

TEST(FirmwareVersionKey, ReadWithFallbacks)
{
    struct Case {
        const char* Name;
        int ProductId;
        std::map<uint16_t, std::vector<uint8_t>> Keys;
        VersionGroup Expected;
        bool ClearNewKey;
        std::vector<uint16_t> Reads;
    };
    const Case cases[] = {
        {"key holds the version", 0x4D35, {{0x02A4, {43, 0, 1, 2}}}, {4, 3, 2, 1}, false, {0x02A4}},
        {"key and unreadable old key", 0x4D10, {{0x02A4, {43, 0, 1, 2}}}, {4, 3, 2, 1}, false, {0x02A4, 0x0293}},
        {"old key decides", 0x4D10, {{0x02A4, {40, 0, 1, 2}}, {0x0293, {30}}}, {3, 0, 0, 0}, true, {0x02A4, 0x0293}},
        {"3.2 stays", 0x4D10, {{0x02A4, {32, 0, 1, 2}}, {0x0293, {30}}}, {3, 2, 0, 0}, false, {0x02A4, 0x0293}},
        {"old key 3 names no version", 0x4D30, {{0x02A4, {43}}, {0x0293, {3}}}, {4, 3, 0, 0}, false, {0x02A4, 0x0293}},
        {"old key above 31", 0x4D40, {{0x02A4, {43}}, {0x0293, {41}}}, {4, 3, 0, 0}, false, {0x02A4, 0x0293}},
        {"old key of 0x4D10", 0x4D10, {{0x0293, {32, 0, 0, 0}}}, {3, 2, 0, 0}, false, {0x02A4, 0x0293}},
        {"old key 4 to 31 marks the new key stale", 0x4D10, {{0x0293, {25}}}, {2, 5, 0, 0}, true, {0x02A4, 0x0293}},
        {"empty key, old key", 0x4D40, {{0x02A4, {0, 0, 5, 5}}, {0x0293, {41}}}, {4, 1, 0, 0}, false, {0x02A4, 0x0293}},
        {"no keys on 0x4D30", 0x4D30, {}, {4, 2, 0, 0}, false, {0x02A4, 0x0293}},
        {"no keys on 0x4D10", 0x4D10, {}, {3, 0, 0, 0}, false, {0x02A4, 0x0293}},
        {"default of 0x4D35", 0x4D35, {{0x0293, {40}}}, {1, 2, 0, 0}, false, {0x02A4}},
        {"default of 0x5061", 0x5061, {}, {5, 2, 0, 0}, false, {0x02A4}},
        {"no default", 0x5910, {}, {0, 0, 0, 0}, false, {0x02A4}},
        {"camera", 0x3020, {{0x02A4, {4, 3, 2, 1}}}, {1, 2, 3, 4}, false, {0x02A4}},
        {"camera without key", 0x3020, {}, {1, 0, 1, 0}, false, {0x02A4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        KeyStore store{c.Keys, {}};
        const FirmwareVersionReading reading = ReadFirmwareVersionKeys(c.ProductId, store.Reader());
        const VersionGroup& v = reading.Version;
        EXPECT_EQ(v.Major, c.Expected.Major);
        EXPECT_EQ(v.Minor, c.Expected.Minor);
        EXPECT_EQ(v.SecondaryType, c.Expected.SecondaryType);
        EXPECT_EQ(v.SecondaryVersion, c.Expected.SecondaryVersion);
        EXPECT_EQ(reading.ClearNewKey, c.ClearNewKey);
        EXPECT_EQ(store.Reads, c.Reads);
        // The plain reading reaches the same version.
        KeyStore again{c.Keys, {}};
        EXPECT_EQ(ReadFirmwareVersion(c.ProductId, again.Reader()).Minor, v.Minor);
    }
}

}  // namespace
