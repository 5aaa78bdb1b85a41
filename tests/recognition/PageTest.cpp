// The recognition page in the main window against simulated headsets: what
// each outcome shows (status first, then the box, then the page), the
// automatic pass after an update, the texts and the help boxes.
#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "device/ui/DialogDeviceRecognitionTexts.h"
#include "framework/Clock.h"
#include "framework/Shell.h"
#include "sim/SimHid.h"
#include "sim/Simulation.h"

namespace {

const char kOstrel[] =
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.address=00025B3D4E5F\n"
    "hid.o.item.0x04=0x1D2F, 0\n";

const char kTkv8[] = "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x4D10\ndfu.k.ps.0x0108=text:TKV8\n"
                     "dfu.k.ps.0x02A4=2B\n";

// What a box showed and what the frame showed while it was open.
struct BoxSeen {
    CString text;
    int iconKind = -1;
    CSize size;
    bool hasCancel = false;
    CString status;
    int statusNotWarning = -1;
};

class RecognitionPageTest : public SimulatedMainWindowTest {
protected:
    void SetUp() override
    {
        SimulatedMainWindowTest::SetUp();
        SetShellOpenHook([this](const CString& verb, const CString& target) {
            opened.push_back(target);
            return static_cast<INT_PTR>(33);
        });
    }

    // Answers every box with the button given and records what it showed.
    void AnswerBoxes(int button)
    {
        SetModalDialogHook([this, button](CDialog& dialog, UINT) {
            auto& box = static_cast<CDialogMessageBox&>(dialog);
            BoxSeen seen;
            seen.text = box.text;
            seen.iconKind = box.iconKind;
            seen.size = CSize(box.width, box.height);
            seen.hasCancel = box.hasCancel != 0;
            seen.status = main->statusText.GetWindowText();
            seen.statusNotWarning = main->LastStatusNotWarning();
            boxes.push_back(seen);
            dialog.EndDialog(button);
        });
    }

    // On the recognition page aiming at the start button's target.
    void OnRecognitionPage()
    {
        main->targetProductId = 0x4D10;
        main->GoToRecognition(1, nullptr, 0);
        ASSERT_EQ(main->currentPage, PageRecognition);
    }

    CString Status() const { return main->statusText.GetWindowText(); }

