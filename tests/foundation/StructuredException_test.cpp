// Structured exceptions: their texts, and real processor faults thrown as C++
// exceptions that unwind through the frames between the fault and the catch.
#include "foundation/win/WIN_StructuredException.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <regex>
#include <string>

namespace {

// A fault record built by hand, as the system would hand it to the translator.
struct CraftedFault {
    EXCEPTION_RECORD record{};
    CONTEXT context{};
    EXCEPTION_POINTERS pointers{&record, &context};

    CraftedFault(DWORD code, ULONG_PTR address, ULONG_PTR info0 = 0, ULONG_PTR info1 = 0)
    {
        record.ExceptionCode = code;
        record.ExceptionAddress = reinterpret_cast<void*>(address);
        record.NumberParameters = code == EXCEPTION_ACCESS_VIOLATION ? 2 : 0;
        record.ExceptionInformation[0] = info0;
        record.ExceptionInformation[1] = info1;
    }
    std::string Text() { return win::StructuredException_t(record.ExceptionCode, &pointers).what(); }
};

} // namespace

TEST(StructuredExceptionText, AccessViolationsNameTheirKindAndDataAddress)
{
    EXPECT_EQ("Read access violation at data address 0x1234abcd,\nprogram address 0x0040A0B1.",
              CraftedFault(EXCEPTION_ACCESS_VIOLATION, 0x40A0B1, 0, 0x1234ABCD).Text());
    EXPECT_EQ("Write access violation at data address 0x0,\nprogram address 0x00000000.",
              CraftedFault(EXCEPTION_ACCESS_VIOLATION, 0, 1, 0).Text());
    // Execution (8) is reported as a write, as is every other non-zero kind.
    EXPECT_EQ("Write access violation at data address 0x10,\nprogram address 0xFFFFFFFF.",
              CraftedFault(EXCEPTION_ACCESS_VIOLATION, 0xFFFFFFFF, 8, 0x10).Text());
}

TEST(StructuredExceptionText, KnownCodesUseTheirPhrase)
{
    const struct {
        DWORD code;
        const char* phrase;
    } known[] = {
        {0x80000001, "Guard page at "},          {0x80000002, "Data type misalignment at "},
        {0x80000003, "Breakpoint at "},          {0x80000004, "Single step at "},
        {0xC0000006, "In page error at "},       {0xC0000008, "Invalid handle at "},
        {0xC000001D, "Illegal instruction at "}, {0xC0000025, "Non-continuable exception at "},
        {0xC0000026, "Invalid disposition at "}, {0xC000008C, "Array bounds exceeded at "},
        {0xC000008D, "Float denormal operand at "}, {0xC000008E, "Float divide by zero at "},
        {0xC000008F, "Float inexact result at "}, {0xC0000090, "Float invalid operation at "},
        {0xC0000091, "Float overflow at "},      {0xC0000092, "Float stack check at "},
        {0xC0000093, "Float underflow at "},     {0xC0000094, "Integer divide by zero at "},
        {0xC0000095, "Integer overflow at "},    {0xC0000096, "Privileged instruction at "},
        {0xC00000FD, "Stack overflow at "},
    };
    for (const auto& k : known)
        EXPECT_EQ(std::string(k.phrase) + "program address 0x0000ABCD.",
                  CraftedFault(k.code, 0xABCD).Text());
}

TEST(StructuredExceptionText, OtherCodesAreShownInUpperCaseHexadecimal)
{
    EXPECT_EQ("Exception: 0xE06D7363 at program address 0x7C81A2B3.",
              CraftedFault(0xE06D7363, 0x7C81A2B3).Text());
    EXPECT_EQ("Exception: 0x1 at program address 0x00000001.", CraftedFault(1, 1).Text());
}

TEST(StructuredExceptionText, TranslatorThrowsWithCodeTextAndPointers)
{
    CraftedFault fault(EXCEPTION_INT_DIVIDE_BY_ZERO, 0x401000);
    try {
        win::TranslateStructuredException(fault.record.ExceptionCode, &fault.pointers);
    } catch (const std::exception& e) {
        auto& se = dynamic_cast<const win::StructuredException_t&>(e);
        EXPECT_EQ(0xC0000094u, se.GetCode());
        EXPECT_EQ(&fault.pointers, se.GetPointers());
        EXPECT_STREQ("Integer divide by zero at program address 0x00401000.", se.what());
        win::StructuredException_t copy(se);
        EXPECT_EQ(se.GetCode(), copy.GetCode());
        EXPECT_EQ(se.GetPointers(), copy.GetPointers());
        EXPECT_STREQ(se.what(), copy.what());
    }
}

