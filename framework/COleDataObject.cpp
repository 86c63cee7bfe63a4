// Reading data from the system clipboard.
#include "framework/COleDataObject.h"
#include "framework/COleDataSource.h"
#include <cstring>

BOOL COleDataObject::AttachClipboard()
{
    m_bAttached = true;
    return TRUE;
}

void COleDataObject::Release()
{
    m_bAttached = false;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC) const
{
    return m_bAttached && ::IsClipboardFormatAvailable(cfFormat);
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC) const
{
    if (!m_bAttached || !::IsClipboardFormatAvailable(cfFormat) || !AfxOpenClipboard())
        return nullptr;
    HGLOBAL copy = nullptr;
    HANDLE data = ::GetClipboardData(cfFormat);
    SIZE_T size = data ? ::GlobalSize(data) : 0;
    const void* source = data ? ::GlobalLock(data) : nullptr;
    if (source) {
        copy = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
        if (void* target = copy ? ::GlobalLock(copy) : nullptr) {
            std::memcpy(target, source, size);
            ::GlobalUnlock(copy);
        }
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return copy;
}
