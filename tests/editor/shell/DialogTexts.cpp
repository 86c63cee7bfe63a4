// Reading what a dialog shows.
#include "tests/editor/shell/DialogTexts.h"

#include <regex>

std::string ItemText(CWnd& dialog, int id)
{
    HWND item = ::GetDlgItem(dialog.m_hWnd, id);
    if (!item)
        return std::string();
    std::string text(::GetWindowTextLengthA(item) + 1, '\0');
    text.resize(::GetWindowTextA(item, &text[0], static_cast<int>(text.size())));
    return text;
}

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

std::string WithCrLf(const std::string& text)
{
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}
