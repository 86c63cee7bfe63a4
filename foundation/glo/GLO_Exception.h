// The editor's exception family: every failure it raises itself carries the
// source file and line of the raise point and a message.
#pragma once

#include <exception>
#include <string>

namespace glo {

// Base of every failure the editor raises. The file text is stored, not copied:
// it must live for the whole program (a string literal).
class Exception_t : public std::exception {
public:
    Exception_t(const char* file, int line, const std::string& message);
    Exception_t(const Exception_t&) = default;
    ~Exception_t() override;

    const char* what() const noexcept override;
    const char* GetFile() const { return file; }
    int GetLine() const { return line; }

private:
    const char* file;
    int line;
    std::string message;
};

// A failed internal consistency check; told apart from others by file and line.
class Assert_t : public Exception_t {
public:
    Assert_t(const char* file, int line) : Exception_t(file, line, std::string()) {}
};

// Throws glo::Assert_t at (file, line) when flag is false.
void ThrowIfFalse(bool flag, const char* file, int line);

// A time value left the range of the time type.
class OutOfRange_t : public Exception_t {
public:
    OutOfRange_t(const char* file, int line) : Exception_t(file, line, std::string()) {}
};

// The standard library refused a locale name; the message is that name.
class LocaleDoesNotExist_t : public Exception_t {
public:
    LocaleDoesNotExist_t(const char* file, int line, const std::string& localeName)
        : Exception_t(file, line, localeName) {}
};

// A file could not be used; the application reports it with the missing-file message.
class FileError_t : public Exception_t {
public:
    FileError_t(const char* file, int line, const std::string& fileName)
        : Exception_t(file, line, std::string()), fileName(fileName) {}
    const std::string& GetFileName() const { return fileName; }

private:
    std::string fileName;
};

// The system's US-English text of the calling thread's last-error value, or
// "Unable to get error text" when the system has none. Never throws.
std::string GetLastErrorText();

} // namespace glo
