// The code page of 8-bit names and texts (see CodePage.h).
#include "framework/CodePage.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkStrings.h"
#include "framework/Globals.h"
#include <vector>

namespace {

UINT g_codePage = 0;

} // namespace

UINT AfxGetCodePage()
{
    return g_codePage ? g_codePage : ::GetACP();
}

void AfxSetCodePageForTest(UINT codePage)
{
    g_codePage = codePage;
}

#ifndef UNICODE
namespace {

// A UTF-16 text in the code page's bytes, converted with these flags and default character.
CString Narrowed(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPCSTR defaultChar, BOOL* usedDefault)
{
    std::vector<char> bytes(
        (size_t)::WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, defaultChar, usedDefault) + 1, '\0');
    ::WideCharToMultiByte(codePage, flags, wide, length, bytes.data(), (int)bytes.size(), defaultChar, usedDefault);
    return bytes.data();
}

// The bytes of the UTF-8 character at p: its lead byte and the continuation bytes that
// it announces; a byte that begins no whole character stands alone.
int Utf8Length(LPCSTR p)
{
    const BYTE lead = (BYTE)*p;
    int length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    for (int i = 1; i < length; ++i) {
        if (((BYTE)p[i] & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

} // namespace
#endif

LPCTSTR AfxNextChar(LPCTSTR p)
{
#ifndef UNICODE
    const UINT codePage = AfxGetCodePage();
    if (codePage == CP_UTF8)
        return p + Utf8Length(p);
    if (::IsDBCSLeadByteEx(codePage, (BYTE)*p) && p[1])
        return p + 2;
#endif
    return p + 1;
}

int AfxFindLastOf(LPCTSTR text, LPCTSTR set)
{
    int last = -1;
    for (LPCTSTR p = text; *p; p = AfxNextChar(p)) {
        if (_tcschr(set, *p))
            last = (int)(p - text);
    }
    return last;
}

std::wstring AfxWideOf(LPCTSTR text, int length)
{
#ifdef UNICODE
    return length < 0 ? std::wstring(text) : std::wstring(text, (size_t)length);
#else
    if (length < 0)
        length = lstrlenA(text);
    std::wstring wide(::MultiByteToWideChar(AfxGetCodePage(), 0, text, length, nullptr, 0), L'\0');
    if (!wide.empty())
        ::MultiByteToWideChar(AfxGetCodePage(), 0, text, length, &wide[0], (int)wide.size());
    return wide;
#endif
}

std::wstring AfxWideWindowText(HWND window)
{
    std::vector<wchar_t> text((size_t)::GetWindowTextLengthW(window) + 1, L'\0');
    ::GetWindowTextW(window, text.data(), (int)text.size());
    return text.data();
}

BOOL AfxNameFromWide(LPCWSTR wide, CString& name)
{
#ifdef UNICODE
    name = wide;
    return TRUE;
#else
    const UINT codePage = AfxGetCodePage();
    const int length = lstrlenW(wide);
    if (codePage == CP_UTF8) {
        // UTF-8 holds every name but one with half a surrogate pair, which a conversion
        // without checks turns into U+FFFD, the name of another file: that is given back,
        // for the message. It takes neither the best-fit flag nor a default character.
        name = Narrowed(CP_UTF8, 0, wide, length, nullptr, nullptr);
        return !length ||
               ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, length, nullptr, 0, nullptr, nullptr) > 0;
    }
    BOOL usedDefault = FALSE;
    name = Narrowed(codePage, WC_NO_BEST_FIT_CHARS, wide, length, "?", &usedDefault);
    return !usedDefault;
#endif
}

void AfxReportUnheldName(LPCTSTR name)
{
    AfxMessageBox(AfxFormatText1(AfxLoadText(AFX_IDP_FILE_BAD_PATH), name).GetString(), MB_ICONEXCLAMATION);
}
