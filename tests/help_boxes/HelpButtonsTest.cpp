// The "?" buttons of the basic settings page and its note button: each opens
// its help box over the main window in the current language, with its size and
// buttons; nothing opens while the main window is busy or its section list is
// open; the EDR help offers a mail to the support address on newer firmware.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "settings/HelpTexts.h"
#include "settingslist/LabelTables.h"

namespace {

// What a help box showed.
struct OpenedBox {
    CString text;
    CSize size;
    int iconKind = -1;
    CString ok;
    int hasCancel = 0;
    CString cancel;
    int hasThird = 0;
    HWND owner = nullptr;
};

class HelpButtonsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetModalDialogHook([this](CDialog& dialog, UINT) {
            auto* box = dynamic_cast<CDialogMessageBox*>(&dialog);
            ASSERT_NE(nullptr, box);
            OpenedBox shown;
            shown.text = box->text;
            shown.size = CSize(box->width, box->height);
            shown.iconKind = box->iconKind;
            shown.ok = box->okCaption;
            shown.hasCancel = box->hasCancel;
            shown.cancel = box->cancelCaption;
            shown.hasThird = box->hasThird;
            shown.owner = ::GetWindow(box->m_hWnd, GW_OWNER);
            boxes.push_back(shown);
            dialog.EndDialog(endWith);
        });
        SetShellOpenHook([this](const CString& verb, const CString& target) -> INT_PTR {
            opened.push_back(verb + L"|" + target);
            return 42;
        });
    }

    CDialogDeviceSetting& Page() { return main->DeviceSettingPage(); }

    void ClickHelp(int id) { Page().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    // The headset as recognition leaves it: product and firmware of the record read from it.
    void Headset(int productId, int major, int minor)
    {
        Recognize(productId);
        main->deviceSettings.Firmware.Major = major;
        main->deviceSettings.Firmware.Minor = minor;
    }

    std::vector<OpenedBox> boxes;
    std::vector<CString> opened;
    INT_PTR endWith = IDOK;
};

