// Every text the program shows in a control fits that control, in every
// language: each shown control of each dialog template and of the boxes the
// rider meets, with the texts the program sets, measured as drawn in the
// control's own font within the room the control leaves its text. A caption
// wider than its button is cut, a line wider than its static wraps onto a line
// that is not shown, and a combo box's item runs under its button. A line is
// measured where its alignment puts it: a right-aligned line whose ink reaches
// further than its extent runs past its control's right edge, where its
// closing bracket or colon is cut. Nor may a line run under a visible control
// beside it on the same line (a help button, a radio of the value column).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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
// stay within, and whether it wraps over several lines there; where a line
// stands in it; and the controls beside it.
struct TextRoom {
    bool measured = false;  // false: no text of ours (pictures, lists, spins, scrolling edits)
    int width = 0;
    int height = 0;
    bool wraps = false;
    int left = 0;          // where the room begins in the client area
    int lineTop = 0;       // where a line's top is in the client area
    UINT align = DT_LEFT;  // DT_LEFT, DT_CENTER or DT_RIGHT
    bool anchoredAtEdge = false;  // a line begins or ends at the client area's edge
    // The visible controls that reach into the control, from the room's left
    // edge and a line's top.
    std::vector<RECT> beside;
};

// The margins each kind of control draws its text with, and where it puts a
// line, as Wine draws them.
TextRoom RoomOf(HWND control, const std::wstring& kind)
{
    RECT client{};
    ::GetClientRect(control, &client);
    TEXTMETRICW metrics{};
    {
        CSelectObject select(MeasuringDc(), FontOf(control));
        ::GetTextMetricsW(MeasuringDc(), &metrics);
    }
    const LONG style = static_cast<LONG>(::GetWindowLongPtrW(control, GWL_STYLE));
    // A line at the top, or else centred in the height.
    const auto room = [&](int before, int after, UINT align, bool atTop = false) {
        const int lineTop = atTop ? 0 : (client.bottom - metrics.tmHeight) / 2;
        return TextRoom{true, client.right - before - after, client.bottom, false, before, lineTop, align, false, {}};
    };
    if (kind == L"Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP) return {};
        TextRoom text = room(0, 0, type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT, true);
        text.anchoredAtEdge = type != SS_CENTER;
        text.wraps = type != SS_LEFTNOWORDWRAP && client.bottom >= 2 * metrics.tmHeight;
        return text;
    }
    if (kind == L"Button") {
        if (style & (BS_BITMAP | BS_ICON)) return {};
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
            return room(16, 0, DT_LEFT);  // the mark before the text
        case BS_GROUPBOX: return room(7, 7, DT_LEFT, true);
        default: return room(4, 4, DT_CENTER);  // the frame and the focus rectangle on either side
        }
    }
    // The selected item, from 4 pixels in to 3 pixels before the drop button.
    if (kind == L"ComboBox") return room(4, 3 + ::GetSystemMetrics(SM_CXVSCROLL), DT_LEFT);
    if (kind == L"ListBox") return room(1, 0, DT_LEFT);
    if (kind == L"Edit" && !(style & ES_MULTILINE)) {
        RECT format{};
        ::SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return room(format.left, client.right - format.right,
                    (style & ES_CENTER) ? DT_CENTER : (style & ES_RIGHT) ? DT_RIGHT : DT_LEFT);
    }
    return {};
}

// The screen rectangles of a window's visible children that are not statics:
// what a text beside them must not run into. Statics are left out: what they
// leave empty shows the page itself, and two of them may share a row by design.
std::vector<std::pair<HWND, RECT>> VisibleControls(HWND window)
{
    std::vector<std::pair<HWND, RECT>> controls;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) || ClassOf(child) == L"Static") continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        controls.emplace_back(child, r);
    }
    return controls;
}

