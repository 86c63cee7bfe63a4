// Exceptions of failed Windows calls, each carrying the Windows error code and
// the system's text for it.
#pragma once

#include "foundation/glo/GLO_Exception.h"

#include <string>

namespace win {

// The system's US-English text of a Windows error code, exactly as the system
// gives it (with its line end). Throws glo::Assert_t when there is none.
std::string GetErrorText(unsigned long code);

// A locale name carries no code page.
class NoCodePageSpecified_t : public glo::Exception_t {
public:
    NoCodePageSpecified_t(const char* file, int line) : glo::Exception_t(file, line, std::string()) {}
};

// A failed Windows call: its error code, and the system's text as the message.
class Error_t : public glo::Exception_t {
public:
    // Takes the calling thread's last-error value: build it right after the failed call.
    Error_t(const char* file, int line);
    Error_t(const char* file, int line, unsigned long code);
    unsigned long GetCode() const { return code; }

protected:
    // The message is the system text followed by the suffix.
    Error_t(const char* file, int line, unsigned long code, const std::string& suffix);

private:
    unsigned long code;
};

// A file call failed.
class FileError_t : public Error_t {
public:
    FileError_t(const char* file, int line) : Error_t(file, line) {}
};

// A file mapping could not be created.
class MappedFileError_t : public Error_t {
public:
    MappedFileError_t(const char* file, int line) : Error_t(file, line) {}
};

// A registry call failed; the message names the key or value concerned.
class RegError_t : public Error_t {
public:
    RegError_t(const char* file, int line, const std::string& name, unsigned long code);
};

// A file the program needs does not exist; reported with the missing-file message.
class FileNotFound_t : public glo::Exception_t {
public:
    FileNotFound_t(const char* file, int line, const std::string& fileName)
        : glo::Exception_t(file, line, std::string()), fileName(fileName) {}
    const std::string& GetFileName() const { return fileName; }

private:
    std::string fileName;
};

} // namespace win
