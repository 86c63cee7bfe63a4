// Publishing data on the system clipboard.
#include "framework/COleDataSource.h"
#include "framework/CException.h"
#include "framework/Globals.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

HWND AfxGetClipboardOwner()
{
    static HWND owner = nullptr;
    if (!owner || !::IsWindow(owner)) {
        LPCTSTR cls = AfxRegisterWndClass(0);
        owner = ::CreateWindowEx(0, cls, _T("Clipboard"), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 AfxGetInstanceHandle(), nullptr);
    }
    return owner;
}

BOOL AfxOpenClipboard()
{
    HWND owner = AfxGetClipboardOwner();
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::OpenClipboard(owner))
            return TRUE;
        ::Sleep(10);
    }
    return FALSE;
}

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::Empty()
{
    for (Item& item : m_items) {
        if (item.data)
            ::GlobalFree(item.data);
    }
    m_items.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC)
{
    for (Item& item : m_items) {
        if (item.format == cfFormat) {
            if (item.data && item.data != hGlobal)
                ::GlobalFree(item.data);
            item.data = hGlobal;
            return;
        }
    }
    m_items.push_back(Item{ cfFormat, hGlobal });
}

void COleDataSource::SetClipboard()
{
    if (!AfxOpenClipboard()) {
        HRESULT error = HRESULT_FROM_WIN32(::GetLastError());
        delete this;
        AfxThrowOleException(error);
    }
    ::EmptyClipboard();
    for (Item& item : m_items) {
        if (::SetClipboardData(item.format, item.data))
            item.data = nullptr;   // the clipboard owns it now
    }
    ::CloseClipboard();
    delete this;
}
