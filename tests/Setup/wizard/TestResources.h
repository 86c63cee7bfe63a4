// Resource ids of the page tests' language library.
#pragma once

#define IDB_BACKGROUND  130   // 200 x 150, red = x, green = y, blue = 60
#define IDB_PICTURE     211   // 20 x 10 of one colour
#define IDI_PAGE        195   // 32 x 32 of one colour
#define IDI_OTHER       196
#define IDB_MISSING     999   // no such bitmap or icon

#define IDS_TITLE       188
#define IDS_NEXT        131
#define IDS_HOVER       197
#define IDS_HOVER_BOX   198

#define IDD_PAGE        135
#define IDD_SECOND      209
#define IDD_CHILD_PAGE  210

#define IDC_STATUS      1001
#define IDC_HEADING     1008
#define IDC_LINK        1015
#define IDC_BOX         1019
#define IDC_PICTURE     1034
