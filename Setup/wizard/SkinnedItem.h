// CSkinnedItem: what the skinned page items (CBrowserMenuItem, CBrowserCheckbox) share:
// their text in a bold font of the page's face, the colour scheme, the text format,
// the passive switch, and the hover link that writes a text, an icon or a bitmap into
// a status item while the mouse is over the item's text, with the hand cursor.
#pragma once

#include "framework/Framework.h"

class CBrowserMenuItem;

class CSkinnedItem
{
public:
    // What a hover link shows in the status item (and what a menu item shows itself).
    enum ContentKind { kText = 0, kIcon = 1, kBitmap = 2 };

    explicit CSkinnedItem(int colorScheme);
    CSkinnedItem(const CSkinnedItem&) = delete;
    CSkinnedItem& operator=(const CSkinnedItem&) = delete;

    // Each false when nothing changed; a change of text, format or size measures the text again.
    bool ChangeText(const CString& text);
    bool ChangeFormat(UINT format);
    void ChangeFontSize(int points);

    // The item font: the parent's font at the item's size in points, bold; made on
    // first use. Without a parent font none is made and the device context's is used.
    void CreateFontFor(CWnd& control);
    void DeleteItemFont();
    // Kind kText loads the string into the hover text; the other kinds give its id back
    // as the image to show in the status item.
    void SetHoverLink(UINT nStringID, CBrowserMenuItem* pStatus, int kind, int& imageId);
    void SetHoverLink(CBrowserMenuItem* pStatus, const CString& text);

    // The mouse over an item: the first move only starts tracking (true); later moves
    // set the cursor and the status item by whether the point is over the text.
    bool StartTracking(HWND control);
    void ShowHover(bool overText, int imageId);
    void OnMouseLeave();

    CString m_text;
    CString m_hoverText;
    int m_fontSize = 12;
    CBrowserMenuItem* m_pStatus = nullptr;   // not owned
    CFont m_font;
    bool m_fontCreated = false;
    bool m_tracking = false;
    bool m_extentValid = false;
    bool m_passive = false;
    HCURSOR m_hHand;
    HCURSOR m_hArrow;
    int m_colorScheme;
    UINT m_format = DT_WORDBREAK;
    int m_hoverKind = kText;
};
