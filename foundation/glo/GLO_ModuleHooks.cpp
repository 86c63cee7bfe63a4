// The application's module hooks.
#include "foundation/glo/GLO_ModuleHooks.h"

#include "foundation/glo/GLO_Exception.h"

namespace glo {

namespace {
ModuleHooks_t hooks;
}

void SetModuleHooks(const ModuleHooks_t& newHooks)
{
    hooks = newHooks;
}

HMODULE ProgramModule()
{
    return hooks.programModule ? hooks.programModule() : nullptr;
}

std::string ProgramFileTitle()
{
    ThrowIfFalse(hooks.programFileTitle != nullptr, "GLO_ModuleHooks", __LINE__);
    return hooks.programFileTitle();
}

} // namespace glo
