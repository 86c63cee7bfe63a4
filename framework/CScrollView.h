// A view larger than its window: SetScrollSizes gives the size of the whole drawing
// (MM_TEXT, in pixels) with the page and line steps, the scroll bars follow the
// window's size, and the device context handed to OnDraw is shifted by the scroll
// position, so OnDraw always draws in the drawing's own coordinates.
#pragma once
#include "framework/CView.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;   // 0 x 0: a tenth of the total (page) or of the page (line)

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const { return m_scrollPos; }
    CPoint GetDeviceScrollPosition() const { return m_scrollPos; }
    CSize GetTotalSize() const { return m_totalSize; }
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    void UpdateBars();
    void ScrollBy(int bar, int code);

    int m_nMapMode = MM_TEXT;
    CSize m_totalSize;
    CSize m_pageSize;
    CSize m_lineSize;
    CPoint m_scrollPos;
};
