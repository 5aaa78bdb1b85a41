// Every text the program shows in a control fits that control, in every
// language: each shown control of each dialog template and of the boxes the
// rider meets, with the texts the program sets, measured as drawn in the
// control's own font within the room the control leaves its text. A caption
// wider than its button is cut, a line wider than its static wraps onto a line
// that is not shown, and a combo box's item runs under its button.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "app/StatusLine.h"
#include "firmware/ui/DialogNewUpdateFound.h"
#include "firmware/FirmwarePageTexts.h"
#include "restore/ArchivedSettings.h"
#include "settings/LegacyLayout.h"
#include "sim/Simulation.h"
#include "support/DrawnText.h"

namespace {

// A memory DC to measure texts in, kept for the whole run.
HDC MeasuringDc()
{
    static const HDC dc = ::CreateCompatibleDC(nullptr);
    return dc;
}

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)); }

std::wstring ClassOf(HWND control)
{
    wchar_t name[64] = {};
    ::GetClassNameW(control, name, 64);
    return name;
}

// Where a control draws its text: the part of its client area the text must
// stay within, and whether it wraps over several lines there.
struct TextRoom {
    bool measured = false;  // false: no text of ours (pictures, lists, spins, scrolling edits)
    int width = 0;
    int height = 0;
    bool wraps = false;
};

// The margins each kind of control draws its text with, as Wine draws them.
TextRoom RoomOf(HWND control, const std::wstring& kind)
{
    RECT client{};
    ::GetClientRect(control, &client);
    const LONG style = static_cast<LONG>(::GetWindowLongPtrW(control, GWL_STYLE));
    const auto room = [&client](int margins) { return TextRoom{true, client.right - margins, client.bottom, false}; };
    if (kind == L"Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP) return {};
        TextRoom text = room(0);
        CSelectObject select(MeasuringDc(), FontOf(control));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(MeasuringDc(), &metrics);
        text.wraps = type != SS_LEFTNOWORDWRAP && client.bottom >= 2 * metrics.tmHeight;
        return text;
    }
    if (kind == L"Button") {
        if (style & (BS_BITMAP | BS_ICON)) return {};
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
            return room(16);  // the mark before the text
        case BS_GROUPBOX: return room(14);
        default: return room(8);  // the frame and the focus rectangle on either side
        }
    }
    // The selected item, from 4 pixels in to 3 pixels before the drop button.
    if (kind == L"ComboBox") return room(7 + ::GetSystemMetrics(SM_CXVSCROLL));
    if (kind == L"ListBox") return room(1);
    if (kind == L"Edit" && !(style & ES_MULTILINE)) {
        RECT format{};
        ::SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return TextRoom{true, format.right - format.left, client.bottom, false};
    }
    return {};
}

// The texts a control shows: its caption, or the items of its list.
std::vector<CString> TextsOf(HWND control, const std::wstring& kind)
{
    const bool combo = kind == L"ComboBox";
    if (combo || kind == L"ListBox") {
        std::vector<CString> items;
        const int count = static_cast<int>(::SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t item[256] = {};
            ::SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            items.emplace_back(item);
        }
        return items;
    }
    const CString text = CWnd::FromHandle(control)->GetWindowText();
    return text.IsEmpty() ? std::vector<CString>{} : std::vector<CString>{text};
}

