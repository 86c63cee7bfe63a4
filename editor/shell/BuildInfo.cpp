// The build's version, label and compile time.
#include "editor/shell/BuildInfo.h"

#include "foundation/glo/GLO_NoCase.h"

#include <locale>

#ifndef KIV_BUILD_LABEL
#define KIV_BUILD_LABEL "SQA"
#endif

namespace app {

std::string BuildLabel = KIV_BUILD_LABEL;

const char* const BuildDate = __DATE__;
const char* const BuildTime = __TIME__;

bool IsReleaseBuild()
{
    return glo::NoCaseEqual(std::locale::classic(), BuildLabel, "SQA");
}

} // namespace app
