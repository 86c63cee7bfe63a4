// CDialogSK: a dialog painted with a background bitmap (stretched, tiled or centred),
// that can take the bitmap's size, be made translucent or colour-keyed, and be dragged
// by its client area. Every page of the installer is one; each takes the installer's
// title as its window title.
#pragma once

#include "framework/Framework.h"

// The window title of every page, program-wide: empty until start-up loads it.
CString& SetupTitleText();

class CDialogSK : public CDialog
{
public:
    // How the background bitmap covers the client area (see OnEraseBkgnd).
    enum BackgroundMode { kStretch = 0, kTile = 1, kCentre = 2, kStretchToo = 3, kFitWindow = 4 };

    CDialogSK();
    explicit CDialogSK(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialogSK(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialogSK() override;

    // The background: a bitmap resource of the resource module, a bitmap file, or a
    // handle that the dialog then owns. A null handle leaves no background.
    BOOL SetBackground(UINT nIDResource);
    BOOL SetBackground(LPCTSTR lpszPath);
    BOOL SetBackground(HBITMAP hBitmap);
    void SetStyle(int mode);   // kFitWindow sizes the window to the scaled bitmap
    void EnableDrag(BOOL bDrag);
    BOOL SetTransparent(BYTE alpha);                            // 255 is opaque
    BOOL SetTransparentColor(COLORREF colour, BOOL bEnable = TRUE);

    int GetBackgroundMode() const { return m_mode; }
    CSize GetBitmapSize() const { return m_bitmapSize; }   // natural size in pixels
    CSize GetScaledSize() const { return m_scaledSize; }   // at the screen's pixels per inch

    // Test seam: the horizontal pixels per inch that scale the bitmap (0: the screen's).
    static void SetPixelsPerInchForTest(int dpi);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    using SetLayeredAttributesCall = BOOL (WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    void Initialise();
    void DeleteBackground();
    void RedrawAll();
    void DrawBackground(CDC& target, CDC& bitmap, const CRect& client) const;

    HBITMAP m_hBitmap = nullptr;
    CSize m_bitmapSize;
    CSize m_scaledSize;
    int m_mode = kStretch;
    BOOL m_bDrag = TRUE;
    static SetLayeredAttributesCall s_setLayeredAttributes;
};
