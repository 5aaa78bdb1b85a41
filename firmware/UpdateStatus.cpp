#include "firmware/UpdateStatus.h"

#include "app/DialogMessageBox.h"

UpdateStatus::UpdateStatus() = default;

UpdateStatus::~UpdateStatus() { CloseMessageBox(); }

void UpdateStatus::Reset(int mode)
{
    if (mode == 3) {
        State = 1;
        OfferedMajor = OfferedMinor = OfferedSecondaryType = OfferedSecondaryVersion = 0;
    } else {
        State = 0;
        BackupFound = 1;
    }
    ChosenFile.Empty();
    EntryCount = 0;
    Percent = -10;
    Finished = 0;
    for (CString& text : StatusTexts) text.Empty();
    CloseMessageBox();
}

void UpdateStatus::CloseMessageBox()
{
    if (!Prompt) return;
    if (Prompt->m_hWnd) Prompt->DestroyWindow();
    delete Prompt;
    Prompt = nullptr;
}
