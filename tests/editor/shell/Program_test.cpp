// The editor program started as a person starts it: its window and panes, the
// title and document name in and out of OEM mode, the switch "user", a file
// named on the command line, the end of the Windows session, and the registry
// problems that stop it.
#include "editor/model/Database.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"
#include "tests/editor/crash/FaultKinds.h"
#include "tests/editor/shell/EditorRegistry.h"
#include "tests/editor/shell/KivProcess.h"
#include "tests/editor/shell/OwnTempFolder.h"
#include "foundation/win/WIN_FileVerInfo.h"
#include "framework/CodePage.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>
#include <vector>

namespace {

const char kivPath[] = "editor\\KIV.exe";

const std::string registryMessage =
    "There is a problem with the Pellorin registry.\n\nPlease re-install Pellorin  and start it again.";

class Program : public ::testing::Test {
protected:
    // Starts KIV.exe and waits for its main window.
    HWND Start(const std::string& arguments)
    {
        kiv.reset(new KivProcess_t(BuildProgram(kivPath), arguments));
        return kiv->WaitForMainWindow();
    }

    // Closes the main window; true when the program then ended normally.
    bool Close(HWND main)
    {
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        DWORD code = 1;
        return kiv->WaitForExit(code) && code == 0;
    }

    // Starts KIV.exe, which stops with a message box: its text, after OK and the end.
    template <class Text>
    std::string StoppedWith(const Text& arguments)
    {
        kiv.reset(new KivProcess_t(BuildProgram(kivPath), arguments));
        HWND box = kiv->WaitForDialog();
        if (!box)
            return "(no message)";
        const std::string message = MessageOf(box);
        Press(box, IDOK);
        DWORD code = 1;
        EXPECT_TRUE(kiv->WaitForExit(code));
        EXPECT_EQ(0u, code);
        return message;
    }

    // A checklist file in the test's folder with two groups.
    std::string WriteChecklistFile(const std::string& name)
    {
        app::Database_t database;
        app::Group_t first("Before Start");
        app::CheckList_t checks("Cockpit");
        checks.entries.push_back(app::Entry_t("Seat belts", app::Entry_t::ChallengeResponse, 0, "FASTENED"));
        checks.entries.push_back(app::Entry_t("Fuel", app::Entry_t::ChallengeResponse, 0, "CHECKED"));
        first.checklists.push_back(checks);
        database.groups.push_back(first);
        database.groups.push_back(app::Group_t("Emergency"));
        const std::string path = temp.File(name);
        EXPECT_TRUE(app::WriteKivFile(path, app::KivFileHeader_t(), database));
        return path;
    }

