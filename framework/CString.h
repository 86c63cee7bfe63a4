// CString: the framework's text string, written on the generic text type TCHAR
// (8-bit in the editor's build, UTF-16 in Setup's), with printf-style formatting,
// searching, trimming, case changes, buffer access and conversion to and from the
// other character width through the ANSI code page.
#pragma once

#include <windows.h>
#include <tchar.h>
#include <cstdarg>
#include <string>

class CString
{
public:
    using XCHAR = TCHAR;
    using PCXSTR = const TCHAR*;

    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* text);        // converted when TCHAR is wide; null gives ""
    CString(const wchar_t* text);     // converted when TCHAR is 8-bit; null gives ""
    CString(const TCHAR* text, int length);
    explicit CString(TCHAR ch, int repeat = 1);
    explicit CString(const std::basic_string<TCHAR>& text) : m_text(text) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text) { return *this = CString(text); }
    CString& operator=(const wchar_t* text) { return *this = CString(text); }
    CString& operator=(TCHAR ch) { m_text.assign(1, ch); return *this; }

    // Size and element access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    TCHAR GetAt(int index) const;
    void SetAt(int index, TCHAR ch);
    TCHAR operator[](int index) const { return GetAt(index); }
    PCXSTR GetString() const { return m_text.c_str(); }
    operator PCXSTR() const { return m_text.c_str(); }
    const std::basic_string<TCHAR>& Str() const { return m_text; }

    // Concatenation.
    CString& operator+=(const CString& text) { m_text += text.m_text; return *this; }
    CString& operator+=(PCXSTR text);
    CString& operator+=(TCHAR ch) { m_text += ch; return *this; }
    void Append(PCXSTR text, int length);
    void AppendChar(TCHAR ch) { m_text += ch; }

    // Formatting (printf conventions of the C runtime; pass CString arguments as GetString()).
    void Format(PCXSTR format, ...);
    void Format(UINT formatId, ...);
    void FormatV(PCXSTR format, va_list args);
    void AppendFormat(PCXSTR format, ...);
    void AppendFormatV(PCXSTR format, va_list args);

    // Comparison: ordinal, ordinal ignoring case, locale collation.
    int Compare(PCXSTR text) const;
    int CompareNoCase(PCXSTR text) const;
    int Collate(PCXSTR text) const;
    int CollateNoCase(PCXSTR text) const;

    // Substrings.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(PCXSTR charSet) const;
    CString SpanExcluding(PCXSTR charSet) const;
    CString Tokenize(PCXSTR delimiters, int& start) const;

    // Searching: indexes, -1 when not found.
    int Find(TCHAR ch, int start = 0) const;
    int Find(PCXSTR sub, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(PCXSTR charSet) const;

    // Changes in place; the counting ones return how many places changed.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(TCHAR ch);
    CString& Trim(PCXSTR chars);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR ch);
    CString& TrimLeft(PCXSTR chars);
    CString& TrimRight();
    CString& TrimRight(TCHAR ch);
    CString& TrimRight(PCXSTR chars);
    int Replace(TCHAR oldCh, TCHAR newCh);
    int Replace(PCXSTR oldText, PCXSTR newText);
    int Remove(TCHAR ch);
    int Insert(int index, TCHAR ch);
    int Insert(int index, PCXSTR text);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // Direct buffer access: write into the buffer, then ReleaseBuffer.
    TCHAR* GetBuffer();
    TCHAR* GetBuffer(int minLength);
    TCHAR* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // The other character width, through the ANSI code page.
    std::string ToAnsi() const;
    std::wstring ToWide() const;

    // Loads a string resource from the framework's resource module (or the given one).
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE module, UINT id);

private:
    int ClampIndex(int index) const;

    std::basic_string<TCHAR> m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, CString::PCXSTR b);
CString operator+(CString::PCXSTR a, const CString& b);
CString operator+(const CString& a, TCHAR b);
CString operator+(TCHAR a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
inline bool operator==(const CString& a, CString::PCXSTR b) { return a.Compare(b) == 0; }
inline bool operator==(CString::PCXSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, CString::PCXSTR b) { return !(a == b); }
inline bool operator!=(CString::PCXSTR a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
