// A temporary folder of the test's own for the crash log: while it lives, TMP
// and TEMP of this process (and of the programs it starts) point at it.
#pragma once

#include "tests/editor/TempFolder.h"

#include <string>

class OwnTempFolder_t {
public:
    OwnTempFolder_t();
    // Removes the log and its folder, and points TMP and TEMP back.
    ~OwnTempFolder_t();
    OwnTempFolder_t(const OwnTempFolder_t&) = delete;
    OwnTempFolder_t& operator=(const OwnTempFolder_t&) = delete;

    // Where the crash log goes: the folder, "Pellorin\Pellorin.log".
    std::string LogPath() const;
    std::string LogFolder() const;
    // The log's bytes; empty when there is none.
    std::string ReadLog() const;
    std::string File(const std::string& name) const { return folder.File(name); }

private:
    TempFolder folder;
    std::string oldTmp;
    std::string oldTemp;
};
