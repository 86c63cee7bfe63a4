// The base of every class that handles messages or commands: it owns the lookup in
// the message map and the routing of commands (OnCmdMsg). Commands travel from the
// active view to its document and template, then the frame, then the application;
// each class on that road overrides OnCmdMsg to pass a command on.
#pragma once
#include "framework/CObject.h"
#include "framework/CMessageMap.h"

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Looks for a handler of the command in this object's message map. With
    // pHandlerInfo only tells whether there is one; otherwise calls it. For
    // CN_UPDATE_COMMAND_UI pExtra is the CCmdUI; returns whether it was handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The message-map entry for a message (window messages: nCode and nID are ignored).
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

    void BeginWaitCursor();
    void EndWaitCursor();
};

// Keeps the hourglass cursor up while it lives.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();

private:
    HCURSOR m_previous;
};
