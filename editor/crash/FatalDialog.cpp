// The fatal-error report.
#include "editor/crash/FatalDialog.h"

#include "editor/crash/BasicLogStream.h"
#include "editor/shell/BuildInfo.h"
#include "editor/crash/ErrDlg.h"
#include "editor/crash/LogRecord.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_StringResource.h"

namespace app {

FatalDialog_t::FatalDialog_t(const glo::Exception_t& error)
{
    Report(error.GetFile(), error.GetLine(), std::string(error.what()));
}

FatalDialog_t::FatalDialog_t(const char* file, int line, const std::exception& error)
{
    Report(file, line, std::string(error.what()));
}

void FatalDialog_t::Report(const char* file, int line, const std::string& message)
{
    BasicLogStream_t log;
    const std::string record = BuildLogRecord(file, line, message);
    if (log.good())
        log << record << std::flush;

    std::string request;
    if (!log.good())
        request = glo::StringResource_t(IDS_LOG_UNAVAILABLE, ".\\FatalDialog", 71).GetText();
    else if (IsReleaseBuild())
        request = glo::StringResource_t(IDS_FATAL_REQUEST, ".\\FatalDialog", 60).GetText();
    else
        request = glo::StringResource_t(IDS_FATAL_REQUEST_BETA, ".\\FatalDialog", 65).GetText();
    // Closed before the dialog opens, so that its Copy button can read the file.
    log.close();

    ErrDlg_t dialog(request, record, log.GetPath());
    dialog.DoModal();
}

} // namespace app
