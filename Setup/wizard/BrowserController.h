// CBrowserController: the wizard's page controller. It holds the pages by number (not
// owning them), shows exactly one of them at a time and runs its page-shown hook, and
// ends the program, restarting Windows first when the bootstrap or the program asked
// for it. It owns the bootstrap until Finish.
#pragma once

#include <map>

class CBootstrap;
class CWnd;

class CBrowserController
{
public:
    CBrowserController();
    // Takes the bootstrap and brings Windows Installer up to date with it, which can run
    // the Windows Installer redistributable and wait minutes for it.
    explicit CBrowserController(CBootstrap* pBootstrap);
    virtual ~CBrowserController();
    CBrowserController(const CBrowserController&) = delete;
    CBrowserController& operator=(const CBrowserController&) = delete;

    // Hides the page and registers it; a number already registered keeps its first page.
    void AddPage(int number, CWnd* pPage);
    bool HasPage(int number) const;
    // Shows the page of that number, hides the others, repaints it and runs its hook,
    // which may show further pages before it returns. An unknown number is ignored.
    void ShowPage(int number);
    void SetRebootOnFinish();
    // Restarts Windows when asked for, drops the bootstrap and posts the quit message.
    void Finish();

    CBootstrap* GetBootstrap() const { return m_pBootstrap; }

private:
    std::map<int, CWnd*> m_pages;
    CBootstrap* m_pBootstrap = nullptr;
    bool m_bRebootOnFinish = false;
};
