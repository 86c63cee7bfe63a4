// CInstallActions: diagnostic lines for the debugger output.
#include "Setup/actions/InstallActions.h"

namespace {
CInstallActions::DiagnosticSink g_sink = nullptr;
}

void CInstallActions::SetDiagnosticSinkForTest(DiagnosticSink sink)
{
    g_sink = sink;
}

void CInstallActions::Trace(const wchar_t* text)
{
    OutputDebugStringW(text);
    if (g_sink)
        g_sink(text);
}

void CInstallActions::TraceFormat(const wchar_t* format, ...)
{
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    Trace(text);
}
