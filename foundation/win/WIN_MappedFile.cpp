// Creating a file mapping.
#include "foundation/win/WIN_MappedFile.h"

#include "foundation/win/WIN_Exception.h"

namespace win {

MappedFile_t::MappedFile_t(const File_t& file, SECURITY_ATTRIBUTES* security, DWORD protection,
                           DWORD maximumSizeHigh, DWORD maximumSizeLow, const char* name)
{
    HANDLE mapping = ::CreateFileMappingA(file.GetHandle(), security, protection, maximumSizeHigh,
                                          maximumSizeLow, name);
    if (!mapping)
        throw MappedFileError_t("WIN_MappedFile", 77);
    handle.Reset(mapping);
}

} // namespace win
