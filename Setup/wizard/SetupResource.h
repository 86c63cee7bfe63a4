// The numbers of Setup's resources: the page templates and their controls, the
// strings, the bitmaps and the icon. The resources themselves live in the language
// library beside Setup.exe; this header is shared by the code and that library's
// resource script.
#pragma once

// Page templates
#define IDD_WELCOME                 135
#define IDD_EULA                    209
#define IDD_FINISH                  188
#define IDD_INSTALL                 212
#define IDD_NET_FRAMEWORK           211
#define IDD_MS_INSTALL              1059

// Pictures
#define IDB_BACKGROUND              130     // every page's background
#define IDB_INSTALL                 211     // the installation page's picture
#define IDI_SETUP                   195     // the program icon

// Controls (several pages use the same number for the same role)
#define IDC_CANCEL                  1000    // licence page Cancel; Exit on pages 5 and 6
#define IDC_STATUS_LINE             1001    // welcome page line; finish page hover texts
#define IDC_EULA_NEXT               1003
#define IDC_EULA_HEADING            1004
#define IDC_EULA_TEXT1              1005
#define IDC_EULA_TEXT2              1006
#define IDC_EULA_EDIT               1007
#define IDC_WELCOME_HEADING         1008
#define IDC_EULA_AGREE              1013
#define IDC_NEXT                    1015    // welcome page Next; Install on pages 5 and 6
#define IDC_INSTALL_STATUS          1018
#define IDC_LAUNCH_EDITOR           1019
#define IDC_FINISH_OPTION           1022
#define IDC_FINISH                  1024
#define IDC_FINISH_HEADING          1026
#define IDC_INSTALL_PICTURE         1034
#define IDC_INSTALL_CANCEL          1042
#define IDC_ACTION                  1043
#define IDC_PERCENT                 1044
#define IDC_PROGRESS                1046
#define IDC_INSTALL_HEADING         1048
#define IDC_NET_HEADING             1055
#define IDC_NET_TEXT                1056
#define IDC_MSI_HEADING             1057

// Strings
#define IDS_NEXT                    131
#define IDS_CANCEL                  132
#define IDS_EULA_HEADING            136
#define IDS_EULA_TEXT1              137
#define IDS_EULA_TEXT2              138
#define IDS_EULA_FILE               139     // the licence file's name beside Setup
#define IDS_NET_TEXT                143
#define IDS_WINDOWS_TOO_OLD         145
#define IDS_EULA_AGREE              153
#define IDS_FINISH                  158
#define IDS_FINISH_HOVER            159
#define IDS_EULA_CANCEL_QUESTION    161
#define IDS_NO_DRIVE_SPACE          170
#define IDS_MSI_LANGUAGE            180     // the value of the packages' LANG property
#define IDS_TITLE                   188     // every page's window title
#define IDS_EDITOR_PACKAGE          194     // the editor package's base name
#define IDS_FINISH_OPTION           195
#define IDS_LAUNCH_EDITOR           196
#define IDS_FINISH_OPTION_HOVER     197
#define IDS_LAUNCH_EDITOR_HOVER     198
#define IDS_WELCOME_HEADING         208
#define IDS_FILE_ACTION             228     // a file action without a name
#define IDS_COPYING_FILE            230     // "%s": the file being copied
#define IDS_REGISTRY_ACTION         231
#define IDS_SHORTCUT_ACTION         232
#define IDS_ROLLBACK                233
#define IDS_INSTALL_CANCEL          234
#define IDS_CANCEL_QUESTION         235
#define IDS_INSTALL_HEADING         237
#define IDS_INSTALL_STATUS          244
#define IDS_NET_HEADING             245
#define IDS_MSI_HEADING             246
#define IDS_FINISH_HEADING          1026
#define IDS_FINISH_FAILED_HEADING   1027    // the finish page after a failed installation
#define IDS_PACKAGE_MISSING         1028    // "%s": the package file that Setup did not find
// An existing folder that Setup will not install into: "%s" the folder, "%s" why.
#define IDS_FOLDER_REFUSED          1029
#define IDS_FOLDER_IS_LINK          1030
#define IDS_FOLDER_UNREADABLE       1031
#define IDS_FOLDER_OTHER_OWNER      1032
#define IDS_FOLDER_OPEN_TO_OTHERS   1033
// "%s": the USB driver's package that Setup did not find; Pellorin installs without it.
#define IDS_DRIVER_PACKAGE_MISSING  1034

// The action-state texts of the copy progress: states 0 to 16 in this order (10 and
// 13 share one text; 228 is also the nameless file action above).
#define IDS_STATE_0                 214
#define IDS_STATE_1                 215
#define IDS_STATE_2                 218
#define IDS_STATE_3                 216
#define IDS_STATE_4                 217
#define IDS_STATE_5                 220
#define IDS_STATE_6                 219
#define IDS_STATE_7                 221
#define IDS_STATE_8                 226
#define IDS_STATE_9                 225
#define IDS_STATE_10                222
#define IDS_STATE_11                224
#define IDS_STATE_12                223
#define IDS_STATE_14                227
#define IDS_STATE_16                229
