// CFolderSecurity: whom a folder belongs to and who may create or change files in it,
// read before Setup installs into a folder that exists already. A folder that another
// account owns or may write to could hold, or later receive, a program of that
// account's, which Setup (running as an administrator) would then start.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <vector>

class CFolderSecurity
{
public:
    // Reads the folder's owner and access list; false when they cannot be read.
    bool Read(const CString& folder);

    // Owned by Administrators, SYSTEM, TrustedInstaller or the account running Setup.
    bool OwnedByTrustedAccount() const;
    // Whether an account other than those may create, delete or change files in the
    // folder, or change the folder's access list or owner.
    bool OthersMayChangeFiles() const;

    // Test seam: the folder's owner and access list as an SDDL text in place of what
    // Windows reports; null restores the real look-up.
    using Query = CString (*)(const CString& folder);
    static void SetQueryForTest(Query query);

private:
    bool IsTrusted(PSID sid) const;

    std::vector<BYTE> m_descriptor;
    CString m_runningAccount;   // the SID text of the account running Setup
};
