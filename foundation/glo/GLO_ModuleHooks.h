// The two facts about the program that the foundation library asks the
// application for: the module of its string table and its own file name.
#pragma once

#include <windows.h>

#include <string>

namespace glo {

struct ModuleHooks_t {
    // The module whose string table holds the resource strings.
    HMODULE (*programModule)() = nullptr;
    // The program's file name ("KIV.exe"), for version-resource queries.
    const std::string& (*programFileTitle)() = nullptr;
};

// The application sets its hooks once, before the first resource or version query.
void SetModuleHooks(const ModuleHooks_t& hooks);

// The module the application names; null when it names none.
HMODULE ProgramModule();

// The program file name the application names; glo::Assert_t when it names none.
std::string ProgramFileTitle();

} // namespace glo
