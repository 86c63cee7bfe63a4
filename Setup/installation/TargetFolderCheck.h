// CTargetFolderCheck: the look Setup takes, before it runs the editor's package, at the
// folders the package installs into below the target drive's root ("Quorel" and
// "Quorel\Pellorin"). A folder that is not there yet is made and locked by the package;
// one that is there already must be a folder of its own (not a link), belong to a
// trusted account and, for the program's folder, let no other account change files in
// it: otherwise an ordinary user could have his program started with Setup's rights.
#pragma once

#include "framework/CString.h"

class CTargetFolderCheck
{
public:
    // The message that names the first folder refused, why, and what to do; empty when
    // the package may install below this root ("C:\").
    static CString RefusalFor(const CString& root);
};
