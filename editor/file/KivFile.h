// A checklist file as a whole: the header and the text body, with CR LF line ends
// on disk, followed by the CRC-32 trailer over every byte before it.
#pragma once

#include "editor/file/LineEndFileBuf.h"

#include <istream>
#include <ostream>
#include <string>

namespace app {

class Database_t;
class KivFileHeader_t;

// Reads the header and body of a checklist file (the trailer is Crc_t's). Every
// byte but the CR of a CR LF pair is data. Failed when the file cannot be opened.
class KivInputFile_t : public std::istream {
public:
    explicit KivInputFile_t(const std::string& path);
    // True when the file is larger than a checklist file can be (DiskFile_t::largestFile).
    bool IsTooLarge() const { return file.IsTooLarge(); }

private:
    LineEndFileBuf_t file;
};

// Writes the header and body of a checklist file, truncating it. Failed when the
// file cannot be opened.
class KivOutputFile_t : public std::ostream {
public:
    explicit KivOutputFile_t(const std::string& path);
    // Writes what is buffered and closes the file; the stream fails when that fails.
    void close();

private:
    LineEndFileBuf_t file;
};

// Writes the whole file: header and body, then the CRC trailer; the one writer of
// the file's bytes. False when the file could not be opened or any of it not be
// written completely.
bool WriteKivFile(const std::string& path, const KivFileHeader_t& header, const Database_t& database);

} // namespace app
