// Drives a live dialog through its controls' messages.
#include "tests/editor/dialogs/DialogDriver.h"

#include <vector>

namespace views_test {

HWND Item(CWnd& dialog, int id)
{
    return ::GetDlgItem(dialog.GetSafeHwnd(), id);
}

std::string TextOf(CWnd& dialog, int id)
{
    const HWND item = Item(dialog, id);
    std::vector<char> text(::GetWindowTextLengthA(item) + 1, '\0');
    ::GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void Type(CWnd& dialog, int id, const std::string& characters)
{
    for (char c : characters)
        ::SendMessageA(Item(dialog, id), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Press(CWnd& dialog, int id, UINT key)
{
    ::SendMessageA(Item(dialog, id), WM_KEYDOWN, key, 1);
    ::SendMessageA(Item(dialog, id), WM_KEYUP, key, 0xC0000001);
}

void Paste(CWnd& dialog, int id, const std::string& text)
{
    ::SendMessageA(Item(dialog, id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

int Caret(CWnd& dialog, int id)
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(Item(dialog, id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? static_cast<int>(end) : -1;
}

void SetCaret(CWnd& dialog, int id, int position)
{
    ::SendMessageA(Item(dialog, id), EM_SETSEL, position, position);
}

void Choose(CWnd& dialog, int id, int index)
{
    const HWND combo = Item(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, index, 0);
    ::SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int Selection(CWnd& dialog, int id)
{
    return static_cast<int>(::SendMessageA(Item(dialog, id), CB_GETCURSEL, 0, 0));
}

std::string Items(CWnd& dialog, int id)
{
    const HWND combo = Item(dialog, id);
    std::string items;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> text(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items += (i ? "|" : "") + std::string(text.data());
    }
    return items;
}

bool Enabled(CWnd& dialog, int id)
{
    return ::IsWindowEnabled(Item(dialog, id)) != FALSE;
}

} // namespace views_test
