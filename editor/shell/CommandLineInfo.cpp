// The editor's command line.
#include "editor/shell/CommandLineInfo.h"

#include "foundation/glo/GLO_NoCase.h"

#include <locale>

namespace app {

void CommandLineInfo_t::ParseParam(const char* param, BOOL flag, BOOL last)
{
    if (flag && glo::NoCaseEqual(std::locale::classic(), param, "user"))
        user = true;
    CCommandLineInfo::ParseParam(param, flag, last);
}

} // namespace app
