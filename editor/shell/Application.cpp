// The editor's application object.
#include "editor/shell/Application.h"

#include "editor/shell/AboutDialog.h"
#include "editor/crash/CatchLadder.h"
#include "editor/shell/CommandLineInfo.h"
#include "editor/document/Document.h"
#include "editor/document/KivSingleDocTemplate.h"
#include "editor/crash/LastChanceHandler.h"
#include "editor/shell/MainFrame.h"
#include "editor/shell/ResourceIds.h"
#include "editor/shell/Settings.h"
#include "editor/preview/View.h"
#include "foundation/glo/GLO_ModuleHooks.h"
#include "foundation/glo/GLO_StringResource.h"
#include "foundation/win/WIN_StructuredException.h"

namespace app {

HMODULE GetProgramModule()
{
    return ::GetModuleHandleA(nullptr);
}

const std::string& GetModuleFileTitle()
{
    static const std::string fileTitle = "KIV.exe";
    return fileTitle;
}

BEGIN_MESSAGE_MAP(Application_t, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &Application_t::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_HELP, &Application_t::OnHelp)
END_MESSAGE_MAP()

Application_t::Application_t() : title("Pellorin")
{
    glo::ModuleHooks_t hooks;
    hooks.programModule = &GetProgramModule;
    hooks.programFileTitle = &GetModuleFileTitle;
    glo::SetModuleHooks(hooks);
}

BOOL Application_t::InitInstance()
{
    AfxSetResourceHandle(glo::GetResourceInstance());
    bool started = false;
    if (!RunInCatchLadder([&] { started = StartUp(); }, StartUpLines))
        return FALSE;
    return started;
}

bool Application_t::StartUp()
{
    win::InstallStructuredExceptionTranslator();
    InstallLastChanceHandler();
    CWinApp::InitInstance();
    AfxOleInit();
    SetRegistryKey("Quorel");
    LoadStdProfileSettings(4);
    AddDocTemplate(new KivSingleDocTemplate_t(IDR_MAINFRAME, RUNTIME_CLASS(Document_t), RUNTIME_CLASS(MainFrame_t),
                                              RUNTIME_CLASS(View_t)));
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CommandLineInfo_t commandLine;
    ParseCommandLine(commandLine);
    // Only the value's presence counts; a missing key raises the registry error.
    if (GetSettings().GetOem().HasValue() && !commandLine.IsUser()) {
        oemMode = true;
        title += " [OEM version]";
    }

    if (!ProcessShellCommand(commandLine))
        return false;
    // A shell command that opens no window (a DDE start, with no conversation
    // to follow here) starts with a new document.
    if (!m_pMainWnd)
        OnFileNew();
    if (!m_pMainWnd)
        return false;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles();
    MainFrame_t* frame = dynamic_cast<MainFrame_t*>(m_pMainWnd);
    glo::ThrowIfFalse(frame != nullptr, LadderSource, __LINE__);
    frame->SetTitle(title.c_str());
    return true;
}

int Application_t::Run()
{
    int result = 0;
    if (!RunInCatchLadder([&] { result = CWinApp::Run(); }, LoopLines))
        return 0;
    return result;
}

void Application_t::OnAppAbout()
{
    AboutDialog_t about;
    about.DoModal();
}

void Application_t::OnHelp()
{
    WinHelp(0, HELP_FINDER);
}

void Application_t::ReportFileError(const std::string& fileName)
{
    const glo::StringResource_t text(IDS_FILE_NOT_FOUND, LadderSource, 354);
    AfxMessageBox(text.Format({"Pellorin", fileName}, LadderSource, 362).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace app
