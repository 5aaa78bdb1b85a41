// Resource ids: templates, controls, bitmaps, menus and strings.
#pragma once

// Icons
#define IDR_MAINFRAME 128

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_DEVICE_SELECTION 182
#define IDD_DEVICE_RECOGNITION 183
#define IDD_MESSAGE_BOX 184
#define IDD_FIRMWARE_UPDATE 185
#define IDD_FIRMWARE_RESTORE 186
#define IDD_DEVICE_SETTING 187
#define IDD_DEVICE_SETTING_SECOND 189
#define IDD_LANGUAGE_MANAGER 190
#define IDD_DEVICE_SETTING_SPEED_DIAL 193

// Menus
#define IDR_POPUP_MENU 190

// Strings
#define IDS_ABOUTBOX 101

// Menu commands
#define ID_MENU_DIAGNOSTIC_LOG 32778
#define ID_MENU_ABOUT 32780
#define ID_MENU_ONLINE_HELP 32781
#define ID_MENU_MANAGER_LANGUAGE 32783
#define ID_MENU_CLOSE 32784
#define IDM_ABOUTBOX 16

// Controls of the main window
#define IDC_BACKGROUND 1001
#define IDC_DEVICE_PICTURE 1002
#define IDC_DEVICE_CAPTION 1003
#define IDC_DEVICE_TEXT 1004
#define IDC_ABOUT_BUTTON 1006
#define IDC_TAB_WELCOME 1007
#define IDC_TAB_RECOGNITION 1008
#define IDC_TAB_FIRMWARE_UPDATE 1009
#define IDC_TAB_FIRMWARE_RESTORE 1010
#define IDC_TAB_DEVICE_SETTING 1011
#define IDC_PAGE_BAR 1012
#define IDC_STATUS_AREA 1013
#define IDC_PAGE_AREA 1014
#define IDC_STATUS_DETAILS 1015
#define IDC_STATUS_TEXT 1016
#define IDC_BACK 1017
#define IDC_NEXT 1018
#define IDC_ACTION 1019
#define IDC_BACK_TO_UPDATE 1020
#define IDC_PROGRESS 1021
#define IDC_PERCENT_SIGN 1022
#define IDC_PERCENT_NUMBER 1023
#define IDC_ON_TO_RESTORE 1024
#define IDC_SECTION_FIRST 1025
#define IDC_SECTION_DROPDOWN 1027
#define IDC_LANGUAGE_FLAG 1166
#define IDC_SECTION_LIST 1171

// Bitmaps of the skin
#define IDB_BACKGROUND 334
#define IDB_PAGE_AREA 218

// Main window: further bitmaps
#define IDB_NO_DEVICE 176
#define IDB_WARNING_ICON 184
#define IDB_LOGO_ICON 186
#define IDB_START_BUTTON 335

// Message box (template 184)
#define IDC_MESSAGE_THIRD 3
#define IDC_MESSAGE_ICON 1025
#define IDC_MESSAGE_TEXT 1026

// About box (template 100)
#define IDC_ABOUT_VERSION 1018
#define IDC_ABOUT_RIGHTS 1019
#define IDC_ABOUT_LOGO 1025
#define IDC_ABOUT_HELP 57670

// Language dialog (template 190); the radio, flag and name triples are listed
// in app/DialogLanguageManager.cpp.
#define IDC_LANGUAGE_GROUP 1143
#define IDC_LANGUAGE_APPLY 1165

// Welcome page (template 182)
#define IDC_SELECTION_START 1032

// Recognition page (template 183)
#define IDC_RECOGNITION_STEPS 1024
#define IDC_RECOGNITION_MAKER_STEPS 1183
#define IDC_RECOGNITION_WARNING 1184
#define IDC_RECOGNITION_MAKER_HELP 1203
#define IDC_RECOGNITION_OEM_HELP 1204

// Firmware update page (template 185)
#define IDC_FW_TITLE 1027
#define IDC_FW_FILE 1028
#define IDC_FW_BROWSE 1029
#define IDC_FW_VERSION 1030
#define IDC_FW_DOWNLOAD 1031
#define IDC_FW_LANGUAGE 1032
#define IDC_FW_LANGUAGE_LABEL 1035
#define IDC_FW_STEPS 1207

// Firmware restore page (template 186): the title, the version and date rows,
// six name/value pairs (a pair's value follows its name), the voice-prompt
// choice and the archived-settings list.
#define IDC_RESTORE_TITLE 1012
#define IDC_RESTORE_VERSION_LABEL 1013
#define IDC_RESTORE_VERSION 1014
#define IDC_RESTORE_DATE_LABEL 1015
#define IDC_RESTORE_DATE 1016
#define IDC_RESTORE_PAIR1_NAME 1017
#define IDC_RESTORE_PAIR1_VALUE 1018
#define IDC_RESTORE_PAIR2_NAME 1019
#define IDC_RESTORE_PAIR2_VALUE 1020
#define IDC_RESTORE_PAIR3_NAME 1021
#define IDC_RESTORE_PAIR3_VALUE 1022
#define IDC_RESTORE_PAIR4_NAME 1023
#define IDC_RESTORE_PAIR4_VALUE 1024
#define IDC_RESTORE_PAIR5_NAME 1025
#define IDC_RESTORE_PAIR5_VALUE 1026
#define IDC_RESTORE_PAIR6_NAME 1027
#define IDC_RESTORE_PAIR6_VALUE 1028
#define IDC_RESTORE_LANGUAGE 1034
#define IDC_RESTORE_LANGUAGE_LABEL 1167
#define IDC_RESTORE_LIST 1202
// Posted by the restore page's download thread when the backup firmware has
// arrived or failed; wParam is the outcome.
#define WM_BACKUP_DOWNLOAD_DONE 0x07E8

// Basic settings page (template 187); the legacy rows use 1037 to 1100, 1182 and 1183.
#define IDC_SETTING_DEFAULT 1035
#define IDC_SETTING_CANCEL 1036
#define IDC_SETTINGS_GRID 1201
// Help buttons "?" of the legacy rows, the restart note and its button "...".
#define IDC_EDR_HELP 1044
#define IDC_PLC_HELP 1049
#define IDC_A2DP_HELP 1053
#define IDC_MIC_BOOST_HELP 1057
#define IDC_GAIN_HELP 1061
#define IDC_TIMEOUT_HELP 1066
#define IDC_RESTART_NOTE 1069
#define IDC_AUDIO_BOOST_HELP 1072
#define IDC_NOTE_MORE 1075
#define IDC_SIDETONE_HELP 1077
#define IDC_MOTION_SENSOR_HELP 1081
#define IDC_BLENDCAST_HELP 1084
#define IDC_OVERLAY_HELP 1088
#define IDC_NAV_APP_HELP 1090
#define IDC_CALMWEAVE_HELP 1093
#define IDC_AGC_HELP 1097

// Settings grid cells
#define IDB_HELP_MARK 188
#define IDB_CHECK_BOX_IMAGES 303

// Messages posted to our windows (above WM_APP, 0x8000)
#define WM_MANAGER_CHECK_DONE 0x8101
