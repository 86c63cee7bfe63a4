// Data exchange through the framework's exchange object.
#include "foundation/afx/AFX_DDX.h"

#include "foundation/glo/GLO_Array.h"
#include "foundation/glo/GLO_StringResource.h"

#include "framework/CDataExchange.h"
#include "framework/CodePage.h"
#include "framework/Globals.h"

namespace afx {

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    const HWND edit = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        // An edit that still shows the text it was given leaves the string's bytes as they
        // are: one that keeps its text in UTF-16 (as Wine's do) gives back changed those
        // bytes that the code page reads as no character.
        if (AfxWideWindowText(edit) == AfxWideOf(value.c_str()))
            return;
        const int length = ::GetWindowTextLengthA(edit);
        glo::Array_t<char> text(length + 1);
        ::GetWindowTextA(edit, text.Get(), length + 1);
        value = text.Get();
    } else {
        ::SetWindowTextA(edit, value.c_str());
    }
}

// The 8-bit length is never shorter than the UTF-16 one.
void DDX_Text(CDataExchange* pDX, int id, std::wstring& value)
{
    const HWND edit = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthA(edit);
        glo::Array_t<unsigned short> text(length + 1);
        ::GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.Get()), length + 1);
        value = reinterpret_cast<const wchar_t*>(text.Get());
    } else {
        ::SetWindowTextW(edit, value.c_str());
    }
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int limit)
{
    if (!pDX->m_bSaveAndValidate || value.size() <= static_cast<std::size_t>(limit))
        return;
    const glo::StringResource_t text(4100, ".\\AFX_DDX", 112);
    const std::string message = text.FormatArg(std::to_string(limit), ".\\AFX_DDX", 113);
    AfxMessageBox(message.c_str(), MB_OK);
    pDX->Fail();
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value)
{
    CString text(value.c_str());
    ::DDX_CBString(pDX, id, text);
    value = static_cast<LPCTSTR>(text);
}

void DDX_Check(CDataExchange* pDX, int id, bool& value)
{
    int state = value ? 1 : 0;
    ::DDX_Check(pDX, id, state);
    value = state != 0;
}

} // namespace afx
