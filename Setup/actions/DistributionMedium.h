// CDistributionMedium: where Setup finds what it installs: on the distribution medium
// whose drive root ends the command line ("Setup.exe D:\"), in the given folder of it,
// else in Setup's own folder.
#pragma once

#include "framework/CString.h"

class CDistributionMedium
{
public:
    CDistributionMedium() = delete;

    // The drive root of the command line and folderOnMedium ("bin\"), or Setup's folder;
    // ends in a backslash.
    static CString Folder(const CString& commandLine, const wchar_t* folderOnMedium);
};
