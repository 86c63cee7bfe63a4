// The system colours and the bitmaps mapped to them (see SysColors.h).
#include "framework/SysColors.h"
#include <vector>

namespace {

AfxSysColorQuery g_query = nullptr;

struct ColourMap {
    COLORREF from;
    int to;
};

const ColourMap buttonColours[] = {
    { RGB(0, 0, 0), COLOR_BTNTEXT },
    { RGB(128, 128, 128), COLOR_3DSHADOW },
    { RGB(192, 192, 192), COLOR_3DFACE },
    { RGB(223, 223, 223), COLOR_3DLIGHT },
};

void MapColour(RGBQUAD& entry)
{
    const COLORREF colour = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    for (const ColourMap& map : buttonColours) {
        if (colour != map.from)
            continue;
        const COLORREF to = AfxGetSysColor(map.to);
        entry = { GetBValue(to), GetGValue(to), GetRValue(to), 0 };
        return;
    }
}

} // namespace

COLORREF AfxGetSysColor(int index)
{
    return g_query ? g_query(index) : ::GetSysColor(index);
}

HBITMAP AfxLoadSysColorBitmap(HINSTANCE module, LPCTSTR name)
{
    HRSRC found = ::FindResource(module, name, RT_BITMAP);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(::LockResource(loaded)) : nullptr;
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!header || size < sizeof(BITMAPINFOHEADER) || header->biSize != sizeof(BITMAPINFOHEADER) ||
        header->biBitCount > 8 || header->biCompression != BI_RGB)
        return (HBITMAP)::LoadImage(module, name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);

    const DWORD colours = header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount;
    const DWORD infoSize = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
    const DWORD rowSize = (DWORD)(header->biWidth * header->biBitCount + 31) / 32 * 4;
    const DWORD rows = (DWORD)(header->biHeight < 0 ? -header->biHeight : header->biHeight);
    if (colours > 256 || size < infoSize + rowSize * rows)
        return nullptr;
    std::vector<BYTE> info(reinterpret_cast<const BYTE*>(header), reinterpret_cast<const BYTE*>(header) + infoSize);
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (DWORD i = 0; i < colours; ++i)
        MapColour(table[i]);

    const auto* mapped = reinterpret_cast<const BITMAPINFO*>(info.data());
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &mapped->bmiHeader, CBM_INIT,
                                      reinterpret_cast<const BYTE*>(header) + infoSize, mapped, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

void AfxSetSysColorQueryForTest(AfxSysColorQuery query)
{
    g_query = query;
}