TEST_F(HelpButtonsTest, EveryButtonOpensItsBoxOverTheMainWindowInTheCurrentLanguage)
{
    Recognize(0x5210);
    main->currentPage = PageDeviceSetting;
    for (LanguageIndex language : {LanguageEnglish, LanguageJapanese, LanguageKorean, LanguageRussian}) {
        main->language = language;
        Page().SetDlgItemText(IDC_RESTART_NOTE, Page().GetRestartNoteText());
        for (const HelpBox& help : HelpBoxTable()) {
            SCOPED_TRACE(::testing::Message() << "button " << help.buttonId << ", language " << language);
            boxes.clear();
            ClickHelp(help.buttonId);
            ASSERT_EQ(1u, boxes.size());
            const OpenedBox& box = boxes[0];
            EXPECT_EQ(HelpBoxSize(help, language), box.size);
            EXPECT_EQ(0, box.iconKind);
            EXPECT_EQ(TextOk(language), box.ok);
            EXPECT_EQ(0, box.hasCancel);
            EXPECT_EQ(0, box.hasThird);
            EXPECT_EQ(main->m_hWnd, box.owner);
            EXPECT_EQ(-1, box.text.Find(L"%s"));
            EXPECT_EQ(L'[', box.text[0]);
        }
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(HelpButtonsTest, BoxesShowTheGettersFilledWithTheNamesOfTheLanguage)
{
    Recognize(0x5210);
    main->language = LanguageItalian;
    struct Case {
        int button;
        CString expected;
    };
    const Case cases[] = {
        {IDC_SIDETONE_HELP, Page().GetHelpSidetone()},
        {IDC_CALMWEAVE_HELP, CString::FillPlaceholders(Page().GetHelpCalmweave(), {CalmweaveLabels[LanguageItalian]})},
        {IDC_AUDIO_BOOST_HELP, CString::FillPlaceholders(Page().GetHelpAudioBoost(), {AudioBoostLabels[LanguageItalian]})},
        {IDC_BLENDCAST_HELP, CString::FillPlaceholders(Page().GetHelpBlendcast(), {BlendcastLabels[LanguageItalian],
                                                                                 FmRadioLabels[LanguageItalian]})},
        {IDC_GAIN_HELP, CString::FillPlaceholders(Page().GetHelpRadioTransmitGain(), {L"GZR6", L"GZR6"})},
    };
    for (const Case& c : cases) {
        boxes.clear();
        ClickHelp(c.button);
        ASSERT_EQ(1u, boxes.size()) << c.button;
        EXPECT_EQ(c.expected, boxes[0].text) << c.button;
        EXPECT_EQ(-1, boxes[0].text.Find(L"%s")) << c.button;
    }
}

TEST_F(HelpButtonsTest, NoteButtonShowsThePageTitleAndTheRestartNote)
{
    Recognize(0x4D10);
    main->currentPage = PageDeviceSetting;
    Page().SetDlgItemText(IDC_RESTART_NOTE, Page().GetRestartNoteText());
    ClickHelp(IDC_NOTE_MORE);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"[DEVICE SETTING]\nNOTE: Changes will be applied after device restarts.", boxes[0].text);
    EXPECT_EQ(CSize(510, 160), boxes[0].size);
}

TEST_F(HelpButtonsTest, NothingOpensWhileBusyOrWhileTheSectionListIsOpen)
{
    Headset(0x4D10, 5, 0);
    for (int which = 0; which < 2; ++which) {
        main->busy = which == 0;
        main->sectionListOpen = which == 1;
        for (int id : {IDC_EDR_HELP, IDC_PLC_HELP, IDC_MIC_BOOST_HELP, IDC_AUDIO_BOOST_HELP, IDC_NOTE_MORE}) ClickHelp(id);
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty());
}

TEST_F(HelpButtonsTest, EdrHelpByFirmwareAndTheMailOfItsThirdText)
{
    struct Case {
        int productId, major, minor;
        INT_PTR endWith;
        const wchar_t* begins;
        CSize size;
        bool mailOffered;
        bool mailOpened;
    };
    const Case cases[] = {
        {0x4D10, 4, 1, IDOK, L"[Enhanced Data Rate]\nIf you use BMW", {510, 160}, false, false},
        {0x4D10, 4, 2, IDOK, L"[Enhanced Data Rate]\nIt is highly recommended to disable", {510, 190}, false, false},
        {0x4D10, 4, 3, IDOK, L"[Enhanced Data Rate]\nIt is highly recommended to enable", {510, 200}, true, false},
        // "SEND Email", and Escape or the close box, end the box with its cancel result.
        {0x4D10, 5, 0, IDCANCEL, L"[Enhanced Data Rate]\nIt is highly recommended to enable", {510, 200}, true, true},
        {0x4D35, 1, 1, IDCANCEL, L"[Enhanced Data Rate]\nIf you use BMW", {510, 160}, false, false},
        {0x4D35, 1, 2, IDCANCEL, L"[Enhanced Data Rate]\nIt is highly recommended to disable", {510, 190}, false, false},
        {0x4D35, 1, 3, IDCANCEL, L"[Enhanced Data Rate]\nIt is highly recommended to enable", {510, 200}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.productId << std::dec << " " << c.major << "." << c.minor);
        Headset(c.productId, c.major, c.minor);
        boxes.clear();
        opened.clear();
        endWith = c.endWith;
        ClickHelp(IDC_EDR_HELP);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(0, boxes[0].text.Find(c.begins));
        EXPECT_EQ(c.size, boxes[0].size);
        EXPECT_EQ(L"OK", boxes[0].ok);
        EXPECT_EQ(c.mailOffered ? 1 : 0, boxes[0].hasCancel);
        if (c.mailOffered) { EXPECT_EQ(L"SEND Email", boxes[0].cancel); }
        EXPECT_EQ(0, boxes[0].hasThird);
        // No verb: the shell opens the mail link with its default action.
        EXPECT_EQ(c.mailOpened ? std::vector<CString>{L"|mailto:support@torvik.example"} : std::vector<CString>{}, opened);
    }
}

TEST_F(HelpButtonsTest, FinnishEdrTextShowsTheSupportAddress)
{
    Headset(0x4D10, 4, 3);
    main->language = LanguageFinnish;
    ClickHelp(IDC_EDR_HELP);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(-1, boxes[0].text.Find(L"(support@torvik.example)"));
    EXPECT_EQ(TextSendEmail(LanguageFinnish), boxes[0].cancel);
}

TEST_F(HelpButtonsTest, GettersReadTheLanguageAndTheHeadsetsFirmwareOfTheMainWindow)
{
    Headset(0x5510, 1, 9);
    // The working copy is not what decides the firmware band.
    Page().workingCopy.Firmware.Major = 2;
    main->language = LanguageDutch;
    EXPECT_EQ(HelpText(HelpTextId::HelpSidetone, LanguageDutch), Page().GetHelpSidetone());
    EXPECT_EQ(HelpText(HelpTextId::HelpVideoModeTwoModes, LanguageDutch), Page().GetHelpVideoMode());
    main->deviceSettings.Firmware.Major = 2;
    main->deviceSettings.Firmware.Minor = 0;
    EXPECT_EQ(HelpText(HelpTextId::HelpVideoModeThreeModes, LanguageDutch), Page().GetHelpVideoMode());
    main->language = 42;
    EXPECT_EQ(HelpText(HelpTextId::HelpGuestMode, LanguageEnglish), Page().GetHelpGuestMode());
    EXPECT_EQ(L"seconds (3 ~ 60)", Page().FormatTimeoutRangeText());
}

int EnvNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// Not a check: shows a help box over the main window for tools/screenshot.
//   tools/screenshot OUT.png 6 build/tests/test_help_boxes.exe --gtest_also_run_disabled_tests
//       --gtest_filter=*DISABLED_ShowHelpBox
// with TORVIK_SHOT_LANGUAGE (0 to 10) and TORVIK_SHOT_BUTTON (a button id; 1044,
// the EDR help of a headset with firmware 5.0, by default).
TEST_F(HelpButtonsTest, DISABLED_ShowHelpBox)
{
    SetModalDialogHook([](CDialog& dialog, UINT) {
        PumpMessagesFor(8000);
        dialog.EndDialog(IDOK);
    });
    Headset(0x4D10, 5, 0);
    main->ApplyLanguage(EnvNumber("TORVIK_SHOT_LANGUAGE", 0), 1);
    main->currentPage = PageDeviceSetting;
    Page().SetDlgItemText(IDC_RESTART_NOTE, Page().GetRestartNoteText());
    main->ShowWindow(SW_SHOW);
    ClickHelp(EnvNumber("TORVIK_SHOT_BUTTON", IDC_EDR_HELP));
}

}  // namespace
