// Tests of CString, compiled once for the 8-bit and once for the UTF-16 framework.
#include "framework/CString.h"
#include "framework/ResourceModule.h"
#include "tests/framework/cstring/CStringTestsRes.h"

#include <gtest/gtest.h>

namespace {

TEST(CString, ConstructsFromBothWidthsAndNull)
{
    EXPECT_EQ(CString("abc"), _T("abc"));
    EXPECT_EQ(CString(L"abc"), _T("abc"));
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(_T('x'), 3), _T("xxx"));
    EXPECT_EQ(CString(_T("abcdef"), 3), _T("abc"));
    EXPECT_EQ(CString(_T('x'), 0), _T(""));
}

TEST(CString, ConvertsThroughTheAnsiCodePage)
{
    // U+00E9 exists in every Western code page; the round trip must keep it.
    CString wide(L"caf\u00e9");
    std::string ansi = wide.ToAnsi();
    EXPECT_EQ(ansi.size(), 4u);
    EXPECT_EQ(CString(ansi.c_str()).ToWide(), L"caf\u00e9");
    EXPECT_EQ(CString("plain").ToWide(), L"plain");
    EXPECT_EQ(CString(L"plain").ToAnsi(), "plain");
    EXPECT_EQ(CString().ToAnsi(), "");
}

TEST(CString, ElementAccessStaysInRange)
{
    CString s(_T("abc"));
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.GetAt(1), _T('b'));
    EXPECT_EQ(s[2], _T('c'));
    EXPECT_EQ(s.GetAt(3), 0);
    EXPECT_EQ(s.GetAt(-1), 0);
    s.SetAt(0, _T('X'));
    s.SetAt(7, _T('Y'));
    EXPECT_EQ(s, _T("Xbc"));
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), _T(""));
}

TEST(CString, Concatenates)
{
    CString s(_T("ab"));
    s += _T("cd");
    s += _T('e');
    s += CString(_T("f"));
    s += static_cast<const TCHAR*>(nullptr);
    s.Append(_T("ghXX"), 2);
    s.AppendChar(_T('i'));
    EXPECT_EQ(s, _T("abcdefghi"));
    EXPECT_EQ(_T("<") + s.Left(1) + _T(">"), _T("<a>"));
    EXPECT_EQ(_T('[') + CString(_T("x")) + _T(']'), _T("[x]"));
}

TEST(CString, FormatsLikePrintf)
{
    CString s;
    s.Format(_T("%d %s %x %c %.2f %5s|%-3d|"), 42, _T("text"), 0xBEEFu, _T('Z'), 2.5, _T("ab"), 7);
    EXPECT_EQ(s, _T("42 text beef Z 2.50    ab|7  |"));
    s.AppendFormat(_T("%u%%"), 100u);
    EXPECT_EQ(s.Right(5), _T("|100%"));
    s.Format(_T("%s"), _T(""));
    EXPECT_TRUE(s.IsEmpty());
    // Longer than any fixed buffer.
    CString big(_T('q'), 5000);
    s.Format(_T("<%s>"), big.GetString());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Mid(1, 5000), big);
}

TEST(CString, ComparesOrdinalAndIgnoringCase)
{
    CString s(_T("Apple"));
    EXPECT_EQ(s.Compare(_T("Apple")), 0);
    EXPECT_LT(s.Compare(_T("apple")), 0);
    EXPECT_GT(s.Compare(_T("App")), 0);
    EXPECT_EQ(s.CompareNoCase(_T("APPLE")), 0);
    EXPECT_LT(s.CompareNoCase(_T("banana")), 0);
    EXPECT_EQ(s.CollateNoCase(_T("aPPLE")), 0);
    EXPECT_GT(s.Compare(nullptr), 0);
    EXPECT_TRUE(s == CString(_T("Apple")));
    EXPECT_TRUE(_T("Apple") == s);
    EXPECT_TRUE(s != _T("apple"));
    EXPECT_TRUE(CString(_T("a")) < CString(_T("b")));
    EXPECT_TRUE(CString(_T("b")) >= CString(_T("b")));
}

TEST(CString, TakesSubstringsWithClampedBounds)
{
    CString s(_T("0123456789"));
    EXPECT_EQ(s.Mid(3), _T("3456789"));
    EXPECT_EQ(s.Mid(3, 2), _T("34"));
    EXPECT_EQ(s.Mid(8, 10), _T("89"));
    EXPECT_EQ(s.Mid(20), _T(""));
    EXPECT_EQ(s.Mid(-5, 2), _T("01"));
    EXPECT_EQ(s.Left(3), _T("012"));
    EXPECT_EQ(s.Left(30), s);
    EXPECT_EQ(s.Left(-1), _T(""));
    EXPECT_EQ(s.Right(3), _T("789"));
    EXPECT_EQ(s.Right(30), s);
    EXPECT_EQ(s.SpanIncluding(_T("0123")), _T("0123"));
    EXPECT_EQ(s.SpanExcluding(_T("5x")), _T("01234"));
}

TEST(CString, Tokenizes)
{
    CString s(_T(";a;;bc;"));
    int pos = 0;
    EXPECT_EQ(s.Tokenize(_T(";"), pos), _T("a"));
    EXPECT_EQ(s.Tokenize(_T(";"), pos), _T("bc"));
    EXPECT_EQ(s.Tokenize(_T(";"), pos), _T(""));
    EXPECT_EQ(pos, -1);
}

