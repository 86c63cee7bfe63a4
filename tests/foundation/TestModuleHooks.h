// Module hooks of a test program: its own module and its own file name.
#pragma once

#include "foundation/glo/GLO_ModuleHooks.h"

glo::ModuleHooks_t TestProgramHooks();
// The test program's file name without its folder.
const std::string& TestProgramFileTitle();
