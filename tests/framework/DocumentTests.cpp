// File New, Open, Save and Save As through the framework's document machinery,
// answered by the test hook; the recent-file list in the registry and the menu.
#include "tests/framework/SketchApp.h"
#include "tests/framework/TestIds.h"
#include "framework/FullPath.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

namespace {

void Command(UINT id)
{
    g_calls.clear();
    Frame().SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void WriteFile(const CString& path, const std::string& content)
{
    std::ofstream(Narrow(path), std::ios::binary) << content;
}

std::string ReadFile(const CString& path)
{
    std::ifstream in(Narrow(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh, unmodified new document.
void StartNew()
{
    Doc().SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW);
}

std::string FirstCall()
{
    return g_calls.empty() ? std::string() : g_calls.front();
}

// Windows' answer where the full path does not fit the buffer (a long name in a
// double-byte code page): the size it needs, the buffer left as it was. The names
// given here are full paths already.
DWORD AnswerTheSizeNeeded(LPCTSTR name, DWORD size, LPTSTR buffer)
{
    DWORD needed = (DWORD)lstrlen(name) + 1;
    if (size < needed)
        return needed;
    lstrcpy(buffer, name);
    return needed - 1;
}

const WCHAR recentFiles[] = L"Software\\FrameworkTests\\FrameworkTest\\Recent File List";

// An entry of the recent-file list as the registry holds it, in UTF-16.
std::wstring RecentEntry(LPCWSTR entry)
{
    WCHAR name[MAX_PATH] = {};
    DWORD size = sizeof(name);
    ::RegGetValueW(HKEY_CURRENT_USER, recentFiles, entry, RRF_RT_REG_SZ, nullptr, name, &size);
    return name;
}

LONG WriteRecentEntry(LPCWSTR entry, const std::wstring& name)
{
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, recentFiles, entry, REG_SZ, name.c_str(),
                             (DWORD)((name.size() + 1) * sizeof(WCHAR)));
}

// Full paths answered by a query for the life of this object.
class FullPathAnswer
{
public:
    explicit FullPathAnswer(AfxFullPathQuery query) { AfxSetFullPathQueryForTest(query); }
    ~FullPathAnswer() { AfxSetFullPathQueryForTest(nullptr); }
};

} // namespace

TEST(FileCommands, NewReachesTheDocumentAndNamesItFromTheTemplate)
{
    App();
    CTestHook hook;
    Doc().SetModifiedFlag(FALSE);
    int updates = View().m_updates;
    Command(ID_FILE_NEW);
    EXPECT_EQ(std::vector<std::string>{ "doc:new" }, g_calls);
    EXPECT_EQ(CString(_T("Sketch")), Doc().GetTitle());
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
    EXPECT_GT(View().m_updates, updates);   // the views had their initial update
    EXPECT_TRUE(hook.Log().empty());
}

TEST(FileCommands, OpenShowsTheOpenDialogAndReachesTheDocument)
{
    App();
    StartNew();
    CString path = TempPath(_T("open-me.skt"));
    WriteFile(path, "opened content");
    CTestHook hook;
    hook.AnswerFileDialog(path);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(std::vector<std::string>{ "doc:open " + Narrow(path) }, g_calls);
    EXPECT_EQ("opened content", Doc().m_content);
    EXPECT_EQ(path, Doc().GetPathName());
    EXPECT_EQ(CString(_T("open-me.skt")), Doc().GetTitle());
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(TRUE, (BOOL)hook.Log()[0].style);   // an open-file dialog
    EXPECT_EQ(0u, hook.Unanswered());

    // Under code page 932 "\x95\x5C" is one character whose second byte is that of "\":
    // the title keeps it whole, and so does the name of a folder.
    AfxSetCodePageForTest(932);
    Doc().SetPathName(_T("C:\\w\\\x93\x5F\x95\x5C.skt"), FALSE);
    EXPECT_EQ(CString(_T("\x93\x5F\x95\x5C.skt")), Doc().GetTitle());
    EXPECT_EQ(CString(_T("\x95\x5C")), AfxFileNameOf(_T("C:\\\x95\x5C")));
    AfxSetCodePageForTest(0);
}

TEST(FileCommands, CancellingTheOpenDialogChangesNothing)
{
    App();
    StartNew();
    CTestHook hook;
    hook.CancelFileDialog();
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(CString(_T("Sketch")), Doc().GetTitle());
}

TEST(FileCommands, AMissingFileIsReportedWithItsNameAndARefusedOneLeavesANewDocument)
{
    App();
    StartNew();
    CString shown = TempPath(_T("shown.skt"));
    WriteFile(shown, "shown");
    ASSERT_NE(nullptr, App().OpenDocumentFile(shown));
    Doc().SetModifiedFlag(TRUE);
    CString path = TempPath(_T("no-such-file.skt"));
    ::DeleteFile(path);
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);   // Save changes to shown.skt?
        hook.AnswerMessageBox(IDOK);
        EXPECT_EQ(nullptr, App().OpenDocumentFile(path));
        ASSERT_EQ(2u, hook.Log().size());
        EXPECT_EQ(CString(path + _T(" was not found.")), hook.Log()[1].text);
        EXPECT_EQ(CString(_T("FrameworkTest")), hook.Log()[1].caption);
    }
    // Refused before it was touched, the document stays as it was.
    EXPECT_EQ(CString(_T("shown.skt")), Doc().GetTitle());
    EXPECT_EQ(shown, Doc().GetPathName());
    EXPECT_EQ("shown", Doc().m_content);
    EXPECT_TRUE(Doc().IsModified());

