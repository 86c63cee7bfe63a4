// The program's end through its catch ladder, or its last-chance handler for a
// fault the translator cannot reach, in a variant of the editor that fails on
// request: each kind of failure, raised at start-up or by a command, shows its
// report and then ends the program.
#include "tests/editor/shell/EditorRegistry.h"
#include "tests/editor/crash/FaultKinds.h"
#include "tests/editor/shell/KivProcess.h"
#include "tests/editor/shell/OwnTempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

const char faultsPath[] = "tests\\editor\\crash\\KivFaults.exe";
const int errDlgLog = 5601;
const int errDlgMessage = 5607;

const std::string missingFileMessage =
    "\"Pellorin cannot find the following file:\n\nC:\\lists\\gone.kiv\n\nPellorin will now exit.\n\"";

// What the program showed before it ended.
struct Report_t {
    std::string caption;
    std::string message;   // the message box's, or the fatal-error dialog's request
    std::string record;    // the fatal-error dialog's record, CR LF ends
    bool ended = false;
    DWORD exitCode = 99;
};

class Failure : public ::testing::Test {
protected:
    // Runs the variant; a fault command after start-up unless it fails at start-up.
    Report_t Run(FaultKind_t kind, bool atStartUp)
    {
        Report_t report;
        KivProcess_t kiv(BuildProgram(faultsPath), atStartUp ? "/startfault:" + std::to_string(kind) : "");
        if (!atStartUp) {
            HWND main = kiv.WaitForMainWindow();
            if (!main)
                return report;
            ::PostMessageA(main, WM_COMMAND, FaultCommand + kind, 0);
        }
        HWND shown = kiv.WaitForDialog();
        if (!shown)
            return report;
        report.caption = TextOf(shown);
        if (HWND log = ::GetDlgItem(shown, errDlgLog)) {
            report.message = WaitForText(::GetDlgItem(shown, errDlgMessage));
            report.record = WaitForText(log);
        } else {
            report.message = MessageOf(shown);
        }
        Press(shown, IDOK);
        report.ended = kiv.WaitForExit(report.exitCode);
        return report;
    }

