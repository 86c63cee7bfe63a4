// Exceptions of failed Windows calls and the system's error texts.
#include "foundation/win/WIN_Exception.h"

#include <windows.h>

namespace win {

std::string GetErrorText(unsigned long code)
{
    char text[256];
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text,
                       nullptr) == 0)
        throw glo::Assert_t("WIN_Exception", 105);
    return text;
}

Error_t::Error_t(const char* file, int line) : Error_t(file, line, GetLastError())
{
}

Error_t::Error_t(const char* file, int line, unsigned long code)
    : Error_t(file, line, code, std::string())
{
}

Error_t::Error_t(const char* file, int line, unsigned long code, const std::string& suffix)
    : glo::Exception_t(file, line, GetErrorText(code) + suffix), code(code)
{
}

RegError_t::RegError_t(const char* file, int line, const std::string& name, unsigned long code)
    : Error_t(file, line, code, "; Reg name: " + name)
{
}

} // namespace win
