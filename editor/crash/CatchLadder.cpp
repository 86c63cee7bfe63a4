// The catch ladder.
#include "editor/crash/CatchLadder.h"

#include "editor/shell/Application.h"
#include "editor/crash/BasicLogStream.h"
#include "editor/crash/FatalDialog.h"
#include "editor/crash/LogRecord.h"
#include "editor/shell/ResourceIds.h"
#include "framework/Framework.h"
#include "foundation/glo/GLO_StringResource.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_StructuredException.h"

#include <ios>
#include <new>
#include <stdexcept>
#include <typeinfo>

namespace app {

const CatchLines_t StartUpLines = {119, 123, 133, 138, 142, 146, 150, 155, 159,
                                   163, 167, 172, 176, 180, 184, 188, 192, 196, 200};
const CatchLines_t LoopLines = {238, 242, 252, 257, 261, 265, 269, 274, 278,
                                282, 286, 291, 295, 299, 303, 307, 311, 315, 319};

const char* const LadderSource = ".\\Application";

namespace {

// The record goes to the log when the log opens; the message shows in any case.
void ReportRegistryError(const win::RegError_t& error, const CatchLines_t& lines)
{
    AppendToLog(BuildLogRecord(error.GetFile(), error.GetLine(), error.what()));
    const glo::StringResource_t text(IDS_REGISTRY_PROBLEM, LadderSource, lines.registryLoad);
    AfxMessageBox(text.FormatArg("Pellorin", LadderSource, lines.registryFormat).c_str(), MB_OK | MB_ICONERROR);
}

void ReportFatal(int line, const std::exception& error)
{
    FatalDialog_t report(LadderSource, line, error);
}

// Reports the exception being handled. The standard library's exceptions come
// before their bases, the file and registry errors before the editor's base.
void ReportCurrentException(const CatchLines_t& lines)
{
    try {
        throw;
    } catch (const win::FileNotFound_t& error) {
        Application_t::ReportFileError(error.GetFileName());
    } catch (const glo::FileError_t& error) {
        Application_t::ReportFileError(error.GetFileName());
    } catch (const win::RegError_t& error) {
        ReportRegistryError(error, lines);
    } catch (const glo::Exception_t& error) {
        FatalDialog_t report(error);
    } catch (const win::StructuredException_t& error) {
        ReportFatal(lines.structured, error);
    } catch (const std::length_error& error) {
        ReportFatal(lines.lengthError, error);
    } catch (const std::domain_error& error) {
        ReportFatal(lines.domainError, error);
    } catch (const std::out_of_range& error) {
        ReportFatal(lines.outOfRange, error);
    } catch (const std::invalid_argument& error) {
        ReportFatal(lines.invalidArgument, error);
    } catch (const std::ios_base::failure& error) {
        ReportFatal(lines.iosFailure, error);
    } catch (const std::range_error& error) {
        ReportFatal(lines.rangeError, error);
    } catch (const std::overflow_error& error) {
        ReportFatal(lines.overflowError, error);
    } catch (const std::underflow_error& error) {
        ReportFatal(lines.underflowError, error);
    } catch (const std::bad_alloc& error) {
        ReportFatal(lines.badAlloc, error);
    } catch (const std::bad_cast& error) {
        ReportFatal(lines.badCast, error);
    } catch (const std::bad_exception& error) {
        ReportFatal(lines.badException, error);
    } catch (const std::bad_typeid& error) {
        ReportFatal(lines.badTypeid, error);
    } catch (const std::logic_error& error) {
        ReportFatal(lines.logicError, error);
    } catch (const std::runtime_error& error) {
        ReportFatal(lines.runtimeError, error);
    } catch (const std::exception& error) {
        ReportFatal(lines.exception, error);
    } catch (...) {
        FatalDialog_t report(glo::Exception_t(LadderSource, lines.unknown, std::string()));
    }
}

} // namespace

bool RunInCatchLadder(const std::function<void()>& body, const CatchLines_t& lines)
{
    try {
        body();
        return true;
    } catch (...) {
        ReportOrFallBack([&lines] { ReportCurrentException(lines); });
    }
    return false;
}

// When the report itself fails (no memory, no string table, no time text),
// the user is still told before the program ends, instead of the program
// vanishing mid-report.
void ReportOrFallBack(const std::function<void()>& report)
{
    try {
        report();
    } catch (const std::exception& error) {
        ReportUnreportable(error.what());
    } catch (...) {
        ReportUnreportable(nullptr);
    }
}

void ReportUnreportable(const char* what)
{
    std::string text = "Pellorin has met an error that it cannot report, and will now exit.";
    if (what && *what)
        text += std::string("\n\n") + what;
    ::MessageBoxA(nullptr, text.c_str(), "Pellorin", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace app
