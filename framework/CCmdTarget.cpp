// Message-map lookup and the command handling of a single target.
#include "framework/CCmdTarget.h"
#include "framework/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    const bool byId = nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfnThunk; ++e) {
            if (e->nMessage != nMessage)
                continue;
            if (!byId && nMessage != AFX_WM_REFLECT_NOTIFY)
                return e;
            if (e->nCode == nCode && (!byId || (e->nID <= nID && nID <= e->nLastID)))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, (UINT)nCode, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        return TRUE;
    }
    CCmdUI* cmdUI = (UINT)nCode == CN_UPDATE_COMMAND_UI ? static_cast<CCmdUI*>(pExtra) : nullptr;
    if (cmdUI)
        cmdUI->m_bContinueRouting = FALSE;
    AFX_MSGCALL call = { WM_COMMAND, MAKEWPARAM(nID, nCode), 0, nID, pExtra, 0 };
    if (!entry->pfnThunk(this, call))
        return FALSE;
    return cmdUI ? !cmdUI->m_bContinueRouting : TRUE;
}

void CCmdTarget::BeginWaitCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

CWaitCursor::CWaitCursor()
    : m_previous(::SetCursor(::LoadCursor(nullptr, IDC_WAIT)))
{
}

CWaitCursor::~CWaitCursor()
{
    ::SetCursor(m_previous ? m_previous : ::LoadCursor(nullptr, IDC_ARROW));
}

void CWaitCursor::Restore()
{
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}