    OwnTempFolder_t temp;
    EditorRegistry_t registry;
    std::unique_ptr<KivProcess_t> kiv;
};

HWND Pane(HWND main, int column)
{
    HWND splitter = ::GetDlgItem(main, 0xE900);
    return splitter ? ::GetDlgItem(splitter, 0xE900 + column) : nullptr;
}

// The colour on the screen near the preview's top left corner, outside its
// drawing, once it is the expected one (or after a while).
COLORREF PreviewBackground(HWND preview, COLORREF expected)
{
    POINT corner = {4, 4};
    ::ClientToScreen(preview, &corner);
    COLORREF colour = CLR_INVALID;
    for (int attempt = 0; attempt < 100 && colour != expected; ++attempt) {
        ::Sleep(50);
        HDC screen = ::GetDC(nullptr);
        colour = ::GetPixel(screen, corner.x, corner.y);
        ::ReleaseDC(nullptr, screen);
    }
    return colour;
}

// Programs started while it lives take this DPI, which Wine reads as each starts;
// then Wine's default again. The program tests run alone: no other test's program
// takes it.
struct StartingDpi_t {
    explicit StartingDpi_t(DWORD dpi) { ::RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, 4); }
    ~StartingDpi_t() { ::RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels"); }
    const char* desktop = "Control Panel\\Desktop";
};

// A text value of the registry; empty when it is missing.
std::string RegistryText(HKEY root, const std::string& path, const char* name)
{
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (::RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::string();
    return text;
}

} // namespace

TEST_F(Program, StartsWithANewDocumentBesideItsTwoPanes)
{
    HWND main = nullptr;
    {
        // At this DPI the template's place for the About box's icon would reach its texts.
        const StartingDpi_t dpi(192);
        main = Start("");
    }
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("usrchk - Pellorin", TextOf(main));
    HWND tree = Pane(main, 0);
    HWND preview = Pane(main, 1);
    ASSERT_NE(nullptr, tree);
    ASSERT_NE(nullptr, preview);
    EXPECT_EQ("SysTreeView32", ClassOf(tree));
    // Nothing to preview: a grey pane.
    EXPECT_EQ(RGB(128, 128, 128), PreviewBackground(preview, RGB(128, 128, 128)));
    RECT area = {};
    ::GetWindowRect(tree, &area);
    EXPECT_EQ(200, area.right - area.left);
    // Brought to the front, the window hands the focus to the tree.
    HWND focus = nullptr;
    for (int attempt = 0; attempt < 20 && focus != tree; ++attempt) {
        ::SetForegroundWindow(main);
        ::Sleep(100);
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        if (::GetGUIThreadInfo(kiv->GetThreadId(), &gui))
            focus = gui.hwndFocus;
    }
    EXPECT_EQ(tree, focus);

    ::PostMessageA(main, WM_COMMAND, 57664, 0);   // Help, About KIV
    HWND about = kiv->WaitForDialog();
    ASSERT_NE(nullptr, about);
    EXPECT_EQ("About Pellorin", TextOf(about));
    // Its texts start 50 pixels from the left at any DPI: the icon stays left of them,
    // though its template's place, 7 of the box's 235 units in, would reach them.
    RECT box = {};
    ::GetClientRect(about, &box);
    EXPECT_GE(7 * box.right / 235 + 32, 50);
    RECT icon = {};
    ::GetWindowRect(::FindWindowExA(about, nullptr, "Static", nullptr), &icon);
    ::MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&icon), 2);
    EXPECT_LT(icon.right, 50);
    Press(about, IDOK);
    EXPECT_TRUE(Close(main));
    EXPECT_TRUE(temp.ReadLog().empty());
}

TEST_F(Program, OemValueTurnsOemModeOnWhateverItHolds)
{
    registry.SetOem(REG_BINARY, std::string(1, '\0'));
    HWND main = Start("");
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("chklist - Pellorin [OEM version]", TextOf(main));
    EXPECT_TRUE(Close(main));
}

TEST_F(Program, UserSwitchKeepsOemModeOff)
{
    registry.SetOem(REG_BINARY, std::string(1, '\1'));
    for (const char* arguments : {"/user", "-USER", "/User"}) {
        SCOPED_TRACE(arguments);
        HWND main = Start(arguments);
        ASSERT_NE(nullptr, main);
        EXPECT_EQ("usrchk - Pellorin", TextOf(main));
        EXPECT_TRUE(Close(main));
    }
    HWND main = Start("/users");
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("chklist - Pellorin [OEM version]", TextOf(main));
    EXPECT_TRUE(Close(main));
}

TEST_F(Program, TheWordUserWithoutASwitchIsAFileToOpen)
{
    const std::string message = StoppedWith("user");
    EXPECT_NE(std::string::npos, message.find("user")) << message;
}

