// Sets the test program's module hooks before any test runs.
#include "tests/foundation/TestModuleHooks.h"

#include <windows.h>

namespace {

HMODULE ProgramModule()
{
    return ::GetModuleHandleA(nullptr);
}

struct InstallHooks_t {
    InstallHooks_t() { glo::SetModuleHooks(TestProgramHooks()); }
} installHooks;

} // namespace

const std::string& TestProgramFileTitle()
{
    static const std::string title = [] {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        const std::string full = path;
        return full.substr(full.find_last_of("\\/") + 1);
    }();
    return title;
}

glo::ModuleHooks_t TestProgramHooks()
{
    glo::ModuleHooks_t hooks;
    hooks.programModule = ProgramModule;
    hooks.programFileTitle = TestProgramFileTitle;
    return hooks;
}
