// Device contexts and drawing objects: selecting returns what was selected before,
// objects own their handles, text and block calls.
#include "tests/framework/SketchApp.h"
#include <gtest/gtest.h>

TEST(Drawing, SelectObjectReturnsThePreviousObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_SWISS, _T("Arial")));
    CFont* previous = dc.SelectObject(&font);
    ASSERT_NE(nullptr, previous);
    EXPECT_TRUE(previous->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_NE(font.m_hObject, previous->m_hObject);
    EXPECT_EQ(&font, dc.SelectObject(previous));   // the object itself comes back

    CPen pen(PS_SOLID, 0, RGB(200, 200, 200));
    CGdiObject* previousPen = dc.SelectObject(&pen);
    ASSERT_NE(nullptr, previousPen);
    EXPECT_EQ(OBJ_PEN, (int)::GetObjectType(previousPen->m_hObject));
    dc.SelectObject(previousPen);
    CGdiObject::DeleteTempMap();
}

TEST(Drawing, ObjectsOwnTheirHandles)
{
    HGDIOBJ handle;
    {
        CBrush brush(RGB(1, 2, 3));
        handle = brush.m_hObject;
        EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(handle));
        EXPECT_EQ(&brush, CGdiObject::FromHandle(handle));
    }
    EXPECT_EQ(0, (int)::GetObjectType(handle));   // deleted with the object

    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(9999));
    EXPECT_EQ(nullptr, bitmap.m_hObject);
}

TEST(Drawing, TextIsMeasuredAndDrawnWithTheSelectedFont)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    CClientDC screen(nullptr);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 50));
    CBitmap* previousBitmap = dc.SelectObject(&bitmap);
    CFont small, large;
    small.CreatePointFont(80, _T("Arial"), &dc);
    large.CreatePointFont(240, _T("Arial"), &dc);
    CFont* previous = dc.SelectObject(&small);
    CSize smallSize = dc.GetTextExtent(CString(_T("KIV")));
    dc.SelectObject(&large);
    CSize largeSize = dc.GetTextExtent(_T("KIV"), 3);
    EXPECT_GT(largeSize.cx, smallSize.cx);
    TEXTMETRIC metrics = {};
    EXPECT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_GT(metrics.tmHeight, 20);

    dc.PatBlt(0, 0, 200, 50, WHITENESS);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect box(0, 0, 200, 50);
    int height = dc.DrawText(CString(_T("KIV")), &box, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(metrics.tmHeight, height);
    bool ink = false;
    for (int x = 0; x < largeSize.cx && !ink; ++x)
        for (int y = 0; y < largeSize.cy && !ink; ++y)
            ink = dc.GetPixel(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(ink);
    EXPECT_EQ(0, dc.SetTextJustification(10, 2) ? 0 : 1);
    dc.SelectObject(previous);
    dc.SelectObject(previousBitmap);
}

TEST(Drawing, BlocksCopyBetweenDeviceContexts)
{
    CClientDC screen(nullptr);
    CDC source, target;
    source.CreateCompatibleDC(&screen);
    target.CreateCompatibleDC(&screen);
    CBitmap a, b;
    a.CreateCompatibleBitmap(&screen, 20, 20);
    b.CreateCompatibleBitmap(&screen, 40, 40);
    CBitmap* oldA = source.SelectObject(&a);
    CBitmap* oldB = target.SelectObject(&b);
    source.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 255));
    target.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    target.BitBlt(5, 5, 10, 10, &source, 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(0, 0, 255), target.GetPixel(6, 6));
    EXPECT_EQ(RGB(255, 255, 255), target.GetPixel(16, 16));
    target.StretchBlt(0, 20, 40, 20, &source, 0, 0, 20, 20, SRCCOPY);
    EXPECT_EQ(RGB(0, 0, 255), target.GetPixel(39, 39));
    BITMAP info = {};
    EXPECT_TRUE(b.GetBitmap(&info));
    EXPECT_EQ(40, info.bmWidth);
    source.SelectObject(oldA);
    target.SelectObject(oldB);
}

TEST(Drawing, ImageListsCutABitmapResourceIntoImages)
{
    CImageList images;
    ASSERT_TRUE(images.Create(128, 16, 1, RGB(255, 0, 255)));
    EXPECT_EQ(5, images.GetImageCount());
    CImageList none;
    EXPECT_FALSE(none.Create(9999, 16, 1, RGB(255, 0, 255)));
}

TEST(Menus, LoadSubMenusAndItemStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(128));
    EXPECT_EQ(3u, menu.GetMenuItemCount());
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ((UINT)ID_FILE_NEW, file->GetMenuItemID(0));
    file->EnableMenuItem(ID_FILE_SAVE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    CString text;
    EXPECT_EQ(11, file->GetMenuString(ID_FILE_NEW, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(_T("&New\tCtrl+N")), text);
    HMENU handle = menu.m_hMenu;
    menu.DestroyMenu();
    EXPECT_FALSE(::IsMenu(handle));
}
