// Reading Windows Installer's message texts (see MsiMessage.h).
#include "Setup/installation/MsiMessage.h"

#include <climits>
#include <cwchar>

bool CMsiMessage::NextField(const wchar_t* text, size_t& pos, int& number, const wchar_t*& value,
                            size_t& length)
{
    while (text[pos] == L' ')
        ++pos;
    if (text[pos] < L'0' || text[pos] > L'9' || text[pos + 1] != L':' || text[pos + 2] != L' ')
        return false;
    number = text[pos] - L'0';
    pos += 3;
    value = text + pos;
    while (text[pos] != 0 && text[pos] != L' ')
        ++pos;
    length = static_cast<size_t>(text + pos - value);
    return true;
}

int CMsiMessage::ToInt(const wchar_t* value, size_t length)
{
    size_t i = 0;
    bool negative = false;
    if (i < length && (value[i] == L'-' || value[i] == L'+'))
        negative = value[i++] == L'-';
    long long result = 0;
    for (; i < length && value[i] >= L'0' && value[i] <= L'9'; ++i) {
        result = result * 10 + (value[i] - L'0');
        if (result > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -result : result);
}

bool CMsiMessage::FirstField(const wchar_t* text, size_t& pos, int& kind)
{
    int number = 0;
    const wchar_t* value = nullptr;
    size_t length = 0;
    if (!text || !NextField(text, pos, number, value, length) || number != 1 || length != 1 || value[0] < L'0' ||
        value[0] > L'9')
        return false;
    kind = value[0] - L'0';
    return true;
}

bool CMsiMessage::ParseProgress(const wchar_t* text, int fields[4])
{
    size_t pos = 0;
    if (!FirstField(text, pos, fields[0]))
        return false;
    int number = 0;
    const wchar_t* value = nullptr;
    size_t length = 0;
    while (NextField(text, pos, number, value, length)) {
        if (number < 1 || number > 4)
            return false;
        fields[number - 1] = ToInt(value, length);
        if (number == 4 || (number == 2 && (fields[0] == 2 || fields[0] == 3)) ||
            (number == 3 && fields[0] == 1))
            break;
    }
    return true;
}

bool CMsiMessage::ParseCommonData(const wchar_t* text, int fields[2])
{
    size_t pos = 0;
    if (!FirstField(text, pos, fields[0]) || fields[0] == 1)   // 1: the caption, not used
        return false;
    int number = 0;
    const wchar_t* value = nullptr;
    size_t length = 0;
    while (NextField(text, pos, number, value, length)) {
        if (number < 1 || number > 2)
            return false;
        fields[number - 1] = ToInt(value, length);
        if (number == 2)
            break;
    }
    return true;
}

CString CMsiMessage::CutWithEllipsis(CString text)
{
    if (text.GetLength() > kMaxActionText)
        text.Truncate(kMaxActionText);
    if (text.Find(L"...") < 0)
        text += L"...";
    return text;
}

bool CMsiMessage::ActionStartText(const CString& text, CString& actionText)
{
    int dot = text.Find(L". ");
    if (dot < 0)
        return false;
    CString description = text.Mid(dot + 2);
    actionText = description.IsEmpty() ? description : CutWithEllipsis(description);
    return true;
}

CString CMsiMessage::ActionDataText(const CString& text, bool forward, const DataTexts& texts)
{
    CString result = text;
    if (result.Find(L"File:") >= 0) {
        int comma = result.Find(L',');
        if (comma >= 0) {
            CString name = result.Left(comma).Mid(6);
            result.Format(texts.copyingFile.GetString(), name.GetString());
        } else if (result.Find(L'.') >= 0) {
            result = texts.namelessFile;
        }
    } else if (result.Find(L"Feature") >= 0) {
        int comma = result.Find(L',');
        if (comma >= 0)
            result.Truncate(comma);
    } else if (result.Find(L"Key:") >= 0) {
        result = texts.registry;
    } else if (result.Find(L"Shortcut:") >= 0) {
        result = texts.shortcut;
    } else if (result.GetLength() > kMaxActionText) {
        result.Truncate(kMaxActionText);
        result += L"...";
    }

    if (!forward)
        result = texts.rollback;
    if (result.GetLength() > kMaxActionText)
        result.Truncate(kMaxActionText);
    int comma = result.Find(L',');
    if (comma >= 0)
        result.Truncate(comma);
    if (result.Find(L"...") < 0)
        result += L"...";
    return result;
}
