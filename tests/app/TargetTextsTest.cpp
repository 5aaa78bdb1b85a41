// The main window's members that read its target product and language.
#include "MainWindowFixture.h"

#include "app/Texts.h"

TEST_F(MainWindowTest, FamilyAndHoldPromptsFollowTheTargetProduct)
{
    main->targetProductId = 0x4D10;
    EXPECT_EQ(main->IsSameDeviceFamily(0x4D10), 1);
    EXPECT_EQ(main->IsSameDeviceFamily(0x4D30), 1);
    EXPECT_EQ(main->IsSameDeviceFamily(0x4D20), 0);
    main->targetProductId = 0x4D20;
    EXPECT_EQ(main->IsSameDeviceFamily(0x4D30), 0);

    main->language = LanguageEnglish;
    main->targetProductId = 0x4040;
    EXPECT_EQ(main->TextHoldKey(), L"Press and hold the [L] Button until this message disappears.");
    EXPECT_EQ(main->TextHoldTwoKeys(), L"Press and hold the [L] Button and [R] Button until this message disappears.");
    main->language = LanguageGerman;
    EXPECT_EQ(main->TextHoldKey(), TextHoldKey(LanguageGerman, 0x4040));
    EXPECT_EQ(main->TextBackupCreationFailed(), TextBackupCreationFailed(LanguageGerman));
}
