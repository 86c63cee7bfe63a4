// The message map: a static table per class that names, for each window message,
// command or notification it handles, the member function that handles it. A
// class declares its table with DECLARE_MESSAGE_MAP() and fills it between
// BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(); a lookup that finds no
// entry in the class's table goes on in the base class's table.
//
// Each entry carries a small function (a "thunk", see MessageMapEntries.h) that
// unpacks the message parameters and calls the member with its proper signature,
// so a handler of the wrong signature fails to compile. Handlers are named as
// member-function pointers: ON_COMMAND(ID_FILE_SAVE, &CMyDoc::OnFileSave).
#pragma once
#include <windows.h>

class CCmdTarget;

// Command codes for OnCmdMsg besides the controls' own notification codes.
#define CN_COMMAND              0
#define CN_UPDATE_COMMAND_UI    ((UINT)(-1))

// Message numbers the framework uses only inside message maps.
#define AFX_WM_REFLECT_NOTIFY   (WM_APP + 0x3F00)  // a WM_NOTIFY reflected to the control that sent it

#define afx_msg

// One call of a handler: the message and, for commands and notifications, their details.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;          // command or control id (commands and notifications)
    void* extra;      // CCmdUI* for update handlers, NMHDR* for notifications
    LRESULT result;   // what the window procedure returns
};

// Calls the entry's member on the target; false when the handler declined the call.
typedef bool (*AFX_PMSGTHUNK)(CCmdTarget* target, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;    // WM_xxx; WM_COMMAND for commands, update handlers and control notifications
    UINT nCode;       // notification code, CN_COMMAND or CN_UPDATE_COMMAND_UI; 0 for window messages
    UINT nID;         // first and last command or control id (commands and notifications only)
    UINT nLastID;
    AFX_PMSGTHUNK pfnThunk;  // null ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Whether a command has a handler, and where (the query form of OnCmdMsg).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
};

#define DECLARE_MESSAGE_MAP() \
public: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, nullptr } \
        }; \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &map; \
    }
