// A temporary folder for a test's files.
#include "tests/editor/TempFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    path = std::string(temp) + "kivtest" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(counter++);
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path);
}

TempFolder::~TempFolder()
{
    for (const std::string& name : Files()) {
        SetFileAttributesA(File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(File(name).c_str());
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> TempFolder::Files() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return names;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}