    // Refused once it had been cleared, it is a new one again and the views know it.
    CString refused = TempPath(_T("refused.skt"));
    WriteFile(refused, "refused content");
    int updates = View().m_updates;
    CTestHook hook;
    hook.AnswerMessageBox(IDNO);
    EXPECT_EQ(nullptr, App().OpenDocumentFile(refused));
    EXPECT_EQ(CString(_T("Sketch")), Doc().GetTitle());
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_GT(View().m_updates, updates);
}

TEST(FileCommands, APathLongerThanMaxPathIsKeptWhole)
{
    App();
    const CString name = CString(_T('a'), 1100) + _T(".skt");
    const CString path = TempPath(name.GetString());
    ::DeleteFile(path);
    // Windows cannot form the full path (an 8-bit name this long under Wine), or answers
    // the size it needs: either way the template, the document and the list get it whole.
    for (AfxFullPathQuery query : { AfxFullPathQuery(nullptr), &AnswerTheSizeNeeded }) {
        FullPathAnswer answer(query);
        StartNew();
        CTestHook hook;
        g_calls.clear();
        EXPECT_EQ(nullptr, App().OpenDocumentFile(path));
        EXPECT_EQ("doc:open " + Narrow(path), FirstCall());
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_NE(-1, hook.Log().front().text.Find(path)) << Narrow(hook.Log().front().text);

        Doc().SetPathName(path);
        EXPECT_EQ(path, Doc().GetPathName());
        EXPECT_EQ(name, Doc().GetTitle());
        EXPECT_EQ(path, (*App().m_pRecentFileList)[0]);
        Command(ID_FILE_MRU_FILE1);
        EXPECT_EQ("doc:open " + Narrow(path), FirstCall());
    }
}

TEST(FileCommands, SaveOfANewDocumentAsksForANameThenSaves)
{
    App();
    StartNew();
    Doc().m_content = "saved content";
    Doc().SetModifiedFlag(TRUE);
    CString path = TempPath(_T("saved.skt"));
    ::DeleteFile(path);
    CTestHook hook;
    hook.AnswerFileDialog(path);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(std::vector<std::string>{ "doc:save " + Narrow(path) }, g_calls);
    EXPECT_EQ("saved content", ReadFile(path));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(path, Doc().GetPathName());
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(FALSE, (BOOL)hook.Log()[0].style);   // a save-file dialog

    // A named document saves without asking.
    Doc().m_content = "again";
    Command(ID_FILE_SAVE);
    EXPECT_EQ("again", ReadFile(path));
    EXPECT_EQ(1u, hook.Log().size());
}