// Real faults. The emulator this test may run under reports some faults with
// other codes and without information words; exact texts are checked only when
// the code is the one the processor raises.
namespace {

int destructorsRun = 0;

struct CountsDestruction {
    ~CountsDestruction() { ++destructorsRun; }
};

volatile int* volatile nowhere = reinterpret_cast<int*>(0x10);
volatile int* volatile null = nullptr;
volatile int zero = 0;

__attribute__((noinline)) int ReadNowhere()
{
    CountsDestruction inner;
    return *nowhere;
}

__attribute__((noinline)) void WriteNull()
{
    CountsDestruction inner;
    *null = 1;
}

__attribute__((noinline)) int DivideByZero(int n)
{
    CountsDestruction inner;
    return n / zero;
}

template <class Fault>
__attribute__((noinline)) void Between(Fault fault)
{
    CountsDestruction outer;
    fault();
}

struct Thrown {
    DWORD code;
    std::string text;
};

// Runs the fault two frames down and returns what was thrown.
template <class Fault>
Thrown Catch(Fault fault)
{
    win::InstallStructuredExceptionTranslator();
    destructorsRun = 0;
    try {
        Between(fault);
    } catch (const win::StructuredException_t& e) {
        EXPECT_EQ(2, destructorsRun) << "the frames between fault and catch unwound";
        return {e.GetCode(), e.what()};
    }
    ADD_FAILURE() << "the fault was not translated";
    return {};
}

const std::string programAddress = "program address 0x[0-9A-F]{8}\\.$";

void ExpectText(const Thrown& e, DWORD faithfulCode, const std::string& lead)
{
    if (e.code == faithfulCode) {
        EXPECT_TRUE(std::regex_match(e.text, std::regex(lead + programAddress))) << e.text;
    } else {
        std::printf("note: the platform reported code 0x%08lX for a fault of code 0x%08lX\n",
                    static_cast<unsigned long>(e.code), static_cast<unsigned long>(faithfulCode));
        EXPECT_TRUE(std::regex_search(e.text, std::regex(programAddress))) << e.text;
    }
}

} // namespace

TEST(StructuredExceptionTranslator, ReadAccessViolationUnwindsToTheCatch)
{
    auto e = Catch([] { ReadNowhere(); });
    ExpectText(e, EXCEPTION_ACCESS_VIOLATION, "Read access violation at data address 0x10,\n");
}

TEST(StructuredExceptionTranslator, WriteAccessViolationAtAddressZero)
{
    auto e = Catch([] { WriteNull(); });
    ExpectText(e, EXCEPTION_ACCESS_VIOLATION, "Write access violation at data address 0x0,\n");
}

TEST(StructuredExceptionTranslator, IntegerDivisionByZero)
{
    auto e = Catch([] { DivideByZero(7); });
    ExpectText(e, EXCEPTION_INT_DIVIDE_BY_ZERO, "Integer divide by zero at ");
}

TEST(StructuredExceptionTranslator, TheProgramAddressIsThatOfTheFaultingFunction)
{
    const std::string text = Catch([] { DivideByZero(3); }).text;
    const auto address = std::stoul(text.substr(text.rfind("0x") + 2), nullptr, 16);
    const auto function = reinterpret_cast<unsigned long>(&DivideByZero);
    EXPECT_LE(function, address);
    EXPECT_LT(address, function + 256);
}

TEST(StructuredExceptionTranslator, TheCatchingFrameKeepsItsValuesAndFaultsRepeat)
{
    win::InstallStructuredExceptionTranslator();
    volatile int seed = 5;
    const int a = seed * 3, b = seed + 11, c = seed * seed, d = a ^ b;
    int caught = 0;
    for (int i = 0; i < 200; ++i) {
        try {
            if (i % 2)
                ReadNowhere();
            else
                seed = *nowhere; // a fault in the catching function itself
        } catch (const win::StructuredException_t&) {
            ++caught;
        }
        ASSERT_EQ(15, a);
        ASSERT_EQ(16, b);
        ASSERT_EQ(25, c);
        ASSERT_EQ(15 ^ 16, d);
    }
    EXPECT_EQ(200, caught);
}

TEST(StructuredExceptionTranslator, SystemNotificationsAreNotTranslated)
{
    win::InstallStructuredExceptionTranslator();
    EXPECT_NO_THROW(OutputDebugStringA("a notification passes by the translator\n"));
}

// Only the threads that installed the translator have their faults translated.
namespace {

const DWORD untranslated = 77;
const DWORD translated = 1;
DWORD watchedThread = 0;

void __stdcall EndUntranslated()
{
    ExitThread(untranslated);
}

// Placed after every other handler: it sees what nobody translated.
LONG CALLBACK SeeUntranslated(EXCEPTION_POINTERS* info)
{
    if (GetCurrentThreadId() != watchedThread)
        return EXCEPTION_CONTINUE_SEARCH;
    info->ContextRecord->Eip = reinterpret_cast<DWORD>(&EndUntranslated);
    return EXCEPTION_CONTINUE_EXECUTION;
}

DWORD WINAPI FaultOnThread(void* install)
{
    if (install)
        win::InstallStructuredExceptionTranslator();
    try {
        ReadNowhere();
    } catch (const win::StructuredException_t&) {
        return translated;
    }
    return 0;
}

DWORD RunFaultOnThread(bool install)
{
    HANDLE thread = CreateThread(nullptr, 0, FaultOnThread, install ? &watchedThread : nullptr,
                                 CREATE_SUSPENDED, &watchedThread);
    ResumeThread(thread);
    WaitForSingleObject(thread, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    return exitCode;
}

} // namespace

TEST(StructuredExceptionTranslator, OnlyFaultsOfRegisteredThreadsAreTranslated)
{
    win::InstallStructuredExceptionTranslator();
    void* watcher = AddVectoredExceptionHandler(0, SeeUntranslated);
    EXPECT_EQ(untranslated, RunFaultOnThread(false));
    EXPECT_EQ(translated, RunFaultOnThread(true));
    RemoveVectoredExceptionHandler(watcher);
}
