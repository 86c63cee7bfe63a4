// Saves a checklist file so that a failure never costs the file on disk: the
// new content is written to a temporary file in the same folder, flushed and
// checked, and only then takes the file's place in one step.
#pragma once

#include <string>

#include "foundation/win/WIN_Exception.h"

namespace app {

class Database_t;
class KivFileHeader_t;

// The steps of a save that can fail.
enum class SaveStep_t { CreateTemporary, Write, Check, Replace };

// A failed step of a save: the Windows error code and the system's text.
class SaveError_t : public win::Error_t {
public:
    SaveError_t(int line, SaveStep_t step, unsigned long code);
    SaveStep_t GetStep() const { return step; }
    // What failed, for the user: "Writing the file", ...
    std::string GetStepText() const;

private:
    SaveStep_t step;
};

// Writes the header, the body and the CRC trailer to a temporary file beside
// path, flushes it, checks its CRC and then moves it over path. On failure the
// temporary file is removed, the file at path is untouched, and SaveError_t is thrown.
void SaveKivFile(const std::string& path, const KivFileHeader_t& header, const Database_t& database);

// For tests: when set, asked before creating the temporary file and before moving
// it; a non-zero answer makes that step fail with that Windows error code. The
// writing and checking fail through the disk's own calls (SetDiskFault).
using SaveFault_t = unsigned long (*)(SaveStep_t step);
void SetSaveFault(SaveFault_t fault);

} // namespace app
