// A file-mapping object over an open file.
#pragma once

#include "foundation/win/WIN_File.h"
#include "foundation/win/WIN_Handle.h"

namespace win {

class MappedFile_t {
public:
    // win::MappedFileError_t when the mapping cannot be made (an empty file, for one).
    MappedFile_t(const File_t& file, SECURITY_ATTRIBUTES* security, DWORD protection,
                 DWORD maximumSizeHigh, DWORD maximumSizeLow, const char* name = nullptr);

    HANDLE GetHandle() const { return handle.Get(); }

private:
    Handle_t handle;
};

} // namespace win
