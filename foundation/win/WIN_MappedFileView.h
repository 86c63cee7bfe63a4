// A view of a file mapping, unmapped when it ends.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"
#include "foundation/win/WIN_MappedFile.h"

namespace win {

class MappedFileView_t : private glo::NonCopyable_t {
public:
    // Maps at once; a byte count of 0 maps the whole mapping.
    MappedFileView_t(const MappedFile_t& mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                     SIZE_T byteCount);
    // Unmaps; a failure here is swallowed.
    ~MappedFileView_t();

    // glo::Assert_t when a view is mapped already.
    void Map(const MappedFile_t& mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
             SIZE_T byteCount);
    void Unmap();

    const void* GetBase() const { return base; }

private:
    void* base = nullptr;
};

} // namespace win
