// A temporary folder of the test's own for the crash log.
#include "tests/editor/shell/OwnTempFolder.h"

#include <windows.h>

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    return ::GetEnvironmentVariableA(name, value, MAX_PATH) ? value : "";
}

} // namespace

OwnTempFolder_t::OwnTempFolder_t() : oldTmp(Environment("TMP")), oldTemp(Environment("TEMP"))
{
    const std::string path = folder.File("");
    ::SetEnvironmentVariableA("TMP", path.c_str());
    ::SetEnvironmentVariableA("TEMP", path.c_str());
}

OwnTempFolder_t::~OwnTempFolder_t()
{
    ::DeleteFileA(LogPath().c_str());
    ::RemoveDirectoryA(LogFolder().c_str());
    ::SetEnvironmentVariableA("TMP", oldTmp.empty() ? nullptr : oldTmp.c_str());
    ::SetEnvironmentVariableA("TEMP", oldTemp.empty() ? nullptr : oldTemp.c_str());
}

std::string OwnTempFolder_t::LogFolder() const
{
    return folder.File("Pellorin");
}

std::string OwnTempFolder_t::LogPath() const
{
    return LogFolder() + "\\Pellorin.log";
}

std::string OwnTempFolder_t::ReadLog() const
{
    return ReadBytes(LogPath());
}
