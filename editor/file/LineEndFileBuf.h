// A file stream buffer for the checklist file's text: on disk each line feed is
// stored as CR LF. Reading turns exactly the pairs CR LF back into a line feed and
// passes every other byte through as data (0x1A and a lone CR included, unlike the
// runtime's text mode, which ends the input at 0x1A); writing turns each line feed
// into CR LF and changes nothing else.
#pragma once

#include "editor/file/DiskFile.h"

#include <ios>
#include <streambuf>
#include <string>
#include <vector>

namespace app {

class LineEndFileBuf_t : public std::streambuf {
public:
    LineEndFileBuf_t() : buffer(bufferSize) {}
    ~LineEndFileBuf_t() override;

    // Opens the file for reading (std::ios::in) or for writing (std::ios::out,
    // truncating); null when it cannot be opened.
    LineEndFileBuf_t* open(const std::string& path, std::ios::openmode mode);
    // Writes what is buffered and closes the file; null when that failed.
    LineEndFileBuf_t* close();
    bool is_open() const { return file.IsOpen(); }
    bool IsTooLarge() const { return file.IsTooLarge(); }

protected:
    int_type underflow() override;
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool WriteBuffered();

    static const int bufferSize = 64 * 1024;
    DiskFile_t file;
    std::vector<char> buffer;
    // Reading: a CR that ended the last read, waiting to see whether a LF follows.
    bool heldCr = false;
    // Writing: the put area with CR LF line ends, as it goes to the disk.
    std::vector<char> onDisk;
};

} // namespace app
