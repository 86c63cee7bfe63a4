// Structured exceptions: their texts, and the translator that turns a processor
// fault into a C++ exception thrown from the faulting instruction.
//
// How the translation works: a vectored exception handler sees the fault before
// anything else. For a registered thread it saves the fault's record and context
// and lets the thread continue in a small trampoline instead of the faulting
// instruction. The trampoline builds a call frame that looks as if it had been
// called from the faulting instruction (a signal frame in unwind terms, so that
// the unwinder looks up the faulting instruction itself, not the one before it)
// and calls a function that throws. Every function is compiled with
// -fnon-call-exceptions, so the faulting instruction lies in its function's
// unwind tables and the frames between it and the catch unwind normally.
#include "foundation/win/WIN_StructuredException.h"
#include "foundation/win/WIN_Exception.h"

#include <iomanip>
#include <sstream>

namespace win {

namespace {

const char* FaultPhrase(unsigned int code)
{
    switch (code) {
    case 0x80000001: return "Guard page at ";
    case 0x80000002: return "Data type misalignment at ";
    case 0x80000003: return "Breakpoint at ";
    case 0x80000004: return "Single step at ";
    case 0xC0000006: return "In page error at ";
    case 0xC0000008: return "Invalid handle at ";
    case 0xC000001D: return "Illegal instruction at ";
    case 0xC0000025: return "Non-continuable exception at ";
    case 0xC0000026: return "Invalid disposition at ";
    case 0xC000008C: return "Array bounds exceeded at ";
    case 0xC000008D: return "Float denormal operand at ";
    case 0xC000008E: return "Float divide by zero at ";
    case 0xC000008F: return "Float inexact result at ";
    case 0xC0000090: return "Float invalid operation at ";
    case 0xC0000091: return "Float overflow at ";
    case 0xC0000092: return "Float stack check at ";
    case 0xC0000093: return "Float underflow at ";
    case 0xC0000094: return "Integer divide by zero at ";
    case 0xC0000095: return "Integer overflow at ";
    case 0xC0000096: return "Privileged instruction at ";
    case 0xC00000FD: return "Stack overflow at ";
    default: return nullptr;
    }
}

std::string DescribeFault(unsigned int code, const EXCEPTION_RECORD& record)
{
    std::ostringstream text;
    text << std::hex;
    if (code == EXCEPTION_ACCESS_VIOLATION) {
        text << (record.ExceptionInformation[0] == 0 ? "Read" : "Write")
             << " access violation at data address 0x" << record.ExceptionInformation[1]
             << ",\n";
    } else if (const char* phrase = FaultPhrase(code)) {
        text << phrase;
    } else {
        text << "Exception: 0x" << std::uppercase << code << std::nouppercase << " at ";
    }
    text << "program address 0x" << std::uppercase << std::setfill('0') << std::setw(8)
         << reinterpret_cast<ULONG_PTR>(record.ExceptionAddress) << ".";
    return text.str();
}

// The fault a registered thread is about to throw. One per registered thread,
// reached through a thread-local slot; it lives as long as the thread.
struct PendingFault {
    EXCEPTION_RECORD record;
    CONTEXT context;
    EXCEPTION_POINTERS pointers;
};

DWORD pendingFaultSlot = TLS_OUT_OF_INDEXES;
ULONG_PTR imageBegin = 0; // the program image: the only code with unwind tables
ULONG_PTR imageEnd = 0;

} // namespace

} // namespace win

// The trampoline and the function it calls, named for the assembler.
extern "C" void win_StructuredExceptionTrampoline() asm("win_StructuredExceptionTrampoline");
extern "C" void win_StructuredExceptionTrampolineEnd() asm("win_StructuredExceptionTrampolineEnd");
extern "C" [[noreturn]] __attribute__((used)) void win_ThrowPendingFault() asm("win_ThrowPendingFault");

// Entered with the registers and stack of the faulting instruction, except eax,
// which holds the faulting instruction's address. It pushes that address as a
// return address and saves every other register where the unwinder restores
// them from, so the frame of the faulting function is seen exactly as it was.
asm(R"(
    .text
    .p2align 4
win_StructuredExceptionTrampoline:
    .cfi_startproc
    .cfi_signal_frame
    .cfi_def_cfa 4, 0
    pushl %eax
    .cfi_adjust_cfa_offset 4
    pushl %ebp
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 5, 0
    pushl %ebx
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 3, 0
    pushl %esi
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 6, 0
    pushl %edi
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 7, 0
    pushl %ecx
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 1, 0
    pushl %edx
    .cfi_adjust_cfa_offset 4
    .cfi_rel_offset 2, 0
    call win_ThrowPendingFault
    .cfi_endproc
win_StructuredExceptionTrampolineEnd:
)");

