// Mapping and unmapping a view of a file mapping.
#include "foundation/win/WIN_MappedFileView.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

namespace win {

namespace {
const char thisFile[] = "WIN_MappedFileView";
}

MappedFileView_t::MappedFileView_t(const MappedFile_t& mapping, DWORD access, DWORD offsetHigh,
                                   DWORD offsetLow, SIZE_T byteCount)
{
    Map(mapping, access, offsetHigh, offsetLow, byteCount);
}

MappedFileView_t::~MappedFileView_t()
{
    try {
        Unmap();
    } catch (...) {
    }
}

void MappedFileView_t::Map(const MappedFile_t& mapping, DWORD access, DWORD offsetHigh,
                           DWORD offsetLow, SIZE_T byteCount)
{
    if (base)
        throw glo::Assert_t(thisFile, 74);
    base = ::MapViewOfFile(mapping.GetHandle(), access, offsetHigh, offsetLow, byteCount);
    if (!base)
        throw Error_t(thisFile, 82);
}

void MappedFileView_t::Unmap()
{
    if (!base)
        return;
    if (!::UnmapViewOfFile(base))
        throw Error_t(thisFile, 97);
    base = nullptr;
}

} // namespace win