// What a text needs of a room: its drawn width on one line, or its height
// wrapped at the room's width (wider than the room when a word does not fit).
// The same text in the same font is drawn once.
CSize Needs(HFONT font, const CString& text, const TextRoom& room)
{
    if (!room.wraps && text.Find(L'\n') < 0) {
        static std::map<std::wstring, int> widths;
        LOGFONTW description{};
        ::GetObjectW(font, sizeof description, &description);
        const std::wstring key =
            std::wstring(reinterpret_cast<const wchar_t*>(&description), sizeof description / 2) + text.str();
        auto found = widths.find(key);
        if (found == widths.end()) found = widths.emplace(key, DrawnWidth(font, text)).first;
        return CSize(found->second, 0);
    }
    CSelectObject select(MeasuringDc(), font);
    RECT r{0, 0, room.width, 0};
    ::DrawTextW(MeasuringDc(), text, -1, &r, DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
    return CSize(r.right, r.bottom);
}

constexpr const wchar_t* kVoicePromptLanguages[] = {L"English", L"French", L"German", L"Italian",
                                                    L"Japanese", L"Korean", L"Spanish", L"Dutch",
                                                    L"Russian", L"Chinese", L"Finnish"};

// A recognized headset's record: a product at a firmware version.
struct Headset {
    int product;
    int major;
    int minor;
    int section = 1;  // the kind of setting section shown (1 basic, 2 speed dial, 3 FM radio)

    DeviceSettings Record() const
    {
        DeviceSettings record;
        record.SetDefaults(product, major, minor);
        record.ProductId = product;
        record.DeviceName = GetModelName(product, 0);
        record.Firmware = {major, minor, 0, 0, 0};
        return record;
    }
};

// Every product at the firmware versions where settings layouts and archived
// labels change.
std::vector<Headset> AllHeadsets()
{
    std::vector<Headset> all;
    for (int product : KnownUsbProductIds) {
        for (const auto& [major, minor] : {std::pair{0, 0}, {1, 1}, {1, 2}, {2, 0}, {4, 0}, {4, 1}, {4, 2}, {5, 0}})
            all.push_back({product, major, minor});
    }
    return all;
}

// Few headsets whose basic settings pages between them show every row that
// any shows: each next one shows the most rows not shown yet.
const std::vector<Headset>& LayoutsShowingEveryRow()
{
    static const std::vector<Headset> chosen = [] {
        const std::vector<Headset> all = AllHeadsets();
        const auto rowsOf = [](const Headset& headset) {
            std::set<int> rows;
            const LegacyLayout* layout = FindLegacyLayout(headset.product, headset.Record());
            for (int row = 0; layout && row < kLegacyRowCount; ++row)
                if (layout->Find(static_cast<LegacyRow>(row))) rows.insert(row);
            return rows;
        };
        std::vector<Headset> layouts;
        std::set<int> shown;
        for (;;) {
            const Headset* best = nullptr;
            size_t most = 0;
            for (const Headset& headset : all) {
                size_t added = 0;
                for (int row : rowsOf(headset)) added += !shown.count(row);
                if (added > most) {
                    most = added;
                    best = &headset;
                }
            }
            if (!best) return layouts;
            layouts.push_back(*best);
            for (int row : rowsOf(*best)) shown.insert(row);
        }
    }();
    return chosen;
}

// The archives, with the section shown, whose restore page shows a text that
// none before showed (the English texts tell them apart).
const std::vector<Headset>& ArchivesShowingEveryText()
{
    static const std::vector<Headset> chosen = [] {
        std::vector<Headset> archives;
        std::set<std::wstring> shown;
        for (Headset headset : AllHeadsets()) {
            for (headset.section = 1; headset.section <= 3; ++headset.section) {
                const ArchivedLabels labels =
                    BuildArchivedLabels(headset.product, headset.Record(), headset.section, 2, LanguageEnglish);
                bool more = shown.insert(FindArchivedFamily(headset.product) ? L"list" : L"pairs").second;
                for (int n = 0; n < kArchivedPairCount; ++n)
                    more |= shown.insert(L"name " + labels.names[n].str()).second |
                            shown.insert(L"value " + labels.values[n].str()).second;
                if (more) archives.push_back(headset);
            }
        }
        return archives;
    }();
    return chosen;
}

class TextFit : public SimulatedMainWindowTest {
protected:
    // Every text of the window's shown controls.
    void Measure(const CDialog& window)
    {
        templates.insert(window.GetTemplateId());
        for (HWND child = ::GetWindow(window.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
            const std::wstring kind = ClassOf(child);
            const TextRoom room = RoomOf(child, kind);
            if (!room.measured) continue;
            for (const CString& text : TextsOf(child, kind))
                Check(text, FontOf(child), room, window.GetTemplateId(), ::GetDlgCtrlID(child));
        }
    }

    void Check(const CString& text, HFONT font, const TextRoom& room, UINT templateId, int controlId)
    {
        const CSize needs = Needs(font, text, room);
        if (needs.cx <= room.width && needs.cy <= room.height) return;
        misfits.insert("template " + std::to_string(templateId) + ", control " + std::to_string(controlId) +
                       ", language " + std::to_string(language) + ": \"" + text.ToUtf8() + "\" needs " +
                       std::to_string(needs.cx) + " x " + std::to_string(needs.cy) + " of " +
                       std::to_string(room.width) + " x " + std::to_string(room.height));
    }

    // The frame and the page it shows.
    void MeasurePage()
    {
        Measure(*main);
        CWizardPage* pages[] = {&main->selectionPage, &main->recognitionPage, &main->firmwareUpdatePage,
                                &main->firmwareRestorePage, &main->deviceSettingPage, &main->deviceSettingSecondPage,
                                &main->speedDialPage};
        Measure(*pages[main->currentPage - 1]);
    }

    void Recognize(const Headset& headset)
    {
        MainWindowTest::Recognize(headset.product);
        main->deviceSettings = headset.Record();
    }

    static void ThreeSections(int& count, int* kinds)
    {
        count = 3;
        for (int i = 0; i < 3; ++i) kinds[i] = i + 1;
    }

    // The recognition page, and the boxes of its outcomes after NEXT.
    void Recognition()
    {
        const char* scenarios[] = {
            "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x4D10\nusb.1=USB\\VID_3E1F&PID_CD10\n",  // odd interfaces
            "dfu.k.pid=0x4D10\ndfu.k.ps.0x02A3=words:0x5010\nusb.1=USB\\VID_3E1F&PID_4D10\n",  // another model
            "dfu.k.pid=0x0001\ndfu.k.ps.0x02A3=words:0x4D10\nusb.1=USB\\VID_3E1F&PID_0001\n",  // activated
        };
        for (const char* scenario : scenarios) {
            Simulation::Instance().Reset();
            Load(scenario);
            main->targetProductId = 0x4D10;
            main->GoToRecognition(1, nullptr, 0);
            MeasurePage();
            Click(IDC_NEXT);
            MeasurePage();
        }
        Simulation::Instance().Reset();
        Load("");
    }

    // The update page offering a firmware in every voice-prompt language, and the offer.
    void FirmwareUpdate()
    {
        Recognize({0x5910, 1, 2});
        main->GoToFirmwareUpdate(1);
        CDialogFirmwareUpdate& page = main->firmwareUpdatePage;
        page.KillTimer(kIndexTimer);
        page.PageStatus.OfferedMajor = 1;
        page.PageStatus.OfferedMinor = 3;
        page.PageStatus.ChosenFile = L"a.img";
        for (const wchar_t* name : kVoicePromptLanguages) page.PageStatus.AddEntry(L"a.img", name);
        main->SetBusy(false);
        page.RefreshLabels();
        MeasurePage();
        CDialogNewUpdateFound offer(main.get(), page.OfferView());
        offer.DoModal();
        main->usbStatus = 0x5910 | kUpdateModeBit;
        main->UpdateNavigation();
        MeasurePage();
    }

    // The restore page with a choice of every voice-prompt language, for the
    // archive of every product at every version, in each of three sections.
    void FirmwareRestore()
    {
        Recognize({0x4D10, 5, 0});
        main->GoToFirmwareRestore(1);
        CDialogFirmwareRestore& page = main->firmwareRestorePage;
        page.KillTimer(kLookupTimer);
        page.archiveRead = true;
        page.restoreStatus.BackupFound = true;
        for (const wchar_t* name : kVoicePromptLanguages) page.restoreStatus.AddEntry(L"a.img", name);
        page.languageCombo.AddString(L"");
        page.languageCombo.AddString(L"");
        ThreeSections(page.sectionCount, page.sectionKinds);
        main->SetBusy(false);
        for (const Headset& archive : ArchivesShowingEveryText()) {
            Recognize(archive);
            page.archivedSettings = main->deviceSettings;
            page.currentSection = archive.section - 1;
            page.RefreshRestorePage();
            main->UpdateNavigation();
            MeasurePage();
        }
    }

    // The basic settings page in each of its layouts, and the FM radio and
    // speed-dial pages; the section chooser with its list open.
    void Settings()
    {
        Recognize({0x4D10, 5, 0});
        main->GoToDeviceSetting(1);
        for (const Headset& layout : LayoutsShowingEveryRow()) {
            Recognize(layout);
            main->deviceSettingPage.RefreshTexts();
            main->deviceSettingPage.LayoutLegacyControls();
            MeasurePage();
        }
        Recognize({0x5910, 1, 2});
        main->deviceSettings.FmPresets[0] = 0;
        main->deviceSettings.FmPresets[1] = 10800;
        ThreeSections(main->sectionCount, main->sectionKinds);
        main->GoToPage(PageDeviceSettingSecond);
        MeasurePage();
        // A change left unsaved: the question whether to save it.
        CDialogDeviceSettingSecond& fm = main->deviceSettingSecondPage;
        fm.PressButton(fm.IsDlgButtonChecked(IDC_FM_RDS_ENABLE) ? IDC_FM_RDS_DISABLE : IDC_FM_RDS_ENABLE);
        main->GoToPage(PageSpeedDial);
        MeasurePage();
        main->OnBnClickedSectionDropdown();
        MeasurePage();
        main->OnBnClickedSectionDropdown();
    }

    // The boxes at the end of an update and the prompts during one: each text
    // in the text area of a box of its size, in the font of the box's text.
    void UpdateBoxes(const CDialogMessageBox& box)
    {
        struct Box {
            CString text;
            CSize size;
            bool ok;
        };
        const Box boxes[] = {
            {TextClearPairingAdvice(language), {530, 160}, true},
            {TextPowerCycleToApply(StatusSuccessText(PageFirmwareUpdate, 0x5310, language), language),
             {380, 145},
             true},
            {TextCameraUpdateSteps(language), {550, 180}, true},
            {TextWrongDevice(language), {400, 165}, true},
            {TextBackupCreationFailed(language), {500, 180}, true},
            {TextHoldKey(language, 0x5910), {400, 110}, false},
            {TextHoldTwoKeys(language, 0x5910), {400, 110}, false},
        };
        for (const Box& shown : boxes) {
            const CRect area = ComputeMessageBoxLayout(shown.size.cx, shown.size.cy, shown.ok).text;
            Check(shown.text, FontOf(box.textStatic.m_hWnd), TextRoom{true, area.Width(), area.Height(), true},
                  IDD_MESSAGE_BOX, IDC_MESSAGE_TEXT);
        }
    }

    LanguageIndex language = 0;
    std::set<std::string> misfits;
    std::set<UINT> templates;
};

BOOL CALLBACK AddTemplate(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR templates)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::set<UINT>*>(templates)->insert(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

TEST_F(TextFit, EveryShownTextOfEveryTemplateAndBoxInEveryLanguage)
{
    // Every box and dialog that opens is measured, then closed; its links stay shut.
    SetModalDialogHook([this](CDialog& dialog, UINT) {
        Measure(dialog);
        dialog.EndDialog(IDCANCEL);
    });
    SetShellOpenHook([](const CString&, const CString&) { return static_cast<INT_PTR>(33); });
    CDialogMessageBox box(main.get());
    box.Setup(L"", 1, nullptr, L"OK", CSize(400, 110));
    ASSERT_TRUE(box.CreateModeless(main.get()));
    for (language = 0; language < LanguageCount; ++language) {
        main->ApplyLanguage(language, false);
        main->GoToWelcome();
        MeasurePage();
        main->OnMenuAbout();
        main->OnManagerLanguage();
        main->OnBnClickedStatusDetails();
        Recognition();
        FirmwareUpdate();
        UpdateBoxes(box);
        FirmwareRestore();
        Settings();
    }
    for (const std::string& misfit : misfits) ADD_FAILURE() << misfit;

    std::set<UINT> all;
    ::EnumResourceNamesW(nullptr, RT_DIALOG, AddTemplate, reinterpret_cast<LONG_PTR>(&all));
    for (UINT id : all) EXPECT_TRUE(templates.count(id)) << "template " << id << " was not measured";
}

}  // namespace
