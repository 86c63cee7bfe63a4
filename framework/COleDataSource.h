// Data offered to the system clipboard: blocks of global memory cached under their
// formats (CacheGlobalData) and published together by SetClipboard, which replaces
// what the clipboard held. A data source is made with new; SetClipboard hands it
// to the clipboard, which owns the blocks from then on and deletes the data source.
#pragma once
#include "framework/CCmdTarget.h"
#include <vector>

class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource() = default;
    ~COleDataSource() override;   // frees blocks that never reached the clipboard

    // Offers hGlobal under the format; the data source owns it from now on.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Publishes every cached block and deletes this data source, also when the
    // clipboard cannot be opened (then COleException is thrown and the clipboard
    // keeps what it held).
    void SetClipboard();
    void Empty();

private:
    struct Item { CLIPFORMAT format; HGLOBAL data; };
    std::vector<Item> m_items;
};

// The window that owns what this program puts on the clipboard: a message-only
// window, so the clipboard works without a display.
HWND AfxGetClipboardOwner();
// Opens the clipboard, trying again a few times while another program holds it.
BOOL AfxOpenClipboard();
