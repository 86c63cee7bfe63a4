// CBrowserMenuItem: a static control of a page that draws, transparently over the
// page's background, a text in a colour scheme, an icon or a bitmap. Over its text the
// mouse shows the hand cursor and the item's hover text (or image) appears in a status
// item; clicks reach the page as STN_CLICKED commands. A passive item ignores the mouse.
#pragma once

#include "Setup/wizard/SkinnedItem.h"

class CBrowserMenuItem : public CStatic
{
public:
    CBrowserMenuItem();
    ~CBrowserMenuItem() override;

    void SetText(const CString& text);
    void SetTextId(UINT nStringID);
    void SetAlignment(UINT format);   // DrawText flags: DT_WORDBREAK, plus DT_CENTER or DT_RIGHT
    void SetFontSize(int points);
    void SetColorScheme(int scheme);
    void SetIcon(UINT nIDResource);
    void SetBitmap(UINT nIDResource);
    bool SetBitmap(LPCTSTR lpszPath);
    void SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind);
    void SetHoverLink(CBrowserMenuItem* pStatus, const CString& text);
    void SetPassive(BOOL bPassive);
    // Repaints the page's background under the item (5 pixels wider on each side) and the item.
    void Redraw();
    BOOL IsCursorOverText();

    const CString& GetText() const { return m_item.m_text; }
    int GetContentKind() const { return m_contentKind; }
    int GetImageId() const { return m_imageId; }
    // The text colour of a colour scheme, for an enabled or a disabled item.
    static COLORREF SchemeColor(int scheme, bool enabled);

    void PreSubclassWindow() override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    void ShowImage(int kind, int imageId);   // unless it shows that image already
    void MeasureText();
    bool HitTest(CPoint point) const;
    void DrawContent(CDC& dc, const CRect& client);

    CSkinnedItem m_item;
    CRect m_extent;                 // the text's area, for the hit test
    int m_contentKind = CSkinnedItem::kText;
    int m_imageId = -1;             // own icon or bitmap; the status item's image of an image hover link
    CBitmap m_fileBitmap;           // a bitmap from a file (image id -1)
};
