// Resource numbers of the CString tests' string table.
#pragma once
#define IDS_GREETING 101
#define IDS_LONG 102
