// IMG_Exception: the one failure type of the disk-image library, a code from a
// fixed table of messages, the source unit and line that raised it, and the
// Windows error of a failed file call.
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string>

class IMG_Exception : public std::exception
{
public:
    // The codes that the library raises; the others index the table only.
    enum Code
    {
        AssertionFailed = 1,
        InvalidHeader = 4,
        ZeroFileSize = 6,
        ReadPastEnd = 7,
        OpenFailed = 9,
        ReadFailed = 10,
        SeekFailed = 11,
        WriteFailed = 13,
        NoImageLoaded = 20,
        NotEnoughBlocks = 23,
        NullPointer = 24,
        OutOfMemory = 27,
        BlockOutOfRange = 29,
        BlockInUse = 30,
        BlockNotInUse = 31,
        InvalidFileObject = 32,
        FileSizeUnknown = 33,
        DeleteFailed = 34,
        RenameFailed = 35,
        NoImageName = 36,
        InvalidImageSize = 37,
        DuplicateFile = 38,
        CodeCount = 39
    };

    // file: the raising unit's stem (a literal); osError: GetLastError of a failed call, else 0.
    IMG_Exception(const char* file, int32_t line, int32_t code, uint32_t osError = 0);

    const char* what() const noexcept override;
    // The message, and for a failed Windows call its number and the system's text.
    std::string GetDisplayText() const;

    int32_t GetCode() const { return code; }
    int32_t GetLine() const { return line; }
    const char* GetFile() const { return file; }
    uint32_t GetOsError() const { return osError; }

private:
    int32_t code;
    int32_t line;
    const char* file;
    uint32_t osError;
};

// Runs the call; an allocation that fails inside it raises code 27 ("Out of
// Memory") from the given unit and line, so no std::bad_alloc leaves the library.
template <class Call>
auto IMG_RaiseOutOfMemory(const char* file, int32_t line, Call call) -> decltype(call())
{
    try
    {
        return call();
    }
    catch (const std::bad_alloc&)
    {
        throw IMG_Exception(file, line, IMG_Exception::OutOfMemory);
    }
}