TEST_F(Program, OpensTheFileNamedOnTheCommandLine)
{
    const std::string path = WriteChecklistFile("Trainer.kiv");
    HWND main = Start("\"" + path + "\"");
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Trainer.kiv - Pellorin", TextOf(main));
    HWND tree = Pane(main, 0);
    ASSERT_NE(nullptr, tree);
    EXPECT_NE(nullptr, Pane(main, 1));
    EXPECT_TRUE(::IsWindowVisible(Pane(main, 1)));
    // Two groups, a checklist, two entries; the end of the groups, of each
    // group's checklists and of the checklist's entries.
    EXPECT_EQ(9, ::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    // The first group's checklist is previewed, light on black.
    EXPECT_EQ(RGB(0, 0, 0), PreviewBackground(Pane(main, 1), RGB(0, 0, 0)));
    EXPECT_TRUE(Close(main));
}

TEST_F(Program, RegistersItsFileTypeAcceptsDroppedFilesAndKeepsFourRecentFiles)
{
    const std::string recentFiles = "Software\\Quorel\\Pellorin\\Recent File List";
    HKEY recent = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, recentFiles.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &recent, nullptr));
    for (const char* earlier : {"1", "2", "3", "4"}) {
        const std::string path = std::string("C:\\lists\\earlier") + earlier + ".kiv";
        ::RegSetValueExA(recent, (std::string("File") + earlier).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(path.c_str()), static_cast<DWORD>(path.size() + 1));
    }
    ::RegCloseKey(recent);

    const std::string path = WriteChecklistFile("Trainer.kiv");
    HWND main = Start("\"" + path + "\"");
    ASSERT_NE(nullptr, main);
    // The window is shown first and then made to accept dropped files.
    LONG exStyle = 0;
    for (int attempt = 0; attempt < 100 && !(exStyle & WS_EX_ACCEPTFILES); ++attempt, ::Sleep(50))
        exStyle = ::GetWindowLongA(main, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);
    EXPECT_EQ("KivDocument", RegistryText(HKEY_CLASSES_ROOT, ".kiv", nullptr));
    EXPECT_EQ("Kiv Document", RegistryText(HKEY_CLASSES_ROOT, "KivDocument", nullptr));
    const std::string open = RegistryText(HKEY_CLASSES_ROOT, "KivDocument\\shell\\open\\command", nullptr);
    EXPECT_NE(std::string::npos, open.find("KIV.exe\" \"%1\"")) << open;
    EXPECT_TRUE(Close(main));

    // The file opened goes first; the oldest of the four drops out.
    EXPECT_EQ(path, RegistryText(HKEY_CURRENT_USER, recentFiles, "File1"));
    EXPECT_EQ("C:\\lists\\earlier1.kiv", RegistryText(HKEY_CURRENT_USER, recentFiles, "File2"));
    EXPECT_EQ("C:\\lists\\earlier3.kiv", RegistryText(HKEY_CURRENT_USER, recentFiles, "File4"));
    EXPECT_EQ("", RegistryText(HKEY_CURRENT_USER, recentFiles, "File5"));
    ::RegDeleteKeyA(HKEY_CURRENT_USER, recentFiles.c_str());
}

TEST_F(Program, AtTheEndOfTheSessionItWritesItsRecentFilesAndEnds)
{
    const std::string recentFiles = "Software\\Quorel\\Pellorin\\Recent File List";
    ::RegDeleteKeyA(HKEY_CURRENT_USER, recentFiles.c_str());
    const std::string path = WriteChecklistFile("Session.kiv");
    HWND main = Start("\"" + path + "\"");
    ASSERT_NE(nullptr, main);
    const auto send = [main](UINT message, WPARAM wParam) {
        DWORD_PTR answer = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(main, message, wParam, 0, SMTO_NORMAL, 20000, &answer));
        return answer;
    };
    EXPECT_EQ(DWORD_PTR(TRUE), send(WM_QUERYENDSESSION, 0));   // nothing to save
    send(WM_ENDSESSION, FALSE);   // another program refused: the session goes on
    EXPECT_EQ("", RegistryText(HKEY_CURRENT_USER, recentFiles, "File1"));
    send(WM_ENDSESSION, TRUE);
    DWORD code = 1;
    EXPECT_TRUE(kiv->WaitForExit(code, 20000));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(path, RegistryText(HKEY_CURRENT_USER, recentFiles, "File1"));
    EXPECT_TRUE(temp.ReadLog().empty());

    // Ended as Windows may end it, the moment the message returns: written already.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, recentFiles.c_str());
    kiv.reset(new KivProcess_t(BuildProgram("tests\\editor\\crash\\KivFaults.exe"), "\"" + path + "\""));
    ::SendMessageTimeoutA(kiv->WaitForMainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, nullptr);
    EXPECT_TRUE(kiv->WaitForExit(code, 20000));
    EXPECT_EQ(EndedWithTheSession, code);
    EXPECT_EQ(path, RegistryText(HKEY_CURRENT_USER, recentFiles, "File1"));
    ::RegDeleteKeyA(HKEY_CURRENT_USER, recentFiles.c_str());
}

