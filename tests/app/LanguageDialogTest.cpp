// The language dialog: every control of a language selects it, the radios
// stacked in the template's order with bold captions, Down steps from radio to
// radio, and a language outside the eleven.
#include "MainWindowFixture.h"

#include <cstdlib>
#include <functional>

#include "app/ui/DialogLanguageManager.h"
#include "app/ui/DialogMessageBox.h"

namespace {

// Opens the language dialog on the main window with a language and runs a
// check inside it.
void WithLanguageDialog(CUpdaterDlg& main, LanguageIndex language, const std::function<void(CDialogLanguageManager&)>& check)
{
    main.language = language;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        ASSERT_EQ(static_cast<UINT>(IDD_LANGUAGE_MANAGER), templateId);
        check(static_cast<CDialogLanguageManager&>(dialog));
        dialog.PressButton(IDCANCEL);
    });
    main.SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
    SetModalDialogHook(nullptr);
}

void ExpectShownIn(CDialogLanguageManager& dialog, LanguageIndex shown)
{
    const int column = TextColumn(shown);
    EXPECT_EQ(TextManagerLanguage(shown), dialog.groupBox.GetWindowText());
    EXPECT_EQ(TextOk(shown), dialog.okButton.GetWindowText());
    EXPECT_EQ(TextCancel(shown), dialog.cancelButton.GetWindowText());
    for (int i = 0; i < LanguageCount; ++i) {
        EXPECT_EQ(LanguageName(i, shown), dialog.names[i].GetWindowText()) << i;
        EXPECT_EQ(i == column ? BST_CHECKED : BST_UNCHECKED, dialog.IsDlgButtonChecked(LanguageChoices[i].radio)) << i;
    }
}

TEST_F(FrameTest, EveryControlOfALanguageSelectsIt)
{
    WithLanguageDialog(*main, LanguageEnglish, [](CDialogLanguageManager& dialog) {
        for (int language = 0; language < LanguageCount; ++language) {
            const LanguageChoiceControls& choice = LanguageChoices[language];
            // The flag shows its bitmap.
            EXPECT_NE(0, ::SendDlgItemMessageW(dialog.m_hWnd, choice.flag, STM_GETIMAGE, IMAGE_BITMAP, 0)) << language;
            for (int control : {choice.radio, choice.flag, choice.name}) {
                SCOPED_TRACE(control);
                dialog.selectedLanguage = (language + 1) % LanguageCount;
                dialog.SendMessage(WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, control)));
                EXPECT_EQ(language, dialog.selectedLanguage);
                ExpectShownIn(dialog, language);
            }
        }
    });
}

TEST_F(FrameTest, LanguageDialogStacksTheRadiosInItsOwnOrderWithBoldCaptions)
{
    const LanguageIndex order[] = {LanguageEnglish, LanguageFrench,  LanguageSpanish, LanguageItalian,
                                   LanguageGerman,  LanguageDutch,   LanguageRussian, LanguageChinese,
                                   LanguageKorean,  LanguageJapanese, LanguageFinnish};
    WithLanguageDialog(*main, LanguageEnglish, [&](CDialogLanguageManager& dialog) {
        int previousTop = -1;
        for (LanguageIndex language : order) {
            CRect rect;
            ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, LanguageChoices[language].radio), &rect);
            EXPECT_GT(rect.top, previousTop) << language;
            previousTop = rect.top;
            EXPECT_EQ(FW_BOLD, FontOf(dialog.names[language]).lfWeight) << language;
        }
        for (const CWnd* control : {static_cast<const CWnd*>(&dialog.groupBox), static_cast<const CWnd*>(&dialog.applyCheck),
                                    static_cast<const CWnd*>(&dialog.okButton), static_cast<const CWnd*>(&dialog.cancelButton)}) {
            EXPECT_EQ(FW_BOLD, FontOf(*control).lfWeight);
        }
    });
}

// Down on a language's radio moves the check and the keyboard to the next
// language's radio in one press, past that language's flag and name.
TEST_F(FrameTest, DownMovesToTheNextLanguageInOnePress)
{
    WithLanguageDialog(*main, LanguageEnglish, [](CDialogLanguageManager& dialog) {
        const HWND english = ::GetDlgItem(dialog.m_hWnd, LanguageChoices[LanguageEnglish].radio);
        const HWND french = ::GetDlgItem(dialog.m_hWnd, LanguageChoices[LanguageFrench].radio);
        dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(english), TRUE);
        ASSERT_EQ(english, ::GetFocus());
        ::PostMessageW(english, WM_KEYDOWN, VK_DOWN, 1);
        ::PostMessageW(english, WM_KEYUP, VK_DOWN, static_cast<LPARAM>(0xC0000001u));
        MSG pending;
        PumpMessagesUntil([&] { return !::PeekMessageW(&pending, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE); }, 5000);
        EXPECT_EQ(french, ::GetFocus());
        EXPECT_EQ(LanguageFrench, dialog.selectedLanguage);
        ExpectShownIn(dialog, LanguageFrench);
    });
}

TEST_F(FrameTest, LanguageOutsideTheElevenOpensTheDialogInEnglish)
{
    WithLanguageDialog(*main, 42, [](CDialogLanguageManager& dialog) { ExpectShownIn(dialog, LanguageEnglish); });
    main->language = LanguageEnglish;
}

// Not a check: shows the language dialog for tools/screenshot, in the language
// TORVIK_SHOT_LANGUAGE (0 to 10).
TEST(Screenshot, DISABLED_LanguageDialog)
{
    const char* value = std::getenv("TORVIK_SHOT_LANGUAGE");
    CDialogLanguageManager dialog;
    dialog.selectedLanguage = value ? std::atoi(value) : LanguageEnglish;
    SetModalDialogHook([](CDialog& shown, UINT) {
        PumpMessagesUntil([] { return false; }, 8000);
        shown.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    SetModalDialogHook(nullptr);
}

}  // namespace
