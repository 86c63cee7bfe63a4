// The fatal-error report: the record appended to the crash log, the dialog
// with its request, record and Copy button, a log that cannot be written.
#include "foundation/afx/AFX_OClipboard.h"
#include "editor/shell/BuildInfo.h"
#include "editor/crash/FatalDialog.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_StringResource.h"
#include "tests/editor/shell/DialogTexts.h"
#include "tests/editor/shell/ShellTestApp.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// What the fatal-error dialog showed.
struct Shown_t {
    UINT templateId = 0;
    std::string caption;
    std::string message;
    std::string log;
};

class FatalDialog : public ::testing::Test {
protected:
    FatalDialog() : savedLabel(app::BuildLabel) { App(); }
    ~FatalDialog() override { app::BuildLabel = savedLabel; }

    // Queues an answer that notes what the dialog shows, runs more, and presses OK.
    void NoteAndClose(std::function<void(CDialog&)> more = nullptr)
    {
        hook.AnswerDialog([this, more](CDialog& dialog) {
            shown.templateId = dialog.GetTemplateID();
            CString caption;
            dialog.GetWindowText(caption);
            shown.caption = caption.GetString();
            shown.message = ItemText(dialog, IDC_ERRDLG_MESSAGE);
            shown.log = ItemText(dialog, IDC_ERRDLG_LOG);
            if (more)
                more(dialog);
            return IDOK;
        });
    }

    static std::string Text(unsigned id) { return glo::LoadString(id, "FatalDialog_test", __LINE__); }

    OwnTempFolder_t temp;
    CTestHook hook;
    Shown_t shown;
    std::string savedLabel;
};

// The record that the log ends with (the last one appended), without CR.
std::string LastRecord(const std::string& log)
{
    const std::size_t start = log.rfind("\r\nApp: Pellorin");
    std::string record;
    for (char c : log.substr(start == std::string::npos ? 0 : start)) {
        if (c != '\r')
            record += c;
    }
    return record;
}

} // namespace

TEST_F(FatalDialog, ReleaseBuildAppendsTheRecordAndAsksForTheLog)
{
    app::BuildLabel = "SQA";
    NoteAndClose();
    app::FatalDialog_t report(glo::Exception_t("WIN\\WIN_MappedFileView", 97, "Access violation"));

    ASSERT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(static_cast<UINT>(IDD_ERRDLG), shown.templateId);
    EXPECT_EQ("Pellorin", shown.caption);
    EXPECT_EQ(Text(IDS_FATAL_REQUEST), shown.message);

    const std::string log = temp.ReadLog();
    const std::string record = LastRecord(log);
    EXPECT_EQ(WithCrLf(record), log);   // line feeds are stored as CR LF
    EXPECT_NE(std::string::npos, record.find("\nWIN_MAPPEDFILEVIEW-97-2.3\nAccess violation\n"));
    EXPECT_EQ("Error Information:\r\n" + WithCrLf(record), shown.log);
}

TEST_F(FatalDialog, RecordsFollowOneAnotherInTheLog)
{
    NoteAndClose();
    app::FatalDialog_t first(".\\Application", 265, std::out_of_range("invalid vector subscript"));
    const std::string once = temp.ReadLog();
    NoteAndClose();
    app::FatalDialog_t second(glo::Assert_t("Database", 305));
    const std::string twice = temp.ReadLog();

    ASSERT_EQ(0u, once.find("\r\nApp: Pellorin\r\n"));
    EXPECT_NE(std::string::npos, once.find("\r\nAPPLICATION-265-2.3\r\ninvalid vector subscript\r\n"));
    ASSERT_EQ(once, twice.substr(0, once.size()));
    EXPECT_EQ(0u, twice.find("\r\nApp: Pellorin\r\n", once.size()) - once.size());
    const std::string end = "\r\nDATABASE-305-2.3\r\n";
    EXPECT_EQ(end, twice.substr(twice.size() - end.size()));
}

