// The full path of a file name (see FullPath.h).
#include "framework/FullPath.h"
#include <vector>

namespace {

AfxFullPathQuery g_query = nullptr;

DWORD QueryFullPath(LPCTSTR name, DWORD size, LPTSTR buffer)
{
    if (g_query)
        return g_query(name, size, buffer);
    return ::GetFullPathName(name, size, buffer, nullptr);
}

} // namespace

CString AfxFullPathOf(LPCTSTR name)
{
    CString given = name ? name : _T("");
    if (given.IsEmpty())
        return given;
    // A path that does not fit leaves the buffer as it was and gives the size it
    // needs; the current folder, and so that size, may change between two calls.
    std::vector<TCHAR> buffer(MAX_PATH, 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = QueryFullPath(given.GetString(), (DWORD)buffer.size(), buffer.data());
        if (length == 0)
            break;
        if (length < buffer.size())
            return CString(buffer.data(), (int)length);
        buffer.assign(length, 0);
    }
    return given;
}

void AfxSetFullPathQueryForTest(AfxFullPathQuery query)
{
    g_query = query;
}
