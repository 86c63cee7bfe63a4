// The folder of the distribution medium (see DistributionMedium.h).
#include "Setup/actions/DistributionMedium.h"

#include "Setup/actions/InstallActions.h"

CString CDistributionMedium::Folder(const CString& commandLine, const wchar_t* folderOnMedium)
{
    CString folder = CInstallActions::GetSourceDrive(commandLine);
    if (folder.IsEmpty())
        return CInstallActions::GetModuleDirectory();
    return folder + folderOnMedium;
}
