// The About box: its texts and where they stand, in release and test builds,
// in and out of OEM mode, and the dialog opened by the About command.
#include "editor/shell/AboutDialog.h"
#include "editor/shell/BuildInfo.h"
#include "editor/shell/ResourceIds.h"
#include "tests/editor/shell/ShellTestApp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Text_t {
    std::string text;
    int x;
    int y;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto* texts = reinterpret_cast<std::vector<Text_t>*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* wide = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                            out->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < out->emrtext.nChars; ++i)
            text += static_cast<char>(wide[i]);
        texts->push_back({text, out->emrtext.ptlReference.x, out->emrtext.ptlReference.y});
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* out = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* narrow = reinterpret_cast<const char*>(record) + out->emrtext.offString;
        texts->push_back({std::string(narrow, out->emrtext.nChars), out->emrtext.ptlReference.x,
                          out->emrtext.ptlReference.y});
    }
    return 1;
}

// The texts the About box paints, in order, as a metafile records them.
std::vector<Text_t> PaintedTexts()
{
    HDC recorder = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CDC dc;
    dc.Attach(recorder);
    app::AboutDialog_t about;
    about.PaintTexts(dc);
    dc.Detach();
    HENHMETAFILE picture = ::CloseEnhMetaFile(recorder);
    std::vector<Text_t> texts;
    ::EnumEnhMetaFile(nullptr, picture, &CollectText, &texts, nullptr);
    ::DeleteEnhMetaFile(picture);
    return texts;
}

// The width of text in Arial of the given height, as the screen measures it.
int Width(const char* text, int height)
{
    HDC screen = ::GetDC(nullptr);
    HFONT font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE size = {};
    ::GetTextExtentPoint32A(screen, text, static_cast<int>(strlen(text)), &size);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return size.cx;
}

class AboutBox : public ::testing::Test {
protected:
    AboutBox() : savedLabel(app::BuildLabel) { App(); }
    ~AboutBox() override
    {
        app::BuildLabel = savedLabel;
        app::Application_t::SetOemMode(false);
    }

    std::string savedLabel;
};

} // namespace

TEST_F(AboutBox, ReleaseBuildShowsTheVersionAndNoBuildLine)
{
    app::BuildLabel = "SQA";
    const std::vector<Text_t> texts = PaintedTexts();
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("KIV", texts[0].text);
    EXPECT_EQ(50, texts[0].x);
    EXPECT_EQ(15, texts[0].y);
    EXPECT_EQ("TM", texts[1].text);
    EXPECT_EQ(50 + Width("KIV", 14), texts[1].x);
    EXPECT_EQ(15, texts[1].y);
    EXPECT_EQ("Version 2.3", texts[2].text);
    EXPECT_EQ(50, texts[2].x);
    EXPECT_EQ(30, texts[2].y);
}

TEST_F(AboutBox, TestBuildShowsTheBetaVersionAndTheBuildLine)
{
    app::BuildLabel = "QA1";
    const std::vector<Text_t> texts = PaintedTexts();
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("Version 2.3.0 Beta", texts[2].text);
    EXPECT_EQ(std::string("Build Info:  ") + app::BuildDate + " " + app::BuildTime + "(QA1)", texts[3].text);
    EXPECT_EQ(50, texts[3].x);
    EXPECT_EQ(45, texts[3].y);
}

TEST_F(AboutBox, OemModeIsShownRightOfTheMark)
{
    app::BuildLabel = "sqa";
    app::Application_t::SetOemMode(true);
    const std::vector<Text_t> texts = PaintedTexts();
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("[OEM Version]", texts[2].text);
    EXPECT_EQ(50 + Width("KIV", 14) + Width("TM", 8) + 5, texts[2].x);
    EXPECT_EQ(15, texts[2].y);
    EXPECT_EQ("Version 2.3", texts[3].text);
}

TEST_F(AboutBox, TheTextsShowOnABlackFace)
{
    AfxSetSysColorQueryForTest(&BlackFaceColour);
    CClientDC screen(nullptr);
    CBitmap face;
    face.CreateCompatibleBitmap(&screen, 200, 60);   // black
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    dc.SelectObject(&face);
    app::AboutDialog_t().PaintTexts(dc);
    AfxSetSysColorQueryForTest(nullptr);
    int shown = 0;
    for (int x = 50; x < 200; ++x) {
        for (int y = 15; y < 60; ++y)
            shown += dc.GetPixel(x, y) != RGB(0, 0, 0);
    }
    EXPECT_GT(shown, 100);
}

TEST_F(AboutBox, TheAboutCommandShowsTheDialogWithTheIcon)
{
    CTestHook hook;
    HICON icon = nullptr;
    CRect client;
    hook.AnswerDialog([&](CDialog& dialog) {
        for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (HICON shown = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)))
                icon = shown;
        }
        dialog.GetClientRect(&client);
        return IDOK;
    });
    App().OnAppAbout();
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(static_cast<UINT>(IDD_ABOUTBOX), hook.Log()[0].style);
    EXPECT_EQ("About Pellorin", std::string(hook.Log()[0].text.GetString()));
    EXPECT_NE(nullptr, icon);
    EXPECT_GT(client.Width(), 235);   // dialog units are wider than pixels
}
