// A view that is a tree control: the view's own window is the tree, reached
// through GetTreeCtrl. Its notifications come back to it as reflected
// notifications (ON_NOTIFY_REFLECT) from the parent.
#pragma once
#include "framework/CView.h"
#include "framework/CTreeCtrl.h"

class CTreeView : public CView
{
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeCtrl& GetTreeCtrl() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    mutable CTreeCtrl m_tree;   // a plain wrapper of the view's own window
};
