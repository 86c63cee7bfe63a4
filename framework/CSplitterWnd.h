// A static splitter: a window divided into rows and columns of panes (usually
// views), created once with CreateStatic and CreateView. The bars between the
// panes can be dragged with the mouse; the last row and column take the space left.
#pragma once
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include <vector>

struct CCreateContext;

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    virtual void RecalcLayout();

    // Moves the focus (and the frame's active view) to the next or previous pane.
    virtual void ActivateNext(BOOL bPrev = FALSE);
    virtual BOOL CanActivateNext(BOOL bPrev = FALSE);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    static const int kBarSize = 6;

private:
    struct Track { int ideal; int minimum; int current; };
    int HitBar(CPoint point, bool& vertical) const;   // the index of the bar at a point, or -1
    int BarStart(int bar, bool vertical) const;       // where the bar after pane "bar" begins
    void Layout(std::vector<Track>& tracks, int total);

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<Track> m_rows;
    std::vector<Track> m_cols;
    int m_dragBar = -1;
    int m_dragOffset = 0;   // where in the bar the mouse took it
    bool m_dragVertical = true;
};
