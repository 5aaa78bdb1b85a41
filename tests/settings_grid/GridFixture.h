// The basic settings page of a HID headset with its settings grid shown and
// painted (a check box knows its halves once drawn), driven by mouse messages
// as a rider's clicks reach it.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "controls/PopUpScrollList.h"
#include "settings_page/PageFixture.h"
#include "settingslist/SettingsRows.h"

// Readable CString values in test failures.
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << s.ToUtf8() << '"'; }

class GridTest : public SettingsPageTest {
protected:
    void SetUp() override
    {
        SettingsPageTest::SetUp();
        main->ShowWindow(SW_SHOW);
    }

    // The page of a headset whose record the test gives.
    void OpenRecord(const DeviceSettings& record, LanguageIndex language = LanguageEnglish)
    {
        main->language = language;
        main->targetProductId = record.ProductId;
        main->recognized = true;
        main->usbStatus = record.ProductId;
        main->deviceSettings = record;
        main->GoToDeviceSetting(1);
        ASSERT_EQ(PageDeviceSetting, main->currentPage);
        Paint();
    }

    CConfigListCtrl& Grid() { return Page().settingsGrid; }
    DeviceSettings& Working() { return Page().workingCopy; }
    SettingsRows Rows() { return Page().GridRows(); }
    template <class Cell>
    Cell* CellAt(int row, int column)
    {
        return dynamic_cast<Cell*>(Grid().GetCell(row, column));
    }
    bool Disabled(int row) { return Grid().IsCellDisabled(MakeCellKey(row, 2)); }
    bool ActionEnabled() { return main->actionButton.IsWindowEnabled() != FALSE; }

    // Twice: the first paint lays the list out again with the grid's row height.
    void Paint()
    {
        for (int i = 0; i < 2; ++i) {
            Grid().Invalidate(TRUE);
            Grid().UpdateWindow();
        }
    }

    void ClickAt(CPoint p)
    {
        Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    // The cell's rectangle, the row scrolled into view and painted.
    CRect CellRect(int row, int column)
    {
        Grid().EnsureVisible(row, FALSE);
        Paint();
        return Grid().GetCellRect(row, column);
    }
    void ClickCell(int row, int column) { ClickAt(CellRect(row, column).CenterPoint()); }
    // A click on the Enable (left) or the Disable (right) half of a check box.
    void ClickHalf(int row, bool disableHalf)
    {
        const CRect cell = CellRect(row, 2);
        ClickAt(CPoint(cell.left + cell.Width() * (disableHalf ? 3 : 1) / 4, cell.CenterPoint().y));
    }
    // A click opens the combo's popup; the popup then reports its result to
    // the grid as it does when it closes.
    void Choose(int row, int index)
    {
        ClickCell(row, 2);
        Grid().SendMessage(WM_CELL_POPUP_SELECT, kCellPopupChosen, index);
    }
    void CloseWithoutChoice(int row)
    {
        ClickCell(row, 2);
        Grid().SendMessage(WM_CELL_POPUP_SELECT, kCellPopupClosed, 0);
    }

    // The value column as the grid shows it: "0" or "1" for a check box, the
    // item for a combo.
    CString Value(int row) { return Grid().GetItemText(row, 2); }

    // Every help box that opens: its text and size; OK closes it.
    struct Box {
        CString text;
        int iconKind;
        bool onlyOk;
        int width;
        int height;
    };
    void RecordBoxes()
    {
        SetModalDialogHook([this](CDialog& dialog, UINT) {
            auto& box = static_cast<CDialogMessageBox&>(dialog);
            boxes.push_back({box.text, box.iconKind, box.hasOk && !box.hasCancel && !box.hasThird, box.width, box.height});
            dialog.PressButton(IDOK);
        });
    }
    std::vector<Box> boxes;
};

// A record of the product at a firmware version.
inline DeviceSettings RecordOf(int productId, int major, int minor)
{
    DeviceSettings record;
    record.ProductId = productId;
    record.Firmware = {major, minor, 0, 0, 0};
    record.FirstInterface = record.Firmware;
    record.SecondInterface = record.Firmware;
    return record;
}

// The settings a grid edits: the switches and the setting words.
inline bool SameSettings(const DeviceSettings& a, const DeviceSettings& b)
{
    for (int DeviceSettings::*field : {&DeviceSettings::HandsfreeVOX, &DeviceSettings::IntercomVOX,
                                       &DeviceSettings::VoicePrompt, &DeviceSettings::BitpoolRate,
                                       &DeviceSettings::Sidetone, &DeviceSettings::Calmweave}) {
        if (a.*field != b.*field) return false;
    }
    return std::equal(std::begin(a.SettingWords), std::end(a.SettingWords), std::begin(b.SettingWords));
}