// Those of the controls that reach into a control from a side, not around it.
void FindControlsBeside(HWND control, const std::vector<std::pair<HWND, RECT>>& controls, TextRoom& room)
{
    POINT origin{room.left, room.lineTop};
    ::ClientToScreen(control, &origin);
    RECT own{};
    ::GetWindowRect(control, &own);
    for (auto [sibling, other] : controls) {
        RECT overlap{};
        if (sibling == control || !::IntersectRect(&overlap, &other, &own)) continue;
        if (other.left <= own.left && other.right >= own.right) continue;  // a frame or list behind it
        ::OffsetRect(&other, -origin.x, -origin.y);
        room.beside.push_back(other);
    }
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

// A line as drawn in a room: its extent and the columns its ink covers where
// the room's alignment puts it. The same line in the same font and room is
// drawn once.
DrawnSpan LineInk(HFONT font, const CString& text, const TextRoom& room)
{
    static std::map<std::wstring, DrawnSpan> spans;
    LOGFONTW description{};
    ::GetObjectW(font, sizeof description, &description);
    const std::wstring key = std::wstring(reinterpret_cast<const wchar_t*>(&description), sizeof description / 2) +
                             std::to_wstring(room.width) + L"/" + std::to_wstring(room.align) + L"/" + text.str();
    auto found = spans.find(key);
    if (found == spans.end()) found = spans.emplace(key, DrawTextSpan(font, text, room.width, room.align)).first;
    return found->second;
}

// A text's height wrapped at the room's width (wider than the room when a
// word does not fit).
CSize WrappedSize(HFONT font, const CString& text, const TextRoom& room)
{
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

// Every product of the catalogue at the firmware versions where settings
// layouts and archived labels change.
std::vector<Headset> AllHeadsets()
{
    std::vector<Headset> all;
    for (const ProductTraits& product : AllProductTraits()) {
        for (const auto& [major, minor] : {std::pair{0, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 0}, {2, 2},
                                           {4, 0}, {4, 1}, {4, 2}, {5, 0}})
            all.push_back({product.productId, major, minor});
    }
    return all;
}

// One headset for each layout of the basic settings page: the layout places
// the rows, and with them the controls that share a line.
const std::vector<Headset>& EveryLayout()
{
    static const std::vector<Headset> chosen = [] {
        std::vector<Headset> layouts;
        std::set<const LegacyLayout*> seen;
        for (const Headset& headset : AllHeadsets()) {
            const LegacyLayout* layout = FindLegacyLayout(headset.product, headset.Record());
            if (layout && seen.insert(layout).second) layouts.push_back(headset);
        }
        return layouts;
    }();
    return chosen;
}

// The archives, with the section shown, whose restore page shows a text in a
// label where none before showed it (the English texts tell them apart).
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
                for (int n = 0; n < kArchivedPairCount; ++n) {
                    const std::wstring pair = std::to_wstring(n) + (labels.namesLeftAligned ? L" left " : L" ");
                    more |= shown.insert(L"name " + pair + labels.names[n].str()).second |
                            shown.insert(L"value " + pair + labels.values[n].str()).second;
                }
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
        const std::vector<std::pair<HWND, RECT>> controls = VisibleControls(window.m_hWnd);
        for (HWND child = ::GetWindow(window.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
            const std::wstring kind = ClassOf(child);
            TextRoom room = RoomOf(child, kind);
            if (!room.measured) continue;
            FindControlsBeside(child, controls, room);
            for (const CString& text : TextsOf(child, kind))
                Check(text, FontOf(child), room, window.GetTemplateId(), ::GetDlgCtrlID(child));
        }
    }

    // A line must not be wider than its room (it would wrap or be cut), and
    // its ink stays within the room and reaches no control beside it on the
    // line: from where the line is anchored (the room's left edge, centre or
    // right edge) up to the nearest one on either side. Wine draws a glyph of
    // small bold Tahoma up to a pixel past its cell, which a line anchored at
    // its control's edge loses there whatever its length, still showing every
    // letter; a line that runs further loses a bracket or a colon. A wrapped
    // text must not need more lines than its room shows.
    void Check(const CString& text, HFONT font, const TextRoom& room, UINT templateId, int controlId)
    {
        std::string needs;
        if (!room.wraps && text.Find(L'\n') < 0) {
            const DrawnSpan ink = LineInk(font, text, room);
            const int overhang = room.anchoredAtEdge ? 1 : 0;
            int from = -room.left - (room.align == DT_LEFT ? overhang : 0);
            int to = room.width + (room.align == DT_RIGHT ? overhang : 0);
            const int anchor = room.align == DT_RIGHT ? room.width : room.align == DT_CENTER ? room.width / 2 : 0;
            for (const RECT& other : room.beside) {
                if (other.top >= ink.bottom || other.bottom <= ink.top) continue;  // not on the line
                if (other.left + other.right >= 2 * anchor) to = std::min(to, int(other.left));
                else from = std::max(from, int(other.right));
            }
            if (ink.extent <= room.width && ink.left >= from && ink.right <= to) return;
            needs = std::to_string(ink.extent) + " wide, ink " + std::to_string(ink.left) + " to " +
                    std::to_string(ink.right) + ", of " + std::to_string(room.width) + " with ink room " +
                    std::to_string(from) + " to " + std::to_string(to);
        } else {
            const CSize size = WrappedSize(font, text, room);
            if (size.cx <= room.width && size.cy <= room.height) return;
            needs = std::to_string(size.cx) + " x " + std::to_string(size.cy) + " of " + std::to_string(room.width) +
                    " x " + std::to_string(room.height);
        }
        misfits.insert("template " + std::to_string(templateId) + ", control " + std::to_string(controlId) +
                       ", language " + std::to_string(language) + ": \"" + text.ToUtf8() + "\" needs " + needs);
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
        for (const Headset& layout : EveryLayout()) {
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

// One language a test, so that the languages share the run out among CTest's shards.
class TextFitInLanguage : public TextFit, public testing::WithParamInterface<LanguageIndex> {};

TEST_P(TextFitInLanguage, EveryShownTextOfEveryTemplateAndBox)
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
    language = GetParam();
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
    for (const std::string& misfit : misfits) ADD_FAILURE() << misfit;

    std::set<UINT> all;
    ::EnumResourceNamesW(nullptr, RT_DIALOG, AddTemplate, reinterpret_cast<LONG_PTR>(&all));
    for (UINT id : all) EXPECT_TRUE(templates.count(id)) << "template " << id << " was not measured";
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitInLanguage, testing::Range<LanguageIndex>(0, LanguageCount));

}  // namespace
