// The editor's document template.
#include "editor/document/KivSingleDocTemplate.h"

#include "editor/shell/Application.h"

namespace app {

KivSingleDocTemplate_t::KivSingleDocTemplate_t(UINT resourceId, CRuntimeClass* documentClass,
                                               CRuntimeClass* frameClass, CRuntimeClass* viewClass)
    : CSingleDocTemplate(resourceId, documentClass, frameClass, viewClass)
{
}

BOOL KivSingleDocTemplate_t::GetDocString(CString& text, DocStringIndex index) const
{
    if (index != docName)
        return CSingleDocTemplate::GetDocString(text, index);
    text = Application_t::IsOemMode() ? "chklist" : "usrchk";
    return TRUE;
}

} // namespace app
