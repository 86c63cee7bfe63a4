// Data on the system clipboard as seen by its reader: attach to the clipboard,
// ask whether a format is offered, and take a copy of its block.
#pragma once
#include <windows.h>

class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    BOOL AttachClipboard();
    void Release();
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // A copy of the format's block, owned by the caller (GlobalFree); null when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;

private:
    bool m_bAttached = false;
};
