// CTargetFolderCheck (see TargetFolderCheck.h).
#include "Setup/installation/TargetFolderCheck.h"

#include "Setup/actions/FindFile.h"
#include "Setup/security/FolderSecurity.h"
#include "Setup/wizard/SetupResource.h"

namespace {

// Why Setup will not install into an existing folder; 0 when it may.
UINT ReasonToRefuse(const CFindFile& entry, const CString& folder, bool programFolder)
{
    if (entry.IsLink())
        return IDS_FOLDER_IS_LINK;
    CFolderSecurity security;
    if (!security.Read(folder))
        return IDS_FOLDER_UNREADABLE;
    if (!security.OwnedByTrustedAccount())
        return IDS_FOLDER_OTHER_OWNER;
    if (programFolder && security.OthersMayChangeFiles())
        return IDS_FOLDER_OPEN_TO_OTHERS;
    return 0;
}

}  // namespace

CString CTargetFolderCheck::RefusalFor(const CString& root)
{
    const CString makerFolder = root + L"Quorel";
    const CString programFolder = makerFolder + L"\\Pellorin";
    for (const CString& folder : {makerFolder, programFolder}) {
        CFindFile entry(folder);
        if (!entry.Found())
            continue;
        if (UINT reason = ReasonToRefuse(entry, folder, folder == programFolder)) {
            CString format, why, message;
            format.LoadString(IDS_FOLDER_REFUSED);
            why.LoadString(reason);
            message.Format(format.GetString(), folder.GetString(), why.GetString());
            return message;
        }
    }
    return CString();
}
