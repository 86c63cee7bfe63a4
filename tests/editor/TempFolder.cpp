// A temporary folder for a test's files.
#include "tests/editor/TempFolder.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// What the folder holds, without its "." and "..".
std::vector<WIN32_FIND_DATAA> Entries(const std::string& folder)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
                entries.push_back(found);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return entries;
}

// Removes the folder with everything in it, read-only files included.
void RemoveTree(const std::string& folder)
{
    for (const WIN32_FIND_DATAA& entry : Entries(folder)) {
        const std::string path = folder + "\\" + entry.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // A folder of that name may be left by an earlier process with the same id: take the next name.
    static unsigned counter = 0;
    for (;;) {
        path = std::string(temp) + "kivtest" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(counter++);
        if (CreateDirectoryA(path.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + path);
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(path);
}

std::vector<std::string> TempFolder::Files() const
{
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : Entries(path)) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
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

void ResizeFile(const std::string& path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool resized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!resized)
        throw std::runtime_error("cannot resize " + path);
}