    std::vector<BoxSeen> boxes;
    std::vector<CString> opened;
};

TEST_F(RecognitionPageTest, NextRecognisesTheOstrelAndShowsIt)
{
    Simulation::Instance().LoadText(kOstrel);
    OnRecognitionPage();
    AnswerBoxes(IDOK);
    Click(IDC_NEXT);
    FinishPageTimers();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_TRUE(main->recognized);
    EXPECT_EQ(main->targetProductId, 0x5910);
    EXPECT_EQ(main->usbStatus, 0x5910);
    EXPECT_EQ(main->sectionCount, 3);
    EXPECT_EQ(Status(), CString(L"Device recognized successfully. Ready for FIRMWARE UPDATE"));
    EXPECT_EQ(main->LastStatusNotWarning(), 1);
    EXPECT_EQ(main->deviceCaption.GetWindowText(), CString(L"Torvik Ostrel"));
    EXPECT_EQ(main->deviceText.GetWindowText(), CString(L"v1.2"));
    EXPECT_EQ(main->deviceSettings.BluetoothAddress, CString(L"00025B[3D4E5F]"));

    // A change of language shows the same status in the new language.
    main->ApplyLanguage(LanguageGerman, 1);
    EXPECT_EQ(Status(), CString::FillPlaceholders(StatusSuccessText(PageRecognition, 0x5910, LanguageGerman),
                                                  {StatusReadyFormat(PageFirmwareUpdate, 0, LanguageGerman)}));
}

TEST_F(RecognitionPageTest, UpdateModeIsAWarningOnTheUpdatePage)
{
    Simulation::Instance().LoadText("dfu.k.pid=0xCD10\ndfu.k.mode=update\nusb.1=USB\\VID_3E1F&PID_CD10\n");
    OnRecognitionPage();
    Click(IDC_NEXT);
    FinishPageTimers();
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_EQ(main->usbStatus, 0xCD10);
    EXPECT_EQ(Status(), CString(L"Firmware management mode. Ready for FIRMWARE UPDATE"));
    EXPECT_EQ(main->LastStatusNotWarning(), 0);
    EXPECT_EQ(main->deviceText.GetWindowText(), ManagementCaption(LanguageEnglish));
}

TEST_F(RecognitionPageTest, OutcomesFromNextShowStatusBoxAndPage)
{
    struct Case {
        const char* name;
        std::string scenario;
        CString status;
        int warning;                // 1: the status is a failure
        bool box;
        CString boxText;
        int icon;
        CSize size;
        int page;
    };
    const std::string usb4D10 = "usb.1=USB\\VID_3E1F&PID_4D10\n";
    const CString support = SupportMailText(LanguageEnglish);
    const Case cases[] = {
        {"nothing found", "", L"Failed to recognize device. Cannot open USB", 1, false, L"", 0, CSize(), PageRecognition},
        {"activated", "dfu.k.pid=0x0001\ndfu.k.ps.0x02A3=words:0x4D10\ndfu.k.ps.0x0108=text:TKV8\n"
                      "usb.1=USB\\VID_3E1F&PID_0001\n",
         L"Ready for DEVICE RECOGNITION. Device activated", 0, true,
         CString::FillPlaceholders(ActivatedMessageText(LanguageEnglish), {UsbConnectStepsText(1, LanguageEnglish)}),
         0, CSize(550, 290), PageRecognition},
        {"more interfaces", std::string(kTkv8) + usb4D10 + "usb.2=USB\\VID_3E1F&PID_4D10\n",
         L"Failed to recognize device. more USB interface(s)", 1, true,
         L"USB interface(s) more than expected is(are) obtained.\n" + support, 1, CSize(520, 180), PageWelcome},
        {"more library devices", std::string(kTkv8) + "dfu.l.pid=0x4D10\n" + usb4D10,
         L"Failed to recognize device. more USB interface(s) [2]", 1, true,
         L"USB interface(s) more than expected is(are) found.\n" + support, 1, CSize(520, 180), PageWelcome},
        {"odd interfaces", std::string(kTkv8) + "usb.1=USB\\VID_3E1F&PID_CD10\n",
         L"Failed to recognize device. odd USB interface(s)", 1, true,
         L"There is problem in the USB interface.\n" + support, 1, CSize(520, 180), PageWelcome},
        {"another family", "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x5010\n" + usb4D10, L"On recognizing device.", 0,
         true, L"A device other than the TKV8 is recognized. Select the appropriate device.\n", 1, CSize(440, 130),
         PageWelcome},
        {"camera without its drive", "dfu.k.pid=0x3020\ndfu.k.ps.0x02A3=words:0x3020\nusb.1=USB\\VID_3E1F&PID_3020\n",
         L"Failed to recognize device. Check your SD Card.", 1, false, L"", 0, CSize(), PageRecognition},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText(c.scenario);
        OnRecognitionPage();
        AnswerBoxes(IDOK);
        Click(IDC_NEXT);
        ASSERT_EQ(boxes.size(), c.box ? 1u : 0u);
        if (c.box) {
            // The status of the outcome is up while its box is open.
            EXPECT_EQ(boxes[0].status, c.status);
            EXPECT_EQ(boxes[0].statusNotWarning, c.warning ? 0 : 1);
            EXPECT_EQ(boxes[0].text, c.boxText);
            EXPECT_EQ(boxes[0].iconKind, c.icon);
            EXPECT_EQ(boxes[0].size, c.size);
        } else {
            EXPECT_EQ(Status(), c.status);
            EXPECT_EQ(main->LastStatusNotWarning(), c.warning ? 0 : 1);
        }
        EXPECT_EQ(main->currentPage, c.page);
        EXPECT_FALSE(main->recognized);
        EXPECT_FALSE(main->busy);
        // After the activation the steps begin with unplugging the headset.
        EXPECT_EQ(main->recognitionPage.pageMode, std::string(c.name) == "activated" ? 1 : 0);
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(RecognitionPageTest, SendEmailOpensTheSupportAddress)
{
    Simulation::Instance().LoadText(std::string(kTkv8) + "usb.1=USB\\VID_3E1F&PID_CD10\n");
    OnRecognitionPage();
    AnswerBoxes(IDCANCEL);
    Click(IDC_NEXT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].hasCancel);
    EXPECT_EQ(opened, std::vector<CString>{L"mailto:support@torvik.example"});
    EXPECT_EQ(main->currentPage, PageWelcome);
}

TEST_F(RecognitionPageTest, AutomaticPassAfterAnUpdateWritesTheSavedRecordBack)
{
    Simulation::Instance().LoadText(kOstrel);
    DeviceSettings saved;
    saved.ProductId = 0x5910;
    saved.Firmware = {1, 1};
    saved.SpeedDialNumbers[0] = L"+358";
    main->targetProductId = 0x5910;
    AnswerBoxes(IDOK);
    main->GoToRecognition(0, &saved, PageFirmwareUpdate);
    FinishPageTimers();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_EQ(Status(), CString(L"Firmware updated successfully"));
    EXPECT_EQ(main->deviceSettings.SpeedDialNumbers[0], CString(L"+358"));
    const auto journal = Simulation::Instance().JournalLines();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "hid o 04 5A 002B 0033 0035 0038"), journal.end());
}

