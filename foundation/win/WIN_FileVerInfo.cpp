// Reading a module's version resource.
#include "foundation/win/WIN_FileVerInfo.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

namespace win {

namespace {
const char thisFile[] = "WIN_FileVerInfo";
}

FileVerInfo_t::FileVerInfo_t(const std::string& path) : path(path)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        throw Error_t(thisFile, 29);
    data.resize(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        throw Error_t(thisFile, 37);
}

DWORD FileVerInfo_t::GetTranslation() const
{
    void* value = nullptr;
    UINT size = 0;
    if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &size))
        throw glo::Assert_t(thisFile, 82);
    if (size < 4 || size > 7)
        throw glo::Assert_t(thisFile, 85);
    return *static_cast<const DWORD*>(value);
}

std::array<int, 4> FileVerInfo_t::GetFileVersion() const
{
    void* value = nullptr;
    UINT size = 0;
    if (!::VerQueryValueA(data.data(), "\\", &value, &size) || size < sizeof(VS_FIXEDFILEINFO))
        throw glo::Assert_t(thisFile, 56);
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

} // namespace win
