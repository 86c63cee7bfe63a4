// CString: the framework's text string on TCHAR (see CString.h).
#include "framework/CString.h"

#include "framework/ResourceModule.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using TString = std::basic_string<TCHAR>;

std::wstring AnsiToWide(const char* text, int length)
{
    if (length <= 0)
        return std::wstring();
    int size = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring result(size, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text, length, &result[0], size);
    return result;
}

std::string WideToAnsi(const wchar_t* text, int length)
{
    if (length <= 0)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

TString FromAnsi(const char* text)
{
    if (!text)
        return TString();
#ifdef _UNICODE
    return AnsiToWide(text, static_cast<int>(strlen(text)));
#else
    return text;
#endif
}

TString FromWide(const wchar_t* text)
{
    if (!text)
        return TString();
#ifdef _UNICODE
    return text;
#else
    return WideToAnsi(text, static_cast<int>(wcslen(text)));
#endif
}

const TCHAR kWhitespace[] = _T(" \t\n\r\v\f");

bool Contains(const TCHAR* set, TCHAR ch)
{
    return ch != 0 && _tcschr(set, ch) != nullptr;
}

}  // namespace

CString::CString(const char* text) : m_text(FromAnsi(text)) {}

CString::CString(const wchar_t* text) : m_text(FromWide(text)) {}

CString::CString(const TCHAR* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, length);
}

CString::CString(TCHAR ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(repeat, ch);
}

int CString::ClampIndex(int index) const
{
    return std::max(0, std::min(index, GetLength()));
}

TCHAR CString::GetAt(int index) const
{
    return index >= 0 && index < GetLength() ? m_text[index] : TCHAR(0);
}

void CString::SetAt(int index, TCHAR ch)
{
    if (index >= 0 && index < GetLength())
        m_text[index] = ch;
}

CString& CString::operator+=(PCXSTR text)
{
    if (text)
        m_text += text;
    return *this;
}

void CString::Append(PCXSTR text, int length)
{
    if (text && length > 0)
        m_text.append(text, length);
}

void CString::Format(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::Format(UINT formatId, ...)
{
    CString format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(PCXSTR format, va_list args)
{
    m_text.clear();
    AppendFormatV(format, args);
}

void CString::AppendFormat(PCXSTR format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::AppendFormatV(PCXSTR format, va_list args)
{
    if (!format)
        return;
    va_list counting;
    va_copy(counting, args);
    int length = _vsctprintf(format, counting);
    va_end(counting);
    if (length <= 0)
        return;
    std::vector<TCHAR> buffer(length + 1);
    _vsntprintf(buffer.data(), buffer.size(), format, args);
    m_text.append(buffer.data(), length);
}

int CString::Compare(PCXSTR text) const
{
    return _tcscmp(GetString(), text ? text : _T(""));
}

int CString::CompareNoCase(PCXSTR text) const
{
    return _tcsicmp(GetString(), text ? text : _T(""));
}

int CString::Collate(PCXSTR text) const
{
    return _tcscoll(GetString(), text ? text : _T(""));
}

int CString::CollateNoCase(PCXSTR text) const
{
    return _tcsicoll(GetString(), text ? text : _T(""));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = ClampIndex(first);
    count = std::max(0, std::min(count, GetLength() - first));
    return CString(m_text.substr(first, count));
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = ClampIndex(count);
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(PCXSTR charSet) const
{
    return Left(static_cast<int>(_tcsspn(GetString(), charSet)));
}

CString CString::SpanExcluding(PCXSTR charSet) const
{
    return Left(static_cast<int>(_tcscspn(GetString(), charSet)));
}

CString CString::Tokenize(PCXSTR delimiters, int& start) const
{
    if (start >= 0 && start < GetLength()) {
        size_t first = m_text.find_first_not_of(delimiters, start);
        if (first != TString::npos) {
            size_t end = m_text.find_first_of(delimiters, first);
            if (end == TString::npos)
                end = m_text.size();
            start = static_cast<int>(end) + 1;
            return CString(m_text.substr(first, end - first));
        }
    }
    start = -1;
    return CString();
}

int CString::Find(TCHAR ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, start);
    return at == TString::npos ? -1 : static_cast<int>(at);
}

int CString::Find(PCXSTR sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(sub, start);
    return at == TString::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(TCHAR ch) const
{
    size_t at = m_text.rfind(ch);
    return at == TString::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(PCXSTR charSet) const
{
    size_t at = m_text.find_first_of(charSet ? charSet : _T(""));
    return at == TString::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeUpper()
{
    if (!m_text.empty())
        CharUpperBuff(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_text.empty())
        CharLowerBuff(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(PCXSTR chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(TCHAR ch)
{
    const TCHAR set[] = {ch, 0};
    return TrimLeft(set);
}

CString& CString::TrimRight(TCHAR ch)
{
    const TCHAR set[] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimLeft(PCXSTR chars)
{
    size_t first = 0;
    while (first < m_text.size() && Contains(chars, m_text[first]))
        ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimRight(PCXSTR chars)
{
    size_t end = m_text.size();
    while (end > 0 && Contains(chars, m_text[end - 1]))
        --end;
    m_text.erase(end);
    return *this;
}

int CString::Replace(TCHAR oldCh, TCHAR newCh)
{
    int count = 0;
    for (TCHAR& ch : m_text)
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    return count;
}

int CString::Replace(PCXSTR oldText, PCXSTR newText)
{
    if (!oldText || !*oldText)
        return 0;
    const TString from(oldText), to(newText ? newText : _T(""));
    int count = 0;
    for (size_t at = m_text.find(from); at != TString::npos; at = m_text.find(from, at + to.size())) {
        m_text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(TCHAR ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, TCHAR ch)
{
    m_text.insert(ClampIndex(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, PCXSTR text)
{
    if (text)
        m_text.insert(ClampIndex(index), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_text.erase(index, count);
    return GetLength();
}

void CString::Truncate(int length)
{
    if (length >= 0 && length < GetLength())
        m_text.resize(length);
}

TCHAR* CString::GetBuffer()
{
    return GetBuffer(0);
}

TCHAR* CString::GetBuffer(int minLength)
{
    // The string keeps its text; the extra room reads as zeros.
    if (minLength > GetLength())
        m_text.resize(minLength);
    return &m_text[0];
}

TCHAR* CString::GetBufferSetLength(int length)
{
    m_text.resize(std::max(length, 0));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(_tcslen(m_text.c_str()));
    m_text.resize(std::min<size_t>(newLength, m_text.size()));
}

std::string CString::ToAnsi() const
{
#ifdef _UNICODE
    return WideToAnsi(m_text.data(), GetLength());
#else
    return m_text;
#endif
}

std::wstring CString::ToWide() const
{
#ifdef _UNICODE
    return m_text;
#else
    return AnsiToWide(m_text.data(), GetLength());
#endif
}

BOOL CString::LoadString(UINT id)
{
    return LoadString(AfxGetResourceHandle(), id);
}

BOOL CString::LoadString(HINSTANCE module, UINT id)
{
    // A string resource holds at most 65535 characters; grow until it fits.
    std::vector<TCHAR> buffer(256);
    for (;;) {
        int length = ::LoadString(module, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) {
            m_text.clear();
            return FALSE;
        }
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() > 65536) {
            m_text.assign(buffer.data(), length);
            return TRUE;
        }
        buffer.resize(buffer.size() * 4);
    }
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, CString::PCXSTR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(CString::PCXSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, TCHAR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(TCHAR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}
