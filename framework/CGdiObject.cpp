// Owned GDI handles, their wrappers and the ways of making fonts, pens, brushes and bitmaps.
#include "framework/CGdiObject.h"
#include "framework/CDC.h"
#include "framework/CException.h"
#include "framework/Globals.h"
#include "framework/TemporaryMap.h"
#include <map>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {

// The handle maps are never destroyed: objects that end during the program's own end,
// such as windows deleted by the application object's destructor, still find them.
std::map<HGDIOBJ, CGdiObject*>& PermanentMap()
{
    static auto* map = new std::map<HGDIOBJ, CGdiObject*>;
    return *map;
}

TemporaryMap<HGDIOBJ, CGdiObject>& Wrappers()
{
    static auto* map = new TemporaryMap<HGDIOBJ, CGdiObject>;
    return *map;
}

// A wrapper of the class that matches the handle's kind, so callers may cast it.
CGdiObject* MakeWrapper(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_FONT: return new CFont;
    case OBJ_PEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_BITMAP: return new CBitmap;
    default: return new CGdiObject;
    }
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    auto it = PermanentMap().find(hObject);
    if (it != PermanentMap().end())
        return it->second;
    return Wrappers().Get(hObject, [hObject] {
        CGdiObject* wrapper = MakeWrapper(hObject);
        wrapper->m_hObject = hObject;   // not owned: never deleted through the wrapper
        return wrapper;
    });
}

void CGdiObject::DeleteTempMap()
{
    Wrappers().Clear([](CGdiObject& wrapper) { wrapper.m_hObject = nullptr; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    m_hObject = hObject;
    PermanentMap()[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject) {
        auto it = PermanentMap().find(hObject);
        if (it != PermanentMap().end() && it->second == this)
            PermanentMap().erase(it);
    }
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    auto it = PermanentMap().find(m_hObject);
    bool owned = it != PermanentMap().end() && it->second == this;
    HGDIOBJ hObject = Detach();
    return owned ? ::DeleteObject(hObject) : FALSE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted: kept as a plain, unowned handle.
    m_hObject = ::GetStockObject(nIndex);
    return m_hObject != nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                               lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf = {};
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 720);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitmap) const
{
    return ::GetObject(m_hObject, sizeof(BITMAP), pBitmap);
}