TEST_F(RecognitionPageTest, AutomaticPassGoesOnToThePageAskedFor)
{
    Simulation::Instance().LoadText(kOstrel);
    main->targetProductId = 0x5910;
    main->GoToRecognition(0, nullptr, AutoRunGoingOnTo(PageDeviceSetting));
    EXPECT_EQ(main->currentPage, PageDeviceSetting);
    EXPECT_EQ(Status(), StatusReadyFormat(PageDeviceSetting, 0x5910, LanguageEnglish));

    // In update mode the page it reaches says so, as a warning.
    Simulation::Instance().LoadText("dfu.k.pid=0xCD10\ndfu.k.mode=update\nusb.1=USB\\VID_3E1F&PID_CD10\n");
    main->targetProductId = 0x4D10;
    main->GoToRecognition(0, nullptr, AutoRunGoingOnTo(PageFirmwareRestore));
    EXPECT_EQ(main->currentPage, PageFirmwareRestore);
    EXPECT_EQ(main->GetStatusText(), CString(L"Firmware restored successfully"));
    // The restore page's lookup then tells what it found: here no archive.
    FinishPageTimers();
    EXPECT_EQ(main->GetStatusText(), CString(L"Failed to restore firmware. NO backup firmware"));
}

TEST_F(RecognitionPageTest, AutomaticPassShowsCountFailuresOnlyThroughTheRetry)
{
    AnswerBoxes(IDOK);
    MSG msg{};
    struct Case {
        const char* name;
        std::string scenario;
        bool box;
        bool retry;
        int page;
    };
    const std::string tkv8 = std::string(kTkv8) + "usb.1=USB\\VID_3E1F&PID_4D10\n";
    const Case cases[] = {
        {"more interfaces", tkv8 + "usb.2=USB\\VID_3E1F&PID_4D10\n", false, true, PageRecognition},
        {"odd interfaces", std::string(kTkv8) + "usb.1=USB\\VID_3E1F&PID_CD10\n", true, true, PageWelcome},
        {"another family", "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x5010\nusb.1=USB\\VID_3E1F&PID_4D10\n", true,
         false, PageWelcome},
        {"activated", "dfu.k.pid=0x0001\ndfu.k.ps.0x02A3=words:0x4D10\ndfu.k.ps.0x0108=text:TKV8\n"
                      "usb.1=USB\\VID_3E1F&PID_0001\n",
         false, false, PageRecognition},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        while (::PeekMessageW(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText(c.scenario);
        main->targetProductId = 0x4D10;
        main->GoToRecognition(0, nullptr, PageFirmwareUpdate);
        EXPECT_EQ(boxes.size(), c.box ? 1u : 0u);
        EXPECT_EQ(main->currentPage, c.page);
        const bool posted = ::PeekMessageW(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) != 0;
        EXPECT_EQ(posted, c.retry);
        if (posted) {
            EXPECT_EQ(LOWORD(msg.wParam), IDC_NEXT);
        }
    }
}

TEST_F(RecognitionPageTest, PageShowsTheInstructionsInBoldAndHidesTheRest)
{
    OnRecognitionPage();
    CDialogDeviceRecognition& page = main->recognitionPage;
    EXPECT_EQ(page.stepsStatic.GetWindowText(), OemProductStepsText(LanguageEnglish));
    EXPECT_TRUE(Shown(page.stepsStatic));
    for (CWnd* hidden : {static_cast<CWnd*>(&page.makerStepsEdit), static_cast<CWnd*>(&page.warningStatic),
                         static_cast<CWnd*>(&page.makerProductsButton), static_cast<CWnd*>(&page.oemProductsButton)}) {
        EXPECT_FALSE(Shown(*hidden));
    }
    EXPECT_FALSE(Enabled(page.makerProductsButton));
    LOGFONTW font{};
    ASSERT_TRUE(::GetObjectW(page.stepsStatic.GetFontHandle(), sizeof font, &font));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(page.makerStepsEdit.GetWindowText(), MakerProductStepsText(LanguageEnglish));

    main->ApplyLanguage(LanguageKorean, 1);
    EXPECT_EQ(page.stepsStatic.GetWindowText(), OemProductStepsText(LanguageKorean));
}

TEST_F(RecognitionPageTest, InstructionsFitTheirStaticInEveryLanguage)
{
    OnRecognitionPage();
    CStatic& steps = main->recognitionPage.stepsStatic;
    const CRect area = steps.GetClientRect();
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(language);
        const CString text = OemProductStepsText(language);
        CClientDC dc(&steps);
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), steps.GetFontHandle());
        RECT measured{0, 0, area.Width(), 0};
        ::DrawTextW(dc.GetSafeHdc(), text.GetString(), text.GetLength(), &measured, DT_WORDBREAK | DT_CALCRECT);
        ::SelectObject(dc.GetSafeHdc(), old);
        EXPECT_LE(measured.bottom, area.Height());
    }
}