TEST(FileCommands, SaveAsAlwaysAsksAndRenamesTheDocument)
{
    App();
    StartNew();
    CString first = TempPath(_T("first.skt")), second = TempPath(_T("second.skt"));
    CTestHook hook;
    hook.AnswerFileDialog(first);
    hook.AnswerFileDialog(second);
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(second, Doc().GetPathName());
    EXPECT_EQ(CString(_T("second.skt")), Doc().GetTitle());
    EXPECT_EQ(2u, hook.Log().size());
    EXPECT_EQ(0u, hook.Unanswered());
}

TEST(FileCommands, AFileThatCannotBeCreatedGivesTheInvalidFilenameMessage)
{
    App();
    StartNew();
    CTestHook hook;
    hook.AnswerFileDialog(_T("C:\\no\\such\\folder\\x.skt"));
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(2u, hook.Log().size());
    EXPECT_NE(-1, hook.Log()[1].text.Find(_T("invalid path")));
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());

    // The code page cannot hold "\u0100" (A with macron): a name chosen with it is
    // refused, never taken for "Adata.skt" beside it, on Save As as on Open.
    const CString nearOne = TempPath(_T("Adata.skt"));
    WriteFile(nearOne, "another file");
    const std::wstring chosen = AfxWideOf(TempPath(_T(""))) + L"\u0100data.skt";
    hook.AnswerFileDialog(chosen.c_str());
    hook.AnswerFileDialog(chosen.c_str());
    Command(ID_FILE_SAVE_AS);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(6u, hook.Log().size());
    const CString refusal = TempPath(_T("?data.skt")) + _T(" contains an invalid path.");
    EXPECT_EQ(refusal, hook.Log()[3].text);
    EXPECT_EQ(refusal, hook.Log()[5].text);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ("another file", ReadFile(nearOne));
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
}

TEST(FileCommands, NewAsksToSaveChangesFirst)
{
    App();
    StartNew();
    Doc().SetModifiedFlag(TRUE);
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDCANCEL);
        Command(ID_FILE_NEW);
        EXPECT_TRUE(g_calls.empty());   // cancelled: the document stays
        EXPECT_TRUE(Doc().IsModified());
        ASSERT_EQ(1u, hook.Log().size());
        EXPECT_EQ(CString(_T("Save changes to Sketch?")), hook.Log()[0].text);
        EXPECT_EQ((UINT)MB_YESNOCANCEL, hook.Log()[0].style & MB_TYPEMASK);
    }
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);
        Command(ID_FILE_NEW);
        EXPECT_EQ(std::vector<std::string>{ "doc:new" }, g_calls);
        EXPECT_FALSE(Doc().IsModified());
    }
    {
        CString path = TempPath(_T("asked.skt"));
        ::DeleteFile(path);
        Doc().m_content = "kept";
        Doc().SetModifiedFlag(TRUE);
        CTestHook hook;
        hook.AnswerMessageBox(IDYES);
        hook.AnswerFileDialog(path);
        Command(ID_FILE_NEW);
        EXPECT_EQ((std::vector<std::string>{ "doc:save " + Narrow(path), "doc:new" }), g_calls);
        EXPECT_EQ("kept", ReadFile(path));
        EXPECT_EQ(0u, hook.Unanswered());
    }
}

TEST(RecentFiles, OpenedAndSavedFilesComeFirstWithoutDuplicates)
{
    App();
    CRecentFileList& list = *App().m_pRecentFileList;
    EXPECT_EQ(4, list.GetSize());
    CString a = TempPath(_T("a.skt")), b = TempPath(_T("b.skt"));
    App().AddToRecentFileList(a);
    App().AddToRecentFileList(b);
    App().AddToRecentFileList(a);
    EXPECT_EQ(a, list[0]);
    EXPECT_EQ(b, list[1]);
    for (int i = 0; i < 6; ++i) {
        TCHAR name[32];
        wsprintf(name, _T("many%d.skt"), i);
        App().AddToRecentFileList(TempPath(name));
    }
    EXPECT_EQ(TempPath(_T("many5.skt")), list[0]);
    EXPECT_EQ(TempPath(_T("many2.skt")), list[3]);
}

