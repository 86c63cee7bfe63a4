// CPageStyle: what every page of the wizard shares in its initialisation: the program
// icon, the background bitmap with the window sized to it and no dragging, and items
// and check boxes drawn in colour scheme 1 (black, disabled pale blue).
#pragma once

#include <windows.h>

class CBrowserCheckbox;
class CBrowserMenuItem;
class CDialogSK;

class CPageStyle
{
public:
    CPageStyle() = delete;

    static constexpr int kColorScheme = 1;

    // Icon 195 through the application (null without one).
    static HICON LoadPageIcon();
    // After CBrowserPage::OnInitDialog: the icon as big and small icon, no dragging by
    // the client area, background 130 with the window sized to it.
    static void InitPage(CDialogSK& page, HICON icon);
    // An item or check box: colour scheme 1, the string (0: no text), the font size in
    // points; a passive one ignores the mouse.
    static void InitItem(CBrowserMenuItem& item, UINT textId, int points, bool passive);
    static void InitCheckbox(CBrowserCheckbox& box, UINT textId, int points, bool passive);
    // Disables an item and redraws it in its disabled colour.
    static void Disable(CBrowserMenuItem& item);
};
