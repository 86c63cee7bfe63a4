// A folder of its own, of a name not yet taken, under the temporary folder for a
// test's files; removed with everything in it, sub-folders too, when the test ends.
#pragma once

#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a file of that name in the folder.
    std::string File(const std::string& name) const { return path + "\\" + name; }
    // The names of the files in the folder.
    std::vector<std::string> Files() const;

private:
    std::string path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Sets the file's length; what is added reads as zeros (the file system keeps it sparse where it can).
void ResizeFile(const std::string& path, unsigned long long size);