TEST_F(Program, AFileThatFailsItsChecksIsReportedAndTheProgramEnds)
{
    const std::string path = WriteChecklistFile("Damaged.kiv");
    std::string bytes = ReadBytes(path);
    bytes[bytes.size() - 1] ^= 0x55;
    WriteBytes(path, bytes);
    EXPECT_EQ("The Kiv document, \"" + path + "\", is corrupt.", StoppedWith("\"" + path + "\""));
}

TEST_F(Program, AFileShorterThanItsHeaderIsReportedAsNotAKivFileAndTheProgramEnds)
{
    const std::string path = temp.File("Short.kiv");
    WriteBytes(path, "\xF0\xF0");
    EXPECT_EQ("\"" + path + "\" is not an KIV file.", StoppedWith("\"" + path + "\""));
}

TEST_F(Program, ANameTheCodePageCannotHoldIsRefusedAndTheProgramEnds)
{
    // "\u0100" (A with macron) has no place in the code page; "Adata.kiv" is another file.
    const std::string nearOne = WriteChecklistFile("Adata.kiv");
    const std::string bytes = ReadBytes(nearOne);
    const std::wstring named = AfxWideOf(temp.File("").c_str()) + L"\u0100data.kiv";
    EXPECT_EQ(temp.File("?data.kiv") + " contains an invalid path.", StoppedWith(L"\"" + named + L"\""));
    EXPECT_EQ(bytes, ReadBytes(nearOne));
}

TEST_F(Program, AShellStartWithoutAWindowOpensANewDocument)
{
    HWND main = Start("/dde");
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("usrchk - Pellorin", TextOf(main));
    EXPECT_TRUE(Close(main));
    EXPECT_TRUE(temp.ReadLog().empty());
}

TEST_F(Program, AnOemValueOfTheWrongTypeStopsTheStartWithTheRegistryMessage)
{
    const DWORD number = 1;
    registry.SetOem(REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number));
    EXPECT_EQ(registryMessage, StoppedWith(""));
    const std::string log = temp.ReadLog();
    EXPECT_EQ(0u, log.find("\r\nApp: Pellorin\r\n"));
    EXPECT_NE(std::string::npos, log.find("; Reg name: OEM")) << log;
}

TEST_F(Program, AMissingSettingsKeyStopsTheStartWithTheRegistryMessage)
{
    ASSERT_TRUE(registry.RemoveSettingsKey());
    EXPECT_EQ(registryMessage, StoppedWith(""));
    EXPECT_NE(std::string::npos, temp.ReadLog().find("; Reg name: Settings"));
}

TEST(ProgramFile, VersionResourceNamesTheProductInUsEnglish)
{
    const std::string path = BuildProgram(kivPath);
    const win::FileVerInfo_t version(path);
    EXPECT_EQ(MAKELONG(0x409, 1252), static_cast<LONG>(version.GetTranslation()));
    EXPECT_EQ((std::array<int, 4>{2, 3, 0, 0}), version.GetFileVersion());

    std::vector<BYTE> data(::GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    const auto text = [&data](const char* name) {
        char* value = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904e4\\") + name;
        return ::VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)
                   ? std::string(value)
                   : std::string("(none)");
    };
    EXPECT_EQ("Pellorin", text("FileDescription"));
    EXPECT_EQ("Pellorin", text("InternalName"));
    EXPECT_EQ("Pellorin", text("ProductName"));
    EXPECT_EQ("KIV.exe", text("OriginalFilename"));
    EXPECT_EQ("2.3", text("FileVersion"));
    EXPECT_EQ("2.3", text("ProductVersion"));
}