TEST(RecentFiles, TheFileMenuShowsTheListInPlaceOfItsPlaceholder)
{
    App();
    CRecentFileList& list = *App().m_pRecentFileList;
    while (list.GetCount() > 0)
        list.Remove(0);
    CMenu* file = Frame().GetMenu()->GetSubMenu(0);
    Frame().SendMessage(WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, 0);
    CString text;
    file->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_EQ(CString(_T("Recent File")), text);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    CString a = TempPath(_T("a.skt")), b = TempPath(_T("b.skt"));
    App().AddToRecentFileList(a);
    App().AddToRecentFileList(b);
    UINT items = file->GetMenuItemCount();
    Frame().SendMessage(WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, 0);
    EXPECT_EQ(items + 1, file->GetMenuItemCount());
    file->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_EQ(CString(_T("&1 ")) + AfxFileNameOf(b), text.Left(3) + AfxFileNameOf(text.Mid(3)));
    EXPECT_FALSE(file->GetMenuState(ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND) & MF_GRAYED);
    // Opening it again does not grow the menu.
    Frame().SendMessage(WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, 0);
    EXPECT_EQ(items + 1, file->GetMenuItemCount());

    // Choosing an entry opens that file. A missing file leaves the list; one that the
    // user did not switch to, or that is only in use for now, stays.
    WriteFile(b, "recent");
    ::DeleteFile(a);
    CTestHook hook;
    Doc().SetModifiedFlag(FALSE);
    Command(ID_FILE_MRU_FILE1 + 1);   // a, which is missing
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(b, list[0]);
    Doc().m_content = "changed";
    Doc().SetModifiedFlag(TRUE);
    hook.AnswerMessageBox(IDCANCEL);   // Save changes?
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ("changed", Doc().m_content);
    Doc().SetModifiedFlag(FALSE);
    {
        CFile writer(b, CFile::modeReadWrite | CFile::shareDenyNone);
        Command(ID_FILE_MRU_FILE1);
    }
    EXPECT_EQ("changed", Doc().m_content);
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(3u, hook.Log().size());   // the missing file, the question, the file in use
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ("recent", Doc().m_content);
    // A file refused for what it holds leaves the list.
    WriteFile(b, "refused now");
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(0, list.GetCount());

    // Once every file has gone from the list, the placeholder stands alone again, greyed.
    for (int popup = 0; popup < 2; ++popup) {
        Frame().SendMessage(WM_INITMENUPOPUP, (WPARAM)file->m_hMenu, 0);
        EXPECT_EQ(items, file->GetMenuItemCount());
        file->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
        EXPECT_EQ(CString(_T("Recent File")), text);
        EXPECT_TRUE(file->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ((UINT)-1, file->GetMenuState(ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND));
    }
}

// The second half of the next test, run by it in a separate process.
TEST(RecentFilesChild, WritesTheListAtTheEnd)
{
    if (!std::getenv("FRAMEWORK_TEST_CHILD"))
        GTEST_SKIP() << "run by RecentFiles.AreKeptInTheRegistryAcrossTwoRuns";
    App();
    App().AddToRecentFileList(TempPath(_T("third.skt")));
    App().AddToRecentFileList(TempPath(_T("second.skt")));
    App().AddToRecentFileList(TempPath(_T("first.skt")));
    App().ExitInstance();
}

TEST(RecentFiles, AreKeptInTheRegistryAcrossTwoRuns)
{
    App();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, recentFiles);
    // An entry recorded under code page 1250: this one (1252) cannot hold its name exactly.
    const std::wstring recorded = AfxWideOf(TempPath(_T(""))) + L"\u0141\u00F3d\u017A\\\u017B\u00F3\u0142w.skt";
    ASSERT_EQ(ERROR_SUCCESS, WriteRecentEntry(L"File1", recorded));
    TCHAR program[MAX_PATH];
    ::GetModuleFileName(nullptr, program, MAX_PATH);
    CString command = CString(_T("\"")) + program + _T("\" --gtest_filter=RecentFilesChild.*");
    ::SetEnvironmentVariable(_T("FRAMEWORK_TEST_CHILD"), _T("1"));
    STARTUPINFO startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcess(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process));
    command.ReleaseBuffer();
    ::SetEnvironmentVariable(_T("FRAMEWORK_TEST_CHILD"), nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 120000));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    EXPECT_EQ(0u, exitCode);

    EXPECT_EQ(TempPath(_T("first.skt")), App().GetProfileString(_T("Recent File List"), _T("File1")));
    EXPECT_EQ(recorded, RecentEntry(L"File4"));   // as it was recorded, never "?"
    App().LoadStdProfileSettings(4);
    CRecentFileList& list = *App().m_pRecentFileList;
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(TempPath(_T("first.skt")), list[0]);
    EXPECT_EQ(TempPath(_T("second.skt")), list[1]);
    EXPECT_EQ(TempPath(_T("third.skt")), list[2]);

    // Chosen, that entry is refused as the command line refuses such a name, and stays:
    // its best fit, which exists, is neither opened nor written. The others open.
    const CString nearFolder = TempPath(_T("L\xF3" "dz"));
    ::CreateDirectory(nearFolder, nullptr);
    const CString nearOne = nearFolder + _T("\\Z\xF3lw.skt");
    WriteFile(nearOne, "near");
    WriteFile(TempPath(_T("second.skt")), "second");
    StartNew();
    CTestHook hook;
    Command(ID_FILE_MRU_FILE1 + 3);
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(TempPath(_T("?\xF3" "d?\\?\xF3?w.skt")) + _T(" contains an invalid path."), hook.Log()[0].text);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
    EXPECT_EQ(4, list.GetCount());
    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ("second", Doc().m_content);
    EXPECT_EQ("near", ReadFile(nearOne));
    App().SaveStdProfileSettings();
    EXPECT_EQ(recorded, RecentEntry(L"File4"));
}

