// Progress-bar messages of a write, received by a window that records them
// and by a real progress bar.
#include "tests/img_varnok/ImageTestSupport.h"

#include <commctrl.h>

namespace
{
struct Message
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message& o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};

std::vector<Message> received;

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= PBM_SETRANGE && message <= PBM_DELTAPOS)
    {
        received.push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden window that records progress-bar messages, and a progress bar in it.
class ProgressWindows
{
public:
    ProgressWindows()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSW recorderClass = {};
        recorderClass.lpfnWndProc = Recorder;
        recorderClass.hInstance = GetModuleHandleW(nullptr);
        recorderClass.lpszClassName = L"ImgProgressRecorder";
        RegisterClassW(&recorderClass);
        recorder = CreateWindowExW(0, L"ImgProgressRecorder", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                   nullptr, recorderClass.hInstance, nullptr);
        bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, recorder, nullptr,
                              recorderClass.hInstance, nullptr);
    }
    ~ProgressWindows() { DestroyWindow(recorder); }

    HWND recorder;
    HWND bar;
};
}

TEST(ImgProgress, OneStepPerCopiedSubfile)
{
    ProgressWindows windows;
    ASSERT_TRUE(windows.recorder && windows.bar);
    ImageFiles disk;
    IMG_VarnokDiskImage image;
    image.AddFiles({disk.Disk("a.bin", 100), disk.Disk("b.bin", 2000), disk.Disk("c.bin", 30), disk.Disk("d.bin", 4)});
    received.clear();
    image.SaveAs(false, false, disk.Path("four.img").c_str(), windows.recorder);
    const Message range = {PBM_SETRANGE, 0, 4 << 16}, start = {PBM_SETPOS, 0, 0}, step = {PBM_DELTAPOS, 1, 0};
    EXPECT_EQ((std::vector<Message>{range, start, step, step, step, step}), received);

    // Appended in place, only the new subfile is copied.
    const std::string path = disk.Empty("appended.img");
    IMG_VarnokDiskImage appended(path.c_str());
    appended.AddFiles({disk.Disk("e.bin", 100), disk.Disk("f.bin", 100), disk.Disk("g.bin", 100)});
    appended.Save(false, windows.bar);
    EXPECT_EQ(3, SendMessageW(windows.bar, PBM_GETPOS, 0, 0));
    appended.AddFile(disk.Disk("h.bin", 100).c_str());
    appended.Save(false, windows.bar);
    PBRANGE bounds = {};
    SendMessageW(windows.bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&bounds));
    EXPECT_EQ(0, bounds.iLow);
    EXPECT_EQ(4, bounds.iHigh);
    EXPECT_EQ(1, SendMessageW(windows.bar, PBM_GETPOS, 0, 0));
    EXPECT_TRUE(disk.HoldsItsFiles(appended));
}
