// The basic settings page's write through the main window: ACTION and the save
// prompt, the success road to the automatic recognition and the failure road
// to the welcome page, against simulated headsets.
#include <algorithm>

#include "app/ui/DialogMessageBox.h"
#include "device/HidDevices.h"
#include "settings_page/PageFixture.h"

namespace {

// A BlueCore headset 0x4D10 at firmware 3.0 on USB.
const std::string kChipScenario =
    "usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\ndfu.c.pid=0x4D10\n"
    "dfu.c.ps.0x02A3=words:0x4D10\ndfu.c.ps.0x02A4=words:30, 0\n";

class WriteRoadsTest : public SettingsPageTest {
protected:
    // The chip's page open.
    void OpenChip()
    {
        Load(kChipScenario);
        Open(0x4D10, 3, 0);
    }

    static bool Journaled(const std::string& line)
    {
        const auto lines = Simulation::Instance().JournalLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool AnyKeyWritten()
    {
        const auto lines = Simulation::Instance().JournalLines();
        return std::any_of(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("ps-write", 0) == 0; });
    }

    // Answers every box: records it and presses the given button.
    void AnswerBoxes(int button)
    {
        SetModalDialogHook([this, button](CDialog& dialog, UINT templateId) {
            ASSERT_EQ(templateId, static_cast<UINT>(IDD_MESSAGE_BOX));
            auto& box = static_cast<CDialogMessageBox&>(dialog);
            boxes.push_back({box.text, box.iconKind, box.hasCancel, box.width, box.height, main->busy,
                             main->statusLine.Get(LanguageEnglish), main->statusLine.Get(LanguageGerman),
                             main->LastStatusNotWarning() == 0});
            dialog.PressButton(button);
        });
    }

    struct Box {
        CString text;
        int iconKind;
        int hasCancel;
        int width;
        int height;
        bool busyWhileOpen;
        // The status line while the box is open.
        CString english;
        CString german;
        bool warning;
    };
    std::vector<Box> boxes;
};

TEST_F(WriteRoadsTest, ActionWritesTheChangeAndRecognizesAgain)
{
    OpenChip();
    Press(IDC_VOX_PHONE_ENABLE);
    ASSERT_TRUE(main->actionButton.IsWindowEnabled());
    AnswerBoxes(IDOK);
    main->PressButton(IDC_ACTION);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Journaled("ps-write c 0299 01 00"));
    EXPECT_FALSE(Journaled("ps-write c 0298 00 00")) << "an unchanged key was written";
    EXPECT_FALSE(main->busy);
    // The automatic pass reads the headset back and comes back to this page.
    EXPECT_EQ(main->recognitionPage.autoRunCode, PageDeviceSetting);
    EXPECT_EQ(main->currentPage, PageDeviceSetting);
    EXPECT_EQ(main->statusLine.Get(LanguageEnglish), CString(L"Device setting saved successfully"));
    EXPECT_EQ(main->deviceSettings.HandsfreeVOX, 1);
    EXPECT_TRUE(Checked(IDC_VOX_PHONE_ENABLE));
    EXPECT_EQ(Page().IsModified(), 0);
}

// A HID headset: the discovery of recognition finds it, its version is the
// record's, and the requests go out on the main window's handle.
TEST_F(WriteRoadsTest, HidHeadsetIsWrittenOnTheMainWindowsHandle)
{
    Load("hid.h.pid=0x5910\nhid.h.version=1.2.0.0\n");
    Open(0x5910, 1, 2);
    main->hidHandle1 = HidDevices().Open(L"\\\\?\\hid#vid_3e1f&pid_5910#sim&h#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    ASSERT_NE(main->hidHandle1, nullptr);
    Page().workingCopy.HandsfreeVOX = 1;
    AnswerBoxes(IDOK);
    main->PressButton(IDC_ACTION);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Journaled("hid h 04 04 0001 0000"));
    EXPECT_EQ(main->recognitionPage.autoRunCode, PageDeviceSetting);
}

struct FailureCase {
    const char* name;
    std::string afterOpening;  // scenario lines that change the headset after recognition
};

TEST_F(WriteRoadsTest, FailuresRevertThePageAndEndOnTheWelcomePage)
{
    const FailureCase cases[] = {
        {"unplugged", "usb.1.present=0\ndfu.c.present=0\n"},
        {"swapped for another model", "usb.1=USB\\VID_3E1F&PID_4D20\ndfu.c.pid=0x4D20\ndfu.c.ps.0x02A3=words:0x4D20\n"},
        {"swapped for another firmware", "dfu.c.ps.0x02A4=words:31, 0\n"},
        {"the key is refused", "dfu.c.refused=0x0299\n"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation::Instance().Reset();
        boxes.clear();
        OpenChip();
        Load(kChipScenario + c.afterOpening);
        Press(IDC_VOX_PHONE_ENABLE);
        AnswerBoxes(IDOK);
        main->PressButton(IDC_ACTION);

        ASSERT_EQ(boxes.size(), 1u) << "one box, and no save prompt after it";
        EXPECT_EQ(boxes[0].text, TextWrongDevice(LanguageEnglish));
        EXPECT_NE(boxes[0].iconKind, 0);
        EXPECT_EQ(boxes[0].hasCancel, 0);
        EXPECT_EQ(boxes[0].width, 400);
        EXPECT_EQ(boxes[0].height, 165);
        EXPECT_FALSE(boxes[0].busyWhileOpen);
        EXPECT_EQ(boxes[0].english, CString(L"Failed to save device setting. Not the recognized device"));
        EXPECT_GT(boxes[0].german.Find(TextNotRecognizedDevice(LanguageGerman)), 0);
        EXPECT_TRUE(boxes[0].warning);
        EXPECT_FALSE(AnyKeyWritten());

        EXPECT_EQ(main->currentPage, PageWelcome);
        EXPECT_EQ(Page().workingCopy.HandsfreeVOX, 0) << "the page was not reverted";
        SetModalDialogHook(nullptr);
    }
}

// YES in the save prompt writes and then goes on to the page asked for,
// through the automatic recognition; NO drops the change and goes there at once.
TEST_F(WriteRoadsTest, SavePromptAnswers)
{
    OpenChip();
    Press(IDC_VOX_PHONE_ENABLE);
    AnswerBoxes(IDOK);
    main->PressButton(IDC_TAB_FIRMWARE_UPDATE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, TextSaveChangesQuestion(LanguageEnglish));
    EXPECT_TRUE(Journaled("ps-write c 0299 01 00"));
    EXPECT_EQ(main->recognitionPage.autoRunCode, AutoRunGoingOnTo(PageFirmwareUpdate));
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    // The update page reads its index (and frees the frame) before the next round.
    FinishPageTimers();

    Simulation::Instance().Reset();
    boxes.clear();
    OpenChip();
    Press(IDC_VOX_PHONE_ENABLE);
    AnswerBoxes(IDCANCEL);
    main->PressButton(IDC_TAB_FIRMWARE_UPDATE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, TextSaveChangesQuestion(LanguageEnglish));
    EXPECT_FALSE(AnyKeyWritten());
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_EQ(Page().IsModified(), 0);
}

}  // namespace
