// Rows changed in the grid reach a simulated headset and show again after it
// is read anew: a headset with its settings in bits of word 2 (0x4210) and the
// headset with a camera (0x5510). The recognition finds only 0x5910 by itself
// (its pass runs in tests/e2e); these two are read by the recognition's HID
// road with their product id, and written by the page's write body with the
// settings writer, the headset found under that product id.
#include <algorithm>

#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/RecognitionHid.h"
#include "settings/BasicSettingsBody.h"
#include "settings/SettingsWriter.h"
#include "settings_grid/GridFixture.h"
#include "sim/SimHid.h"

namespace {

class GridWriteTest : public GridTest {
protected:
    // The headset's interfaces "a" and "b" opened as the main window's, its
    // record read by the recognition, and the page opened on it.
    void Recognize(int productId, const std::string& scenario)
    {
        Load(scenario);
        main->hidHandle1 = OpenInterface("a", productId);
        main->hidHandle2 = OpenInterface("b", productId);
        ASSERT_NE(main->hidHandle1, nullptr);
        ReadBack(productId);
    }
    static HANDLE OpenInterface(const std::string& id, int productId)
    {
        return HidDevices().Open(WideFromUtf8(DefaultHidPath(id, 0x3E1F, productId)).c_str());
    }
    void ReadBack(int productId)
    {
        RecognitionResult result;
        RecognizeOverHid(productId, main->hidHandle1, main->hidHandle2, nullptr, result);
        OpenRecord(result.settings);
    }

    // The page's write body through the settings writer; the same-device
    // check finds the headset under its product id.
    SettingsWriteOutcome Write()
    {
        BasicSettingsWriteBody body(Working(), main->deviceSettings);
        const int productId = main->targetProductId;
        return WriteSettingsToHeadset(*main, body, [productId](int& found, HANDLE& handle) {
            handle = OpenHidDevice(productId);
            found = productId;
            return handle != nullptr;
        });
    }

    static bool Journaled(const std::string& line)
    {
        const auto lines = Simulation::Instance().JournalLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(GridWriteTest, WordTwoBitsOfTheTwoInterfaceHeadset)
{
    Recognize(0x4210, "hid.a.pid=0x4210\nhid.a.version=1.5.0.0\nhid.b.pid=0x4210\nhid.b.version=1.5.0.0\n"
                      "hid.b.item.4=10,0,0,1,0,0,0,0,0,0\n");
    ASSERT_EQ(Grid().GetItemCount(), 13);
    ASSERT_EQ(Value(0), L"1") << "Blendcast off";
    ASSERT_TRUE(Disabled(1));
    ASSERT_EQ(Value(1), L"Level 1");

    ClickHalf(0, false);  // Blendcast on: the overlay sensitivity is enabled
    ASSERT_FALSE(Disabled(1));
    Choose(1, 2);         // Level 3
    ClickHalf(6, false);  // VOX Phone on
    ASSERT_TRUE(ActionEnabled());
    ASSERT_EQ(Write(), SettingsWriteOutcome::Written);
    // Word 0 = 11 - 3; word 2 with bit 15 (VOX Phone) and bit 11 (Blendcast).
    EXPECT_TRUE(Journaled("hid b 04 04 0008 0000 8800 0001 0000 0000 0000 0000 0000 0000"));

    ReadBack(0x4210);
    EXPECT_EQ(Value(0), L"0");
    EXPECT_FALSE(Disabled(1));
    EXPECT_EQ(Value(1), L"Level 3");
    EXPECT_EQ(Value(6), L"0");
    EXPECT_EQ(Page().IsModified(), 0);
    EXPECT_FALSE(ActionEnabled());
}

TEST_F(GridWriteTest, CameraRowsOfTheHeadsetWithACamera)
{
    Recognize(0x5510, "hid.a.pid=0x5510\nhid.a.version=2.2.0.0\nhid.a.item.4=0\n"
                      "hid.a.item.7=0,0\nhid.a.item.0x1C=0,0\n");
    ASSERT_EQ(Grid().GetItemCount(), 23);
    ASSERT_EQ(Value(17), L"1") << "sound recording off";

    ClickHalf(17, false);  // sound recording on: music, FM radio and intercom with it
    Choose(10, 2);         // Loop Recording Mode
    Choose(11, 1);         // 720p/60fps
    ASSERT_EQ(Write(), SettingsWriteOutcome::Written);
    // Word 10: recording (bit 6), three sources (bits 8 to 10), 720p/60fps (bit 2);
    // word 12: loop recording (bit 7).
    EXPECT_TRUE(Journaled("hid a 04 07 0744 0000"));
    EXPECT_TRUE(Journaled("hid a 04 1C 0080 0000"));

    ReadBack(0x5510);
    EXPECT_EQ(Value(17), L"0");
    EXPECT_EQ(Value(18) + Value(19) + Value(20) + Value(21), L"0001");
    EXPECT_FALSE(Disabled(21));
    EXPECT_EQ(Value(10), L"Loop Recording Mode");
    EXPECT_EQ(Value(11), L"720p/60fps");
    EXPECT_EQ(Page().IsModified(), 0);
}

}  // namespace