TEST_F(RecognitionPageTest, HelpBoxesBySizeAndNotWhileBusy)
{
    OnRecognitionPage();
    AnswerBoxes(IDOK);
    CDialogDeviceRecognition& page = main->recognitionPage;
    page.OnOemProductsHelp();
    main->language = LanguageJapanese;
    page.OnOemProductsHelp();
    page.OnMakerProductsHelp();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].size, CSize(700, 180));
    EXPECT_EQ(boxes[0].text, OemProductListText(LanguageEnglish));
    EXPECT_EQ(boxes[1].size, CSize(900, 180));
    EXPECT_EQ(boxes[2].size, CSize(840, 260));
    EXPECT_EQ(boxes[2].text, MakerProductStepsText(LanguageJapanese));
    EXPECT_EQ(boxes[2].iconKind, 0);

    boxes.clear();
    main->busy = true;
    page.OnOemProductsHelp();
    page.OnMakerProductsHelp();
    main->busy = false;
    main->sectionListOpen = true;
    page.OnOemProductsHelp();
    main->sectionListOpen = false;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RecognitionPageTest, PollTimerClosesTheHandlesItClears)
{
    Simulation::Instance().LoadText("hid.a.pid=0x5910\nhid.z.pid=0x5345\n");
    OnRecognitionPage();
    CDialogDeviceRecognition& page = main->recognitionPage;
    EXPECT_EQ(page.pollTimerId, 0);  // nothing starts the poll
    main->hidHandle1 = HidDevices().Open(WideFromUtf8(DefaultHidPath("a", 0x3E1F, 0x5910)).c_str());
    ASSERT_NE(main->hidHandle1, nullptr);
    page.SendMessage(WM_TIMER, kRecognitionPollTimer);
    // The old handle is closed; the one interface of 0x5345 found is not enough.
    EXPECT_EQ(Simulation::Instance().Hid().OpenHandleCount(), 1);
    EXPECT_NE(main->hidHandle1, nullptr);
    EXPECT_EQ(page.pollTimerId, static_cast<int>(kRecognitionPollTimer));
    page.KillTimer(kRecognitionPollTimer);
}

