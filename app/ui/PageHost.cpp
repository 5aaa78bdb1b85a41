#include "app/ui/PageHost.h"

#include "device/Recognition.h"
#include "framework/File.h"

void CPageHost::TakeRecognition(const RecognitionResult& result)
{
    if (!IsRecognized(result.outcome)) {
        recognized = false;
        usbStatus = 0;
        return;
    }
    recognized = true;
    usbStatus = result.usbStatus;
    deviceSettings = result.settings;
    sectionCount = result.sectionCount;
    for (int i = 0; i < kMaxSettingSections; ++i) sectionKinds[i] = result.sectionKinds[i];
    currentSection = result.currentSection;
    hidVariant = result.hidVariant;
}

CString CPageHost::FileDialogFolder() const { return currentPath.IsEmpty() ? ProgramImgFolder() : currentPath; }

void CPageHost::KeepFolderOf(const CString& path) { currentPath = path.Left(path.ReverseFind(L'\\') + 1); }