TEST(CString, Searches)
{
    CString s(_T("a\\b\\c.txt"));
    EXPECT_EQ(s.Find(_T('\\')), 1);
    EXPECT_EQ(s.Find(_T('\\'), 2), 3);
    EXPECT_EQ(s.Find(_T('z')), -1);
    EXPECT_EQ(s.Find(_T('a'), 50), -1);
    EXPECT_EQ(s.Find(_T(".txt")), 5);
    EXPECT_EQ(s.Find(_T("b"), 3), -1);
    EXPECT_EQ(s.Find(_T("")), 0);
    EXPECT_EQ(s.ReverseFind(_T('\\')), 3);
    EXPECT_EQ(s.ReverseFind(_T('z')), -1);
    EXPECT_EQ(s.FindOneOf(_T("xc")), 4);
    EXPECT_EQ(s.FindOneOf(_T("qyz")), -1);
}

TEST(CString, ChangesCase)
{
    CString s(_T("MiXeD 1.x"));
    EXPECT_EQ(CString(s).MakeUpper(), _T("MIXED 1.X"));
    EXPECT_EQ(CString(s).MakeLower(), _T("mixed 1.x"));
    EXPECT_EQ(CString(_T("abc")).MakeReverse(), _T("cba"));
    CString empty;
    EXPECT_TRUE(empty.MakeUpper().IsEmpty());
}

TEST(CString, Trims)
{
    EXPECT_EQ(CString(_T(" \t x y \r\n")).Trim(), _T("x y"));
    EXPECT_EQ(CString(_T("  x ")).TrimLeft(), _T("x "));
    EXPECT_EQ(CString(_T("  x ")).TrimRight(), _T("  x"));
    EXPECT_EQ(CString(_T("\\\\path\\")).TrimRight(_T('\\')), _T("\\\\path"));
    EXPECT_EQ(CString(_T("xxaxx")).Trim(_T('x')), _T("a"));
    EXPECT_EQ(CString(_T("-=a=-")).TrimLeft(_T("=-")), _T("a=-"));
    EXPECT_EQ(CString(_T("   ")).Trim(), _T(""));
}

TEST(CString, ReplacesRemovesInsertsDeletes)
{
    CString s(_T("a.b.c"));
    EXPECT_EQ(s.Replace(_T('.'), _T('/')), 2);
    EXPECT_EQ(s, _T("a/b/c"));
    EXPECT_EQ(s.Replace(_T("/"), _T("//")), 2);
    EXPECT_EQ(s, _T("a//b//c"));
    EXPECT_EQ(s.Replace(_T("//"), _T("")), 2);
    EXPECT_EQ(s, _T("abc"));
    EXPECT_EQ(s.Replace(_T(""), _T("x")), 0);
    EXPECT_EQ(s.Remove(_T('b')), 1);
    EXPECT_EQ(s, _T("ac"));
    EXPECT_EQ(s.Insert(1, _T('b')), 3);
    EXPECT_EQ(s.Insert(0, _T("<<")), 5);
    EXPECT_EQ(s.Insert(99, _T(">")), 6);
    EXPECT_EQ(s, _T("<<abc>"));
    EXPECT_EQ(s.Delete(0, 2), 4);
    EXPECT_EQ(s.Delete(3, 10), 3);
    EXPECT_EQ(s.Delete(10), 3);
    EXPECT_EQ(s, _T("abc"));
    s.Truncate(1);
    EXPECT_EQ(s, _T("a"));
}

TEST(CString, GivesWritableBuffers)
{
    CString s(_T("keep"));
    TCHAR* buffer = s.GetBuffer(260);
    EXPECT_EQ(buffer[0], _T('k'));
    DWORD length = GetModuleFileName(nullptr, buffer, 260);
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), static_cast<int>(length));
    EXPECT_EQ(s.Right(4).MakeLower(), _T(".exe"));

    _tcscpy(s.GetBuffer(10), _T("abcdef"));
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, _T("abc"));

    TCHAR* fixed = s.GetBufferSetLength(2);
    fixed[1] = _T('Z');
    s.ReleaseBuffer();
    EXPECT_EQ(s, _T("aZ"));

    CString empty;
    EXPECT_EQ(empty.GetBuffer()[0], 0);
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CString, LoadsStringResources)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_EQ(s, _T("Hello, %s: %d"));
    ASSERT_TRUE(s.LoadString(IDS_LONG));
    EXPECT_EQ(s.GetLength(), 280);  // longer than the first try of 256
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());

    CString greeting;
    greeting.Format(IDS_GREETING, _T("crew"), 3);
    EXPECT_EQ(greeting, _T("Hello, crew: 3"));

    // The resource module can be switched (to a language library, for instance).
    AfxSetResourceHandle(GetModuleHandle(_T("kernel32.dll")));
    EXPECT_FALSE(s.LoadString(IDS_GREETING) && s == _T("Hello, %s: %d"));
    AfxSetResourceHandle(nullptr);
    EXPECT_TRUE(s.LoadString(IDS_GREETING));
}

}  // namespace
