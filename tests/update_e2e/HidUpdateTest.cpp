// The real program updates a HID headset through its writer thread: the
// headset checked, the archive, the images, the restart and the return; and
// the notice when the archive cannot be written, whose OK lets the writer go on.
#include "UpdateProgramFixture.h"

#include "app/Texts.h"
#include "device/ProductCatalogue.h"
#include "firmware_package/PackageBuilder.h"

namespace {

class HidUpdateTest : public UpdateProgramTest {
protected:
    void SetUp() override
    {
        const std::vector<uint8_t> bytes = BuildPackage(0x5910, {{0, 1, PatternBytes(1, 3000)}});
        ASSERT_TRUE(WriteWholeFile(package, bytes.data(), bytes.size()));
    }
    // A 0x5910 headset at 1.2 that leaves after the finish command and comes back.
    static std::string Ostrel()
    {
        return "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.on.8=leave for 3000\n"
               "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n";
    }
    CString Archive() { return ImgFile(GetModelName(0x5910, 1) + L".wqlnxarch"); }
    CString package = folder / L"ostrel.img";
};

TEST_F(HidUpdateTest, TheWriterFlashesAndTheHeadsetComesBack)
{
    Start(Ostrel());
    GoToUpdatePage();
    UpdateWith(package);
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully", 60000)) << "status: " << Status().c_str();
    EXPECT_EQ(1u, Journal("image o 01 3000 ").size()) << "the image was not taken whole";
    EXPECT_FALSE(Journal("hid-leave o").empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(Archive()));
}

TEST_F(HidUpdateTest, AnArchiveThatCannotBeWrittenIsToldAndTheUpdateGoesOn)
{
    Start(Ostrel());
    // A folder stands where the archive would go.
    ASSERT_TRUE(EnsureFolder(Archive()));
    GoToUpdatePage();
    UpdateWith(package);
    EXPECT_TRUE(AnswerBoxSaying(std::wstring(TextBackupCreationFailed(LanguageEnglish)).substr(0, 20)))
        << "no notice; status: " << Status().c_str();
    ASSERT_TRUE(WaitForStatus(L"Firmware updated successfully", 60000)) << "status: " << Status().c_str();
    EXPECT_FALSE(Journal("hid-leave o").empty());
}

}  // namespace