    OwnTempFolder_t temp;
    EditorRegistry_t registry;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(Failure, AMissingFileShowsItsMessageAndEnds)
{
    for (bool atStartUp : {false, true}) {
        const Report_t report = Run(MissingFile, atStartUp);
        EXPECT_EQ(missingFileMessage, report.message);
        EXPECT_EQ("Pellorin", report.caption);
        EXPECT_TRUE(report.ended);
        EXPECT_EQ(0u, report.exitCode);
    }
    const Report_t unreadable = Run(UnreadableFile, false);
    EXPECT_TRUE(Contains(unreadable.message, "C:\\lists\\locked.kiv"));
    EXPECT_TRUE(unreadable.ended);
    EXPECT_TRUE(temp.ReadLog().empty());
}

TEST_F(Failure, ARegistryErrorIsLoggedShownAndEnds)
{
    const Report_t report = Run(RegistryFailure, false);
    EXPECT_EQ("There is a problem with the Pellorin registry.\n\nPlease re-install Pellorin  and start it again.",
              report.message);
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(0u, report.exitCode);
    const std::string log = temp.ReadLog();
    EXPECT_TRUE(Contains(log, "\r\nWIN_REGKEY-")) << log;
    EXPECT_TRUE(Contains(log, "; Reg name: No Such Product\r\n")) << log;
}

TEST_F(Failure, AnAssertionOpensTheFatalErrorDialogWithItsRaisePoint)
{
    for (bool atStartUp : {false, true}) {
        const Report_t report = Run(Assertion, atStartUp);
        EXPECT_EQ("Pellorin", report.caption);
        EXPECT_EQ(0u, report.record.find("Error Information:\r\n\r\nApp: Pellorin\r\n")) << report.record;
        EXPECT_TRUE(Contains(report.record, "\r\nGLO_OPTIONAL-102-2.3\r\n")) << report.record;
        EXPECT_TRUE(report.ended);
        EXPECT_EQ(0u, report.exitCode);
    }
    const std::string log = temp.ReadLog();
    // One record for each run, one after the other.
    const std::string second = log.substr(1);
    EXPECT_EQ(0u, log.find("\r\nApp: Pellorin\r\n"));
    EXPECT_NE(std::string::npos, second.find("\r\nApp: Pellorin\r\n"));
    EXPECT_EQ(second.find("\r\nApp: Pellorin\r\n"), second.rfind("\r\nApp: Pellorin\r\n"));
}

TEST_F(Failure, AProcessorFaultIsTranslatedAndReported)
{
    const Report_t report = Run(ProcessorFault, false);
    EXPECT_TRUE(Contains(report.record, "\r\nAPPLICATION-252-2.3\r\n")) << report.record;
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(0u, report.exitCode);
    EXPECT_TRUE(Contains(temp.ReadLog(), "\r\nAPPLICATION-252-2.3\r\n"));
}

TEST_F(Failure, AStandardExceptionIsReportedAtTheLoopsOrTheStartsLine)
{
    const Report_t inLoop = Run(OutOfRange, false);
    EXPECT_TRUE(Contains(inLoop.record, "\r\nAPPLICATION-265-2.3\r\n")) << inLoop.record;
    EXPECT_TRUE(inLoop.ended);
    const Report_t atStart = Run(OutOfRange, true);
    EXPECT_TRUE(Contains(atStart.record, "\r\nAPPLICATION-146-2.3\r\n")) << atStart.record;
    EXPECT_TRUE(atStart.ended);
}

TEST_F(Failure, AThrownIntegerIsAnErrorWithoutMessage)
{
    const Report_t inLoop = Run(ThrownInteger, false);
    const std::string loopEnd = "\r\nAPPLICATION-319-2.3\r\n";
    ASSERT_GE(inLoop.record.size(), loopEnd.size());
    EXPECT_EQ(loopEnd, inLoop.record.substr(inLoop.record.size() - loopEnd.size()));
    const Report_t atStart = Run(ThrownInteger, true);
    const std::string startEnd = "\r\nAPPLICATION-200-2.3\r\n";
    ASSERT_GE(atStart.record.size(), startEnd.size());
    EXPECT_EQ(startEnd, atStart.record.substr(atStart.record.size() - startEnd.size()));
    EXPECT_TRUE(atStart.ended);
}

TEST_F(Failure, AFaultTheTranslatorCannotReachIsStillLoggedReportedAndEnds)
{
    // The emulator this test may run under reports some faults with other codes:
    // only the translator's form of the text is checked.
    const std::regex faultText("\r\n(Read|Write) access violation at data address 0x[0-9a-f]+,\r\n"
                               "program address 0x[0-9A-F]{8}\\.\r\n$|"
                               "\r\n[^\r\n]+ at program address 0x[0-9A-F]{8}\\.\r\n$");
    for (FaultKind_t kind : {FaultInSystemCode, StackOverflow}) {
        SCOPED_TRACE(kind);
        const std::size_t logged = temp.ReadLog().size();
        const Report_t report = Run(kind, false);
        EXPECT_EQ("Pellorin", report.caption);
        EXPECT_TRUE(report.ended);
        EXPECT_NE(0u, report.exitCode);
        const std::string record = temp.ReadLog().substr(logged);
        EXPECT_EQ(0u, record.find("\r\nApp: Pellorin\r\n")) << record;
        EXPECT_TRUE(Contains(record, "\r\nLASTCHANCEHANDLER-")) << record;
        EXPECT_TRUE(std::regex_search(record, faultText)) << record;
        // The fatal-error dialog where the faulting thread has stack left, else the fallback box.
        if (kind == FaultInSystemCode)
            EXPECT_TRUE(Contains(report.record, "\r\nLASTCHANCEHANDLER-")) << report.record;
        else
            EXPECT_EQ(0u, report.message.find("Pellorin has met an error that it cannot report")) << report.message;
    }
}
