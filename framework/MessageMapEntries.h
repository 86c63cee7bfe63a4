// The entries of a message map (ON_COMMAND, ON_WM_PAINT, ...) and the thunks that
// unpack a message for the handler's signature. Each macro names its handler as a
// member-function pointer of the class or of a base: ON_COMMAND(ID_APP_ABOUT,
// &CMyApp::OnAppAbout). The window-message macros take the handler's standard name
// from the class (ON_WM_CREATE calls ThisClass::OnCreate).
#pragma once
#include "framework/CMessageMap.h"
#include "framework/CCmdUI.h"
#include "framework/CDC.h"
#include "framework/CWnd.h"
#include <commctrl.h>

namespace AfxThunk {

template <class F> struct MemberOf;
template <class C, class R, class... A> struct MemberOf<R (C::*)(A...)> { typedef C Class; };

template <auto Fn> typename MemberOf<decltype(Fn)>::Class* Target(CCmdTarget* t)
{
    return static_cast<typename MemberOf<decltype(Fn)>::Class*>(t);
}

// Commands and control notifications
template <auto Fn> bool Command(CCmdTarget* t, AFX_MSGCALL&) { (Target<Fn>(t)->*Fn)(); return true; }
template <auto Fn> bool CommandRange(CCmdTarget* t, AFX_MSGCALL& c) { (Target<Fn>(t)->*Fn)(c.id); return true; }
template <auto Fn> bool CommandEx(CCmdTarget* t, AFX_MSGCALL& c) { return (Target<Fn>(t)->*Fn)(c.id) != FALSE; }
template <auto Fn> bool UpdateUI(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(static_cast<CCmdUI*>(c.extra));
    return true;
}
template <auto Fn> bool UpdateUIRange(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(static_cast<CCmdUI*>(c.extra));
    return true;
}
template <auto Fn> bool Notify(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(static_cast<NMHDR*>(c.extra), &c.result);
    return true;
}
template <auto Fn> bool Message(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Target<Fn>(t)->*Fn)(c.wParam, c.lParam);
    return true;
}

// Window messages
template <auto Fn> bool Void(CCmdTarget* t, AFX_MSGCALL&) { (Target<Fn>(t)->*Fn)(); return true; }
template <auto Fn> bool Create(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Target<Fn>(t)->*Fn)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    return true;
}
template <auto Fn> bool EraseBkgnd(CCmdTarget* t, AFX_MSGCALL& c)
{
    CDC dc;
    dc.m_hDC = reinterpret_cast<HDC>(c.wParam);
    c.result = (Target<Fn>(t)->*Fn)(&dc);
    dc.m_hDC = nullptr;
    return true;
}
template <auto Fn> bool Size(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)((UINT)c.wParam, (short)LOWORD(c.lParam), (short)HIWORD(c.lParam));
    return true;
}
template <auto Fn> bool Mouse(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)((UINT)c.wParam, CPoint(c.lParam));
    return true;
}
template <auto Fn> bool Focus(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
    return true;
}
template <auto Fn> bool Key(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam));
    return true;
}
template <auto Fn> bool Timer(CCmdTarget* t, AFX_MSGCALL& c) { (Target<Fn>(t)->*Fn)((UINT_PTR)c.wParam); return true; }
template <auto Fn> bool SetCursor(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Target<Fn>(t)->*Fn)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam),
                                    HIWORD(c.lParam));
    return true;
}
template <auto Fn> bool ContextMenu(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), CPoint(c.lParam));
    return true;
}
template <auto Fn> bool DropFiles(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(reinterpret_cast<HDROP>(c.wParam));
    return true;
}
template <auto Fn> bool QueryEndSession(CCmdTarget* t, AFX_MSGCALL& c)
{
    c.result = (Target<Fn>(t)->*Fn)();
    return true;
}
template <auto Fn> bool EndSession(CCmdTarget* t, AFX_MSGCALL& c)
{
    (Target<Fn>(t)->*Fn)(c.wParam != 0);
    return true;
}

} // namespace AfxThunk

