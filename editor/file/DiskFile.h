// A file on disk through the system's own calls: the one road by which the
// checklist file's bytes are read, written and flushed, so that tests can make any
// of those calls fail as a full disk, a removed medium or a bad sector would.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace app {

class DiskFile_t {
public:
    // For reading; created or truncated for writing; an existing file for reading and writing.
    enum Mode_t { ToRead, ToWrite, ToUpdate };

    // The most a checklist file is read with: thousands of times any real checklist
    // (the editor's own limits keep them to kilobytes), and little enough for a 32-bit
    // process to hold whole together with what is read from it.
    static const unsigned long long largestFile = 64ull * 1024 * 1024;

    DiskFile_t() = default;
    ~DiskFile_t() { Close(); }
    DiskFile_t(const DiskFile_t&) = delete;
    DiskFile_t& operator=(const DiskFile_t&) = delete;

    // False when the file cannot be opened, is no file on a disk (a device such as
    // AUX, COM1 or NUL), or this one is open already.
    bool Open(const std::string& path, Mode_t mode);
    bool IsOpen() const { return handle != nullptr; }
    // Reads up to size bytes; read is 0 at the end of the file. False when the read failed.
    bool Read(char* bytes, std::size_t size, std::size_t& read);
    // Reads from the current position to the end of the file, after what bytes holds.
    // False, without reading, for a file too large.
    bool ReadToEnd(std::vector<char>& bytes);
    // True when the file holds more than largestFile bytes.
    bool IsTooLarge() const;
    // False unless every byte was written.
    bool Write(const char* bytes, std::size_t size);
    // Writes the system's buffers of the file to the disk.
    bool Flush();
    // False when the file was not open or closing it failed.
    bool Close();

private:
    void* handle = nullptr;
};

// The system calls that a test can make fail.
enum class DiskCall_t { Read, Write, Flush };

// For tests: when set, asked before each of those calls; a non-zero answer makes
// that call fail with that Windows error code instead of reaching the disk.
using DiskFault_t = unsigned long (*)(DiskCall_t call);
void SetDiskFault(DiskFault_t fault);

} // namespace app
