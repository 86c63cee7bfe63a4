// Times the preview of a long checklist in the editor's main frame: the start-up
// that opens a file and shows its checklist, then steps of 4 pixels of the
// frame's right and bottom edges, each drawn at once as a drag draws it.
// Arguments: the number of entries (1000) and their length in characters (200).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock.h"
#include "editor/document/Document.h"
#include "editor/document/KivSingleDocTemplate.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"
#include "editor/model/Database.h"
#include "editor/preview/View.h"
#include "editor/shell/Application.h"
#include "editor/shell/MainFrame.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_StringResource.h"

using app::CheckList_t;
using app::Entry_t;

namespace {

app::Application_t theApplication;

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A file of one group with one checklist of entries of every kind but
// subtitles, each as long as asked, its words wrapping.
bool WriteCheckListFile(const std::string& path, int entries, int characters)
{
    CheckList_t checkList("Long checklist");
    for (int e = 0; e < entries; ++e) {
        std::string text = "Entry " + std::to_string(e);
        while (static_cast<int>(text.size()) < characters)
            text += " check item";
        text.resize(characters);
        const int kind = e % 5 == 4 ? Entry_t::ChallengeResponse : e % 5;
        checkList.entries.push_back(Entry_t(text, kind, e % 6, "CHECKED"));
    }
    app::Group_t group("Normal");
    group.checklists.push_back(checkList);
    app::Database_t database;
    database.groups.push_back(group);
    return app::WriteKivFile(path, app::KivFileHeader_t(), database);
}

// The preview's count of layouts.
int Layouts(app::MainFrame_t* frame)
{
    return static_cast<app::View_t*>(frame->GetSplitter().GetPane(0, 1))->GetLayoutCountForTest();
}

// Moves one edge of the frame by 4 pixels a step and draws each step;
// prints the seconds and the preview's layouts a step took on average.
void DragEdge(app::MainFrame_t* frame, int steps, bool right)
{
    const int layouts = Layouts(frame);
    CRect rect;
    frame->GetWindowRect(&rect);
    const double start = Seconds();
    for (int step = 1; step <= steps; ++step) {
        const int grow = 4 * step;
        frame->MoveWindow(rect.left, rect.top, rect.Width() + (right ? grow : 0),
                          rect.Height() + (right ? 0 : grow), TRUE);
        frame->UpdateWindow();
        Pump();
    }
    std::printf("a 4-pixel step of the %s edge: %.3f s, %.1f layouts\n", right ? "right" : "bottom",
                (Seconds() - start) / steps, double(Layouts(frame) - layouts) / steps);
}

} // namespace

int main(int argc, char** argv)
{
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int characters = argc > 2 ? std::atoi(argv[2]) : 200;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "preview_bench.kiv";
    if (!WriteCheckListFile(path, entries, characters)) {
        std::printf("cannot write %s\n", path.c_str());
        return 1;
    }

    theApplication.m_hInstance = ::GetModuleHandleA(nullptr);
    theApplication.InitApplicationNames();
    AfxSetResourceHandle(glo::GetResourceInstance());
    theApplication.AddDocTemplate(new app::KivSingleDocTemplate_t(IDR_MAINFRAME, RUNTIME_CLASS(app::Document_t),
                                                                  RUNTIME_CLASS(app::MainFrame_t),
                                                                  RUNTIME_CLASS(app::View_t)));
    // As the editor starts with a file: the frame made hidden, the document
    // opened, the frame shown and drawn.
    const double start = Seconds();
    const bool opened = theApplication.OpenDocumentFile(path.c_str()) != nullptr;
    auto* frame = dynamic_cast<app::MainFrame_t*>(theApplication.m_pMainWnd);
    if (!opened || !frame) {
        std::printf("cannot open %s\n", path.c_str());
        ::DeleteFileA(path.c_str());
        return 1;
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    Pump();
    const double startUp = Seconds() - start;
    ::DeleteFileA(path.c_str());
    std::printf("%d entries of %d characters: start-up with the checklist shown %.3f s, %d layouts\n", entries,
                characters, startUp, Layouts(frame));
    DragEdge(frame, 10, true);
    DragEdge(frame, 10, false);
    frame->DestroyWindow();
    return 0;
}