// Commands, update handlers and control notifications
#define ON_COMMAND(id, fn) { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), &AfxThunk::Command<fn> },
#define ON_COMMAND_RANGE(id, idLast, fn) { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), &AfxThunk::CommandRange<fn> },
#define ON_COMMAND_EX(id, fn) { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), &AfxThunk::CommandEx<fn> },
#define ON_UPDATE_COMMAND_UI(id, fn) { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), &AfxThunk::UpdateUI<fn> },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), &AfxThunk::UpdateUIRange<fn> },
#define ON_CONTROL(code, id, fn) { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), &AfxThunk::Command<fn> },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_NOTIFY(code, id, fn) { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), &AfxThunk::Notify<fn> },
#define ON_NOTIFY_RANGE(code, id, idLast, fn) { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), &AfxThunk::Notify<fn> },
#define ON_NOTIFY_REFLECT(code, fn) { AFX_WM_REFLECT_NOTIFY, (UINT)(code), 0, 0, &AfxThunk::Notify<fn> },
#define ON_MESSAGE(message, fn) { (UINT)(message), 0, 0, 0, &AfxThunk::Message<fn> },

// Window messages, each to its handler of the standard name
#define ON_WM_CREATE() { WM_CREATE, 0, 0, 0, &AfxThunk::Create<&ThisClass::OnCreate> },
#define ON_WM_DESTROY() { WM_DESTROY, 0, 0, 0, &AfxThunk::Void<&ThisClass::OnDestroy> },
#define ON_WM_PAINT() { WM_PAINT, 0, 0, 0, &AfxThunk::Void<&ThisClass::OnPaint> },
#define ON_WM_ERASEBKGND() { WM_ERASEBKGND, 0, 0, 0, &AfxThunk::EraseBkgnd<&ThisClass::OnEraseBkgnd> },
#define ON_WM_SIZE() { WM_SIZE, 0, 0, 0, &AfxThunk::Size<&ThisClass::OnSize> },
#define ON_WM_SETFOCUS() { WM_SETFOCUS, 0, 0, 0, &AfxThunk::Focus<&ThisClass::OnSetFocus> },
#define ON_WM_KILLFOCUS() { WM_KILLFOCUS, 0, 0, 0, &AfxThunk::Focus<&ThisClass::OnKillFocus> },
#define ON_WM_LBUTTONDOWN() { WM_LBUTTONDOWN, 0, 0, 0, &AfxThunk::Mouse<&ThisClass::OnLButtonDown> },
#define ON_WM_LBUTTONUP() { WM_LBUTTONUP, 0, 0, 0, &AfxThunk::Mouse<&ThisClass::OnLButtonUp> },
#define ON_WM_LBUTTONDBLCLK() { WM_LBUTTONDBLCLK, 0, 0, 0, &AfxThunk::Mouse<&ThisClass::OnLButtonDblClk> },
#define ON_WM_RBUTTONDOWN() { WM_RBUTTONDOWN, 0, 0, 0, &AfxThunk::Mouse<&ThisClass::OnRButtonDown> },
#define ON_WM_MOUSEMOVE() { WM_MOUSEMOVE, 0, 0, 0, &AfxThunk::Mouse<&ThisClass::OnMouseMove> },
#define ON_WM_MOUSELEAVE() { WM_MOUSELEAVE, 0, 0, 0, &AfxThunk::Void<&ThisClass::OnMouseLeave> },
#define ON_WM_KEYDOWN() { WM_KEYDOWN, 0, 0, 0, &AfxThunk::Key<&ThisClass::OnKeyDown> },
#define ON_WM_CHAR() { WM_CHAR, 0, 0, 0, &AfxThunk::Key<&ThisClass::OnChar> },
#define ON_WM_TIMER() { WM_TIMER, 0, 0, 0, &AfxThunk::Timer<&ThisClass::OnTimer> },
#define ON_WM_CLOSE() { WM_CLOSE, 0, 0, 0, &AfxThunk::Void<&ThisClass::OnClose> },
#define ON_WM_SETCURSOR() { WM_SETCURSOR, 0, 0, 0, &AfxThunk::SetCursor<&ThisClass::OnSetCursor> },
#define ON_WM_CONTEXTMENU() { WM_CONTEXTMENU, 0, 0, 0, &AfxThunk::ContextMenu<&ThisClass::OnContextMenu> },
#define ON_WM_DROPFILES() { WM_DROPFILES, 0, 0, 0, &AfxThunk::DropFiles<&ThisClass::OnDropFiles> },
#define ON_WM_QUERYENDSESSION() \
    { WM_QUERYENDSESSION, 0, 0, 0, &AfxThunk::QueryEndSession<&ThisClass::OnQueryEndSession> },
#define ON_WM_ENDSESSION() { WM_ENDSESSION, 0, 0, 0, &AfxThunk::EndSession<&ThisClass::OnEndSession> },
#define ON_WM_SYSCOLORCHANGE() { WM_SYSCOLORCHANGE, 0, 0, 0, &AfxThunk::Void<&ThisClass::OnSysColorChange> },
