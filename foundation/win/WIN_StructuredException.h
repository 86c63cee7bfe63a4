// Structured exceptions (processor and system faults) turned into C++ exceptions
// with a readable text, so that a fault unwinds like any other failure.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace win {

// A structured exception: its code and a text naming the fault, the data address
// of an access violation and the program address.
class StructuredException_t : public std::exception {
public:
    // The pointers are kept but never read after construction.
    StructuredException_t(unsigned int code, EXCEPTION_POINTERS* pointers);
    StructuredException_t(const StructuredException_t&) = default;
    ~StructuredException_t() override;

    const char* what() const noexcept override;
    unsigned int GetCode() const { return code; }
    EXCEPTION_POINTERS* GetPointers() const { return pointers; }

private:
    unsigned int code;
    EXCEPTION_POINTERS* pointers;
    std::string text;
};

// Never returns: throws StructuredException_t(code, pointers).
[[noreturn]] void TranslateStructuredException(unsigned int code, EXCEPTION_POINTERS* pointers);

// From now on a processor fault on the calling thread, in this program's code,
// throws a StructuredException_t as if from the faulting instruction; the frames
// it leaves unwind as for any other exception. Faults of other threads are not
// touched, nor are faults with too little stack left to throw on (a stack
// overflow among them): those go on to the process's last-chance handler.
void InstallStructuredExceptionTranslator();

// True when the stack below the stack pointer is too nearly used up to throw
// or report on.
bool IsStackExhausted(ULONG_PTR stackPointer);

} // namespace win