TEST(FileNames, HalfASurrogatePairIsRefusedOnEveryRoad)
{
    App();
    StartNew();
    // A name may hold half of a surrogate pair, which no code page holds, UTF-8 neither:
    // converted anyway, it would name the file with U+FFFD in its place, and that exists.
    const std::wstring folder = AfxWideOf(TempPath(_T("")));
    const std::wstring named = folder + L"a\xD800" L"z.skt";
    const HANDLE nearOne = ::CreateFileW((folder + L"a\xFFFD" L"z.skt").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, nearOne);
    DWORD written = 0;
    ::WriteFile(nearOne, "near", 4, &written, nullptr);
    ::CloseHandle(nearOne);

    CTestHook hook;
    Frame().SendMessage(WM_DROPFILES, (WPARAM)MakeDrop(named), 0);
    hook.AnswerFileDialog(named.c_str());
    hook.AnswerFileDialog(named.c_str());
    Command(ID_FILE_OPEN);
    EXPECT_EQ("", FirstCall());
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ("", FirstCall());
    ASSERT_EQ(ERROR_SUCCESS, WriteRecentEntry(L"File1", named));
    App().LoadStdProfileSettings(4);
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ("", FirstCall());
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
    // The message shows what the code page makes of it: U+FFFD in UTF-8, "?" in the others.
    const CString refusal = TempPath(::GetACP() == CP_UTF8 ? _T("a\xEF\xBF\xBD" "z.skt") : _T("a?z.skt")) +
                            _T(" contains an invalid path.");
    ASSERT_EQ(6u, hook.Log().size());   // the two file dialogs among them
    for (size_t shown : { 0, 2, 4, 5 })
        EXPECT_EQ(refusal, hook.Log()[shown].text);
}

