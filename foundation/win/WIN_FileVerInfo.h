// The version resource of a module file.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace win {

class FileVerInfo_t {
public:
    // Reads the whole resource of the file; win::Error_t when it has none.
    explicit FileVerInfo_t(const std::string& path);

    const std::string& GetPath() const { return path; }

    // The resource's one translation: language id in the low 16 bits, code
    // page in the high 16; glo::Assert_t unless there is exactly one.
    DWORD GetTranslation() const;
    // Major, minor, build, revision of the fixed file version.
    std::array<int, 4> GetFileVersion() const;

private:
    std::vector<BYTE> data;
    std::string path;
};

} // namespace win
