// The crash log's stream.
#include "editor/crash/BasicLogStream.h"

#include <windows.h>

#include <vector>

namespace app {

namespace {

const char logName[] = "Pellorin";

} // namespace

BasicLogStream_t::BasicLogStream_t()
{
    const DWORD length = ::GetTempPathA(0, nullptr);
    if (length == 0) {
        setstate(std::ios_base::badbit);
        return;
    }
    std::vector<char> buffer(length + 1, '\0');
    ::GetTempPathA(length + 1, buffer.data());
    std::string folder = buffer.data();
    ::CreateDirectoryA(folder.c_str(), nullptr);
    folder += logName;
    folder += "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    path = folder + logName + ".log";
    open(path, std::ios_base::out | std::ios_base::app);
}

void AppendToLog(const std::string& record)
{
    BasicLogStream_t log;
    if (log.good())
        log << record;
}

} // namespace app
