// UpdateStatus: the progress record of one firmware update or restore, held
// by each firmware page and written by the operation that runs.
#pragma once

#include <vector>

#include "app/Texts.h"
#include "framework/CString.h"

class CDialogMessageBox;

class UpdateStatus {
public:
    UpdateStatus();
    ~UpdateStatus();
    UpdateStatus(const UpdateStatus&) = delete;
    UpdateStatus& operator=(const UpdateStatus&) = delete;

    // Back to the start of a run: mode 3 (update page) state 1 and no offered
    // version; any other mode state 0 and BackupFound 1. Both clear the chosen
    // file, the entries, the percentage, the finished flag, the status texts and
    // the prompt.
    void Reset(int mode);
    // Destroys the open prompt, if any.
    void CloseMessageBox();

    int State = 0;
    CString ChosenFile;
    std::vector<CString> EntryFiles;
    std::vector<CString> EntryLanguages;
    int EntryCount = 0;
    CString PackagePath;
    int OfferedMajor = 0;
    int OfferedMinor = 0;
    int OfferedSecondaryType = 0;
    int OfferedSecondaryVersion = 0;
    int BackupFound = 1;
    int Percent = -10;
    int Finished = 0;
    int Error = 0;
    CString StatusTexts[LanguageCount];
    CDialogMessageBox* Prompt = nullptr;
    int DeviceRestarting = 0;
    int PromptTicks = 0;
    int PhaseTicks = 0;
};
