// The editor's exception family: base, assertion and the last-error text.
#include "foundation/glo/GLO_Exception.h"

#include <windows.h>

namespace glo {

Exception_t::Exception_t(const char* file, int line, const std::string& message)
    : file(file), line(line), message(message)
{
}

Exception_t::~Exception_t() = default;

const char* Exception_t::what() const noexcept
{
    return message.c_str();
}

void ThrowIfFalse(bool flag, const char* file, int line)
{
    if (!flag)
        throw Assert_t(file, line);
}

std::string GetLastErrorText()
{
    char text[256];
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       GetLastError(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                       sizeof text, nullptr) == 0)
        return "Unable to get error text";
    return text;
}

} // namespace glo
