// What a build of the editor says about itself: its version, its label and
// when it was compiled. A release build is labelled "SQA"; any other label
// marks a test build, whose texts say "Beta" and show the label.
#pragma once

#include "editor/shell/ProgramVersion.h"

#include <string>

namespace app {

const int VersionMajor = KIV_VERSION_MAJOR;
const int VersionMinor = KIV_VERSION_MINOR;

// The build's label, from the build settings; tests may change it.
extern std::string BuildLabel;

// The compiler's date and time texts of this build ("Feb 13 2007", "08:32:06").
extern const char* const BuildDate;
extern const char* const BuildTime;

// Whether the label is "SQA", in any case.
bool IsReleaseBuild();

} // namespace app
