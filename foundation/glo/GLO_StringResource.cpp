// Loading string-table texts of any length and filling their placeholders.
#include "foundation/glo/GLO_StringResource.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_ModuleHooks.h"
#include "foundation/win/WIN_Exception.h"

#include <set>

namespace glo {

namespace {

const int firstBufferSize = 256;

// Loads the text of id; on failure returns false with the system's error code.
bool LoadText(unsigned id, std::string& text, DWORD& error)
{
    HINSTANCE module = GetResourceInstance();
    char first[firstBufferSize];
    int count = ::LoadStringA(module, id, first, firstBufferSize);
    error = ::GetLastError();
    if (count != 0 && firstBufferSize - count > 2) {
        text = first;
        return true;
    }
    // A text that nearly fills the buffer may have been cut: grow until it clearly fits.
    std::vector<char> buffer(firstBufferSize, '\0');
    while (count != 0) {
        buffer.assign(buffer.size() + firstBufferSize, '\0');
        const int size = static_cast<int>(buffer.size());
        count = ::LoadStringA(module, id, buffer.data(), size);
        error = ::GetLastError();
        if (count != 0 && size - count > 2) {
            text = buffer.data();
            return true;
        }
    }
    return false;
}

void FillPlaceholders(std::string& text, const FormatArgs_t& args, const char* file, int line,
                      const char* indexFile, int indexLine)
{
    static const std::string digits = "0123456789";
    std::set<std::size_t> used;
    std::size_t p = text.find('%');
    while (p != std::string::npos) {
        if (p + 1 == text.size())
            throw Assert_t(file, line);
        if (text[p + 1] == '%') {
            text.erase(p + 1, 1);
            p = text.find('%', p + 1);
            continue;
        }
        const std::size_t index = digits.find(text[p + 1]);
        if (index == std::string::npos || index >= args.size())
            throw Assert_t(indexFile, indexLine);
        used.insert(index);
        text.replace(p, 2, args[index]);
        // Text inside an argument is never taken for a placeholder.
        p = text.find('%', p + args[index].size());
    }
    if (used.size() != args.size())
        throw Assert_t(file, line);
}

} // namespace

HINSTANCE GetResourceInstance()
{
    static HINSTANCE module = nullptr;
    if (!module) {
        module = ProgramModule();
        if (!module)
            throw Assert_t("GLO_StringResource", 103);
    }
    return module;
}

StringResource_t::StringResource_t(unsigned id, const char* file, int line) : id(id)
{
    DWORD error = 0;
    if (!LoadText(id, text, error))
        throw win::Error_t(file, line, error);
}

std::string StringResource_t::Format(const FormatArgs_t& args, const char* file, int line) const
{
    std::string result = text;
    FillPlaceholders(result, args, file, line, file, line);
    return result;
}

std::string StringResource_t::FormatArg(const std::string& arg, const char* file, int line) const
{
    return Format(FormatArgs_t{arg}, file, line);
}

int StringResource_t::LoadFixed(char* buffer, int size, const char* file, int line) const
{
    const int count = ::LoadStringA(GetResourceInstance(), id, buffer, size);
    if (count == 0)
        throw win::Error_t(file, line);
    return count;
}

std::string LoadString(unsigned id, const char* file, int line)
{
    std::string text;
    DWORD error = 0;
    if (!LoadText(id, text, error)) {
        ::SetLastError(error);
        throw Exception_t(file, line, GetLastErrorText());
    }
    return text;
}

int LoadStringBuffer(char* buffer, int size, unsigned id, const char* file, int line)
{
    const int count = ::LoadStringA(GetResourceInstance(), id, buffer, size);
    if (count == 0)
        throw Exception_t(file, line, GetLastErrorText());
    return count;
}

void FormatString(std::string& text, const FormatArgs_t& args, const char* file, int line)
{
    FillPlaceholders(text, args, file, line, "GLO_StringResource", 184);
}

} // namespace glo
