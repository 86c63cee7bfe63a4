// Resource and command ids that the editor's code shares with its resource
// scripts. Usable from C++ and from resource scripts. The framework's standard
// commands (ID_EDIT_CUT, ...) and strings (AFX_IDS_APP_TITLE, ...) are in
// framework/FrameworkIds.h.
#pragma once

// The main window: menu, accelerators, toolbar and its bitmap, icon and the
// document template string.
#define IDR_MAINFRAME 128

// The About box.
#define IDD_ABOUTBOX 100

// The fatal-error dialog.
#define IDD_ERRDLG 5605
#define IDC_ERRDLG_COPY 5600
#define IDC_ERRDLG_LOG 5601
#define IDC_ERRDLG_MESSAGE 5607

// The file properties dialog.
#define IDD_KIV_PROPERTIES 131
#define IDC_AIRCRAFT_MAKE_MODEL 1002
#define IDC_AIRCRAFT_INFO 1003
#define IDC_MANUFACTURER_ID 1004
#define IDC_COPYRIGHT_INFO 1005
#define IDC_CHECKLIST_NAME 1006
#define IDC_REVISION 1007
#define IDC_DEFAULT_GROUP 1012
#define IDC_DEFAULT_CHECKLIST 1015

// The entry dialog.
#define IDD_ENTRY_EDITOR 135
#define IDC_ENTRY_TEXT 1018
#define IDC_ENTRY_RESPONSE 1019
#define IDC_ENTRY_TYPE 1040
#define IDC_ENTRY_JUSTIFICATION 1041
#define IDC_BLANK_LINES 1044

// The name dialog of groups and checklists.
#define IDD_TITLE_EDITOR 136
#define IDC_TITLE_NAME 1034

// The tree's item images: six pictures of 15 x 15 pixels in the order of the item kinds.
#define IDB_TREE_ITEMS 133

// The tree's context menus, one popup each.
#define IDR_GROUP_MENU 158
#define IDR_CHECKLIST_MENU 167
#define IDR_ENTRY_MENU 169

// The tree's commands.
#define ID_GROUP_PROPERTIES 138
#define ID_CHECKLIST_PROPERTIES 139
#define ID_ENTRY_PROPERTIES 140
#define ID_ADD_NEW_ENTRY 32776
#define ID_ADD_NEW_GROUP 32777
#define ID_ADD_NEW_CHECKLIST 32778
#define ID_EDIT_DELETE 32801

// The document's command: the file properties.
#define ID_FILE_PROPERTIES 130

// Strings
#define IDS_REGISTRY_PROBLEM 2
#define IDS_FILE_NOT_FOUND 3
#define IDS_VERSION 129
#define IDS_VERSION_BETA 131
#define IDS_DDX_MAX_CHARS 4100
#define IDS_FATAL_REQUEST 5602
#define IDS_LOG_UNAVAILABLE 5603
#define IDS_ERROR_INFORMATION 5604
#define IDS_FATAL_REQUEST_BETA 5608