void win_ThrowPendingFault()
{
    auto* fault = static_cast<win::PendingFault*>(TlsGetValue(win::pendingFaultSlot));
    win::TranslateStructuredException(fault->record.ExceptionCode, &fault->pointers);
}

namespace win {

namespace {

bool IsInRange(ULONG_PTR address, void (*begin)(), void (*end)())
{
    return reinterpret_cast<ULONG_PTR>(begin) <= address && address < reinterpret_cast<ULONG_PTR>(end);
}

// Faults and failures of the processor or system (warning or error severity),
// not the program-defined codes of other languages' exceptions, and only where
// the code has unwind tables: in this program's image, outside the trampoline.
// A stack overflow, or any fault with too little stack left to throw on, is
// left alone: throwing there would fault again.
bool IsTranslatable(const EXCEPTION_RECORD& record, const CONTEXT& context)
{
    const DWORD code = record.ExceptionCode;
    const bool systemFailure = (code & 0x80000000) != 0 && (code & 0x20000000) == 0;
    return systemFailure && code != EXCEPTION_STACK_OVERFLOW && imageBegin <= context.Eip &&
           context.Eip < imageEnd &&
           !IsInRange(context.Eip, win_StructuredExceptionTrampoline,
                      win_StructuredExceptionTrampolineEnd) &&
           !IsStackExhausted(context.Esp);
}

LONG CALLBACK RedirectFault(EXCEPTION_POINTERS* info)
{
    const DWORD lastError = GetLastError();
    auto* fault = static_cast<PendingFault*>(TlsGetValue(pendingFaultSlot));
    LONG result = EXCEPTION_CONTINUE_SEARCH;
    if (fault && IsTranslatable(*info->ExceptionRecord, *info->ContextRecord)) {
        fault->record = *info->ExceptionRecord;
        fault->record.ExceptionRecord = nullptr;
        fault->context = *info->ContextRecord;
        fault->pointers = {&fault->record, &fault->context};
        info->ContextRecord->Eax = info->ContextRecord->Eip;
        info->ContextRecord->Eip = reinterpret_cast<DWORD>(win_StructuredExceptionTrampoline);
        result = EXCEPTION_CONTINUE_EXECUTION;
    }
    SetLastError(lastError);
    return result;
}

void InstallHandlerOnce()
{
    static const bool installed = [] {
        HMODULE image = nullptr;
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                    GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                reinterpret_cast<LPCSTR>(&RedirectFault), &image))
            throw Error_t("WIN_StructuredException", __LINE__);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            reinterpret_cast<const BYTE*>(image) + dos->e_lfanew);
        imageBegin = reinterpret_cast<ULONG_PTR>(image);
        imageEnd = imageBegin + nt->OptionalHeader.SizeOfImage;

        pendingFaultSlot = TlsAlloc();
        if (pendingFaultSlot == TLS_OUT_OF_INDEXES)
            throw Error_t("WIN_StructuredException", __LINE__);
        if (!AddVectoredExceptionHandler(1, RedirectFault))
            throw Error_t("WIN_StructuredException", __LINE__);
        return true;
    }();
    (void)installed;
}

} // namespace

StructuredException_t::StructuredException_t(unsigned int code, EXCEPTION_POINTERS* pointers)
    : code(code), pointers(pointers), text(DescribeFault(code, *pointers->ExceptionRecord))
{
}

StructuredException_t::~StructuredException_t()
{
    pointers = nullptr;
}

const char* StructuredException_t::what() const noexcept
{
    return text.c_str();
}

bool IsStackExhausted(ULONG_PTR stackPointer)
{
    // Throwing and unwinding, or making a report, take some tens of kilobytes.
    const ULONG_PTR needed = 64 * 1024;
    MEMORY_BASIC_INFORMATION stack = {};
    if (!VirtualQuery(reinterpret_cast<void*>(stackPointer), &stack, sizeof stack))
        return true;
    return stackPointer - reinterpret_cast<ULONG_PTR>(stack.AllocationBase) < needed;
}

void TranslateStructuredException(unsigned int code, EXCEPTION_POINTERS* pointers)
{
    throw StructuredException_t(code, pointers);
}

void InstallStructuredExceptionTranslator()
{
    InstallHandlerOnce();
    if (!TlsGetValue(pendingFaultSlot) && !TlsSetValue(pendingFaultSlot, new PendingFault()))
        throw Error_t("WIN_StructuredException", __LINE__);
}

} // namespace win
