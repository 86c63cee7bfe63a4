// The editor's crash log: the text file Pellorin\Pellorin.log under the user's
// temporary folder, opened for appending in text mode (each line feed is
// stored as CR LF). Both folders are created when missing. Opening never
// raises: a log that cannot be opened leaves the stream failed.
#pragma once

#include <fstream>
#include <string>

namespace app {

class BasicLogStream_t : public std::ofstream {
public:
    BasicLogStream_t();

    // The log file's full path; empty when the temporary folder is unknown.
    const std::string& GetPath() const { return path; }

private:
    std::string path;
};

// Appends a record to the crash log when the log opens; nothing otherwise.
void AppendToLog(const std::string& record);

} // namespace app
