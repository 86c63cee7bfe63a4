// The editor's application object in a test program.
#include "tests/editor/shell/ShellTestApp.h"

#include "editor/document/Document.h"
#include "editor/document/KivSingleDocTemplate.h"
#include "editor/shell/ResourceIds.h"
#include "editor/preview/View.h"
#include "foundation/glo/GLO_StringResource.h"

#include <stdexcept>

namespace {

app::Application_t theApplication;

} // namespace

app::Application_t& App()
{
    static bool ready = false;
    if (!ready) {
        ready = true;
        theApplication.m_hInstance = ::GetModuleHandleA(nullptr);
        theApplication.InitApplicationNames();
        AfxSetResourceHandle(glo::GetResourceInstance());
    }
    return theApplication;
}

app::MainFrame_t& Frame()
{
    static app::MainFrame_t* frame = nullptr;
    if (!frame) {
        App().AddDocTemplate(new app::KivSingleDocTemplate_t(IDR_MAINFRAME, RUNTIME_CLASS(app::Document_t),
                                                             RUNTIME_CLASS(app::MainFrame_t),
                                                             RUNTIME_CLASS(app::View_t)));
        App().OnFileNew();
        frame = dynamic_cast<app::MainFrame_t*>(App().m_pMainWnd);
        if (!frame)
            throw std::runtime_error("the main frame was not made");
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        frame->MoveWindow(0, 0, 900, 600, TRUE);
        Pump();
    }
    return *frame;
}

void Pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!App().PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            AfxRethrowPendingException();
        }
        App().OnIdle(0);
        App().OnIdle(1);
    }
}

COLORREF BlackFaceColour(int index)
{
    switch (index) {
    case COLOR_BTNTEXT: return RGB(255, 255, 255);
    case COLOR_3DSHADOW: return RGB(0, 255, 255);
    case COLOR_3DLIGHT: return RGB(255, 0, 255);
    default: return RGB(0, 0, 0);
    }
}
