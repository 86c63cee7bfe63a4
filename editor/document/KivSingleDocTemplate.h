// The editor's one document template (resource 128). A new document is named
// "chklist" in OEM mode and "usrchk" otherwise; the other parts of the
// template string come from the string table.
#pragma once

#include "framework/Framework.h"

namespace app {

class KivSingleDocTemplate_t : public CSingleDocTemplate {
public:
    KivSingleDocTemplate_t(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass);

    BOOL GetDocString(CString& text, DocStringIndex index) const override;
};

} // namespace app
