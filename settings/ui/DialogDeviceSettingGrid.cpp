// The settings grid of the basic settings page: its rows built from the
// product's settings rows, a click or a popup choice stored into the working
// copy, and the help box of a row. What a row is and stores lives in
// settingslist/SettingsRows.h; this file only moves it in and out of the cells.
#include "app/ui/PageHost.h"
#include "res/resource.h"
#include "settings/ui/DialogDeviceSetting.h"

namespace {

constexpr int kHelpColumn = 0;
constexpr int kLabelColumn = 1;
constexpr int kValueColumn = 2;

}  // namespace

SettingsRows CDialogDeviceSetting::GridRows() const
{
    // The firmware band is the headset's, never the working copy's.
    return ResolveSettingsRows(ProductId(), DeviceRecord());
}

void CDialogDeviceSetting::FillSettingsList()
{
    const CPageHost* main = MainDialog();
    if (!main || !settingsGrid.m_hWnd) return;
    if (settingsGrid.GetItemCount() > 0) settingsGrid.DeleteAllItems();
    const SettingsRows rows = GridRows();
    const LanguageIndex language = main->language;

    // The rows with their help mark; a row without help has no button.
    for (int row = 0; row < rows.Count(); ++row) {
        settingsGrid.InsertItem(row, L"");
        if (rows.Kind(row)->help == kNoHelp) continue;
        settingsGrid.SetCell(row, kHelpColumn, new CCellPushButton(nullptr, 0, 0, 0), L"");
        if (auto* button = dynamic_cast<CCellPushButton*>(settingsGrid.GetCell(row, kHelpColumn)))
            button->SetBitmapId(IDB_HELP_MARK);
    }
    // Labels and value cells, each gated row disabled as soon as it is made.
    for (int row = 0; row < rows.Count(); ++row) {
        settingsGrid.SetItem(row, kLabelColumn, LVIF_TEXT, rows.Label(row, language));
        if (rows.IsCheckBox(row)) {
            settingsGrid.SetCell(row, kValueColumn, new CCellCheckBox, rows.ShownCheck(row, workingCopy) ? L"1" : L"0");
        } else {
            settingsGrid.SetCell(row, kValueColumn, new CCellComboBox, rows.ComboText(row, language));
            // A value that maps to no item leaves the combo blank.
            if (auto* combo = dynamic_cast<CCellComboBox*>(settingsGrid.GetCell(row, kValueColumn)))
                combo->SetCurSel(rows.ShownIndex(row, workingCopy));
        }
        if (rows.GateRow(row) >= 0) settingsGrid.SetCellDisabled(row, kValueColumn, rows.IsDisabled(row, workingCopy));
    }
    // The two halves' captions; making a check box clears them, so they come last.
    const CString enable = TextEnable(language);
    const CString disable = TextDisable(language);
    for (int row = 0; row < rows.Count(); ++row) {
        if (auto* check = dynamic_cast<CCellCheckBox*>(settingsGrid.GetCell(row, kValueColumn))) {
            check->SetOffText(enable);
            check->SetOnText(disable);
        }
    }
}

void CDialogDeviceSetting::SyncGridCells(const SettingsRows& rows)
{
    bool reshown = false;
    for (int row = 0; row < rows.Count(); ++row) {
        if (auto* check = dynamic_cast<CCellCheckBox*>(settingsGrid.GetCell(row, kValueColumn))) {
            const bool shown = rows.ShownCheck(row, workingCopy);
            if ((check->GetCheck() != FALSE) != shown) {
                check->SetCheck(shown);
                settingsGrid.SetCellText(row, kValueColumn, check->GetText());
                reshown = true;
            }
        }
        if (rows.GateRow(row) >= 0) settingsGrid.SetCellDisabled(row, kValueColumn, rows.IsDisabled(row, workingCopy));
    }
    if (reshown) settingsGrid.Invalidate(FALSE);
}

void CDialogDeviceSetting::OnGridClick(CConfigListCtrl& grid, int row, int column)
{
    CPageHost* main = MainDialog();
    if (&grid != &settingsGrid || !main || main->currentPage != PageDeviceSetting || main->Refuses()) return;
    const SettingsRows rows = GridRows();
    if (column == kHelpColumn) {
        // A row without a help button opens nothing.
        const RowHelp help = rows.Help(row, main->language, ProductId());
        if (help.id == kNoHelp) return;
        const CString text = CString::FillPlaceholders(HelpTextLiteral(help.id, main->language),
                                                       {help.arguments[0], help.arguments[1]});
        ShowHelpText(text, CSize(help.width, help.height));
        return;
    }
    // A combo's value arrives with its popup's result; the label does nothing.
    if (column != kValueColumn || !rows.IsCheckBox(row)) return;
    auto* check = dynamic_cast<CCellCheckBox*>(grid.GetCell(row, column));
    if (!check) return;
    // Only a click that flipped the cell stores: a disabled row, or a click on
    // the half already selected, leaves the working copy as it is (storing the
    // shown half again would rewrite a stored 2 as 1 and call that a change).
    const bool disableHalf = check->GetCheck() != FALSE;
    if (disableHalf != rows.ShownCheck(row, workingCopy)) {
        rows.StoreCheck(row, workingCopy, disableHalf);
        SyncGridCells(rows);
    }
    RefreshTexts();
    main->UpdateNavigation();
}

void CDialogDeviceSetting::OnGridPopupSelect(CConfigListCtrl& grid, int row, int column)
{
    CPageHost* main = MainDialog();
    if (&grid != &settingsGrid || !main || main->currentPage != PageDeviceSetting) return;
    // A close without a choice stores the shown item again; a blank combo
    // (index -1) stores nothing.
    if (column == kValueColumn) {
        if (auto* combo = dynamic_cast<CCellComboBox*>(grid.GetCell(row, column)))
            GridRows().StoreChoice(row, workingCopy, combo->GetCurSel());
    }
    RefreshTexts();
    main->UpdateNavigation();
}

int CDialogDeviceSetting::IsModified()
{
    const CPageHost* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 0) : 0;
}

bool CDialogDeviceSetting::IsCellPopupOpen() const { return settingsGrid.IsPopupOpen(); }
void CDialogDeviceSetting::EndCellEdit() { settingsGrid.EndCellEdit(); }
