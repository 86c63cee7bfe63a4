// The UTF-16 build of the framework, as Setup uses it: texts, dialogs with their
// data exchange, message boxes answered by the hook, and the clipboard.
#include "framework/Framework.h"
#include "tests/framework/TestIds.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

static_assert(sizeof(TCHAR) == 2, "this test is built for the UTF-16 framework");

namespace {

class CNameDialog : public CDialog
{
public:
    CNameDialog() : CDialog(IDD_NUMBER) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_NUMBER, m_number);
    }
    CString m_name = L"Gr\u00FC\u00DFe";
    int m_number = -5;
};

} // namespace

TEST(WideFramework, StringsKeepCharactersOutsideTheCodePage)
{
    EXPECT_EQ(CString(L"Gr\u00FC\u00DFe \u03A9"), AfxLoadText(IDS_WIDE_TEXT));
    EXPECT_EQ(CString(L"Ready"), AfxLoadText(AFX_IDS_IDLEMESSAGE));
}

TEST(WideFramework, ADialogExchangesWideTextsAndNumbers)
{
    CNameDialog dialog;
    CTestHook hook;
    CString shown;
    hook.AnswerDialog([&](CDialog& d) {
        d.GetDlgItemText(IDC_NAME, shown);
        d.SetDlgItemText(IDC_NAME, L"\u03A9mega");
        d.SetDlgItemText(IDC_NUMBER, L"x");
        return IDOK;
    });
    hook.AnswerMessageBox(IDOK);
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_NUMBER, L"-17");
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(CString(L"Gr\u00FC\u00DFe"), shown);
    EXPECT_EQ(CString(L"\u03A9mega"), dialog.m_name);
    EXPECT_EQ(-17, dialog.m_number);
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_EQ(CString(L"Please enter an integer."), hook.Log()[1].text);
}

TEST(WideFramework, FilesAndTheClipboardTakeWidePaths)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    CString path = CString(folder) + L"\u00FCber.bin";
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("x", 1);
    }
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    EXPECT_EQ(1u, file.GetLength());
    EXPECT_EQ(path, file.GetFilePath());
    file.Close();
    ::DeleteFileW(path);

    CLIPFORMAT format = (CLIPFORMAT)::RegisterClipboardFormatW(L"FRAMEWORK WIDE TEST");
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(format, block);
    source->SetClipboard();
    COleDataObject data;
    data.AttachClipboard();
    EXPECT_TRUE(data.IsDataAvailable(format));
}

namespace {

CString ProgramStem()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString stem = path;
    return stem.Left(stem.ReverseFind(L'.'));
}

CString FolderOfProgram()
{
    CString stem = ProgramStem();
    return stem.Left(stem.ReverseFind(L'\\') + 1);
}

} // namespace

TEST(WideFramework, TheLanguageLibraryBesideTheProgramIsFoundByItsLanguageNameAndRunsNoCode)
{
    CString built = FolderOfProgram() + L"framework_test_language.dll";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(built));
    wchar_t language[16] = {};
    ASSERT_TRUE(::GetLocaleInfoW(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), LOCALE_SABBREVLANGNAME,
                                 language, 16));
    CString named = ProgramStem() + language + L".dll";
    CString fallback = ProgramStem() + L"LOC.dll";
    ::DeleteFileW(named);
    ::DeleteFileW(fallback);
    EXPECT_EQ(nullptr, AfxLoadLanguageLibrary(::GetModuleHandleW(nullptr)));

    for (const CString& name : { named, fallback }) {
        ASSERT_TRUE(::CopyFileW(built, name, FALSE));
        HINSTANCE library = AfxLoadLanguageLibrary(::GetModuleHandleW(nullptr));
        ASSERT_NE(nullptr, library) << name.ToAnsi();
        EXPECT_EQ(0u, ::GetEnvironmentVariableW(L"FRAMEWORK_TEST_LANGUAGE_LIBRARY_RAN", nullptr, 0))
            << "the library's code ran";
        AfxSetResourceHandle(library);
        EXPECT_EQ(CString(L"From the language library"), AfxLoadText(IDS_WIDE_TEXT));
        AfxSetResourceHandle(nullptr);
        ::FreeLibrary(library);
        ::DeleteFileW(name);
    }
}

TEST(WideFramework, FileFindWalksTheMatchesOfAPattern)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString folder = CString(temp) + L"find-test\\";
    ::CreateDirectoryW(folder, nullptr);
    for (LPCWSTR name : { L"one.msi", L"two.msi", L"other.txt" }) {
        CFile file(folder + name, CFile::modeCreate | CFile::modeWrite);
    }
    CFileFind find;
    ASSERT_TRUE(find.FindFile(folder + L"*.msi"));
    std::vector<CString> found;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        found.push_back(find.GetFilePath());
        EXPECT_FALSE(find.IsDirectory());
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ((std::vector<CString>{ folder + L"one.msi", folder + L"two.msi" }), found);
    EXPECT_FALSE(find.FindFile(folder + L"*.none"));
    for (LPCWSTR name : { L"one.msi", L"two.msi", L"other.txt" })
        ::DeleteFileW(folder + name);
    ::RemoveDirectoryW(folder);
}
