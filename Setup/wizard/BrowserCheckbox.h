// CBrowserCheckbox: a check box of a page drawn by hand: the system's check mark box
// and, 20 pixels to its right, a bold label in a colour scheme, transparent over the
// page's background. The checked state and the click notification are the button's
// own; the hover link and the passive switch work as for CBrowserMenuItem.
#pragma once

#include "Setup/wizard/SkinnedItem.h"

class CBrowserCheckbox : public CButton
{
public:
    CBrowserCheckbox();
    ~CBrowserCheckbox() override;

    void SetText(const CString& text);
    void SetTextId(UINT nStringID);
    void SetFontSize(int points);
    void SetColorScheme(int scheme);
    void SetAlignment(UINT format);
    void SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind);
    void SetHoverLink(CBrowserMenuItem* pStatus, const CString& text);
    void SetPassive(BOOL bPassive);
    // Repaints the box and the page's background under it.
    void Redraw();
    // Copies the page's background under the box, taken once, onto a device context.
    void PaintParentBackground(CDC* pDC);

    const CString& GetText() const { return m_item.m_text; }
    static COLORREF SchemeColor(int scheme, bool enabled);

    void PreSubclassWindow() override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnStateChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void MeasureText();
    bool HitTest(CPoint point) const;

    CSkinnedItem m_item;
    CSize m_extent;                 // the label's width and height, for the hit test
    int m_hoverId = -1;             // the status item's image of an image hover link
    CDC m_snapshotDC;               // the page's background under the box
    CBitmap m_snapshot;
    HGDIOBJ m_hPreviousBitmap = nullptr;
};