TEST_F(FatalDialog, TestBuildAsksTheBetaTeam)
{
    app::BuildLabel = "QA1";
    NoteAndClose();
    app::FatalDialog_t report(glo::Assert_t("TreeView", 154));

    EXPECT_EQ(Text(IDS_FATAL_REQUEST_BETA), shown.message);
    const std::string stamp = std::string("TREEVIEW-154-2.3.0.0-Beta\r\n") + app::BuildDate + ", " + app::BuildTime +
                              " (QA1)\r\n";
    ASSERT_GE(shown.log.size(), stamp.size());
    EXPECT_EQ(stamp, shown.log.substr(shown.log.size() - stamp.size()));
}

TEST_F(FatalDialog, ALogThatCannotBeWrittenStillShowsTheRecord)
{
    // A folder where the log file should be: the log cannot be opened.
    ASSERT_TRUE(::CreateDirectoryA(temp.LogFolder().c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(temp.LogPath().c_str(), nullptr));
    NoteAndClose();
    app::FatalDialog_t report(glo::Exception_t("Entry", 12, "Broken"));
    ::RemoveDirectoryA(temp.LogPath().c_str());

    EXPECT_EQ("Unable to access log file.", shown.message);
    EXPECT_NE(std::string::npos, shown.log.find("\r\nENTRY-12-2.3\r\nBroken\r\n"));
}

TEST_F(FatalDialog, CopyButtonPutsTheWholeLogOnTheClipboard)
{
    NoteAndClose();
    app::FatalDialog_t earlier(glo::Exception_t("Earlier", 1, "First failure"));
    std::string copied;
    NoteAndClose([&copied](CDialog& dialog) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ERRDLG_COPY, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_ERRDLG_COPY)));
        copied = ClipboardText();
    });
    app::FatalDialog_t report(glo::Exception_t("Later", 2, "Second failure"));

    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(temp.ReadLog(), copied);
    EXPECT_NE(std::string::npos, copied.find("First failure\r\n"));
    EXPECT_NE(std::string::npos, copied.find("Second failure\r\n"));
}

TEST_F(FatalDialog, CopyingALogThatIsMissingTellsSoAndKeepsTheDialogOpen)
{
    ASSERT_TRUE(::CreateDirectoryA(temp.LogFolder().c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(temp.LogPath().c_str(), nullptr));
    bool stillOpen = false;
    NoteAndClose([&stillOpen](CDialog& dialog) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ERRDLG_COPY, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_ERRDLG_COPY)));
        stillOpen = !dialog.IsEnded();
    });
    hook.AnswerMessageBox(IDOK);
    app::FatalDialog_t report(glo::Exception_t("Entry", 12, "Broken"));
    ::RemoveDirectoryA(temp.LogPath().c_str());

    EXPECT_EQ(0u, hook.Unanswered());
    ASSERT_EQ(2u, hook.Log().size());
    // The message box is noted first: the dialog is noted when its answer is done.
    EXPECT_EQ(CTestHook::Kind::Box, hook.Log()[0].kind);
    EXPECT_EQ("Unable to access log file.", std::string(hook.Log()[0].text.GetString()));
    EXPECT_TRUE(stillOpen);
}

TEST_F(FatalDialog, CopyingAnEmptiedLogPutsAnEmptyText)
{
    std::string copied = "(not copied)";
    NoteAndClose([this, &copied](CDialog& dialog) {
        {
            afx::OClipboard_t earlier;
            earlier.AddText("earlier text");
        }
        HANDLE log = ::CreateFileA(temp.LogPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, log);
        ::CloseHandle(log);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ERRDLG_COPY, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_ERRDLG_COPY)));
        copied = ClipboardText();
    });
    app::FatalDialog_t report(glo::Exception_t("Entry", 12, "Broken"));

    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(1u, hook.Log().size());   // no message beside the dialog
    EXPECT_EQ("", copied);
}

TEST_F(FatalDialog, TheRecordIsNeverLeftSelected)
{
    HWND focus = nullptr;
    HWND ok = nullptr;
    NoteAndClose([&](CDialog& dialog) {
        ok = ::GetDlgItem(dialog.m_hWnd, IDOK);
        ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_ERRDLG_LOG));
        focus = ::GetFocus();
    });
    app::FatalDialog_t report(glo::Exception_t("Entry", 12, "Broken"));

    ASSERT_NE(nullptr, ok);
    EXPECT_EQ(ok, focus);
}
