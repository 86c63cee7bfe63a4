// Resource ids that the editor's code shares with its resource scripts.
#pragma once

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
