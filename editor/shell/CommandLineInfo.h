// The editor's command line: the framework's switches and file name, and the
// switch "user" (as /user or -user, in any case), which keeps OEM mode off.
#pragma once

#include "framework/Framework.h"

namespace app {

class CommandLineInfo_t : public CCommandLineInfo {
public:
    void ParseParam(const char* param, BOOL flag, BOOL last) override;
    bool IsUser() const { return user; }

private:
    bool user = false;
};

} // namespace app
