// Drawing-object holders put back what they replaced, also when nested.
#include "foundation/gdi/GDI_SmartBrush.h"
#include "foundation/gdi/GDI_SmartFont.h"
#include "foundation/gdi/GDI_SmartPen.h"
#include "foundation/glo/GLO_Exception.h"

#include "tests/foundation/RaisePoint.h"

#include "framework/CDC.h"

#include <gtest/gtest.h>

namespace {

class DrawingHolders : public ::testing::Test {
protected:
    DrawingHolders()
    {
        dc.CreateCompatibleDC(nullptr);
        font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, PROOF_QUALITY, FF_SWISS, "Arial");
        otherFont.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, PROOF_QUALITY, FF_SWISS, "Arial");
    }

    HGDIOBJ Current(UINT type) const { return ::GetCurrentObject(dc.GetSafeHdc(), type); }

    CDC dc;
    CFont font;
    CFont otherFont;
};

} // namespace

TEST_F(DrawingHolders, FontHolderRestoresTheFontItReplaced)
{
    const HGDIOBJ original = Current(OBJ_FONT);
    {
        gdi::SmartFont_t holder(&dc, &font);
        EXPECT_EQ(font.GetSafeHandle(), Current(OBJ_FONT));
        auto error = ExpectRaise<glo::Exception_t>([&] { holder.Select(&otherFont); }, "GDI_SmartFont", 71);
        ASSERT_TRUE(error);
        EXPECT_STREQ("", error->what());
        EXPECT_EQ(font.GetSafeHandle(), Current(OBJ_FONT));
    }
    EXPECT_EQ(original, Current(OBJ_FONT));

    {
        gdi::SmartFont_t later(&dc);
        later.Select(&otherFont);
        EXPECT_EQ(otherFont.GetSafeHandle(), Current(OBJ_FONT));
    }
    EXPECT_EQ(original, Current(OBJ_FONT));
}

TEST_F(DrawingHolders, FontHolderWithoutFontRestoresNothing)
{
    {
        gdi::SmartFont_t holder(&dc);
        holder.Select(nullptr); // a null font replaces nothing: a real one may follow
        dc.SelectObject(&otherFont);
        holder.Select(nullptr);
    }
    EXPECT_EQ(otherFont.GetSafeHandle(), Current(OBJ_FONT));
}

TEST_F(DrawingHolders, PenHolderSelectsItsOwnPenAndDeletesIt)
{
    const HGDIOBJ original = Current(OBJ_PEN);
    HGDIOBJ made = nullptr;
    {
        gdi::SmartPen_t pen(&dc, PS_DASH, 1, RGB(10, 20, 30));
        made = Current(OBJ_PEN);
        LOGPEN description = {};
        ASSERT_EQ(static_cast<int>(sizeof description), ::GetObjectA(made, sizeof description, &description));
        EXPECT_EQ(static_cast<UINT>(PS_DASH), description.lopnStyle);
        EXPECT_EQ(RGB(10, 20, 30), description.lopnColor);
    }
    EXPECT_EQ(original, Current(OBJ_PEN));
    EXPECT_EQ(0u, ::GetObjectType(made));
}

TEST_F(DrawingHolders, BrushHolderSelectsOnCreateOnly)
{
    const HGDIOBJ original = Current(OBJ_BRUSH);
    HGDIOBJ made = nullptr;
    {
        gdi::SmartBrush_t brush(&dc);
        EXPECT_EQ(original, Current(OBJ_BRUSH));
        brush.Create(RGB(0, 0, 0));
        made = Current(OBJ_BRUSH);
        LOGBRUSH description = {};
        ::GetObjectA(made, sizeof description, &description);
        EXPECT_EQ(static_cast<UINT>(BS_SOLID), description.lbStyle);
        EXPECT_EQ(RGB(0, 0, 0), description.lbColor);
        ExpectRaise<glo::Exception_t>([&] { brush.Create(RGB(128, 128, 128)); }, "GDI_SmartBrush", 121);
        EXPECT_EQ(made, Current(OBJ_BRUSH));
    }
    EXPECT_EQ(original, Current(OBJ_BRUSH));
    EXPECT_EQ(0u, ::GetObjectType(made));

    { gdi::SmartBrush_t unused(&dc); }
    EXPECT_EQ(original, Current(OBJ_BRUSH));
}

namespace {

// The brushes of a colour alive in this process. Wine takes a drawing object's
// handle by its index alone, so every index is tried.
int LiveBrushes(COLORREF color)
{
    int count = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const auto handle = reinterpret_cast<HGDIOBJ>(index);
        LOGBRUSH description = {};
        if (::GetObjectType(handle) == OBJ_BRUSH && ::GetObjectA(handle, sizeof description, &description) &&
            description.lbColor == color)
            ++count;
    }
    return count;
}

} // namespace

TEST_F(DrawingHolders, ABrushThatCouldNotBeSelectedIsReplacedNotLeaked)
{
    const COLORREF marked = RGB(1, 2, 3);
    CDC none; // no device context: nothing can be selected into it
    {
        gdi::SmartBrush_t brush(&none);
        brush.Create(marked);
        ASSERT_EQ(1, LiveBrushes(marked));
        brush.Create(marked);
        EXPECT_EQ(1, LiveBrushes(marked));
    }
    EXPECT_EQ(0, LiveBrushes(marked));
}

TEST_F(DrawingHolders, NestedHoldersUnwindInReverseOrder)
{
    const HGDIOBJ font0 = Current(OBJ_FONT);
    const HGDIOBJ pen0 = Current(OBJ_PEN);
    const HGDIOBJ brush0 = Current(OBJ_BRUSH);
    try {
        gdi::SmartFont_t outer(&dc, &font);
        gdi::SmartPen_t pen(&dc, PS_SOLID, 0, RGB(255, 0, 0));
        gdi::SmartBrush_t brush(&dc);
        brush.Create(RGB(0, 255, 0));
        gdi::SmartFont_t inner(&dc, &otherFont);
        EXPECT_EQ(otherFont.GetSafeHandle(), Current(OBJ_FONT));
        throw glo::Assert_t("DrawingHolders_test", 1); // unwinding runs every holder's end
    } catch (const glo::Assert_t&) {
    }
    EXPECT_EQ(font0, Current(OBJ_FONT));
    EXPECT_EQ(pen0, Current(OBJ_PEN));
    EXPECT_EQ(brush0, Current(OBJ_BRUSH));
}
