// The speed-dial page on its real edits inside the main window: typing and
// pasting, the caret, DEFAULT, CANCEL, the busy lock and the languages.
#include <string>

#include "app/MainWindowFixture.h"
#include "settingslist/LabelTables.h"

namespace {

class SpeedDialPageTest : public MainWindowTest {
protected:
    void Open(const wchar_t* first, const wchar_t* second = L"", const wchar_t* third = L"")
    {
        main->deviceSettings = DeviceSettings();
        Recognize(0x4111);
        main->deviceSettings.SpeedDialNumbers[0] = first;
        main->deviceSettings.SpeedDialNumbers[1] = second;
        main->deviceSettings.SpeedDialNumbers[2] = third;
        main->GoToSpeedDial(1);
        ASSERT_EQ(main->currentPage, PageSpeedDial);
    }

    CDialogDeviceSettingSpeedDial& Page() { return main->speedDialPage; }
    CEdit& Edit(int i) { return Page().numberEdits[i]; }
    CString Number(int i) { return Page().workingCopy.SpeedDialNumbers[i]; }
    bool ActionEnabled() { return main->actionButton.IsWindowEnabled(); }

    // Keys typed at a caret position.
    void TypeAt(int i, int caret, const std::wstring& keys)
    {
        Edit(i).SetSel(caret, caret);
        for (wchar_t key : keys) Edit(i).SendMessage(WM_CHAR, key, 1);
    }
    // A paste over the selection.
    void Paste(int i, int start, int end, const wchar_t* text)
    {
        Edit(i).SetSel(start, end);
        Edit(i).SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    std::pair<int, int> Selection(int i)
    {
        int start = 0;
        int end = 0;
        Edit(i).GetSel(start, end);
        return {start, end};
    }
};

TEST_F(SpeedDialPageTest, ShowsTheRecordsNumbers)
{
    Open(L"+4912345", L"", L"*31#");
    EXPECT_EQ(Edit(0).GetWindowText(), CString(L"+4912345"));
    EXPECT_EQ(Edit(2).GetWindowText(), CString(L"*31#"));
    EXPECT_FALSE(ActionEnabled());
}

TEST_F(SpeedDialPageTest, TypedCharactersOutsideTheDialSetAreDropped)
{
    Open(L"1234");
    TypeAt(0, 2, L"5");
    EXPECT_EQ(Number(0), CString(L"12534"));
    EXPECT_EQ(Selection(0), std::make_pair(3, 3));
    EXPECT_TRUE(ActionEnabled());

    // A letter and a space vanish; the caret stays where it was before the key.
    TypeAt(0, 3, L"a");
    EXPECT_EQ(Edit(0).GetWindowText(), CString(L"12534"));
    EXPECT_EQ(Number(0), CString(L"12534"));
    EXPECT_EQ(Selection(0), std::make_pair(3, 3));
    TypeAt(0, 0, L" ");
    EXPECT_EQ(Number(0), CString(L"12534"));
    EXPECT_EQ(Selection(0), std::make_pair(0, 0));
    TypeAt(0, 5, L"#*+");
    EXPECT_EQ(Number(0), CString(L"12534#*+"));
}

TEST_F(SpeedDialPageTest, PastesKeepTheirDigitsAndTwentyCharacters)
{
    Open(L"");
    Paste(1, 0, 0, L"0800-123 45");
    EXPECT_EQ(Edit(1).GetWindowText(), CString(L"080012345"));
    EXPECT_EQ(Number(1), CString(L"080012345"));
    // One place back from the end of the paste is beyond the shorter text: its end.
    EXPECT_EQ(Selection(1), std::make_pair(9, 9));

    Paste(2, 0, 0, std::wstring(25, L'9').c_str());
    EXPECT_EQ(Number(2), CString(std::wstring(20, L'9')));
    EXPECT_EQ(Edit(2).GetWindowText(), CString(std::wstring(20, L'9')));

    // A letter among more than 20 digits: the digits, cut to their first 20.
    const std::wstring mixed = std::wstring(12, L'1') + L"x" + std::wstring(12, L'2');
    Paste(0, 0, 0, mixed.c_str());
    EXPECT_EQ(Number(0), CString(std::wstring(12, L'1') + std::wstring(8, L'2')));
    EXPECT_EQ(Edit(0).GetWindowText(), Number(0));
}

TEST_F(SpeedDialPageTest, DefaultEmptiesAndCancelRestores)
{
    Open(L"112", L"", L"999");
    Page().PressButton(IDC_SPEED_DIAL_DEFAULT);
    for (int i = 0; i < kSpeedDialCount; ++i) EXPECT_TRUE(Edit(i).GetWindowText().IsEmpty()) << i;
    EXPECT_TRUE(ActionEnabled());
    Page().PressButton(IDC_SPEED_DIAL_CANCEL);
    EXPECT_EQ(Edit(2).GetWindowText(), CString(L"999"));
    EXPECT_FALSE(ActionEnabled());
}

TEST_F(SpeedDialPageTest, BusyPageRefusesDefaultButCancels)
{
    Open(L"112");
    TypeAt(0, 3, L"4");
    main->busy = true;
    Page().RefreshTexts();
    for (int i = 0; i < kSpeedDialCount; ++i) EXPECT_FALSE(Edit(i).IsWindowEnabled()) << i;
    Page().PressButton(IDC_SPEED_DIAL_DEFAULT);
    EXPECT_EQ(Number(0), CString(L"1124"));
    Page().PressButton(IDC_SPEED_DIAL_CANCEL);
    EXPECT_EQ(Number(0), CString(L"112"));
    EXPECT_EQ(Edit(0).GetWindowText(), CString(L"112"));
    main->busy = false;
    main->sectionListOpen = true;
    Page().RefreshTexts();
    EXPECT_FALSE(Edit(0).IsWindowEnabled());
    main->sectionListOpen = false;
}

TEST_F(SpeedDialPageTest, CaptionsFollowTheLanguage)
{
    Open(L"");
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        main->language = language;
        Page().RefreshTexts();
        EXPECT_EQ(Page().captions[1].GetWindowText(), CString(GetLabelText(SpeedDialLabels, language)) + L" 2");
        EXPECT_EQ(Page().cancelButton.GetWindowText(), TextCancel(language));
    }
    EXPECT_EQ(Page().captions[0].GetWindowText(), CString(L"Pikavalinta 1"));
}

}  // namespace
