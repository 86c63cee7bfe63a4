// The shared initialisation of the wizard's pages (see PageStyle.h).
#include "Setup/wizard/PageStyle.h"

#include "Setup/wizard/BrowserCheckbox.h"
#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/DialogSK.h"
#include "Setup/wizard/SetupResource.h"

HICON CPageStyle::LoadPageIcon()
{
    CWinApp* app = AfxGetApp();
    return app ? app->LoadIcon(IDI_SETUP) : nullptr;
}

void CPageStyle::InitPage(CDialogSK& page, HICON icon)
{
    page.SetIcon(icon, TRUE);
    page.SetIcon(icon, FALSE);
    page.EnableDrag(FALSE);
    page.SetBackground(IDB_BACKGROUND);
    page.SetStyle(CDialogSK::kFitWindow);
}

void CPageStyle::InitItem(CBrowserMenuItem& item, UINT textId, int points, bool passive)
{
    item.SetColorScheme(kColorScheme);
    if (textId)
        item.SetTextId(textId);
    else
        item.SetText(CString());
    item.SetFontSize(points);
    item.SetPassive(passive);
}

void CPageStyle::InitCheckbox(CBrowserCheckbox& box, UINT textId, int points, bool passive)
{
    box.SetColorScheme(kColorScheme);
    box.SetTextId(textId);
    box.SetFontSize(points);
    box.SetPassive(passive);
}

void CPageStyle::Disable(CBrowserMenuItem& item)
{
    item.EnableWindow(FALSE);
    item.Redraw();
}
