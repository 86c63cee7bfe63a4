// The editor's application object: start-up, the message loop inside the
// catch ladder, the decision of OEM mode, and the About and Help commands.
// OEM mode is the mode of a checklist maker: files saved in it are marked as
// not user-made, and outside it such files open locked.
#pragma once

#include "framework/Framework.h"

#include <string>

namespace app {

class Application_t : public CWinApp {
public:
    Application_t();

    // Start-up; false ends the program (a failure has been reported).
    BOOL InitInstance() override;
    // The message loop; 0 after a failure that ended it.
    int Run() override;

    afx_msg void OnAppAbout();
    afx_msg void OnHelp();

    // False until start-up decides it.
    static bool IsOemMode() { return oemMode; }
    static void SetOemMode(bool on) { oemMode = on; }

    // The missing-file message, naming the file.
    static void ReportFileError(const std::string& fileName);

    // The main window's title: "Pellorin", with " [OEM version]" in OEM mode.
    const std::string& GetTitle() const { return title; }

    DECLARE_MESSAGE_MAP()

private:
    // Start-up after the resource module is set; false when the shell command failed.
    bool StartUp();

    static bool oemMode;
    std::string title;
};

// The foundation library's hooks: the module of the string table (the
// program's own) and the program's file name, "KIV.exe".
HMODULE GetProgramModule();
const std::string& GetModuleFileTitle();

} // namespace app
