// The test variant of the editor program: the editor's application object,
// which also fails on request (see FaultKinds.h), so that the tests can watch
// the program end through its catch ladder; and which is ended the moment it
// has been told of the session's end, as Windows may.
#include "editor/shell/Application.h"
#include "foundation/glo/GLO_Optional.h"
#include "tests/editor/crash/FaultKinds.h"
#include "foundation/win/WIN_CompanyKeys.h"
#include "foundation/win/WIN_Exception.h"

#include <cstring>
#include <string>

namespace {

volatile bool forever = true;

// Each call takes a kilobyte of stack, until there is none.
__attribute__((noinline)) int Recurse(volatile char* previous)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(previous[0] + 1);
    if (!forever)
        return frame[0];
    return Recurse(frame) + frame[1];
}

[[noreturn]] void Fail(unsigned kind)
{
    switch (kind) {
    case MissingFile:
        throw win::FileNotFound_t("FaultApplication", __LINE__, "C:\\lists\\gone.kiv");
    case UnreadableFile:
        throw glo::FileError_t("FaultApplication", __LINE__, "C:\\lists\\locked.kiv");
    case RegistryFailure:
        win::RegKey_t(win::LocalMachineCompanyKey(), "No Such Product", win::RegKey_t::KeyReader_t());
        break;
    case Assertion:
        glo::Optional_t<int>().Get();
        break;
    case ProcessorFault: {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
        break;
    }
    case OutOfRange:
        std::string().at(1);
        break;
    case ThrownInteger:
        throw 7;
    case FaultInSystemCode: {
        const char* volatile nowhere = reinterpret_cast<const char*>(0x10);
        volatile std::size_t length = std::strlen(nowhere);
        (void)length;
        break;
    }
    case StackOverflow: {
        volatile char start = 0;
        Recurse(&start);
        break;
    }
    }
    throw 0;
}

// Ends the process the moment a window returns from WM_ENDSESSION for an ending session.
LRESULT CALLBACK EndWithTheSession(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_ENDSESSION && call->wParam)
        ::TerminateProcess(::GetCurrentProcess(), EndedWithTheSession);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class FaultApplication_t : public app::Application_t {
public:
    BOOL InitInstance() override
    {
        ::SetWindowsHookExA(WH_CALLWNDPROCRET, &EndWithTheSession, nullptr, ::GetCurrentThreadId());
        return app::Application_t::InitInstance();
    }

    afx_msg void OnFault(UINT command) { Fail(command - FaultCommand); }

    // The first new document fails when the command line asks for a start-up fault.
    afx_msg void OnFileNewOrFail()
    {
        const char* request = std::strstr(::GetCommandLineA(), "/startfault:");
        if (request)
            Fail(static_cast<unsigned>(std::atoi(request + std::strlen("/startfault:"))));
        OnFileNew();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FaultApplication_t, app::Application_t)
    ON_COMMAND_RANGE(FaultCommand, FaultCommand + FaultKindCount - 1, &FaultApplication_t::OnFault)
    ON_COMMAND(ID_FILE_NEW, &FaultApplication_t::OnFileNewOrFail)
END_MESSAGE_MAP()

FaultApplication_t theApplication;

} // namespace