TEST(Profile, ValuesLiveUnderTheRegistryKeyAndTheApplicationName)
{
    App();
    EXPECT_TRUE(App().WriteProfileInt(_T("Settings"), _T("Count"), 42));
    EXPECT_EQ(42u, App().GetProfileInt(_T("Settings"), _T("Count"), 0));
    EXPECT_TRUE(App().WriteProfileString(_T("Settings"), _T("Name"), _T("value")));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software\\FrameworkTests\\FrameworkTest\\Settings"),
                                            0, KEY_READ, &key));
    ::RegCloseKey(key);
    EXPECT_EQ(CString(_T("value")), App().GetProfileString(_T("Settings"), _T("Name")));
    EXPECT_TRUE(App().WriteProfileString(_T("Settings"), _T("Name"), nullptr));
    EXPECT_EQ(CString(_T("fallback")), App().GetProfileString(_T("Settings"), _T("Name"), _T("fallback")));
    EXPECT_EQ(7u, App().GetProfileInt(_T("Settings"), _T("Name"), 7));
}

TEST(Shell, FileTypesAreRegisteredFromTheTemplateStrings)
{
    App();
    App().EnableShellOpen();
    App().RegisterShellFileTypes(TRUE);
    TCHAR value[MAX_PATH] = {};
    LONG size = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CLASSES_ROOT, _T(".skt"), value, &size));
    EXPECT_EQ(CString(_T("FrameworkTest.Sketch")), CString(value));
    size = sizeof(value);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValue(HKEY_CLASSES_ROOT, _T("FrameworkTest.Sketch\\shell\\open\\command"),
                                             value, &size));
    EXPECT_NE(-1, CString(value).Find(_T("\"%1\"")));
    App().UnregisterShellFileTypes();
    size = sizeof(value);
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValue(HKEY_CLASSES_ROOT, _T(".skt"), value, &size));
}

TEST(CommandLine, ParamsDecideTheShellCommand)
{
    CCommandLineInfo info;
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    info.ParseParam(_T("user"), TRUE, FALSE);
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    info.ParseParam(_T("C:\\x.skt"), FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_EQ(CString(_T("C:\\x.skt")), info.m_strFileName);
    CCommandLineInfo print;
    print.ParseParam(_T("p"), TRUE, FALSE);
    print.ParseParam(_T("C:\\y.skt"), FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
}

TEST(Files, OpenFailuresCarryTheirCause)
{
    CFile file;
    CFileException error;
    CString missing = TempPath(_T("missing-file.bin"));
    ::DeleteFile(missing);
    EXPECT_FALSE(file.Open(missing, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(missing, error.m_strFileName);
    TCHAR message[512];
    EXPECT_TRUE(error.GetErrorMessage(message, 512));
    EXPECT_EQ(missing + _T(" was not found."), CString(message));

    CString path = TempPath(_T("exclusive.bin"));
    CFile writer(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    writer.Write("abc", 3);
    EXPECT_EQ(3u, writer.GetLength());
    CFile reader;
    EXPECT_FALSE(reader.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    writer.Close();
    ASSERT_TRUE(reader.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error));
    char buffer[8] = {};
    EXPECT_EQ(3u, reader.Read(buffer, 8));
    EXPECT_EQ(0u, reader.Read(buffer, 8));
    bool thrown = false;
    try {
        CFile opened(missing, CFile::modeRead);
    } catch (CFileException* e) {
        thrown = e->m_cause == CFileException::fileNotFound;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

namespace {

// Exit runs after every other test: it ends the test program's main window.
class ExitAfterTheLastTest : public ::testing::Environment
{
public:
    void TearDown() override
    {
        if (std::getenv("FRAMEWORK_TEST_CHILD"))
            return;
        App();
        Doc().SetModifiedFlag(TRUE);
        {
            CTestHook hook;
            hook.AnswerMessageBox(IDCANCEL);
            Command(ID_APP_EXIT);
            EXPECT_NE(nullptr, App().m_pMainWnd) << "Cancel keeps the program running";
            EXPECT_EQ(1u, hook.Log().size());
        }
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);
        Command(ID_APP_EXIT);
        EXPECT_EQ(nullptr, App().m_pMainWnd) << "the main window has gone";
        EXPECT_EQ(nullptr, App().GetDocTemplates().front()->GetFirstDocument()) << "and the document with it";
        MSG msg;
        EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
    }
};

::testing::Environment* const exitCheck = ::testing::AddGlobalTestEnvironment(new ExitAfterTheLastTest);

} // namespace