TEST(RecognitionTexts, CountTextsConnectionStepsAndLanguages)
{
    const CString support = SupportMailText(LanguageEnglish);
    EXPECT_EQ(UsbInterfaceCountText(0, RecognitionOutcome::MoreInterfaces, LanguageEnglish),
              L"USB interface(s) more than expected is(are) found.\n" + support);
    EXPECT_EQ(UsbInterfaceCountText(1, RecognitionOutcome::FewerLibraryDevices, LanguageEnglish),
              L"USB interface(s) less than expected is(are) obtained.\n" + support);
    EXPECT_EQ(support, CString(L"Send email to Technical Support (support@torvik.example) with diagnostic log which can "
                               L"be created by pressing the right mouse button and selecting [Diagnostic Log] menu.\n"));
    // Russian and Chinese name how they were counted before how many.
    EXPECT_EQ(UsbInterfaceCountText(1, RecognitionOutcome::FewerInterfaces, LanguageRussian).Left(33),
              CString(L"Получено USB-интерфейсов меньше, "));
    EXPECT_EQ(GetUsbInterfaceCountTitleText(RecognitionOutcome::FewerInterfaces, LanguageEnglish),
              CString(L"less USB interface(s)"));

    EXPECT_EQ(UsbConnectStepsText(1, LanguageEnglish),
              CString(L"1. Unplug the USB cable from PC.\n\n2. Power off your TORVIK product and connect it with PC \n"
                      L"    by the USB cable.\n\n3. Power on your TORVIK product.\n\n\n4. Press the [NEXT >] button."));
    EXPECT_EQ(UsbConnectStepsText(0, LanguageEnglish).Left(46), CString(L"1. Disconnect all Bluetooth devices from PC.\n\n"));

    for (LanguageIndex outside : {-1, 11}) {
        SCOPED_TRACE(outside);
        EXPECT_EQ(OemProductStepsText(outside), OemProductStepsText(LanguageEnglish));
        EXPECT_EQ(GetActivatedTitleText(outside), CString(L"Device activated"));
    }
    // Every language keeps the fields its callers fill, and the support line
    // names the address and the menu in that language.
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(language);
        EXPECT_EQ(ActivatedMessageText(language).Find(L"%s"), ActivatedMessageText(language).ReverseFind(L'%'));
        EXPECT_GE(OtherDeviceText(language).Find(L"%s"), 0);
        EXPECT_GE(SupportMailText(language).Find(kSupportEmailAddress), 0);
        EXPECT_GE(SupportMailText(language).Find(TextDiagnosticLog(language)), 0);
        EXPECT_GE(PressButtonStepText(3, language).Find(TextNext(language)), 0);
        EXPECT_GE(MakerProductStepsText(language).Find(L"www.torvik.example"), 0);
        if (language != LanguageEnglish) {
            EXPECT_NE(OemProductStepsText(language), OemProductStepsText(LanguageEnglish));
        }
    }
}

}  // namespace
