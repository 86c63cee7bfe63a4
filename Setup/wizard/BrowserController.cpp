// CBrowserController: one visible page at a time, and the end of the program.
#include "Setup/wizard/BrowserController.h"

#include "Setup/wizard/Bootstrap.h"
#include "Setup/wizard/BrowserPage.h"
#include "Setup/actions/InstallActions.h"

CBrowserController::CBrowserController() = default;

CBrowserController::CBrowserController(CBootstrap* pBootstrap) : m_pBootstrap(pBootstrap)
{
    if (m_pBootstrap)
        m_pBootstrap->UpdateWindowsInstaller();
}

CBrowserController::~CBrowserController() = default;

void CBrowserController::AddPage(int number, CWnd* pPage)
{
    pPage->ShowWindow(SW_HIDE);
    m_pages.emplace(number, pPage);
}

bool CBrowserController::HasPage(int number) const
{
    return m_pages.count(number) != 0;
}

void CBrowserController::ShowPage(int number)
{
    auto found = m_pages.find(number);
    if (found == m_pages.end())
        return;
    CWnd* shown = found->second;
    CBrowserPage* shownPage = dynamic_cast<CBrowserPage*>(shown);
    // The new page appears before the old one goes, so the screen never shows none.
    shown->ShowWindow(SW_SHOW);
    if (shownPage)
        shownPage->MarkShown();
    for (const auto& page : m_pages) {
        if (page.first != number)
            page.second->ShowWindow(SW_HIDE);
    }
    shown->SendMessageToDescendants(WM_PAINT, 0, 0, TRUE, FALSE);
    shown->Invalidate(TRUE);
    // Clicks and keys made before the page was there are not for it: the items of one
    // page lie where another page's are, and the second click of a double click on Next
    // would act on the page that Next brought.
    CInstallActions::DiscardQueuedInput();
    if (shownPage)
        shownPage->OnPageShown();
    CInstallActions::DiscardQueuedInput();
}

void CBrowserController::SetRebootOnFinish()
{
    m_bRebootOnFinish = true;
}

void CBrowserController::Finish()
{
    if (m_pBootstrap) {
        if (m_pBootstrap->IsRebootNeeded() || m_bRebootOnFinish)
            m_pBootstrap->Reboot();
        delete m_pBootstrap;
        m_pBootstrap = nullptr;
    }
    AfxPostQuitMessage(0);
}
