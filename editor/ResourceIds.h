// Resource and command ids that the editor's code shares with its resource
// scripts. Usable from C++ and from resource scripts. The framework's standard
// commands (ID_EDIT_CUT, ...) are in framework/FrameworkIds.h.
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
