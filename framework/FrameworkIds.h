// The framework's standard numbers: command ids of the common commands, the ids
// of its own child windows and indicator panes, its string ids, and the style
// bits of control bars. Usable from C++ and from resource scripts.
#pragma once

// Application and string ids
#define AFX_IDS_APP_TITLE           0xE000  // 57344: the application's name
#define AFX_IDS_IDLEMESSAGE         0xE001  // "Ready" in the status bar

// File commands
#define ID_FILE_NEW                 0xE100  // 57600
#define ID_FILE_OPEN                0xE101
#define ID_FILE_CLOSE               0xE102
#define ID_FILE_SAVE                0xE103  // 57603
#define ID_FILE_SAVE_AS             0xE104
#define ID_FILE_MRU_FILE1           0xE110  // 57616: placeholder of the recent-file list
#define ID_FILE_MRU_FILE16          0xE11F

// Edit commands
#define ID_EDIT_CLEAR               0xE120
#define ID_EDIT_COPY                0xE122  // 57634
#define ID_EDIT_CUT                 0xE123
#define ID_EDIT_PASTE               0xE125  // 57637
#define ID_EDIT_UNDO                0xE12B  // 57643
#define ID_EDIT_REDO                0xE12C

// Application commands
#define ID_APP_ABOUT                0xE140  // 57664
#define ID_APP_EXIT                 0xE141
#define ID_HELP_INDEX               0xE142
#define ID_HELP_FINDER              0xE143
#define ID_HELP_USING               0xE144
#define ID_CONTEXT_HELP             0xE145
#define ID_HELP                     0xE146  // 57670
#define ID_DEFAULT_HELP             0xE147

// Pane switching inside a splitter
#define ID_NEXT_PANE                0xE150  // 57680
#define ID_PREV_PANE                0xE151

// Status bar indicator panes
#define ID_SEPARATOR                0
#define ID_INDICATOR_CAPS           0xE701  // 59137
#define ID_INDICATOR_NUM            0xE702
#define ID_INDICATOR_SCRL           0xE703

// View commands and the ids of the frame's child windows
#define ID_VIEW_TOOLBAR             0xE800  // 59392
#define ID_VIEW_STATUS_BAR          0xE801
#define AFX_IDW_TOOLBAR             0xE800
#define AFX_IDW_STATUS_BAR          0xE801
#define AFX_IDW_PANE_FIRST          0xE900
#define AFX_IDW_PANE_LAST           0xE9FF

// Messages the framework reports with AfxMessageBox (texts in FrameworkStrings.cpp)
#define AFX_IDP_FAILED_TO_OPEN_DOC  0xF100
#define AFX_IDP_FAILED_TO_SAVE_DOC  0xF101
#define AFX_IDP_ASK_TO_SAVE         0xF102
#define AFX_IDP_INVALID_FILENAME    0xF103
#define AFX_IDP_PARSE_INT           0xF104
#define AFX_IDP_PARSE_BYTE          0xF105
#define AFX_IDP_PARSE_UINT          0xF106
#define AFX_IDP_PARSE_STRING_SIZE   0xF107
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF108
#define AFX_IDP_HELP_FILE_MISSING   0xF109
#define AFX_IDP_FILE_NONE           0xF110  // the file exception texts, by cause
#define AFX_IDP_FILE_GENERIC        0xF111
#define AFX_IDP_FILE_NOT_FOUND      0xF112
#define AFX_IDP_FILE_BAD_PATH       0xF113
#define AFX_IDP_FILE_TOO_MANY_OPEN  0xF114
#define AFX_IDP_FILE_ACCESS_DENIED  0xF115
#define AFX_IDP_FILE_INVALID_FILE   0xF116
#define AFX_IDP_FILE_REMOVE_CURRENT 0xF117
#define AFX_IDP_FILE_DIR_FULL       0xF118
#define AFX_IDP_FILE_BAD_SEEK       0xF119
#define AFX_IDP_FILE_HARD_IO        0xF11A
#define AFX_IDP_FILE_SHARING        0xF11B
#define AFX_IDP_FILE_LOCKING        0xF11C
#define AFX_IDP_FILE_DISKFULL       0xF11D
#define AFX_IDP_FILE_EOF            0xF11E
#define AFX_IDS_UNTITLED            0xF120
#define AFX_IDS_ALLFILTER           0xF121

// Control-bar styles (the CBRS_ bits travel in the bar's own style word)
#define CBRS_ALIGN_LEFT             0x1000L
#define CBRS_ALIGN_TOP              0x2000L
#define CBRS_ALIGN_RIGHT            0x4000L
#define CBRS_ALIGN_BOTTOM           0x8000L
#define CBRS_ALIGN_ANY              0xF000L
#define CBRS_BORDER_LEFT            0x0100L
#define CBRS_BORDER_TOP             0x0200L
#define CBRS_BORDER_RIGHT           0x0400L
#define CBRS_BORDER_BOTTOM          0x0800L
#define CBRS_BORDER_ANY             0x0F00L
#define CBRS_TOOLTIPS               0x0010L
#define CBRS_FLYBY                  0x0020L
#define CBRS_FLOAT_MULTI            0x0040L
#define CBRS_BORDER_3D              0x0080L
#define CBRS_HIDE_INPLACE           0x0008L
#define CBRS_SIZE_DYNAMIC           0x0004L
#define CBRS_SIZE_FIXED             0x0002L
#define CBRS_FLOATING               0x0001L
#define CBRS_GRIPPER                0x00400000L
#define CBRS_NOALIGN                0x00000000L
#define CBRS_LEFT                   (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP                    (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT                  (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM                 (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// The resource type of a toolbar
#define RT_TOOLBAR                  MAKEINTRESOURCE(241)
