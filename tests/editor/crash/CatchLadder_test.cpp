// The catch ladder: every kind of failure ends in its own report, at the
// lines of start-up or of the message loop.
#include "editor/crash/CatchLadder.h"
#include "editor/crash/LogRecord.h"
#include "editor/shell/ResourceIds.h"
#include "tests/editor/shell/DialogTexts.h"
#include "tests/editor/shell/ShellTestApp.h"
#include "tests/foundation/RaisePoint.h"
#include "foundation/glo/GLO_Locale.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_StructuredException.h"

#include <gtest/gtest.h>

#include <ios>
#include <new>
#include <stdexcept>
#include <typeinfo>

namespace {

class CatchLadder : public ::testing::Test {
protected:
    CatchLadder() { App(); }

    // Runs body in the ladder with the fatal-error dialog answered; the
    // record the dialog showed, without CR.
    std::string FatalRecord(const std::function<void()>& body, const app::CatchLines_t& lines)
    {
        std::string shown;
        hook.AnswerDialog([&shown](CDialog& dialog) {
            shown = ItemText(dialog, IDC_ERRDLG_LOG);
            return IDOK;
        });
        EXPECT_FALSE(app::RunInCatchLadder(body, lines));
        EXPECT_EQ(0u, hook.Unanswered());
        EXPECT_EQ(0u, hook.PendingAnswers());
        std::string record;
        for (char c : shown) {
            if (c != '\r')
                record += c;
        }
        return record;
    }

    // The one message box that body's failure showed.
    const CTestHook::Shown& MessageOf(const std::function<void()>& body)
    {
        hook.AnswerMessageBox(IDOK);
        EXPECT_FALSE(app::RunInCatchLadder(body, app::LoopLines));
        EXPECT_EQ(0u, hook.Unanswered());
        EXPECT_EQ(1u, hook.Log().size());
        return hook.Log().back();
    }

    OwnTempFolder_t temp;
    CTestHook hook;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// One standard exception, and the lines it is reported at.
struct StandardCase_t {
    const char* name;
    std::function<void()> thrower;
    int startUpLine;
    int loopLine;
};

const char* const missingFileMessage =
    "\"Pellorin cannot find the following file:\n\nC:\\lists\\gone.kiv\n\nPellorin will now exit.\n\"";

} // namespace

TEST_F(CatchLadder, ABodyThatEndsNormallyIsNotReported)
{
    bool ran = false;
    EXPECT_TRUE(app::RunInCatchLadder([&ran] { ran = true; }, app::StartUpLines));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(hook.Log().empty());
}

TEST_F(CatchLadder, StandardExceptionsAreReportedAtTheirOwnLines)
{
    const StandardCase_t cases[] = {
        {"length_error", [] { throw std::length_error("too long"); }, 138, 257},
        {"domain_error", [] { throw std::domain_error("out of domain"); }, 142, 261},
        {"out_of_range", [] { std::string().at(3); }, 146, 265},
        {"invalid_argument", [] { throw std::invalid_argument("bad argument"); }, 150, 269},
        {"ios_base::failure", [] { throw std::ios_base::failure("stream broke"); }, 155, 274},
        {"range_error", [] { throw std::range_error("out of range"); }, 159, 278},
        {"overflow_error", [] { throw std::overflow_error("overflow"); }, 163, 282},
        {"underflow_error", [] { throw std::underflow_error("underflow"); }, 167, 286},
        {"bad_alloc", [] { throw std::bad_alloc(); }, 172, 291},
        {"bad_cast", [] { throw std::bad_cast(); }, 176, 295},
        {"bad_exception", [] { throw std::bad_exception(); }, 180, 299},
        {"bad_typeid", [] { throw std::bad_typeid(); }, 184, 303},
        {"logic_error", [] { throw std::logic_error("illogical"); }, 188, 307},
        {"runtime_error", [] { throw std::runtime_error("at run time"); }, 192, 311},
        {"exception", [] { throw std::exception(); }, 196, 315},
    };
    for (const StandardCase_t& c : cases) {
        SCOPED_TRACE(c.name);
        std::string what;
        try {
            c.thrower();
        } catch (const std::exception& error) {
            what = error.what();
        }
        const std::string atStartUp = FatalRecord(c.thrower, app::StartUpLines);
        EXPECT_TRUE(Contains(atStartUp, "\nAPPLICATION-" + std::to_string(c.startUpLine) + "-2.3\n" + what + "\n"))
            << atStartUp;
        const std::string inLoop = FatalRecord(c.thrower, app::LoopLines);
        EXPECT_TRUE(Contains(inLoop, "\nAPPLICATION-" + std::to_string(c.loopLine) + "-2.3\n" + what + "\n"))
            << inLoop;
    }
}

TEST_F(CatchLadder, TheEditorsOwnFailuresKeepTheirRaisePoint)
{
    const std::string assertion = FatalRecord([] { throw glo::Assert_t("Database", 305); }, app::LoopLines);
    EXPECT_EQ("\nDATABASE-305-2.3\n", assertion.substr(assertion.size() - 18));
    // A Windows error's text keeps the system's own line end.
    const std::string error = FatalRecord([] { throw win::Error_t("WIN_File", 90, 5); }, app::StartUpLines);
    EXPECT_TRUE(Contains(error, "\nWIN_FILE-90-2.3\n" + win::GetErrorText(5).substr(0, 8))) << error;
}

TEST_F(CatchLadder, AnythingElseIsAnErrorWithoutMessage)
{
    const std::string atStartUp = FatalRecord([] { throw 42; }, app::StartUpLines);
    EXPECT_EQ("\nAPPLICATION-200-2.3\n", atStartUp.substr(atStartUp.size() - 21));
    const std::string inLoop = FatalRecord([] { throw "text"; }, app::LoopLines);
    EXPECT_EQ("\nAPPLICATION-319-2.3\n", inLoop.substr(inLoop.size() - 21));
}

TEST_F(CatchLadder, AProcessorFaultIsReportedWithItsText)
{
    win::InstallStructuredExceptionTranslator();
    std::string what;
    const auto fault = [&what] {
        try {
            volatile int* nowhere = nullptr;
            *nowhere = 1;
        } catch (const win::StructuredException_t& error) {
            what = error.what();
            throw;
        }
    };
    const std::string record = FatalRecord(fault, app::LoopLines);
    ASSERT_FALSE(what.empty());
    EXPECT_TRUE(Contains(record, "\nAPPLICATION-252-2.3\n" + what + "\n")) << record;
    EXPECT_TRUE(Contains(FatalRecord(fault, app::StartUpLines), "\nAPPLICATION-133-2.3\n"));
}

TEST_F(CatchLadder, AMissingFileIsNamedInItsOwnMessage)
{
    const CTestHook::Shown& notFound =
        MessageOf([] { throw win::FileNotFound_t("Crc", 20, "C:\\lists\\gone.kiv"); });
    EXPECT_EQ(missingFileMessage, std::string(notFound.text.GetString()));
    EXPECT_EQ("Pellorin", std::string(notFound.caption.GetString()));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), notFound.style);
    EXPECT_TRUE(temp.ReadLog().empty());
}

