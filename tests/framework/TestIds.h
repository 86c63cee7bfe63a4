// Resource and command ids of the framework's test program.
#pragma once

#define IDR_MAINFRAME       128
#define IDD_NUMBER          200
#define IDC_NUMBER          1001
#define IDC_NAME            1002
#define IDC_CHOICE          1003
#define IDC_OPTION          1004
#define IDS_WIDE_TEXT       300

#define ID_TEST_TOGGLE      32771   // enabled while the document's switch is on; checked too
#define ID_TEST_VIEWONLY    32772   // handled by the scroll view only
#define ID_TEST_DOCONLY     32773   // handled by the document only
#define ID_TEST_FRAMEONLY   32774   // handled by the frame only
#define ID_TEST_APPONLY     32775   // handled by the application only
#define ID_TEST_NOHANDLER   32776   // handled by nobody: greyed
#define ID_TEST_THROW       32777   // a handler that throws