TEST_F(CatchLadder, AnUnreadableFileIsNamedInTheSameMessage)
{
    const CTestHook::Shown& unreadable =
        MessageOf([] { throw glo::FileError_t("Document", 80, "C:\\lists\\gone.kiv"); });
    EXPECT_EQ(missingFileMessage, std::string(unreadable.text.GetString()));
    EXPECT_TRUE(temp.ReadLog().empty());
}

TEST_F(CatchLadder, ARegistryErrorIsLoggedAndShown)
{
    const win::RegError_t error("WIN_RegKey", 524, "Settings", ERROR_FILE_NOT_FOUND);
    const CTestHook::Shown& shown = MessageOf([&error] { throw error; });
    EXPECT_EQ("There is a problem with the Pellorin registry.\n\nPlease re-install Pellorin  and start it again.",
              std::string(shown.text.GetString()));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), shown.style);
    const std::string log = temp.ReadLog();
    EXPECT_EQ(0u, log.find("\r\nApp: Pellorin\r\n"));
    EXPECT_TRUE(Contains(log, WithCrLf(std::string("\nWIN_REGKEY-524-2.3\n") + error.what() + "\n"))) << log;
    EXPECT_TRUE(Contains(log, "; Reg name: Settings"));
}

TEST_F(CatchLadder, ARegistryErrorIsShownAlsoWhenTheLogCannotBeWritten)
{
    ASSERT_TRUE(::CreateDirectoryA(temp.LogFolder().c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(temp.LogPath().c_str(), nullptr));
    const CTestHook::Shown& shown =
        MessageOf([] { throw win::RegError_t("WIN_ConstRegValue", 30, "OEM", ERROR_INVALID_DATA); });
    ::RemoveDirectoryA(temp.LogPath().c_str());
    EXPECT_EQ(0u, std::string(shown.text.GetString()).find("There is a problem with the Pellorin registry."));
}

TEST_F(CatchLadder, ReportsAreWrittenWhereTheSystemLocaleCannotBeMade)
{
    // A Unicode-only system locale (Hindi) has no ANSI code page to make a locale of.
    const app::SystemLocaleSource hindi = [] () -> const std::locale& {
        return glo::GetLocaleByParts("HIN", "India", 0);
    };
    const auto refused = ExpectRaise<glo::LocaleDoesNotExist_t>(hindi, "GLO_Locale", 58);
    ASSERT_TRUE(refused);
    EXPECT_STREQ("HIN_India.0", refused->what());
    app::SetSystemLocaleSourceForTest(hindi);

    const CTestHook::Shown& shown =
        MessageOf([] { throw win::RegError_t("WIN_RegKey", 524, "Settings", ERROR_FILE_NOT_FOUND); });
    EXPECT_EQ(0u, std::string(shown.text.GetString()).find("There is a problem with the Pellorin registry."));
    const std::string record = FatalRecord([] { throw glo::Assert_t("Database", 305); }, app::LoopLines);
    app::SetSystemLocaleSourceForTest(nullptr);
    EXPECT_EQ("\nDATABASE-305-2.3\n", record.substr(record.size() - 18));
    const std::string log = temp.ReadLog();
    EXPECT_TRUE(Contains(log, "\r\nWIN_REGKEY-524-2.3\r\n")) << log;
    EXPECT_TRUE(Contains(log, "\r\nDATABASE-305-2.3\r\n")) << log;
}

TEST_F(CatchLadder, AReportThatFailsStillTellsTheUserAndEndsNormally)
{
    // The fatal-error dialog itself fails while it is open.
    hook.AnswerDialog([](CDialog&) -> int { throw std::runtime_error("no dialog today"); });
    hook.AnswerMessageBox(IDOK);
    EXPECT_FALSE(app::RunInCatchLadder([] { throw glo::Assert_t("Database", 305); }, app::LoopLines));
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(0u, hook.PendingAnswers());
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(CTestHook::Kind::Box, hook.Log()[0].kind);
    // A system message box: the hook sees its caption (its text is not yet set then).
    EXPECT_EQ("Pellorin", std::string(hook.Log()[0].caption.GetString()));
}
